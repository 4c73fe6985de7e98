// Time of "Generate Map" (relief, areas, course, contours and map drawing,
// without the texture upload), of the same made from a typed course code,
// and of the vegetation of a game start.
#include "app/course_making.h"
#include "app/game.h"
#include "app/random.h"
#include "coursecode/course_code.h"
#include "map/map_image.h"
#include "terrain/terrain.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

void prepare(Terrain& t, int32_t size)
{
    g_mapSize = size;
    g_nControls = 8;
    t.course.legSize = kLegsSmall;
    t.allocateGrids();
}

void generateMap(benchmark::State& state)
{
    Terrain t;
    prepare(t, static_cast<int32_t>(state.range(0)));
    MapImage twice;
    uint32_t seed = 1;
    for (auto _ : state) {
        rng::seed(seed++);
        t.generateTerrain(2, 2);
        t.generateCourse();
        t.drawMapImages(&twice);
        benchmark::DoNotOptimize(t.mapImage.pixels());
    }
}

// A code read and its course made as the game makes it, over the same seeds
// as generateMap.
void courseFromCode(benchmark::State& state)
{
    std::vector<std::string> codes;
    coursecode::CourseSettings settings;
    settings.mapSize = static_cast<int32_t>(state.range(0));
    for (uint32_t seed = 1; seed <= 256; ++seed) {
        settings.seed = seed;
        codes.push_back(coursecode::encode(settings));
    }
    auto g = std::make_unique<Game>();
    prepare(g->terrain, settings.mapSize);
    size_t next = 0;
    for (auto _ : state) {
        const coursecode::Decoded code = coursecode::decode(codes[next++ % codes.size()]);
        makeCourseOf(*g, code.settings);
        benchmark::DoNotOptimize(g->terrain.mapImage.pixels());
    }
}

void generateRelief(benchmark::State& state)
{
    Terrain t;
    prepare(t, static_cast<int32_t>(state.range(0)));
    uint32_t seed = 1;
    for (auto _ : state) {
        rng::seed(seed++);
        t.generateRelief();
        benchmark::DoNotOptimize(t.heightmap.data());
    }
}

void drawMapImages(benchmark::State& state)
{
    Terrain t;
    prepare(t, static_cast<int32_t>(state.range(0)));
    rng::seed(1);
    t.generateTerrain(2, 2);
    t.generateCourse();
    MapImage twice;
    for (auto _ : state) {
        t.drawMapImages(&twice);
        benchmark::DoNotOptimize(t.mapImage.pixels());
    }
}

void placeVegetation(benchmark::State& state)
{
    Terrain t;
    prepare(t, static_cast<int32_t>(state.range(0)));
    rng::seed(1);
    t.generateTerrain(2, 2);
    t.generateCourse();
    for (auto _ : state) {
        t.placeVegetation();
        benchmark::DoNotOptimize(t.objectKinds.data());
    }
}

} // namespace

BENCHMARK(generateMap)->Name("GenerateMap")->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(courseFromCode)->Name("CourseFromCode")->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(generateRelief)->Name("Relief")->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(drawMapImages)->Name("MapDrawing")->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(placeVegetation)->Name("PlaceVegetation")->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
