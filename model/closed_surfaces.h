#pragma once
// Which triangles of a model bound a closed surface, and which way that
// surface faces. Where the eye is outside such a surface and nothing cuts it
// open, each of its triangles facing away from the eye lies behind one of
// the same surface facing it, so a renderer may leave those to culling and
// draw the same picture. Pure (no GL), so it can be tested alone.
#include <vector>

enum class Facing : unsigned char {
    kOpen,            // not part of a closed surface: seen from both sides
    kClockwiseOut,    // its corners run clockwise seen from outside
    kAnticlockwiseOut,
};

// `corners` holds x, y, z of three corners per triangle; the result has one
// entry per triangle. Corners join only where they are exactly equal. A
// surface counts as closed when every edge is shared by exactly two of its
// triangles, wound opposite ways, and it encloses a volume (a two-sided
// sheet does not: which of its sides shows is decided by drawing order, not
// by facing).
std::vector<Facing> classifyTriangles(const std::vector<float>& corners);
