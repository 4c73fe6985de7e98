// The fastest-route search against independent answers: plain Dijkstra on
// the same graph, the straight line on level ground, hand-made routes round
// a hill, and whole generated courses.
#include "route/route_search.h"

#include "app/random.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <thread>

namespace {

HeightSnapshot flatSnapshot(int side)
{
    HeightSnapshot s;
    s.side = side;
    s.heights.assign(static_cast<size_t>(side) * side, 0.0f);
    return s;
}

double length(RoutePoint a, RoutePoint b) { return std::hypot(a.x - b.x, a.z - b.z); }

// Whether the route passes over a cell where `inHill` holds, looked at every
// tenth of a unit.
template <typename Pred>
bool crosses(const std::vector<RoutePoint>& path, Pred inHill)
{
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        int steps = static_cast<int>(length(path[i], path[i + 1]) * 10) + 1;
        for (int k = 0; k <= steps; ++k) {
            float t = static_cast<float>(k) / steps;
            if (inHill(path[i].x + (path[i + 1].x - path[i].x) * t, path[i].z + (path[i + 1].z - path[i].z) * t))
                return true;
        }
    }
    return false;
}

} // namespace

TEST(RouteSearch, GuidedSearchFindsWhatPlainDijkstraFinds)
{
    std::mt19937 random(17);
    std::uniform_real_distribution<float> height(0, 5), place(1, 23);
    for (int trial = 0; trial < 40; ++trial) {
        HeightSnapshot s = flatSnapshot(24);
        // Rough, steep ground: downhill runs well above 2.25 units a second.
        for (float& h : s.heights)
            h = height(random);
        RoutePoint from{place(random), place(random)}, goal{place(random), place(random)};
        float fastest = fastestSpeed(s);
        EXPECT_GT(fastest, kRunSpeed * 1.5f);
        GraphRoute guided = searchGraph(s, from, goal, kRouteReach, fastest);
        GraphRoute plain = searchGraph(s, from, goal, kRouteReach, 0);
        ASSERT_EQ(guided.found, plain.found) << "trial " << trial;
        EXPECT_NEAR(guided.seconds, plain.seconds, 1e-9 * plain.seconds) << "trial " << trial;
        EXPECT_LE(guided.settled, plain.settled);
    }
}

TEST(RouteSearch, OnLevelGroundTheRouteIsTheStraightLineAtRunningSpeed)
{
    HeightSnapshot s = flatSnapshot(128);
    const RoutePoint legs[][2] = {{{20, 20}, {100, 37.3f}}, {{64.2f, 10}, {63.9f, 120}}, {{110, 110}, {15.5f, 71}}};
    for (const auto& leg : legs) {
        LegRoute r = planLeg(s, leg[0], leg[1], fastestSpeed(s));
        ASSERT_EQ(r.path.size(), 2u);
        double run = length(leg[0], leg[1]) - kRouteReach;
        EXPECT_NEAR(length(r.path[1], leg[1]), kRouteReach, 1e-3);
        EXPECT_NEAR(length(r.path[0], r.path[1]), run, 1e-3);
        EXPECT_NEAR(r.seconds, run / kRunSpeed, 1e-3);
        EXPECT_FALSE(r.routeChoice);
    }
}

TEST(RouteSearch, GoesRoundASteepHillAndOverALowOne)
{
    // A round hill with sheer sides halfway between two controls.
    const RoutePoint from{30, 64}, control{98, 64};
    auto inHill = [](float x, float z) { return std::hypot(std::floor(x) + 0.5f - 64, std::floor(z) + 0.5f - 64) < 9; };
    // Independent answers: the straight line, and a detour that keeps two
    // cells off the hill.
    const std::vector<RoutePoint> detour{from, {52, 52}, {64, 50}, {76, 52}, {98 - kRouteReach, 64}};
    for (float hillHeight : {6.0f, 0.3f}) {
        HeightSnapshot s = flatSnapshot(128);
        for (int z = 0; z < 128; ++z)
            for (int x = 0; x < 128; ++x)
                if (inHill(x + 0.5f, z + 0.5f))
                    s.heights[x + z * 128] = hillHeight;
        ASSERT_FALSE(crosses(detour, inHill));
        LegRoute r = planLeg(s, from, control, fastestSpeed(s));
        float round = pathSeconds(s, detour);
        if (hillHeight > 1) {
            ASSERT_LT(round, r.straightSeconds) << "the detour should pay here";
            EXPECT_FALSE(crosses(r.path, inHill)) << "a steep hill is run round";
            EXPECT_LE(r.seconds, round);
            EXPECT_TRUE(r.routeChoice);
        } else {
            ASSERT_GT(round, r.straightSeconds) << "the detour should not pay here";
            EXPECT_TRUE(crosses(r.path, inHill)) << "a low hill is run over";
            EXPECT_FALSE(r.routeChoice);
        }
        EXPECT_LE(r.seconds, r.straightSeconds);
        EXPECT_NEAR(r.seconds, pathSeconds(s, r.path), 1e-3);
    }
}

