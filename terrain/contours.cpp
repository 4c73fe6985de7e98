#include "terrain/contours.h"

#include "map/map_image.h"
#include "terrain/terrain.h"

#include <algorithm>
#include <vector>

namespace {

struct Cell {
    int x;
    int y;
};

// Neighbour offsets for the directions 1 ... 8 (east, then clockwise on a
// map whose y grows downwards), each with its partner a quarter turn
// counter-clockwise, which must lie below the level.
constexpr Cell kStep[9] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
constexpr Cell kPartner[9] = {{0, 0}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}};

constexpr int kMaxSteps = 10000;

int nextDirection(int d) { return d == 8 ? 1 : d + 1; }

// One pass of the tracer: a field of w x w heights that wraps around at
// its edges, drawn onto a target that does not.
class ContourField {
public:
    ContourField(const float* heights, int w, int tickEvery, MapImage& target)
        : heights_(heights), w_(w), tickEvery_(tickEvery), target_(target)
    {
    }

    void traceLevels(float lowest, float highest)
    {
        for (float level = static_cast<float>(lowest - 0.1); level < highest + 0.1;
             level = static_cast<float>(level + kContourInterval))
            traceLevel(level);
    }

private:
    int wrap(int v) const
    {
        v %= w_;
        return v < 0 ? v + w_ : v;
    }
    float at(int x, int y) const { return heights_[wrap(x) + static_cast<size_t>(wrap(y)) * w_]; }
    float at(Cell c) const { return at(c.x, c.y); }

    bool isFree(Cell c) const
    {
        if (c.x < 0 || c.y < 0 || c.x >= w_ || c.y >= w_)
            return false;
        const uint8_t* p = target_.pixels() + (static_cast<size_t>(c.y) * w_ + c.x) * 3;
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    }

    bool step(Cell c, int d, float level, Cell& next) const
    {
        const Cell n{c.x + kStep[d].x, c.y + kStep[d].y};
        const Cell q{c.x + kPartner[d].x, c.y + kPartner[d].y};
        if (!isFree(n) || !(at(n) > level) || !(at(q) < level))
            return false;
        next = n;
        return true;
    }

    void traceLevel(float level)
    {
        for (int y = 0; y < w_; ++y) {
            const float* row = heights_ + static_cast<size_t>(y) * w_;
            const float* above = heights_ + static_cast<size_t>(wrap(y - 1)) * w_;
            const float* below = heights_ + static_cast<size_t>(wrap(y + 1)) * w_;
            for (int x = 0; x < w_; ++x) {
                if (!(row[x] < level))
                    continue;
                const int left = x == 0 ? w_ - 1 : x - 1;
                const int right = x == w_ - 1 ? 0 : x + 1;
                if (row[right] > level || below[x] > level || row[left] > level || above[x] > level)
                    traceLine({x, y}, level);
            }
        }
    }

    void traceLine(Cell seed, float level)
    {
        if (!isFree(seed))
            return;
        Cell p{};
        int d = 1;
        while (!step(seed, d, level, p)) {
            if (++d > 8)
                return;
        }
        // A and B: the points two ticks and one tick back.
        Cell a = seed;
        Cell b = seed;
        for (int count = 1; count <= kMaxSteps; ++count) {
            const int start = d;
            Cell next{};
            while (!step(p, d, level, next)) {
                d = nextDirection(d);
                if (d == start)
                    return;
            }
            if (count % tickEvery_ == 0) {
                // The tick runs from the middle of the chord A-P to the line
                // at B, on the side where the chord lies lower.
                const Cell m{(a.x + p.x) / 2, (a.y + p.y) / 2};
                if (at(p) > at(m))
                    target_.drawBrownLine(m.x, m.y, b.x, b.y, 192);
                a = b;
                b = p;
            }
            p = next;
            target_.setBrown(p.x, p.y, 192);
        }
    }

    const float* heights_;
    int w_;
    int tickEvery_;
    MapImage& target_;
};

// Each cell's five-point average, spread over its 2 x 2 block.
std::vector<float> doubledField(const float* h, int n)
{
    auto at = [&](int x, int y) { return h[((x + n) % n) + static_cast<size_t>((y + n) % n) * n]; };
    const int w = 2 * n;
    std::vector<float> g(static_cast<size_t>(w) * w);
    for (int i = 0; i < w; ++i) {
        for (int j = 0; j < w; ++j) {
            const int a = j / 2;
            const int b = i / 2;
            const double sum = static_cast<double>(at(a, b)) + at(a + 1, b) + at(a - 1, b) + at(a, b + 1) + at(a, b - 1);
            g[j + static_cast<size_t>(i) * w] = static_cast<float>(sum / 5);
        }
    }
    return g;
}

} // namespace

void traceContours(const float* heights, int32_t n, MapImage* doubled, MapImage& base)
{
    float lowest = 100.0f;
    float highest = -100.0f;
    for (size_t c = 0; c < static_cast<size_t>(n) * n; ++c) {
        highest = std::max(highest, heights[c]);
        lowest = std::min(lowest, heights[c]);
    }
    ContourField(heights, n, 10, base).traceLevels(lowest, highest);
    if (doubled) {
        const std::vector<float> g = doubledField(heights, n);
        ContourField(g.data(), 2 * n, 15, *doubled).traceLevels(lowest, highest);
    }
}

void Terrain::drawContours(MapImage* doubleImage, MapImage& image)
{
    const int n = gridSide;
    if (n == 0)
        return;
    MapImage base;
    base.create(n, n);
    base.fillBlack();
    MapImage doubled;
    if (doubleImage) {
        doubled.create(2 * n, 2 * n);
        doubled.fillBlack();
    }
    traceContours(heightmap.data(), n, doubleImage ? &doubled : nullptr, base);

    auto copyLines = [](const MapImage& from, MapImage& to) {
        const uint8_t* p = from.pixels();
        for (int j = 0; j < from.height(); ++j)
            for (int i = 0; i < from.width(); ++i, p += 3)
                if (p[0] != 0)
                    to.setBrown(i, j, 255);
    };
    if (doubleImage)
        copyLines(doubled, *doubleImage);
    copyLines(base, image);
}
