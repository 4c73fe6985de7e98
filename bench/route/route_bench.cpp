// Time to work out the fastest route of every leg of a 20-control course at
// MapSize 512 (the terrain copy included), for each leg size; the target is
// 2 s at most for the whole course.
#include "app/random.h"
#include "route/route.h"
#include "terrain/course.h"
#include "terrain/terrain.h"
#include "terrain/world_size.h"

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK(planCourse)->ArgName("legSize")->Arg(kLegsSmall)->Arg(kLegsBig)->Arg(kLegsMixed)
    ->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
