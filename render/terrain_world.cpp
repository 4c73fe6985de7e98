#include "app/game.h"
#include "terrain/terrain.h"

void Terrain::drawWorld()
{
    ground.draw();
    objects.draw(game().player.heading);
}
