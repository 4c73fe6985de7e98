#include "route/route_search.h"

#include "terrain/terrain.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <queue>

const float kRouteReach = std::sqrt(kControlReachSquared) - 0.05f;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// A route beating the straight line by more than this share is a route choice.
constexpr double kRouteChoiceGain = 0.03;
// Graph vertices a shortcut may skip in the first pass; a second pass over
// the shortened route joins its straight runs whatever their length.
constexpr int kShortcutWindow = 32;
// What a corner costs the shortcuts: enough to drop corners that gain
// nothing, well below what a real turn costs a runner.
constexpr double kCornerSeconds = 0.003;
// Radius of the arc a runner on level ground runs while turning (60 degrees
// a second).
constexpr double kTurnRadius = kRunSpeed / (60.0 * M_PI / 180.0);

// Where a moving coordinate crosses the next whole number, in distance
// along the segment.
struct GridCrossings {
    double next;
    double step;

    GridCrossings(double c0, double u)
    {
        if (u > 0) {
            step = 1.0 / u;
            next = (std::floor(c0) + 1.0 - c0) / u;
        } else if (u < 0) {
            step = -1.0 / u;
            next = (std::floor(c0) - c0) / u;
        } else {
            step = next = kInfinity;
        }
    }
    void passTo(double s)
    {
        while (next <= s)
            next += step;
    }
};

// Calls piece(length, x, z, backX, backZ) for each stretch of p -> q over
// which neither the runner nor the point kRunSpeed behind it changes cell,
// with the middle of the stretch for both.
template <typename Piece>
void forEachPiece(RoutePoint p, RoutePoint q, Piece piece)
{
    double dx = static_cast<double>(q.x) - p.x;
    double dz = static_cast<double>(q.z) - p.z;
    double len = std::hypot(dx, dz);
    if (!(len > 0))
        return;
    double ux = dx / len, uz = dz / len;
    double backX = p.x - kRunSpeed * ux, backZ = p.z - kRunSpeed * uz;
    GridCrossings crossings[4] = {{p.x, ux}, {p.z, uz}, {backX, ux}, {backZ, uz}};
    double s = 0;
    while (s < len) {
        double e = len;
        for (const GridCrossings& c : crossings)
            e = std::min(e, c.next);
        if (e > s) {
            double m = 0.5 * (s + e);
            piece(e - s, p.x + m * ux, p.z + m * uz, backX + m * ux, backZ + m * uz);
            s = e;
        }
        for (GridCrossings& c : crossings)
            c.passTo(s);
    }
}

// One of the 16 graph steps from a cell centre, as pieces with the cells of
// the runner and of the point behind it relative to the starting cell. Every
// node is a cell centre, so the pieces are the same from every cell.
struct EdgePiece {
    double length;
    int fx, fz, bx, bz;
};
struct EdgeShape {
    int dx, dz;
    std::vector<EdgePiece> pieces;
};

std::array<EdgeShape, 16> makeEdgeShapes()
{
    static const int steps[16][2] = {{1, 0},  {-1, 0}, {0, 1},  {0, -1}, {1, 1},   {1, -1},  {-1, 1},  {-1, -1},
                                     {2, 1},  {2, -1}, {-2, 1}, {-2, -1}, {1, 2},  {1, -2},  {-1, 2},  {-1, -2}};
    // Far enough from zero that every cell of a piece has a positive index.
    const float origin = 8.5f;
    std::array<EdgeShape, 16> shapes;
    for (int k = 0; k < 16; ++k) {
        EdgeShape& shape = shapes[k];
        shape.dx = steps[k][0];
        shape.dz = steps[k][1];
        forEachPiece({origin, origin}, {origin + shape.dx, origin + shape.dz},
                     [&](double length, double x, double z, double bx, double bz) {
                         auto cell = [](double c) { return static_cast<int>(std::floor(c)) - 8; };
                         shape.pieces.push_back({length, cell(x), cell(z), cell(bx), cell(bz)});
                     });
    }
    return shapes;
}

const std::array<EdgeShape, 16>& edgeShapes()
{
    static const std::array<EdgeShape, 16> shapes = makeEdgeShapes();
    return shapes;
}

double edgeSeconds(const HeightSnapshot& t, int cx, int cz, const EdgeShape& shape)
{
    const int n = t.side;
    const float* h = t.heights.data();
    double time = 0;
    for (const EdgePiece& p : shape.pieces) {
        int bx = std::clamp(cx + p.bx, 0, n - 1);
        int bz = std::clamp(cz + p.bz, 0, n - 1);
        float f = slopeFactor(h[(cx + p.fx) + (cz + p.fz) * n], h[bx + bz * n]);
        time += p.length / (kRunSpeed * f);
    }
    return time;
}

