#include "app/game.h"
#include "render/sky.h"
#include "terrain/terrain.h"

void Terrain::drawWorld()
{
    const float heading = game().player.heading;
    if (renderState().fastWorld && renderer.draw(ground, objects, heading))
        return;
    drawPendingSky();
    ground.draw();
    objects.draw(heading);
}
