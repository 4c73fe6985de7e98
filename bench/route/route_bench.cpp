// Time to work out the fastest route of every leg of a 20-control course at
// MapSize 512 (the terrain copy included), for each leg size; the target is
// 2 s at most for the whole course. Also the analysis picture of such a
// course at each map size: the part done in the frame S is pressed (the map
// at double size) and the part on the saver's thread (drawing, the PNG).
#include "app/random.h"
#include "game/route_analysis.h"
#include "route/route.h"
#include "terrain/course.h"
#include "terrain/terrain.h"
#include "terrain/world_size.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

void planCourse(benchmark::State& state)
{
    Terrain t;
    g_mapSize = 512;
    g_nControls = 20;
    t.course.legSize = static_cast<int32_t>(state.range(0));
    t.allocateGrids();
    uint32_t seed = 7;
    double legs = 0, units = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rng::seed(seed++);
        t.generateTerrain(2, 2);
        t.generateCourse();
        state.ResumeTiming();
        std::vector<LegRoute> routes = planCourseRoutes(HeightSnapshot::of(t), coursePoints(t));
        benchmark::DoNotOptimize(routes.data());
        legs += routes.size();
        for (const LegRoute& leg : routes)
            units += leg.seconds * kRunSpeed;
    }
    state.counters["legs"] = benchmark::Counter(legs, benchmark::Counter::kAvgIterations);
    state.counters["route_units"] = benchmark::Counter(units, benchmark::Counter::kAvgIterations);
}

// A run that follows the fastest routes at level-ground speed.
results::Run runAlong(const std::vector<LegRoute>& legs)
{
    results::Run run;
    run.courseCode = "BENC-H000-0000";
    run.route.startX = legs.front().path.front().x;
    run.route.startZ = legs.front().path.front().z;
    double along = 0, due = kRunSpeed * run.route.firstSampleMs / 1000.0;
    const double step = kRunSpeed * run.route.intervalMs / 1000.0;
    for (const LegRoute& leg : legs) {
        for (size_t i = 1; i < leg.path.size(); ++i) {
            const RoutePoint a = leg.path[i - 1], b = leg.path[i];
            const double length = std::hypot(b.x - a.x, b.z - a.z);
            for (; due <= along + length; due += step) {
                const double t = (due - along) / length;
                run.route.xz.push_back(static_cast<float>(a.x + (b.x - a.x) * t));
                run.route.xz.push_back(static_cast<float>(a.z + (b.z - a.z) * t));
            }
            along += length;
        }
        run.splitMs.push_back(static_cast<int64_t>(along / kRunSpeed * 1000.0));
    }
    run.totalMs = run.splitMs.back();
    return run;
}

void analysisPicture(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    Terrain t;
    g_mapSize = static_cast<int32_t>(state.range(0));
    g_nControls = 20;
    t.course.legSize = kLegsBig;
    t.allocateGrids();
    rng::seed(7);
    t.generateTerrain(2, 2);
    t.generateCourse();
    AnalysisSubject subject;
    subject.legs = planCourseRoutes(HeightSnapshot::of(t), coursePoints(t));
    subject.run = runAlong(subject.legs);
    RgbImage font;
    std::string error;
    if (!loadPictureFont(FERNHOLLOW_FONT, font, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::string path = "bench-analysis-" + std::to_string(state.range(0)) + ".png";
    double inFrame = 0, drawing = 0, writing = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        MapImage map = mapAtDoubleSize(t);
        const Clock::time_point mapped = Clock::now();
        subject.map = &map;
        const AnalysisPicture picture = drawAnalysisPicture(subject, font);
        const Clock::time_point drawn = Clock::now();
        if (!saveAnalysisPicture(picture, path, error))
            state.SkipWithError(error.c_str());
        const Clock::time_point written = Clock::now();
        inFrame += std::chrono::duration<double, std::milli>(mapped - start).count();
        drawing += std::chrono::duration<double, std::milli>(drawn - mapped).count();
        writing += std::chrono::duration<double, std::milli>(written - drawn).count();
    }
    std::remove(path.c_str());
    state.counters["in_frame_ms"] = benchmark::Counter(inFrame, benchmark::Counter::kAvgIterations);
    state.counters["draw_ms"] = benchmark::Counter(drawing, benchmark::Counter::kAvgIterations);
    state.counters["png_ms"] = benchmark::Counter(writing, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(analysisPicture)->ArgName("mapSize")->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(planCourse)->ArgName("legSize")->Arg(kLegsSmall)->Arg(kLegsBig)->Arg(kLegsMixed)
    ->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
