#include "app/game.h"

#include "app/app.h"
#include "app/course_making.h"
#include "app/frame.h"
#include "app/overlay.h"
#include "app/text.h"
#include "app/window.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "render/texture.h"
#include "results/results.h"
#include "sound/sound_manager.h"

#include <malloc.h>

namespace {

// One frame shown while a course is made, which can take a moment.
void drawLoadingFrame(HudText& hud, const MenuGlobe& globe)
{
    hud.clearLines();
    beginFrame();
    hud.clearAll();
    globe.drawLoadingScene();
    beginOverlay();
    hud.addLabel(215, 15, 1.5f, 0xFFFFFF, "Please wait...");
    hud.addLabel(150, 400, 2.0f, 0xFFFFFF, "Fernhollow v0.2");
    hud.draw();
    endOverlay();
    endFrame();
}

} // namespace

void Game::initialise(int kind, const coursecode::CourseSettings* code)
{
    if (kind == 0) {
        cosTable.fill();
        if (!createWindow())
            return;
        resetCamera();
        loadFont();
        input.createDevices();
        soundManager().initialise();
        menu.buildMainMenu();
        menuGlobe.load();
        escapeLatch = false;
        app().state = AppStateMenu;
        player.compass.visible = true;
        const TextureId cursor = createColorKeyTexture("Images\\Cursor.bmp", 0x00FF00);
        // The arrow touches two sides of its picture: repeating would draw
        // slivers of it along the far sides once the overlay is scaled up.
        if (hasTexture(cursor))
            setWrapClampToEdge();
        setCursorTexture(cursor);
        nDenseAreas = 0;
        nOpenAreas = 0;
        ambience.load();
        helpShown = false;
        settings.load(*this);
        return;
    }

    drawLoadingFrame(hudText, menuGlobe);
    sky.load();
    if (nDenseAreas == 0)
        nDenseAreas = 2;
    if (nOpenAreas == 0)
        nOpenAreas = 2;
    if (g_mapSize == 0)
        g_mapSize = 256;
    if (kind == 2) {
        quickPrepareFresh(*this);
    } else {
        if (code)
            makeCourseOf(*this, *code);
        else if (!terrain.generated || terrain.gridSide != settledMapSize())
            makeFreshTerrain(*this);
        // The course on the preview is run, even if the count changed since.
        if (madeCourse)
            g_nControls = madeCourse->controls;
        terrain.prepareForPlay(nOpenAreas, nDenseAreas);
    }
    courseCode = madeCourse ? coursecode::encode(*madeCourse) : std::string();
    player.startCourse(terrain);
    routes.start(HeightSnapshot::of(terrain), coursePoints(terrain));
    analysis = FinishAnalysis{};
    player.placeCamera();
    terrain.loadObjectModels();
    // Each course frees the last one's grids, map, models and frames in
    // pieces that the new ones do not fill exactly, so the heap would creep
    // up a few MiB over a hundred games; its free pages go back instead (the
    // next course pays a few ms of page faults taking them again).
    malloc_trim(0);
    escapeLatch = false;
    replayTime = 0;
    finishMapOffsetX = finishMapOffsetY = 0;
    app().state = AppStatePlaying;
    helpShown = false;
    runResults.begin(courseCode, results::defaultDatabasePath());
}

void Game::returnToMenu()
{
    disableFog();
    setClearColor(0, 0, 0);
    applyClientSize();
    menu.buildMainMenu();
    routes.cancel();
    player.endGame();
    finishMapOffsetX = finishMapOffsetY = 0;
    app().state = AppStateMenu;
}

void Game::shutdown()
{
    routes.cancel();
    ambience.unload();
    menuGlobe.release();
    terrain.release();
    hudText.clearLines();
    input.releaseDevices();
    soundManager().release();
    destroyWindow();
}
