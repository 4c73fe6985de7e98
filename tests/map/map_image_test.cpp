#include "map/map_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;
using Pixels = std::set<std::pair<int, int>>;

Rgb at(const MapImage& image, int x, int y)
{
    const uint8_t* p = image.pixels() + (y * image.width() + x) * 3;
    return {p[0], p[1], p[2]};
}

MapImage whiteCanvas(int w, int h)
{
    MapImage image;
    image.create(w, h);
    image.fillWhite();
    return image;
}

// Pixels that are no longer white.
Pixels marked(const MapImage& image)
{
    Pixels out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(image, x, y) != Rgb{255, 255, 255})
                out.insert({x, y});
    return out;
}

bool sameBytes(const MapImage& a, const MapImage& b)
{
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.pixels(), a.pixels() + a.width() * a.height() * 3, b.pixels());
}

} // namespace

TEST(MapImage, AnEmptyCanvasIgnoresEveryOperation)
{
    MapImage image;
    EXPECT_EQ(image.pixels(), nullptr);
    image.setGrey(0, 0, 1);
    image.blendRed(0, 0, 255);
    image.fillWhite();
    image.drawRedLine(0, 0, 5, 5, 255);
    image.drawRedCircle(3, 3, 2, 255);
    image.drawRedTriangle(3, 3, 2, 255, 10);
    image.drawBlueColumn(0, 255);
    EXPECT_EQ(image.pixels(), nullptr);

    image.create(4, 3);
    ASSERT_NE(image.pixels(), nullptr);
    image.release();
    EXPECT_EQ(image.pixels(), nullptr);
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.height(), 3);
}

TEST(MapImage, WritersPaintTheirColourAndWrapOnlyForwards)
{
    const int w = 8;
    const int h = 6;
    struct Case {
        const char* name;
        void (MapImage::*write)(int, int, uint8_t);
        int x, y, v;
        int atX, atY;  // pixel expected to change, or -1 for none
        Rgb colour;
    };
    const Case cases[] = {
        {"yellow wraps x", &MapImage::setYellow, w + 3, 2, 192, 3, 2, {192, 192, 0}},
        {"yellow negative", &MapImage::setYellow, -1, 2, 192, -1, -1, {}},
        {"grey wraps y", &MapImage::setGrey, 1, h + 1, 64, 1, 1, {64, 64, 64}},
        {"green", &MapImage::setGreen, 2, 3, 192, 2, 3, {0, 192, 0}},
        {"blue", &MapImage::setBlue, 7, 5, 192, 7, 5, {0, 0, 192}},
        {"brown 255", &MapImage::setBrown, 0, 0, 255, 0, 0, {255, 127, 0}},
        {"brown 192", &MapImage::setBrown, 2 * w, 2 * h, 192, 0, 0, {192, 96, 0}},
        {"negative y", &MapImage::setBrown, 2, -1, 255, -1, -1, {}},
        {"remainder 0", &MapImage::setBrown, 2, -h, 255, 2, 0, {255, 127, 0}},
    };
    for (const Case& c : cases) {
        MapImage image = whiteCanvas(w, h);
        (image.*c.write)(c.x, c.y, static_cast<uint8_t>(c.v));
        const Pixels changed = marked(image);
        if (c.atX < 0) {
            EXPECT_TRUE(changed.empty()) << c.name;
        } else {
            EXPECT_EQ(changed, (Pixels{{c.atX, c.atY}})) << c.name;
            EXPECT_EQ(at(image, c.atX, c.atY), c.colour) << c.name;
        }
    }
}

TEST(MapImage, BlendsClipAndDeepenWithEveryPlot)
{
    MapImage image = whiteCanvas(4, 4);
    image.blendRed(4, 0, 255);
    image.blendRed(0, -1, 255);
    image.blendBlue(0, 4, 255);
    EXPECT_TRUE(marked(image).empty());

    const Rgb reds[] = {{255, 85, 85}, {255, 28, 28}, {255, 9, 9}};
    for (const Rgb& expected : reds) {
        image.blendRed(0, 0, 255);
        EXPECT_EQ(at(image, 0, 0), expected);
    }
    image.blendBlue(3, 3, 255);
    EXPECT_EQ(at(image, 3, 3), (Rgb{85, 85, 255}));
    image.blendRed(3, 3, 192);
    EXPECT_EQ(at(image, 3, 3), (Rgb{28 + 128, 28, 85}));
}

