#pragma once
// Which cell of a square grid a point falls in, shared by the terrain and
// the route analysis's copy of its heights so that both read the same cell.
#include <cstdint>

// Index x + y * n of the cell holding (x, y), the point first clamped onto
// the n x n grid; a NaN lands on the first cell of its axis.
inline int32_t clampedCellIndex(float x, float y, int32_t n)
{
    if (!(x >= 0))
        x = 0;
    if (!(y >= 0))
        y = 0;
    if (x >= n)
        x = static_cast<float>(n - 1);
    if (y >= n)
        y = static_cast<float>(n - 1);
    return static_cast<int32_t>(x) + static_cast<int32_t>(y) * n;
}
