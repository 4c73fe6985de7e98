#include "app/analysis_export.h"
#include "app/command_line.h"
#include "app/program.h"
#include "platform/asset_path.h"
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
    if (line.options.exportRun > 0) {
        // Only to find the font beside the executable; no window is made.
        platform::SdlPlatform sdl;
        platform::setCurrent(&sdl);
        const int status = exportAnalysis(results::defaultDatabasePath(), line.options.exportRun,
                                          line.options.exportPath, platform::assetPath("Images\\font.bmp"),
                                          std::cout, std::cerr);
        platform::setCurrent(nullptr);
        return status;
    }
    if (line.options.listResults)
        return results::printResultsHistory(results::defaultDatabasePath(), line.options.resultsCode, std::cout,
                                            std::cerr);
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    return runProgram(line.options);
}
