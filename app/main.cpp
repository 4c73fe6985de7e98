#include "app/command_line.h"
#include "app/program.h"
#include "platform/sdl_platform.h"
#include "results/results.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    // --help and --version answer before anything touches the display.
    const CommandLine line = parseCommandLine(argc, argv);
    if (line.exitNow) {
        std::fputs(line.output.c_str(), line.exitStatus == 0 ? stdout : stderr);
        return line.exitStatus;
    }
    if (line.options.listResults)
        return results::printResultsHistory(results::defaultDatabasePath(), line.options.resultsCode, std::cout,
                                            std::cerr);
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    return runProgram(line.options);
}
