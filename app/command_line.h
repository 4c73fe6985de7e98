#pragma once
// The game's command line: what a player may ask for when starting it.
// An option is a field here and a few lines in parseCommandLine.
#include "coursecode/course_code.h"

#include <cstdint>
#include <optional>
#include <string>

// What the game was asked for; the defaults are a plain start.
struct CommandLineOptions {
    bool fullscreen = false;  // --fullscreen: start fullscreen at the desktop's resolution
    int windowWidth = 640;    // --window WxH: client size of the window (and of it
    int windowHeight = 480;   // again after leaving fullscreen)
    std::optional<coursecode::CourseSettings> course;  // --course CODE: start that course at once
    bool listResults = false;  // --results [CODE]: print the stored runs and exit instead of playing
    std::string resultsCode;   // its CODE as the game writes codes; empty: every course
    int64_t exportRun = 0;     // --results --export N OUT.png: the analysis picture of
    std::string exportPath;    // stored run N into OUT.png instead of the list; 0: none
};

// Either options to start with, or an exit at once with what to print.
struct CommandLine {
    CommandLineOptions options;
    bool exitNow = false;  // end the program with exitStatus, printing output
    int exitStatus = 0;    // 0 after --help or --version, 2 for a bad option or value
    std::string output;    // help or version text for stdout (status 0), or one
                           // line for stderr naming the option at fault (status 2)
};

// Parses argv[1 ...]. Never exits by itself and prints nothing.
CommandLine parseCommandLine(int argc, const char* const* argv);
