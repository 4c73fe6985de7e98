#pragma once
// fernhollow-mapgen: a terrain, course and map generated as the game's
// "Generate Map" does, with the vegetation placed, written to files.
#include "tools/mapgen/mapgen_options.h"

#include <iosfwd>

class MapImage;
struct Terrain;

// The terrain and course of options as generateCourseOf makes them (a fresh
// terrain gets its grids allocated there), then the map drawing, then the
// vegetation. doubleImage receives the double-resolution map for sizes up
// to 256 and stays empty above.
void generatePrintableMap(const MapgenOptions& options, Terrain& terrain, MapImage& doubleImage);

// The whole tool: parses argv, generates and writes the files, and prints
// the course code of what it made. Reports to out and err; returns the exit status (0 done, 1 not written, 2 bad use).
int runMapgen(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