TEST(MapImage, LinesStepTheMajorAxisAfterAMinorStep)
{
    const struct {
        int x0, y0, x1, y1;
        Pixels expected;
    } cases[] = {
        {0, 0, 2, 4, {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}}},
        {2, 4, 0, 0, {{1, 4}, {1, 3}, {0, 2}, {0, 1}, {0, 0}}},
        {0, 0, 4, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
        {4, 0, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
        {2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}, {2, 3}}},
        {0, 1, 4, 3, {{0, 1}, {1, 2}, {2, 2}, {3, 3}, {4, 3}}},
        {1, 1, 3, 3, {{1, 2}, {2, 3}, {3, 4}}},  // slope 1 steps in x
        {3, 3, 3, 3, {}},
    };
    for (const auto& c : cases) {
        MapImage red = whiteCanvas(8, 8);
        red.drawRedLine(c.x0, c.y0, c.x1, c.y1, 255);
        EXPECT_EQ(marked(red), c.expected) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
        for (auto [x, y] : c.expected)
            EXPECT_EQ(at(red, x, y), (Rgb{255, 85, 85}));

        MapImage brown = whiteCanvas(8, 8);
        brown.drawBrownLine(c.x0, c.y0, c.x1, c.y1, 192);
        EXPECT_EQ(marked(brown), c.expected);
    }
    // Brown lines wrap like every writer: off the right edge onto column 0.
    MapImage brown = whiteCanvas(8, 8);
    brown.drawBrownLine(6, 2, 9, 2, 255);
    EXPECT_EQ(marked(brown), (Pixels{{6, 2}, {7, 2}, {0, 2}, {1, 2}}));
}

TEST(MapImage, TriangleCornersTurnWithTheAngle)
{
    const int x = 30;
    const int y = 30;
    const struct {
        float angle;
        int corners[3][2];
    } cases[] = {
        {0.0f, {{x, y - 10}, {x + 8, y + 5}, {x - 8, y + 5}}},
        {90.0f, {{x + 9, y}, {x - 5, y + 8}, {x - 5, y - 8}}},
    };
    for (const auto& c : cases) {
        MapImage triangle = whiteCanvas(64, 64);
        triangle.drawRedTriangle(x, y, 10, 255, c.angle);
        MapImage lines = whiteCanvas(64, 64);
        const auto& p = c.corners;
        lines.drawRedLine(p[0][0], p[0][1], p[1][0], p[1][1], 255);
        lines.drawRedLine(p[1][0], p[1][1], p[2][0], p[2][1], 255);
        lines.drawRedLine(p[0][0], p[0][1], p[2][0], p[2][1], 255);
        EXPECT_TRUE(sameBytes(triangle, lines)) << "angle " << c.angle;
    }
}

TEST(MapImage, CircleSamplesLandOn65PixelsAroundTheCentre)
{
    MapImage image = whiteCanvas(40, 40);
    image.drawRedCircle(20, 20, 10, 255);
    const Pixels ring = marked(image);
    EXPECT_EQ(ring.size(), 65u);
    EXPECT_EQ(ring.count({20, 30}), 1u);
    int deeper = 0;
    for (auto [x, y] : ring) {
        const double r = std::hypot(x - 20, y - 20);
        EXPECT_GT(r, 8.0);
        EXPECT_LE(r, 10.0);
        EXPECT_EQ(at(image, x, y)[0], 255);
        deeper += at(image, x, y)[1] < 85;
    }
    EXPECT_GT(deeper, 0);
}

TEST(MapImage, BlueColumnsBlendEveryRowOfTheirColumn)
{
    const int w = 6;
    for (int x : {w, w + 1, -1}) {
        MapImage image = whiteCanvas(w, 4);
        image.drawBlueColumn(x, 255);
        EXPECT_TRUE(marked(image).empty()) << x;
    }
    MapImage image = whiteCanvas(w, 4);
    image.drawBlueColumn(0, 255);
    EXPECT_EQ(marked(image), (Pixels{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
    EXPECT_EQ(at(image, 0, 2), (Rgb{85, 85, 255}));
}
