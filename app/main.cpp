#include "app/program.h"
#include "platform/sdl_platform.h"

int main()
{
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    return runProgram();
}