TEST(RouteSearch, NoLegIsSlowerThanItsStraightLine)
{
    WorldGlobalsGuard guard;
    struct Case {
        int size, seeds;
    } cases[] = {{128, 8}, {256, 4}, {512, 2}};
    int legs = 0, choices = 0;
    for (const Case& c : cases)
        for (int seed = 1; seed <= c.seeds; ++seed) {
            g_mapSize = c.size;
            g_nControls = 10;
            Terrain t;
            t.allocateGrids();
            rng::seed(static_cast<uint32_t>(seed * 131 + c.size));
            t.generateTerrain(2, 2);
            t.course.legSize = 1 + seed % 3;
            t.generateCourse();
            HeightSnapshot s = HeightSnapshot::of(t);
            std::vector<RoutePoint> course = coursePoints(t);
            std::vector<LegRoute> routes = planCourseRoutes(s, course);
            ASSERT_EQ(routes.size(), course.size() - 1);
            RoutePoint start = course[0];
            for (size_t i = 0; i < routes.size(); ++i) {
                const LegRoute& r = routes[i];
                SCOPED_TRACE(testing::Message() << c.size << " seed " << seed << " leg " << i);
                ASSERT_TRUE(r.reachable);
                EXPECT_LE(r.seconds, r.straightSeconds);
                EXPECT_NEAR(r.seconds, pathSeconds(s, r.path), 1e-4 * r.seconds + 1e-5);
                EXPECT_EQ(r.routeChoice, r.seconds < 0.97f * r.straightSeconds);
                EXPECT_EQ(r.path.front().x, start.x);
                EXPECT_EQ(r.path.front().z, start.z);
                EXPECT_LT(length(r.path.back(), course[i + 1]), std::sqrt(kControlReachSquared));
                for (RoutePoint p : r.path) {
                    EXPECT_TRUE(p.x >= 1 && p.z >= 1 && p.x <= c.size - 1 && p.z <= c.size - 1);
                }
                start = r.path.back();
                ++legs;
                choices += r.routeChoice;
            }
        }
    std::printf("%d legs, %d of them route-choice legs\n", legs, choices);
}

TEST(RoutePlanner, WorksOnItsOwnThreadAndAnotherStartCancelsIt)
{
    WorldGlobalsGuard guard;
    auto course = [](int size, int legSize, uint32_t seed, Terrain& t) {
        g_mapSize = size;
        g_nControls = 20;
        t.allocateGrids();
        rng::seed(seed);
        t.generateTerrain(2, 2);
        t.course.legSize = legSize;
        t.generateCourse();
        return coursePoints(t);
    };
    Terrain big, small;
    std::vector<RoutePoint> bigCourse = course(512, kLegsBig, 5, big);
    std::vector<RoutePoint> smallCourse = course(128, kLegsSmall, 6, small);
    std::vector<LegRoute> expected = planCourseRoutes(HeightSnapshot::of(small), smallCourse);

    RoutePlanner planner;
    planner.start(HeightSnapshot::of(big), bigCourse);
    planner.start(HeightSnapshot::of(small), smallCourse);
    for (int i = 0; i < 60000 && !planner.ready(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(planner.ready());
    ASSERT_EQ(planner.results().size(), expected.size()) << "the results are the second course's";
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(planner.results()[i].seconds, expected[i].seconds);

    planner.start(HeightSnapshot::of(big), bigCourse);
    planner.cancel();
    EXPECT_FALSE(planner.ready());
    EXPECT_TRUE(planner.results().empty());
}