bool isCancelled(const std::atomic<bool>* cancelled)
{
    return cancelled && cancelled->load(std::memory_order_relaxed);
}

// Inside 1 ... side - 1, where play keeps the runner.
bool runnable(const HeightSnapshot& t, RoutePoint p)
{
    float top = static_cast<float>(t.side - 1);
    return p.x >= 1 && p.z >= 1 && p.x <= top && p.z <= top;
}

double distance(RoutePoint a, RoutePoint b)
{
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.z) - b.z);
}

// The point at `radius` from `centre` on the way to `p`.
RoutePoint towards(RoutePoint centre, RoutePoint p, float radius)
{
    double d = distance(centre, p);
    return {static_cast<float>(centre.x + (p.x - centre.x) * radius / d),
            static_cast<float>(centre.z + (p.z - centre.z) * radius / d)};
}

// Whether a runner turning at its own rate, without stopping, can follow
// the corner at b of a -> b -> c: the arc it runs must fit within half of
// each segment. Sharper corners would let a route gain on the slope rule
// with turns no runner can make.
bool followable(RoutePoint a, RoutePoint b, RoutePoint c)
{
    double ux = static_cast<double>(b.x) - a.x, uz = static_cast<double>(b.z) - a.z;
    double vx = static_cast<double>(c.x) - b.x, vz = static_cast<double>(c.z) - b.z;
    double lu = std::hypot(ux, uz), lv = std::hypot(vx, vz);
    if (!(lu > 0) || !(lv > 0))
        return true;
    double cosine = (ux * vx + uz * vz) / (lu * lv);
    double sine = std::fabs(ux * vz - uz * vx) / (lu * lv);
    if (1 + cosine < 1e-9)
        return false;
    return kTurnRadius * sine / (1 + cosine) <= 0.5 * std::min(lu, lv);
}

// The quickest followable route through a subsequence of `points` from the
// first to the last, each straight segment skipping at most `window` points:
// dynamic programming over (point, the point it was reached from). Falls
// back to the straight line when no such route exists.
std::vector<RoutePoint> shortcut(const HeightSnapshot& t, const std::vector<RoutePoint>& points, int window,
                                 const std::atomic<bool>* cancelled)
{
    const int k = static_cast<int>(points.size());
    if (k < 3)
        return points;
    const int w = std::min(window, k - 1);
    auto slot = [w](int j, int d) { return static_cast<size_t>(j) * w + (d - 1); };
    std::vector<double> best(static_cast<size_t>(k) * w, kInfinity);
    std::vector<int> before(static_cast<size_t>(k) * w, 0);
    for (int j = 1; j < k; ++j) {
        if (isCancelled(cancelled))
            return points;
        for (int d = 1; d <= std::min(w, j); ++d) {
            int i = j - d;
            double seg = segmentSeconds(t, points[i], points[j]);
            if (i == 0) {
                best[slot(j, d)] = seg;
                continue;
            }
            for (int e = 1; e <= std::min(w, i); ++e) {
                double c = best[slot(i, e)] + seg + kCornerSeconds;
                if (c < best[slot(j, d)] && followable(points[i - e], points[i], points[j])) {
                    best[slot(j, d)] = c;
                    before[slot(j, d)] = e;
                }
            }
        }
    }
    int last = 0;
    for (int d = 1; d <= w; ++d)
        if (best[slot(k - 1, d)] < kInfinity && (last == 0 || best[slot(k - 1, d)] < best[slot(k - 1, last)]))
            last = d;
    if (last == 0)
        return {points.front(), points.back()};
    std::vector<RoutePoint> out{points[k - 1]};
    for (int j = k - 1, d = last; j > 0;) {
        int e = before[slot(j, d)];
        j -= d;
        d = e;
        out.push_back(points[j]);
    }
    std::reverse(out.begin(), out.end());
    return out;
}

// What turning by `angle` radians costs a runner that keeps running while it
// turns at its own rate: the arc brings it forward by R sin(angle) in the
// new direction in the time of R angle.
double turnSeconds(double angle)
{
    return (angle - std::sin(angle)) * kTurnRadius / kRunSpeed;
}

// Cuts the route where it first comes within `radius` of `centre`.
void trimToReach(std::vector<RoutePoint>& path, RoutePoint centre, float radius)
{
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        double ax = path[i].x - centre.x, az = path[i].z - centre.z;
        double vx = static_cast<double>(path[i + 1].x) - path[i].x;
        double vz = static_cast<double>(path[i + 1].z) - path[i].z;
        double a = vx * vx + vz * vz;
        double b = 2 * (ax * vx + az * vz);
        double c = ax * ax + az * az - static_cast<double>(radius) * radius;
        double disc = b * b - 4 * a * c;
        if (a <= 0 || disc <= 0)
            continue;
        double s = (-b - std::sqrt(disc)) / (2 * a);
        if (s < 0 || s > 1)
            continue;
        RoutePoint cut{static_cast<float>(path[i].x + s * vx), static_cast<float>(path[i].z + s * vz)};
        path.resize(i + 1);
        path.push_back(cut);
        return;
    }
}

