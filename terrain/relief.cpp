#include "terrain/relief.h"

#include "app/random.h"
#include "terrain/cos_table.h"
#include "terrain/terrain.h"

#include <algorithm>
#include <cmath>

void addBump(float* heights, int32_t n, int cx, int cy, float r, float r2, float sx, float sy, float a)
{
    const int iBegin = std::max(0, static_cast<int>(cx - r - 1));
    const int iEnd = std::min(n, static_cast<int>(cx + r + 1));
    const int jBegin = std::max(0, static_cast<int>(cy - r - 1));
    const int jEnd = std::min(n, static_cast<int>(cy + r + 1));
    const double half = a * 0.5;
    // Each cell gets one addition per bump, so rows may run in memory order.
    for (int j = jBegin; j < jEnd; ++j) {
        const double dy = cy - j;
        const double rowPart = dy * sy * dy;
        float* row = heights + static_cast<size_t>(j) * n;
        for (int i = iBegin; i < iEnd; ++i) {
            const double dx = cx - i;
            const float d = static_cast<float>(dx * sx * dx + rowPart);
            if (!(d < r2))
                continue;
            const float s = std::sqrt(d);
            const double h = tableCos(static_cast<float>(s * 3.141)) * half + half;
            row[i] = static_cast<float>(row[i] + h);
        }
    }
}

void smoothRelief(float* h, int32_t n)
{
    auto blend = [](float neighbour, float self) {
        return static_cast<float>(0.5 * neighbour + 0.5 * self);
    };
    for (int y = 1; y < n; ++y)
        for (int x = 0; x < n; ++x)
            h[x + y * n] = blend(h[x + (y - 1) * n], h[x + y * n]);
    for (int y = 0; y < n; ++y)
        for (int x = 1; x < n; ++x)
            h[x + y * n] = blend(h[x - 1 + y * n], h[x + y * n]);
    // The return sweeps stop short of the outermost rows and columns.
    for (int y = n - 2; y >= 1; --y)
        for (int x = n - 2; x >= 1; --x)
            h[x + y * n] = blend(h[x + (y + 1) * n], h[x + y * n]);
    for (int y = n - 2; y >= 1; --y)
        for (int x = n - 2; x >= 1; --x)
            h[x + y * n] = blend(h[x + 1 + y * n], h[x + y * n]);
}

void normaliseRelief(float* h, int32_t n)
{
    const size_t cells = static_cast<size_t>(n) * n;
    float lowest = 100000;
    float highest = 0;
    for (size_t c = 0; c < cells; ++c) {
        lowest = std::min(lowest, h[c]);
        highest = std::max(highest, h[c]);
    }
    if (!(highest > 0)) {
        std::fill(h, h + cells, 0.0f);
        return;
    }
    for (size_t c = 0; c < cells; ++c)
        h[c] = static_cast<float>((static_cast<double>(h[c]) - lowest) * 15 / highest);
}

void Terrain::generateRelief()
{
    const int32_t n = gridSide;
    if (n == 0)
        return;
    float* h = heightmap.data();
    std::fill(heightmap.begin(), heightmap.end(), 0.0f);

    const int bumps = n > 256 ? 3000 : 150;
    const float amplitude = n > 256 ? 5.0f : 1.0f;
    for (int b = 0; b < bumps; ++b) {
        const int cx = rng::next() % n;
        const int cy = rng::next() % n;
        const float r = static_cast<float>(rng::next() / 1024.0 + 2.0);
        const float r2 = r * r;
        float a = amplitude;
        float sx = static_cast<float>(rng::next() / 16000.0);
        float sy = static_cast<float>(rng::next() / 16000.0);
        sx = sx * sx;
        sy = sy * sy;
        if (rng::next() % 3 == 0)
            a = -a;
        addBump(h, n, cx, cy, r, r2, sx, sy, a);
    }
    for (int pass = 0; pass < 4; ++pass)
        smoothRelief(h, n);
    normaliseRelief(h, n);
}
