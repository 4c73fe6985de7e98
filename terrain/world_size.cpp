#include "terrain/world_size.h"

int32_t g_mapSize = 0;
float g_heightScale = 0.75f;

int32_t settledMapSize()
{
    if (g_mapSize <= 0)
        g_mapSize = 256;
    return g_mapSize;
}
