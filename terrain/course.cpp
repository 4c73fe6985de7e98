#include "terrain/course.h"

#include "app/random.h"
#include "terrain/cos_table.h"

#include <algorithm>
#include <cmath>

int32_t g_nControls = 0;

namespace {

struct LegLimits {
    int maxLen;
    int minLen;
};

LegLimits legLimits(int32_t legSize, int control, int n)
{
    switch (legSize) {
    case kLegsBig:
        return {n / 2, n / 8};
    case kLegsMixed:
        return control % 4 == 0 ? LegLimits{n / 4, n / 6} : LegLimits{n / 10, n / 20};
    default:
        return {n / 8, n / 20};
    }
}

struct Point {
    float x;
    float y;
};

bool insideBand(Point q, int n)
{
    return 10 < q.x && q.x < n - 10 && 10 < q.y && q.y < n - 10;
}

// A control no turn could keep inside the band would lie where the runner,
// held inside the map, may never reach it; it is pulled back to the band.
// A direction of length 0 gives no position at all and lands in the middle.
float pullIntoBand(float v, int n)
{
    if (std::isnan(v))
        return static_cast<float>(n / 2);
    return std::clamp(v, 10.0f, static_cast<float>(n - 10));
}

// One candidate: a leg of length len from prev, turned by degrees from d.
Point candidate(Point prev, Point d, int degrees, int len)
{
    const float t = static_cast<float>(degrees * 0.0175);
    const double c = tableCos(t);
    const double s = tableSin(t);
    const float rx = static_cast<float>(c * d.x - s * d.y);
    const float ry = static_cast<float>(c * d.y + s * d.x);
    const float k = static_cast<float>(1.0 / std::sqrt(static_cast<double>(rx) * rx + static_cast<double>(ry) * ry));
    return {static_cast<float>(prev.x + static_cast<double>(k) * len * rx),
            static_cast<float>(prev.y + static_cast<double>(k) * len * ry)};
}

// Up to `tries` turns of base + rand() % spread degrees, each to a random side.
bool searchLeg(Point prev, Point d, int len, int n, int tries, int base, int spread, Point& q)
{
    for (int t = 0; t < tries; ++t) {
        int degrees = rng::next() % spread + base;
        if (rng::next() % 2 == 0)
            degrees = -degrees;
        q = candidate(prev, d, degrees, len);
        if (insideBand(q, n))
            return true;
    }
    return false;
}

} // namespace

void Course::generateCourse(int32_t mapSize)
{
    const int n = mapSize;
    if (g_nControls <= 0)
        g_nControls = 8;
    g_nControls = std::min<int32_t>(g_nControls, kMaxControls);
    if (legSize == 0)
        legSize = kLegsSmall;

    const int startX = rng::next() % (n - 20) + 10;
    const int startY = rng::next() % (n - 20) + 10;
    controls[0] = {static_cast<float>(startX), static_cast<float>(startY), 0};

    Point prev{controls[0].x, controls[0].y};
    Point prevPrev{0, 0};
    for (int i = 1; i < g_nControls; ++i) {
        controls[i].number = i;
        const LegLimits limits = legLimits(legSize, i, n);

        Point d{prev.x - prevPrev.x, prev.y - prevPrev.y};
        if (i == 1) {
            d.x = static_cast<float>(rng::next() % 200 * 0.01 - 1);
            d.y = static_cast<float>(rng::next() % 200 * 0.01 - 1);
        }
        const int len = rng::next() % (limits.maxLen - limits.minLen) + limits.minLen;

        Point q{};
        if (!searchLeg(prev, d, len, n, 60, 10, 80, q) && !searchLeg(prev, d, len, n, 30, 0, 180, q))
            q = {pullIntoBand(q.x, n), pullIntoBand(q.y, n)};

        controls[i].x = q.x;
        controls[i].y = q.y;
        prevPrev = prev;
        prev = q;
    }
}

const Control* Course::controlAt(int i) const
{
    if (i < 0 || i >= kMaxControls)
        return nullptr;
    return &controls[i];
}
