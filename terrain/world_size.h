#pragma once
// Program-wide values that size the world. They live outside the Game for
// the whole process; the menus write them, the Terrain reads them.
#include <cstdint>

// Cells per side of the terrain: 128, 256 or 512; 0 until a menu chooses,
// and then taken as 256.
extern int32_t g_mapSize;
// Factor heightAt applies to the stored relief: 1.0 for grids of 512 cells,
// 0.75 otherwise.
extern float g_heightScale;

// MapSize as the generators use it: 0 (never chosen) becomes 256 and is
// stored back.
int32_t settledMapSize();