// A leg that cannot be run: no path, infinite times.
LegRoute unreachableLeg()
{
    LegRoute leg;
    leg.reachable = false;
    leg.seconds = leg.straightSeconds = std::numeric_limits<float>::infinity();
    return leg;
}

} // namespace

HeightSnapshot HeightSnapshot::of(const Terrain& terrain)
{
    HeightSnapshot s;
    const int n = terrain.gridSide;
    if (terrain.heightmap.empty() || n <= 0)
        return s;
    s.side = n;
    s.heights.resize(static_cast<size_t>(n) * n);
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x)
            s.heights[x + static_cast<size_t>(z) * n] = terrain.heightAt(static_cast<float>(x), static_cast<float>(z));
    return s;
}

double segmentSeconds(const HeightSnapshot& t, RoutePoint p, RoutePoint q)
{
    double time = 0;
    forEachPiece(p, q, [&](double length, double x, double z, double bx, double bz) {
        float h0 = t.heightAt(static_cast<float>(x), static_cast<float>(z));
        float hb = t.heightAt(static_cast<float>(bx), static_cast<float>(bz));
        time += length / (kRunSpeed * slopeFactor(h0, hb));
    });
    return time;
}

float pathSeconds(const HeightSnapshot& t, const std::vector<RoutePoint>& path)
{
    double time = 0;
    for (size_t i = 0; i + 1 < path.size(); ++i)
        time += segmentSeconds(t, path[i], path[i + 1]);
    return static_cast<float>(time);
}

float fastestSpeed(const HeightSnapshot& t)
{
    const int n = t.side;
    if (n <= 0)
        return kRunSpeed;
    // The point behind lies within 3 cells of the runner's cell on each axis
    // (clamping onto the grid only brings it closer).
    const int r = 3;
    auto at = [&](int x, int z) { return t.heights[x + static_cast<size_t>(z) * n]; };
    std::vector<float> rowMax(static_cast<size_t>(n) * n);
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            float m = at(x, z);
            for (int d = std::max(0, x - r); d <= std::min(n - 1, x + r); ++d)
                m = std::max(m, at(d, z));
            rowMax[x + static_cast<size_t>(z) * n] = m;
        }
    float drop = 0;
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            float m = 0;
            for (int d = std::max(0, z - r); d <= std::min(n - 1, z + r); ++d)
                m = std::max(m, rowMax[x + static_cast<size_t>(d) * n] - at(x, z));
            drop = std::max(drop, m);
        }
    // A hair faster, so that rounding never makes the estimate exceed a time.
    return kRunSpeed * slopeFactor(0, drop) * 1.0001f;
}

GraphRoute searchGraph(const HeightSnapshot& t, RoutePoint from, RoutePoint goal, float reach, float fastest,
                       const std::atomic<bool>* cancelled)
{
    GraphRoute route;
    const int n = t.side;
    if (n < 4)
        return route;
    const int source = n * n;
    std::vector<double> g(static_cast<size_t>(source) + 1, kInfinity);
    std::vector<int32_t> parent(static_cast<size_t>(source) + 1, -1);
    std::vector<uint8_t> closed(static_cast<size_t>(source) + 1, 0);
    auto position = [&](int id) {
        return id == source ? from : RoutePoint{id % n + 0.5f, id / n + 0.5f};
    };
    auto estimate = [&](RoutePoint p) {
        if (fastest <= 0)
            return 0.0;
        double d = distance(p, goal) - reach;
        return d > 0 ? d / fastest : 0.0;
    };
    auto inner = [&](int x, int z) { return x >= 1 && z >= 1 && x <= n - 2 && z <= n - 2; };

    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    auto relax = [&](int id, int next, double cost) {
        if (closed[next] || g[id] + cost >= g[next])
            return;
        g[next] = g[id] + cost;
        parent[next] = id;
        open.push({g[next] + estimate(position(next)), next});
    };

    const float reach2 = reach * reach;
    g[source] = 0;
    open.push({estimate(from), source});
    while (!open.empty()) {
        int id = open.top().second;
        open.pop();
        if (closed[id])
            continue;
        closed[id] = 1;
        if ((++route.settled & 1023) == 0 && isCancelled(cancelled))
            return route;
        RoutePoint p = position(id);
        if ((p.x - goal.x) * (p.x - goal.x) + (p.z - goal.z) * (p.z - goal.z) < reach2) {
            route.found = true;
            route.seconds = g[id];
            for (int v = id; v != -1; v = parent[v])
                route.points.push_back(position(v));
            std::reverse(route.points.begin(), route.points.end());
            return route;
        }
        if (id == source) {
            int cx = static_cast<int>(from.x), cz = static_cast<int>(from.z);
            for (int dz = -2; dz <= 2; ++dz)
                for (int dx = -2; dx <= 2; ++dx)
                    if (inner(cx + dx, cz + dz)) {
                        int next = cx + dx + (cz + dz) * n;
                        relax(id, next, segmentSeconds(t, from, position(next)));
                    }
            continue;
        }
        int cx = id % n, cz = id / n;
        for (const EdgeShape& shape : edgeShapes())
            if (inner(cx + shape.dx, cz + shape.dz))
                relax(id, id + shape.dx + shape.dz * n, edgeSeconds(t, cx, cz, shape));
    }
    return route;
}

