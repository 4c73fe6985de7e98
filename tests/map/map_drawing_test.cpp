#include "map/map_image.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

using Rgb = std::array<int, 3>;

Rgb at(const MapImage& image, int x, int y)
{
    const uint8_t* p = image.pixels() + (y * image.width() + x) * 3;
    return {p[0], p[1], p[2]};
}

bool sameBytes(const MapImage& a, const MapImage& b)
{
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.pixels(), a.pixels() + a.width() * a.height() * 3, b.pixels());
}

// A flat forest of n cells without features, with the given course.
void makeBlankTerrain(Terrain& t, int32_t n, std::initializer_list<std::pair<float, float>> points)
{
    g_mapSize = n;
    t.allocateGrids();
    std::fill(t.heightmap.begin(), t.heightmap.end(), 0.0f);
    std::fill(t.classes.begin(), t.classes.end(), kForest);
    std::fill(t.features.begin(), t.features.end(), 0);
    g_nControls = static_cast<int32_t>(points.size());
    int i = 0;
    for (auto [x, y] : points)
        t.course.controls[i++] = {x, y, i};
}

// The white canvas with its blue grid columns, as the map starts its overprint.
MapImage gridCanvas(int side)
{
    MapImage image;
    image.create(side, side);
    image.fillWhite();
    for (int x = 0; x < side; x += side / 5)
        image.drawBlueColumn(x, 255);
    return image;
}

// Heading in degrees, clockwise from up the map, worked out independently.
float heading(float dx, float dy)
{
    return static_cast<float>(std::atan2(dx, -dy) * 180 / M_PI);
}

} // namespace

TEST(MapDrawing, ClassesColourTheCellOnBothImages)
{
    WorldGlobalsGuard guard;
    const struct {
        int32_t terrainClass;
        Rgb colour;
    } cases[] = {
        {kOpenLand, {192, 192, 0}},
        {kDenseForest, {0, 192, 0}},
        {kBlueClass, {0, 0, 192}},
        {kForest, {255, 255, 255}},
        {7, {255, 255, 255}},
    };
    for (const auto& c : cases) {
        Terrain t;
        makeBlankTerrain(t, 128, {{100, 100}, {110, 110}});
        t.classes[t.cellIndex(3, 5)] = c.terrainClass;
        MapImage twice;
        t.drawMapImages(&twice);
        EXPECT_EQ(at(t.mapImage, 3, 5), c.colour) << c.terrainClass;
        for (auto [x, y] : {std::pair{6, 10}, {7, 10}, {6, 11}, {7, 11}})
            EXPECT_EQ(at(twice, x, y), c.colour) << c.terrainClass << " at " << x << ", " << y;
        EXPECT_EQ(at(t.mapImage, 4, 5), (Rgb{255, 255, 255}));
        EXPECT_EQ(at(twice, 8, 10), (Rgb{255, 255, 255}));
    }
}

TEST(MapDrawing, FeaturesAreBlackOrGreyByImage)
{
    WorldGlobalsGuard guard;
    const struct {
        int32_t feature;
        Rgb onMap, onDouble;
    } cases[] = {
        {16, {0, 0, 0}, {0, 0, 0}},
        {17, {0, 0, 0}, {64, 64, 64}},
        {18, {255, 255, 255}, {255, 255, 255}},
    };
    for (const auto& c : cases) {
        Terrain t;
        makeBlankTerrain(t, 128, {{100, 100}, {110, 110}});
        t.classes[t.cellIndex(7, 9)] = kOpenLand;
        t.features[t.cellIndex(7, 9)] = c.feature;
        MapImage twice;
        t.drawMapImages(&twice);
        const Rgb onMap = c.feature == 18 ? Rgb{192, 192, 0} : c.onMap;
        const Rgb onDouble = c.feature == 18 ? Rgb{192, 192, 0} : c.onDouble;
        EXPECT_EQ(at(t.mapImage, 7, 9), onMap) << c.feature;
        EXPECT_EQ(at(twice, 15, 19), onDouble) << c.feature;
    }
}

