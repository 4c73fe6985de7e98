// The fastest-route search against independent answers: plain Dijkstra on
// the same graph, the straight line on level ground, a hand-made detour
// round a hill, and whole generated courses.
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
    return HeightSnapshot{side, std::vector<float>(static_cast<size_t>(side) * side, 0.0f)};
}

double length(RoutePoint a, RoutePoint b) { return std::hypot(a.x - b.x, a.z - b.z); }

// A generated terrain and course; the guard of the caller restores the globals.
std::vector<RoutePoint> generate(Terrain& t, int size, int controls, int legSize, uint32_t seed)
{
    g_mapSize = size;
    g_nControls = controls;
    t.allocateGrids();
    rng::seed(seed);
    t.generateTerrain(2, 2);
    t.course.legSize = legSize;
    t.generateCourse();
    return coursePoints(t);
}

} // namespace

TEST(RouteSearch, GuidedSearchFindsWhatPlainDijkstraFinds)
{
    std::mt19937 random(17);
    std::uniform_real_distribution<float> height(0, 5), place(1, 23);
    for (int trial = 0; trial < 40; ++trial) {
        // Rough, steep ground: downhill runs well above 2.25 units a second.
        HeightSnapshot s = flatSnapshot(24);
        for (float& h : s.heights)
            h = height(random);
        RoutePoint from{place(random), place(random)}, goal{place(random), place(random)};
        GraphRoute guided = searchGraph(s, from, goal, kRouteReach, fastestSpeed(s));
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
    }
}

TEST(RouteSearch, GoesRoundASteepHillAndOverALowOne)
{
    // A round hill with sheer sides halfway between two controls, and a
    // detour that keeps two cells off it.
    const RoutePoint from{30, 64}, control{98, 64};
    auto inHill = [](float x, float z) { return std::hypot(std::floor(x) + 0.5f - 64, std::floor(z) + 0.5f - 64) < 9; };
    auto unitsOnHill = [&](const std::vector<RoutePoint>& path) {
        double on = 0;
        for (size_t i = 0; i + 1 < path.size(); ++i)
            for (double d = 0.025, len = length(path[i], path[i + 1]); d < len; d += 0.05)
                on += inHill(path[i].x + (path[i + 1].x - path[i].x) * d / len,
                             path[i].z + (path[i + 1].z - path[i].z) * d / len) * 0.05;
        return on;
    };
    const std::vector<RoutePoint> detour{from, {52, 52}, {64, 50}, {76, 52}, {98 - kRouteReach, 64}};
    ASSERT_EQ(unitsOnHill(detour), 0);
    for (float hillHeight : {6.0f, 0.3f}) {
        HeightSnapshot s = flatSnapshot(128);
        for (int z = 0; z < 128; ++z)
            for (int x = 0; x < 128; ++x)
                s.heights[x + z * 128] = inHill(x, z) ? hillHeight : 0;
        LegRoute r = planLeg(s, from, control, fastestSpeed(s));
        float round = pathSeconds(s, detour);
        bool roundPays = hillHeight > 1;
        ASSERT_EQ(round < r.straightSeconds, roundPays);
        // Round may graze a corner of a cell; over runs right across.
        if (roundPays)
            EXPECT_LT(unitsOnHill(r.path), 0.5);
        else
            EXPECT_GT(unitsOnHill(r.path), 15);
        EXPECT_LE(r.seconds, std::min(round, r.straightSeconds));
        EXPECT_EQ(r.routeChoice, roundPays);
    }
}

TEST(RouteSearch, NoLegIsSlowerThanItsStraightLine)
{
    WorldGlobalsGuard guard;
    int legs = 0, choices = 0;
    for (int size : {128, 256, 512})
        for (int seed = 1; seed <= 1024 / size; ++seed) {
            Terrain t;
            std::vector<RoutePoint> course = generate(t, size, 10, 1 + seed % 3, seed * 131 + size);
            HeightSnapshot s = HeightSnapshot::of(t);
            std::vector<LegRoute> routes = planCourseRoutes(s, course);
            ASSERT_EQ(routes.size(), course.size() - 1);
            RoutePoint start = course[0];
            for (size_t i = 0; i < routes.size(); ++i) {
                const LegRoute& r = routes[i];
                SCOPED_TRACE(testing::Message() << size << " seed " << seed << " leg " << i);
                ASSERT_TRUE(r.reachable);
                EXPECT_LE(r.seconds, r.straightSeconds);
                EXPECT_NEAR(r.seconds, pathSeconds(s, r.path), 1e-4 * r.seconds + 1e-5);
                EXPECT_EQ(r.routeChoice, r.seconds < 0.97f * r.straightSeconds);
                EXPECT_TRUE(r.path.front().x == start.x && r.path.front().z == start.z) << "starts where the last ended";
                EXPECT_LT(length(r.path.back(), course[i + 1]), std::sqrt(kControlReachSquared));
                for (RoutePoint p : r.path)
                    EXPECT_TRUE(p.x >= 1 && p.z >= 1 && p.x <= size - 1 && p.z <= size - 1) << "off the runnable square";
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
    Terrain big, small;
    std::vector<RoutePoint> bigCourse = generate(big, 512, 20, kLegsBig, 5);
    std::vector<RoutePoint> smallCourse = generate(small, 128, 20, kLegsSmall, 6);
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
