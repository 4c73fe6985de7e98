#include "terrain/relief.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

TEST(Relief, GeneratedReliefStartsAtExactlyZero)
{
    WorldGlobalsGuard guard;
    for (int32_t size : {128, 256, 512}) {
        for (uint32_t seed : {1u, 99u}) {
            g_mapSize = size;
            Terrain t;
            t.allocateGrids();
            rng::seed(seed);
            t.generateRelief();
            const auto [lo, hi] = std::minmax_element(t.heightmap.begin(), t.heightmap.end());
            EXPECT_EQ(*lo, 0.0f) << size << " seed " << seed;
            EXPECT_GE(*hi, 15.0f) << size << " seed " << seed;
        }
    }
}

TEST(Relief, BumpCountFollowsTheSize)
{
    WorldGlobalsGuard guard;
    // Six draws per bump: centre x and y, radius, two stretches, sign.
    const struct {
        int32_t size;
        long bumps;
    } cases[] = {{128, 150}, {256, 150}, {512, 3000}};
    for (const auto& c : cases) {
        g_mapSize = c.size;
        Terrain t;
        t.allocateGrids();
        const uint32_t expected = stateAfterDraws(5, 6 * c.bumps);
        rng::seed(5);
        t.generateRelief();
        EXPECT_EQ(rng::state(), expected) << c.size;
    }
}

TEST(Relief, NormalisingShiftsToZeroAndScalesByTheHighest)
{
    const struct {
        std::vector<float> raw;
        std::vector<float> expected;
    } cases[] = {
        {{0, 2, 4, 1}, {0, 7.5f, 15, 3.75f}},
        {{-1, 0, 3, 1}, {0, 5, 20, 10}},     // pits reach below: the top exceeds 15
        {{2, 4, 4, 3}, {0, 7.5f, 7.5f, 3.75f}},
        {{-1, -2, -3, -1}, {0, 0, 0, 0}},    // nothing above 0: left flat
        {{0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<float> h = c.raw;
        normaliseRelief(h.data(), 2);
        EXPECT_EQ(h, c.expected);
    }
    // A raw minimum of 0 puts the top at exactly 15 whatever the maximum.
    std::vector<float> h = {0, 0.3f, 1.7f, 12.345678f};
    normaliseRelief(h.data(), 2);
    EXPECT_EQ(h[3], 15.0f);
}

TEST(Relief, BumpsAddInsideTheirSquareAndNowhereElse)
{
    const int n = 16;
    const struct {
        int cx, cy;
        float r;
        int first, last;  // cells of the square on each axis, clipped to the grid
    } cases[] = {{8, 8, 3.0f, 4, 11}, {0, 0, 3.0f, 0, 3}, {15, 15, 2.5f, 11, 15}};
    for (const auto& c : cases) {
        std::vector<float> h(n * n, 0.0f);
        // Stretches near 0 flatten the rings: the whole square rises by about a.
        addBump(h.data(), n, c.cx, c.cy, c.r, c.r * c.r, 1e-9f, 1e-9f, -1.0f);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const bool inside = x >= c.first && x <= c.last && y >= c.first && y <= c.last;
                EXPECT_NEAR(h[x + y * n], inside ? -1.0f : 0.0f, 1e-4) << c.cx << ": " << x << ", " << y;
            }
    }
}

TEST(Relief, SmoothingKeepsAFlatFieldAndNeverOvershoots)
{
    const int n = 12;
    std::vector<float> flat(n * n, 4.0f);
    smoothRelief(flat.data(), n);
    EXPECT_EQ(flat, std::vector<float>(n * n, 4.0f));

    std::vector<float> spike(n * n, 0.0f);
    spike[5 + 6 * n] = 8.0f;
    smoothRelief(spike.data(), n);
    for (float v : spike) {
        EXPECT_GE(v, 0.0f);
        EXPECT_LT(v, 8.0f);
    }
    // The downward and rightward sweeps carry the spike below and right of it.
    EXPECT_GT(spike[5 + 7 * n], 0.0f);
    EXPECT_GT(spike[6 + 6 * n], 0.0f);
}
