#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A terrain of n cells whose every height is its own index, so a query that
// reads the wrong cell shows.
void fillDistinctHeights(Terrain& t)
{
    for (size_t c = 0; c < t.heightmap.size(); ++c)
        t.heightmap[c] = static_cast<float>(c);
}

} // namespace

TEST(Terrain, StartsZeroedAndAnswersZeroWithoutGrids)
{
    Terrain t;
    EXPECT_EQ(t.zoom, 0.0f);
    EXPECT_EQ(t.mapTexture, 0);
    EXPECT_EQ(t.minimapMode, 0);
    EXPECT_FALSE(t.generated);
    EXPECT_FALSE(t.gridsAllocated);
    EXPECT_EQ(t.course.legSize, 0);
    EXPECT_EQ(t.heightAt(5, 5), 0.0f);
    EXPECT_EQ(t.classAt(5, 5), 0);
    EXPECT_EQ(t.objectAt(5, 5), 0);
}

TEST(Terrain, ResetAndReleaseGiveTheWorkingStartValues)
{
    WorldGlobalsGuard guard;
    g_mapSize = 512;
    Terrain t;
    t.allocateOnce();
    t.generateAll(2, 2);
    EXPECT_EQ(g_heightScale, 1.0f);
    t.release();
    EXPECT_EQ(t.zoom, 1.0f);
    EXPECT_EQ(t.mapTexture, -1);
    EXPECT_EQ(t.minimapMode, 1);
    EXPECT_EQ(g_heightScale, 0.75f);
    EXPECT_FALSE(t.generated);
    EXPECT_FALSE(t.gridsAllocated);
    EXPECT_TRUE(t.heightmap.empty());
    EXPECT_EQ(t.mapImage.pixels(), nullptr);
    EXPECT_EQ(t.course.controls[1].x, 0.0f);
    EXPECT_EQ(t.heightAt(3, 3), 0.0f);
}

TEST(Terrain, HeightAtClampsOntoTheGridAndIsConstantOverACell)
{
    WorldGlobalsGuard guard;
    g_mapSize = 128;
    Terrain t;
    t.allocateGrids();
    fillDistinctHeights(t);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float x, y;
        int cellX, cellY;
    };
    const Case cases[] = {
        {-3.0f, 10.5f, 0, 10}, {133.0f, 0.0f, 127, 0}, {4.0f, 7.0f, 4, 7},      {4.99f, 7.99f, 4, 7},
        {127.9f, 127.9f, 127, 127}, {128.0f, -0.5f, 127, 0}, {-1e9f, 1e9f, 0, 127}, {nan, 3.5f, 0, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.heightAt(c.x, c.y), 0.75f * (c.cellX + c.cellY * 128)) << c.x << ", " << c.y;
}

TEST(Terrain, ClassAndObjectOffTheGridAreNothing)
{
    WorldGlobalsGuard guard;
    g_mapSize = 128;
    Terrain t;
    t.allocateGrids();
    std::fill(t.classes.begin(), t.classes.end(), kDenseForest);
    std::fill(t.objectKinds.begin(), t.objectKinds.end(), 7);
    const float off[][2] = {{-0.5f, 5}, {5, -0.01f}, {128, 5}, {5, 128}, {1e9f, 1e9f}};
    for (const auto& p : off) {
        EXPECT_EQ(t.classAt(p[0], p[1]), 0) << p[0] << ", " << p[1];
        EXPECT_EQ(t.objectAt(p[0], p[1]), 0) << p[0] << ", " << p[1];
    }
    EXPECT_EQ(t.classAt(0, 0), kDenseForest);
    EXPECT_EQ(t.classAt(127.99f, 127.99f), kDenseForest);
    EXPECT_EQ(t.objectAt(127.5f, 0), 7);
}