LegRoute planLeg(const HeightSnapshot& t, RoutePoint from, RoutePoint control, float fastest,
                 const std::atomic<bool>* cancelled)
{
    LegRoute leg;
    if (distance(from, control) < kRouteReach) {
        leg.path = {from};
        return leg;
    }
    RoutePoint end = towards(control, from, kRouteReach);
    std::vector<RoutePoint> best{from, end};
    double bestSeconds = runnable(t, from) && runnable(t, end) ? segmentSeconds(t, from, end) : kInfinity;
    leg.straightSeconds = static_cast<float>(bestSeconds);

    GraphRoute graph = searchGraph(t, from, control, kRouteReach, fastest, cancelled);
    if (graph.found) {
        std::vector<RoutePoint> path = shortcut(t, graph.points, kShortcutWindow, cancelled);
        path = shortcut(t, path, static_cast<int>(path.size()), cancelled);
        trimToReach(path, control, kRouteReach);
        // The last corner may reach the control quicker straight towards it.
        if (path.size() >= 2) {
            RoutePoint corner = path[path.size() - 2];
            RoutePoint direct = towards(control, corner, kRouteReach);
            bool turnable = path.size() < 3 || followable(path[path.size() - 3], corner, direct);
            if (runnable(t, direct) && turnable &&
                segmentSeconds(t, corner, direct) < segmentSeconds(t, corner, path.back()))
                path.back() = direct;
        }
        double seconds = pathSeconds(t, path);
        if (seconds < bestSeconds) {
            best = std::move(path);
            bestSeconds = seconds;
        }
    }
    if (!std::isfinite(bestSeconds))
        return unreachableLeg();
    leg.path = std::move(best);
    leg.seconds = static_cast<float>(bestSeconds);
    leg.routeChoice = bestSeconds < (1.0 - kRouteChoiceGain) * leg.straightSeconds;
    return leg;
}

std::vector<LegRoute> planCourseRoutes(const HeightSnapshot& t, const std::vector<RoutePoint>& course,
                                       const std::atomic<bool>* cancelled)
{
    std::vector<LegRoute> legs;
    if (course.size() < 2 || t.side < 4)
        return legs;
    const float fastest = fastestSpeed(t);
    // Play holds the runner inside the square, the start included.
    const float top = static_cast<float>(t.side - 1);
    RoutePoint from{std::clamp(course[0].x, 1.0f, top), std::clamp(course[0].z, 1.0f, top)};
    // The runner starts facing up the map (-z).
    double headingX = 0, headingZ = -1;
    bool lost = false;
    for (size_t i = 1; i < course.size(); ++i) {
        LegRoute leg;
        if (lost) {
            leg = unreachableLeg();
        } else {
            leg = planLeg(t, from, course[i], fastest, cancelled);
            if (isCancelled(cancelled))
                break;
            if (!leg.reachable) {
                lost = true;
            } else if (leg.path.size() >= 2) {
                RoutePoint a = leg.path[0], b = leg.path[1];
                double len = distance(a, b);
                double angle = std::acos(std::clamp((headingX * (b.x - a.x) + headingZ * (b.z - a.z)) / len, -1.0, 1.0));
                leg.turnSeconds = static_cast<float>(turnSeconds(angle));
                RoutePoint y = leg.path[leg.path.size() - 2], z = leg.path.back();
                double last = distance(y, z);
                headingX = (z.x - y.x) / last;
                headingZ = (z.z - y.z) / last;
            }
            if (leg.reachable)
                from = leg.path.back();
        }
        legs.push_back(std::move(leg));
    }
    return legs;
}
