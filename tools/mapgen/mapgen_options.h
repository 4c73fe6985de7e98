#pragma once
// Command line of fernhollow-mapgen.
#include <cstdint>
#include <string>

struct MapgenOptions {
    uint32_t seed = 1;
    int32_t size = 256;
    int32_t openAreas = 2;   // 1 high, 2 medium, 3 low
    int32_t denseAreas = 2;  // 1 high, 2 medium, 3 low
    int32_t controls = 8;    // course points, the start included
    int32_t legSize = 1;     // a LegSize
    std::string outDir;
    bool help = false;       // --help: print text and do nothing else
    bool version = false;    // --version: print text and do nothing else
    uint32_t courseNumber = 0;  // courses drawn on the terrain before this one
    std::string text = {};   // with help or version: what to print, its newline included
};

// Reads argv[1 ...] ("--name value" or "--name=value") over the defaults.
// --course CODE sets the seed, every setting and the course number, and
// takes no other generation option beside it. On a bad option or value
// returns false with a one-line reason in error.
bool parseMapgenOptions(int argc, const char* const* argv, MapgenOptions& options, std::string& error);
