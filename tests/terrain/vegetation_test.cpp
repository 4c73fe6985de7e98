#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <gtest/gtest.h>

namespace {

bool isTree(int k) { return k >= 1 && k <= 3; }
bool isBush(int k) { return k >= 6 && k <= 8; }

} // namespace

TEST(Vegetation, AreasKeepRowAndColumnZeroForest)
{
    WorldGlobalsGuard guard;
    for (int32_t size : {128, 256, 512}) {
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            g_mapSize = size;
            Terrain t;
            t.allocateGrids();
            rng::seed(seed);
            t.generateTerrain(1, 1);
            int painted = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const int32_t k = t.classes[t.cellIndex(x, y)];
                    ASSERT_TRUE(k == kForest || k == kOpenLand || k == kDenseForest) << k;
                    if (x == 0 || y == 0) {
                        ASSERT_EQ(k, kForest) << size << ": " << x << ", " << y;
                    }
                    painted += k != kForest;
                }
            EXPECT_GT(painted, 0);
        }
    }
}

TEST(Vegetation, AreaCountsFollowTheAmounts)
{
    WorldGlobalsGuard guard;
    g_mapSize = 256;
    // 900 relief draws, then nine per area (centre, radius, two stretches,
    // four angles), the unused stretches of open land included.
    const struct {
        int32_t open, dense;
        long areas;
    } cases[] = {{1, 1, 45}, {2, 2, 25}, {3, 3, 9}, {1, 3, 28}, {0, 0, 25}};
    for (const auto& c : cases) {
        Terrain t;
        t.allocateGrids();
        const uint32_t expected = stateAfterDraws(17, 900 + 9 * c.areas);
        rng::seed(17);
        t.generateTerrain(c.open, c.dense);
        EXPECT_EQ(rng::state(), expected) << c.open << "/" << c.dense;
        EXPECT_TRUE(t.generated);
    }
}

TEST(Vegetation, NoObjectOnOpenLandOrOnAControl)
{
    WorldGlobalsGuard guard;
    for (int32_t size : {128, 256}) {
        for (uint32_t seed = 1; seed <= 5; ++seed) {
            g_mapSize = size;
            g_nControls = 12;
            Terrain t;
            t.allocateGrids();
            rng::seed(seed);
            t.generateTerrain(1, 1);
            t.generateCourse();
            t.placeVegetation();
            int objects = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const int k = t.objectAt(static_cast<float>(x), static_cast<float>(y));
                    ASSERT_TRUE(k == 0 || isTree(k) || isBush(k)) << k;
                    if (t.classAt(static_cast<float>(x), static_cast<float>(y)) == kOpenLand) {
                        ASSERT_EQ(k, 0) << x << ", " << y;
                    }
                    objects += k != 0;
                }
            for (int i = 0; i < g_nControls; ++i)
                EXPECT_EQ(t.objectAt(t.course.controls[i].x, t.course.controls[i].y), 0) << i;
            EXPECT_GT(objects, size * size / 60);
        }
    }
}

TEST(Vegetation, ForestIsMostlyTreesAndDenseForestMostlyBushes)
{
    WorldGlobalsGuard guard;
    g_mapSize = 256;
    g_nControls = 8;
    const struct {
        int32_t terrainClass;
        double treeShareLow, treeShareHigh;
        int spacing;
    } cases[] = {{kForest, 0.74, 0.84, 5}, {kDenseForest, 0.20, 0.28, 2}};
    for (const auto& c : cases) {
        Terrain t;
        t.allocateGrids();
        std::fill(t.classes.begin(), t.classes.end(), c.terrainClass);
        rng::seed(23);
        t.placeVegetation();
        int trees = 0;
        int bushes = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const int k = t.objectKinds[t.cellIndex(x, y)];
                trees += isTree(k);
                bushes += isBush(k);
                // Forest objects keep off row 0 and column 0.
                if (c.terrainClass == kForest && (x == 0 || y == 0)) {
                    ASSERT_EQ(k, 0) << x << ", " << y;
                }
            }
        const int gridPoints = (256 / c.spacing + (256 % c.spacing != 0)) * (256 / c.spacing + (256 % c.spacing != 0));
        EXPECT_GT(trees + bushes, gridPoints * 95 / 100);
        EXPECT_LE(trees + bushes, gridPoints);
        const double share = static_cast<double>(trees) / (trees + bushes);
        EXPECT_GT(share, c.treeShareLow);
        EXPECT_LT(share, c.treeShareHigh);
    }
}

TEST(Vegetation, AGridPointWithNowhereToGoGivesUp)
{
    WorldGlobalsGuard guard;
    g_mapSize = 128;
    g_nControls = 8;
    Terrain t;
    t.allocateGrids();
    // The forest point (0, 0) may only use cells 1 ... 4 on each axis, all
    // open land: without a bound it would draw for ever.
    std::fill(t.classes.begin(), t.classes.end(), kOpenLand);
    t.classes[0] = kForest;
    const uint32_t expected = stateAfterDraws(9, 2 * 1000);
    rng::seed(9);
    t.placeVegetation();
    EXPECT_EQ(rng::state(), expected);
    for (uint8_t k : t.objectKinds)
        ASSERT_EQ(k, 0);
}
