#include "terrain/terrain.h"

// The ground patches and the world objects join here.
void Terrain::drawWorld() {}
