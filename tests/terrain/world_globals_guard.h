#pragma once
// Tests change MapSize, HeightScale, NControls and the generator; this puts
// them back when the test ends so that suites do not leak into each other.
#include "app/random.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <cstdint>

class WorldGlobalsGuard {
public:
    WorldGlobalsGuard()
        : mapSize_(g_mapSize), heightScale_(g_heightScale), nControls_(g_nControls), rngState_(rng::state())
    {
    }
    ~WorldGlobalsGuard()
    {
        g_mapSize = mapSize_;
        g_heightScale = heightScale_;
        g_nControls = nControls_;
        rng::seed(rngState_);
    }

private:
    int32_t mapSize_;
    float heightScale_;
    int32_t nControls_;
    uint32_t rngState_;
};

// The generator state after `draws` draws from seed s.
inline uint32_t stateAfterDraws(uint32_t s, long draws)
{
    rng::seed(s);
    for (long i = 0; i < draws; ++i)
        rng::next();
    return rng::state();
}