TEST(Terrain, HeightScaleFollowsTheGridSize)
{
    WorldGlobalsGuard guard;
    const struct {
        int32_t size;
        float scale;
    } cases[] = {{128, 0.75f}, {256, 0.75f}, {512, 1.0f}, {128, 0.75f}};
    for (const auto& c : cases) {
        g_mapSize = c.size;
        Terrain t;
        t.allocateGrids();
        fillDistinctHeights(t);
        EXPECT_EQ(g_heightScale, c.scale) << c.size;
        EXPECT_EQ(t.heightAt(3, 2), c.scale * (3 + 2 * c.size)) << c.size;
        EXPECT_EQ(t.mapImage.width(), c.size);
        EXPECT_EQ(t.heightmap.size(), static_cast<size_t>(c.size) * c.size);
    }
}

TEST(Terrain, AllocateOnceFollowsAChangeOfSize)
{
    WorldGlobalsGuard guard;
    g_mapSize = 256;
    Terrain t;
    t.allocateOnce();
    t.generateAll(2, 2);
    ASSERT_TRUE(t.generated);

    // Reopening the page at the same size keeps the terrain.
    t.allocateOnce();
    EXPECT_TRUE(t.generated);

    // The page sets 128: grids made for 256 must not stay.
    g_mapSize = 128;
    t.allocateOnce();
    EXPECT_FALSE(t.generated);
    EXPECT_EQ(t.gridSide, 128);
    EXPECT_EQ(t.classes.size(), 128u * 128u);
    EXPECT_EQ(t.mapImage.width(), 128);
    EXPECT_EQ(g_heightScale, 0.75f);
}

TEST(Terrain, StartGeneratesOnlyWhenNoTerrainFitsTheSize)
{
    WorldGlobalsGuard guard;
    g_mapSize = 256;
    g_nControls = 8;
    Terrain t;
    t.allocateOnce();
    rng::seed(7);
    t.generateAll(2, 2);
    const std::vector<float> made = t.heightmap;
    const Control start = t.course.controls[0];

    // "Start!" after "Generate Map" plays on that terrain.
    t.prepareForPlay(2, 2);
    EXPECT_EQ(t.heightmap, made);
    EXPECT_EQ(t.zoom, 1.0f);
    EXPECT_EQ(t.panX, start.x);
    EXPECT_EQ(t.minimapOffsetY, start.y);

    // After "Map Size" the old terrain is gone and a new one is made.
    g_mapSize = 128;
    t.allocateGrids();
    t.prepareForPlay(2, 2);
    EXPECT_TRUE(t.generated);
    EXPECT_EQ(t.gridSide, 128);
    EXPECT_EQ(t.panX, t.course.controls[0].x);

    // Never chosen: 256.
    g_mapSize = 0;
    Terrain fresh;
    fresh.prepareForPlay(0, 0);
    EXPECT_EQ(g_mapSize, 256);
    EXPECT_EQ(fresh.gridSide, 256);
    EXPECT_TRUE(fresh.generated);
}

TEST(Terrain, NewCourseKeepsReliefAndVegetation)
{
    WorldGlobalsGuard guard;
    g_mapSize = 128;
    g_nControls = 6;
    Terrain t;
    t.allocateOnce();
    rng::seed(3);
    t.generateAll(2, 2);
    const std::vector<float> heights = t.heightmap;
    const std::vector<int32_t> classes = t.classes;
    const Control before = t.course.controls[1];
    t.newCourse();
    EXPECT_EQ(t.heightmap, heights);
    EXPECT_EQ(t.classes, classes);
    EXPECT_NE(t.course.controls[1].x, before.x);
}

TEST(Terrain, QuickPrepareMakesEverythingAndLeavesTheOffsets)
{
    WorldGlobalsGuard guard;
    g_mapSize = 128;
    g_nControls = 8;
    Terrain t;
    t.panX = 12.0f;
    rng::seed(11);
    t.quickPrepare(2, 2);
    EXPECT_TRUE(t.generated);
    EXPECT_EQ(t.zoom, 1.0f);
    EXPECT_EQ(t.panX, 12.0f);
    int objects = 0;
    for (uint8_t k : t.objectKinds)
        objects += k != 0;
    EXPECT_GT(objects, 0);
}
