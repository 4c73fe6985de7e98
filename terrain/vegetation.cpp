#include "app/random.h"
#include "terrain/cos_table.h"
#include "terrain/terrain.h"

#include <algorithm>
#include <cmath>

namespace {

// Draws for one grid point before it gives up: a point whose whole window
// is open land or taken would otherwise draw for ever.
constexpr int kPlacementTries = 1000;

} // namespace

void Terrain::paintArea(int32_t terrainClass)
{
    const int n = gridSide;
    if (n == 0)
        return;
    const int cx = n / 10 + rng::next() % (n - n / 5);
    const int cy = n / 10 + rng::next() % (n - n / 5);
    const int radius = (n / 20 - n / 50) + rng::next() % (n / 25);
    float sx = static_cast<float>(rng::next() % 1000 / 1000.0 + 0.85);
    float sy = static_cast<float>(rng::next() % 1000 / 1000.0 + 0.85);
    if (terrainClass == kOpenLand)
        sx = sy = 1.0f;

    // Vertices on an ellipse at increasing angles make a convex quadrilateral.
    float vx[4];
    float vy[4];
    int theta = 0;
    for (int k = 0; k < 4; ++k) {
        theta = std::min(theta + rng::next() % 145, 359);
        const float t = static_cast<float>(theta * 0.0175);
        vx[k] = static_cast<float>(static_cast<double>(tableSin(t)) * radius * sx + cx);
        vy[k] = static_cast<float>(static_cast<double>(tableCos(t)) * radius * sy + cy);
    }
    float nx[4];
    float ny[4];
    for (int k = 0; k < 4; ++k) {
        nx[k] = vy[(k + 1) % 4] - vy[k];
        ny[k] = vx[k] - vx[(k + 1) % 4];
    }

    int maxX = 0;
    int maxY = 0;
    int minX = n;
    int minY = n;
    for (int k = 0; k < 4; ++k) {
        if (maxX < vx[k])
            maxX = static_cast<int>(vx[k]);
        if (maxY < vy[k])
            maxY = static_cast<int>(vy[k]);
        if (minX > vx[k])
            minX = static_cast<int>(vx[k]);
        if (minY > vy[k])
            minY = static_cast<int>(vy[k]);
    }

    // Row 0 and column 0 stay forest.
    for (int y = std::max(minY, 1); y <= std::min(maxY, n - 1); ++y) {
        for (int x = std::max(minX, 1); x <= std::min(maxX, n - 1); ++x) {
            bool inside = true;
            for (int k = 0; k < 4 && inside; ++k)
                inside = (static_cast<double>(vx[k]) - x) * nx[k] + (static_cast<double>(vy[k]) - y) * ny[k] < 0;
            if (inside)
                classes[cellIndex(x, y)] = terrainClass;
        }
    }
}

void Terrain::placeVegetation()
{
    const int n = gridSide;
    std::fill(objectKinds.begin(), objectKinds.end(), 0);
    auto acceptable = [&](int px, int py, int lowest) {
        return px >= lowest && py >= lowest && px < n && py < n && objectKinds[cellIndex(px, py)] == 0 &&
               classes[cellIndex(px, py)] != kOpenLand;
    };
    // Draws offsets in [-half, half) around (x, y) until a cell is acceptable;
    // false when none turned up within the bound.
    auto findCell = [&](int x, int y, int half, int lowest, int& px, int& py) {
        for (int t = 0; t < kPlacementTries; ++t) {
            px = x + rng::next() % (2 * half) - half;
            py = y + rng::next() % (2 * half) - half;
            if (acceptable(px, py, lowest))
                return true;
        }
        return false;
    };

    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int32_t k = classes[cellIndex(x, y)];
            int px = 0;
            int py = 0;
            if (k == kOpenLand || k == kBlueClass)
                continue;
            if (k == kDenseForest) {
                if (x % 2 != 0 || y % 2 != 0 || !findCell(x, y, 2, 0, px, py))
                    continue;
                // About three bushes to every tree.
                const int kind = rng::next() % 100 > 75 ? rng::next() % 3 + 1 : rng::next() % 3 + 6;
                objectKinds[cellIndex(px, py)] = static_cast<uint8_t>(kind);
            } else {
                // Forest objects keep off row 0 and column 0.
                if (x % 5 != 0 || y % 5 != 0 || !findCell(x, y, 5, 1, px, py))
                    continue;
                const int kind = rng::next() % 100 > 20 ? rng::next() % 3 + 1 : rng::next() % 3 + 6;
                objectKinds[cellIndex(px, py)] = static_cast<uint8_t>(kind);
            }
        }
    }

    const int count = std::min<int32_t>(g_nControls > 0 ? g_nControls : 8, Course::kMaxControls);
    for (int i = 0; i < count; ++i) {
        const Control& c = course.controls[i];
        if (c.x >= 0 && c.y >= 0 && c.x < n && c.y < n)
            objectKinds[cellIndex(static_cast<int>(c.x), static_cast<int>(c.y))] = 0;
    }
}
