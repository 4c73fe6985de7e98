#pragma once
// Contour tracing: follows, cell by cell, the chain of cells just above
// each level, every 2 height units, and draws it with slope ticks onto
// scratch images in (192, 96, 0). Black pixels are free; a drawn cell is
// never traced again.
#include <cstdint>

class MapImage;

// Spacing of the levels, in stored height units.
constexpr float kContourInterval = 2.0f;

// Traces every level over the n x n heights onto base (n x n, black) and,
// when doubled is given (2n x 2n, black), over the five-point average of
// each cell at double resolution onto doubled as well.
void traceContours(const float* heights, int32_t n, MapImage* doubled, MapImage& base);
