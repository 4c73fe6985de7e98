#include "map/map_image.h"
#include "terrain/contours.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<int, int>>;

// Traces the field onto fresh black images and returns the drawn pixels of
// the base image (and of the double image in twice, when asked).
Pixels trace(const std::vector<float>& heights, int n, Pixels* twice = nullptr)
{
    MapImage base;
    base.create(n, n);
    base.fillBlack();
    MapImage doubled;
    if (twice) {
        doubled.create(2 * n, 2 * n);
        doubled.fillBlack();
    }
    traceContours(heights.data(), n, twice ? &doubled : nullptr, base);
    auto drawn = [](const MapImage& image) {
        Pixels out;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const uint8_t* p = image.pixels() + (y * image.width() + x) * 3;
                if (p[0] || p[1] || p[2]) {
                    EXPECT_EQ(p[0], 192);
                    EXPECT_EQ(p[1], 96);
                    EXPECT_EQ(p[2], 0);
                    out.insert({x, y});
                }
            }
        return out;
    };
    if (twice)
        *twice = drawn(doubled);
    return drawn(base);
}

} // namespace

TEST(Contours, FlatFieldsAndLoneCellsDrawNothing)
{
    const int n = 16;
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> raised;
    } cases[] = {
        {"flat", {}},
        {"single cell", {{7, 8}}},
        {"corner cell", {{0, 0}}},
        {"edge cell", {{15, 6}}},
    };
    for (const auto& c : cases) {
        std::vector<float> h(n * n, 0.0f);
        for (auto [x, y] : c.raised)
            h[x + y * n] = 3.0f;
        Pixels twice;
        EXPECT_TRUE(trace(h, n, &twice).empty()) << c.name;
        if (c.raised.empty()) {
            EXPECT_TRUE(twice.empty()) << c.name;
        }
    }
}

TEST(Contours, APlateauIsOutlinedAlongItsEdgeCells)
{
    const int n = 16;
    std::vector<float> h(n * n, 0.0f);
    for (int y = 5; y <= 10; ++y)
        for (int x = 4; x <= 11; ++x)
            h[x + y * n] = 3.0f;
    const Pixels drawn = trace(h, n);
    ASSERT_GT(drawn.size(), 10u);
    for (auto [x, y] : drawn) {
        // A flat top gives no tick: every pixel is a plateau cell on its rim.
        EXPECT_EQ(h[x + y * n], 3.0f) << x << ", " << y;
        EXPECT_TRUE(x == 4 || x == 11 || y == 5 || y == 10) << x << ", " << y;
    }
}

TEST(Contours, HeightsWrapAroundWhileLinesStopAtTheBorder)
{
    const int n = 16;
    // The last column raised. From the seed (14, 1) the line steps onto
    // (15, 0), undrawn, then south along the column: each partner lies
    // across the edge in column 0, where the ground is low. It stops at the
    // bottom border after 15 cells; the tick at step 10 runs on the low side
    // from (14, 5) back to the seed.
    std::vector<float> h(n * n, 0.0f);
    for (int y = 0; y < n; ++y)
        h[n - 1 + y * n] = 3.0f;
    Pixels expected;
    for (int y = 1; y < n; ++y)
        expected.insert({n - 1, y});
    for (int y = 1; y <= 5; ++y)
        expected.insert({n - 2, y});
    EXPECT_EQ(trace(h, n), expected);

    // Column 0 raised as well: the partners across the edge are high, so the
    // line along the last column runs north instead, from row 13 to row 0.
    for (int y = 0; y < n; ++y)
        h[0 + y * n] = 3.0f;
    Pixels lastColumn;
    for (auto [x, y] : trace(h, n))
        if (x == n - 1)
            lastColumn.insert({x, y});
    Pixels north;
    for (int y = 0; y <= 13; ++y)
        north.insert({n - 1, y});
    EXPECT_EQ(lastColumn, north);
}

TEST(Contours, TheDoublePassTracesTheSameShapeAtTwiceTheSize)
{
    const int n = 16;
    std::vector<float> h(n * n, 0.0f);
    for (int y = 4; y <= 11; ++y)
        for (int x = 4; x <= 11; ++x)
            h[x + y * n] = 3.0f;
    Pixels twice;
    const Pixels base = trace(h, n, &twice);
    ASSERT_FALSE(base.empty());
    ASSERT_FALSE(twice.empty());
    for (auto [x, y] : twice) {
        EXPECT_GE(x, 6) << x << ", " << y;
        EXPECT_LE(x, 25) << x << ", " << y;
        EXPECT_GE(y, 6) << x << ", " << y;
        EXPECT_LE(y, 25) << x << ", " << y;
    }
}
