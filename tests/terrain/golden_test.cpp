#include "map/map_image.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"
#include "tools/mapgen/mapgen.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

namespace {

// FNV-1a over raw bytes: any change in a draw, a rounding or the drawing
// order changes it.
uint64_t checksum(const void* data, size_t bytes)
{
    const auto* p = static_cast<const uint8_t*>(data);
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < bytes; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

template <class T>
uint64_t checksum(const std::vector<T>& v)
{
    return checksum(v.data(), v.size() * sizeof(T));
}

uint64_t checksum(const MapImage& image)
{
    return image.pixels() ? checksum(image.pixels(), static_cast<size_t>(image.width()) * image.height() * 3) : 0;
}

} // namespace

// Seed 1 with the defaults: medium open and dense areas, 8 points, small
// legs; "Generate Map" and then the vegetation of a game start, through the
// same code as fernhollow-mapgen.
TEST(Golden, SeedOneGivesTheKnownWorldAtEverySize)
{
    WorldGlobalsGuard guard;
    const struct {
        int32_t size;
        uint64_t heights, classes, course, map, doubleMap, objects;
    } cases[] = {
        {128, 0x4bbf9ef4d30841aaull, 0xb8e1a5eb8a993e92ull, 0xf6425b6ddc55004dull, 0x4dc1118361c22292ull,
         0xebd7ad55184c288full, 0x58a4165236157a3full},
        {256, 0x432c2aa19fd27e5eull, 0xdfc3d9391ef850e3ull, 0x7e6d3bee280833aaull, 0x704e82d76996a5d2ull,
         0x34a6e8420ee8756aull, 0xa5faf21fe03e1721ull},
        // No double image above 256 cells.
        {512, 0xb2a3b34c24723ff7ull, 0xc8b14962f4a418d2ull, 0x89ea9fb3c063c0e7ull, 0x584990eec988bbdfull, 0,
         0x909f655b82a35fbfull},
    };
    for (const auto& c : cases) {
        MapgenOptions options;
        options.size = c.size;
        Terrain t;
        MapImage twice;
        generatePrintableMap(options, t, twice);

        const uint64_t got[] = {checksum(t.heightmap), checksum(t.classes),
                                checksum(t.course.controls, sizeof(Control) * 8), checksum(t.mapImage),
                                checksum(twice), checksum(t.objectKinds)};
        const uint64_t want[] = {c.heights, c.classes, c.course, c.map, c.doubleMap, c.objects};
        const char* names[] = {"heights", "classes", "course", "map", "double map", "objects"};
        for (int k = 0; k < 6; ++k) {
            char hex[24];
            std::snprintf(hex, sizeof hex, "0x%016" PRIx64, got[k]);
            EXPECT_EQ(got[k], want[k]) << names[k] << " at size " << c.size << ": " << hex;
        }
    }
}