TEST(MapDrawing, ContoursOverwriteVegetation)
{
    WorldGlobalsGuard guard;
    Terrain t;
    makeBlankTerrain(t, 128, {{100, 100}, {110, 110}});
    // Between the grid columns 25 and 50.
    for (int y = 40; y < 60; ++y)
        for (int x = 28; x < 48; ++x) {
            t.heightmap[t.cellIndex(x, y)] = 3.0f;
            t.classes[t.cellIndex(x, y)] = kOpenLand;
        }
    MapImage twice;
    t.drawMapImages(&twice);
    int brown = 0;
    int yellow = 0;
    for (int y = 40; y < 60; ++y)
        for (int x = 28; x < 48; ++x) {
            const Rgb p = at(t.mapImage, x, y);
            brown += p == Rgb{255, 127, 0};
            yellow += p == Rgb{192, 192, 0};
        }
    EXPECT_GT(brown, 40);
    EXPECT_EQ(brown + yellow, 400);
    int brownTwice = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            brownTwice += at(twice, x, y) == Rgb{255, 127, 0};
    EXPECT_GT(brownTwice, 80);
}

TEST(MapDrawing, GridColumnsFallEveryFifthOfTheSide)
{
    WorldGlobalsGuard guard;
    const struct {
        int32_t n;
        std::vector<int> map, twice;
    } cases[] = {
        {128, {0, 25, 50, 75, 100, 125}, {0, 51, 102, 153, 204, 255}},
        {256, {0, 51, 102, 153, 204, 255}, {0, 102, 204, 306, 408, 510}},
    };
    for (const auto& c : cases) {
        Terrain t;
        makeBlankTerrain(t, c.n, {{20, 20}, {20, 30}});
        MapImage twice;
        t.drawMapImages(&twice);
        const int row = c.n - 2;
        for (int x = 0; x < c.n; ++x) {
            const bool column = std::find(c.map.begin(), c.map.end(), x) != c.map.end();
            EXPECT_EQ(at(t.mapImage, x, row), (column ? Rgb{85, 85, 255} : Rgb{255, 255, 255})) << c.n << ": " << x;
        }
        for (int x = 0; x < 2 * c.n; ++x) {
            const bool column = std::find(c.twice.begin(), c.twice.end(), x) != c.twice.end();
            EXPECT_EQ(at(twice, x, 2 * row), (column ? Rgb{85, 85, 255} : Rgb{255, 255, 255})) << c.n << ": " << x;
        }
    }
}

TEST(MapDrawing, CourseOverprintIsShortenedLegsCirclesAndTheStartTriangle)
{
    WorldGlobalsGuard guard;
    Terrain t;
    makeBlankTerrain(t, 128, {{10.7f, 10.2f}, {40.9f, 50.5f}});
    MapImage twice;
    t.drawMapImages(&twice);

    // The leg (10, 10) - (40, 50) is 50 long: it runs from (16, 18) to
    // (34, 42), and doubled from (32, 36) to (68, 84). It crosses the blue
    // column 25, blended blue first and red second.
    const float angle = heading(40.9f - 10.7f, 50.5f - 10.2f);
    MapImage expected = gridCanvas(128);
    expected.drawRedTriangle(10, 10, 10, 255, angle);
    expected.drawRedLine(16, 18, 34, 42, 255);
    expected.drawRedCircle(40, 50, 10, 255);
    EXPECT_TRUE(sameBytes(t.mapImage, expected));

    MapImage expectedTwice = gridCanvas(256);
    expectedTwice.drawRedTriangle(21, 20, 20, 255, angle);
    expectedTwice.drawRedLine(32, 36, 68, 84, 255);
    expectedTwice.drawRedCircle(80, 100, 20, 255);
    EXPECT_TRUE(sameBytes(twice, expectedTwice));
}

TEST(MapDrawing, CoincidingPointsDrawNeitherLegNorTriangle)
{
    WorldGlobalsGuard guard;
    Terrain t;
    makeBlankTerrain(t, 128, {{60.5f, 60.5f}, {60.5f, 60.5f}, {90, 60}});
    t.drawMapImages(nullptr);
    MapImage expected = gridCanvas(128);
    expected.drawRedCircle(60, 60, 10, 255);
    expected.drawRedLine(70, 60, 80, 60, 255);
    expected.drawRedCircle(90, 60, 10, 255);
    EXPECT_TRUE(sameBytes(t.mapImage, expected));
}

TEST(MapDrawing, OnlyMapsUpTo256CellsGetADoubleImage)
{
    WorldGlobalsGuard guard;
    for (int32_t n : {128, 256, 512}) {
        Terrain t;
        makeBlankTerrain(t, n, {{20, 20}, {20, 40}});
        MapImage twice;
        t.drawMapImages(&twice);
        EXPECT_EQ(t.mapImage.width(), n);
        EXPECT_EQ(twice.pixels() != nullptr, n <= 256) << n;
        if (n <= 256) {
            EXPECT_EQ(twice.width(), 2 * n);
        }
    }
}
