#pragma once
// Steps of the relief generation, on a heightmap of n x n floats indexed
// x + y * n. Kept apart from Terrain so each can be tested on its own.
#include <cstdint>

// One random ripple bump: adds cos(3.141 s) a / 2 + a / 2 to every cell
// within the ellipse d < r2 around (cx, cy), where d is the squared
// distance stretched by sx and sy and s its root.
void addBump(float* heights, int32_t n, int cx, int cy, float r, float r2, float sx, float sy, float a);
// One smoothing pass: four sweeps (down, right, up, left), each averaging a
// cell with the neighbour it has just updated.
void smoothRelief(float* heights, int32_t n);
// Shifts the lowest cell to 0 and scales by 15 / highest; a relief whose
// highest cell is not above 0 is left flat (all 0).
void normaliseRelief(float* heights, int32_t n);
