#include "app/program.h"
#include "platform/sdl_platform.h"
#include "results/results.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    // `--results [CODE]` lists the stored runs instead of playing.
    if (argc >= 2 && std::strcmp(argv[1], "--results") == 0)
        return results::printResultsHistory(results::defaultDatabasePath(), argc >= 3 ? argv[2] : "", std::cout,
                                            std::cerr);
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    return runProgram();
}
