#include "app/game.h"

#include "app/app.h"
#include "app/window.h"
#include "sound/sound_manager.h"

void Game::initialise(int kind)
{
    if (kind == 0) {
        cosTable.fill();
        if (!createWindow())
            return;
        input.createDevices();
        soundManager().initialise();
        escapeLatch = false;
        app().state = AppStateMenu;
        nDenseAreas = 0;
        nOpenAreas = 0;
        ambience.load();
        helpShown = false;
        return;
    }
    if (nDenseAreas == 0)
        nDenseAreas = 2;
    if (nOpenAreas == 0)
        nOpenAreas = 2;
    if (g_mapSize == 0)
        g_mapSize = 256;
    if (kind == 2)
        terrain.quickPrepare(nOpenAreas, nDenseAreas);
    else
        terrain.prepareForPlay(nOpenAreas, nDenseAreas);
    escapeLatch = false;
    replayTime = 0;
    app().state = AppStatePlaying;
    helpShown = false;
}

void Game::returnToMenu()
{
    resizeView(640, 480);
    app().state = AppStateMenu;
}

void Game::shutdown()
{
    ambience.unload();
    terrain.release();
    input.releaseDevices();
    soundManager().release();
    destroyWindow();
}
