#include "game/game_frame.h"

#include "app/app.h"
#include "app/frame.h"
#include "app/game.h"
#include "app/overlay.h"
#include "game/split_table.h"
#include "map/map_display.h"
#include "results/results.h"
#include "terrain/course.h"

#include <GL/gl.h>

#include <string>

namespace {

const char* const kHelpLines[] = {
    "Keys:",
    " Arrow Keys to Move",
    " +/- for Map Zoom",
    " Space for fullscreen map",
    " Arrow Keys to move map in fullscreen map",
    " Left Mouse button to move minimap when option is activated",
    " M to switch between auto minimap movement and mouse controlled",
    " Right Mouse button to rotate minimap around the mouse cursor",
    " C to enable/disable compass",
    " Escape to exit to menu",
};

// A small marker at the world origin, drawn with whatever texture the sky left.
void drawOriginMarker()
{
    glBegin(GL_TRIANGLE_STRIP);
    glColor4f(0, 1, 0, 1);
    glVertex3f(0, 0, -1);
    glColor4f(0, 0, 1, 1);
    glVertex3f(1, 0, -1);
    glColor4f(1, 0, 0, 1);
    glVertex3f(0, 1, -1);
    glColor4f(1, 1, 0, 1);
    glVertex3f(1, 1, -2);
    glEnd();
}

// Below the key help and the finish lines, to be shared or run again.
void addCourseCodeLine(Game& g)
{
    if (!g.courseCode.empty())
        g.hudText.addLine("Course code: %s", g.courseCode.c_str());
}

// The best run's route as far as it had come at the replay time, under
// this run's route; its marker goes on top of both.
void drawGhostReplay(Game& g, const MapMarker& marker)
{
    if (!marker.shown)
        return;
    const results::Route& route = g.runResults.ghost->route;
    const int count = route.samplesBy(g.replayTime * 1000.0);
    const Terrain& t = g.terrain;
    drawFullMapRoute(route.xz.data(), count, t.fullMapX, t.fullMapY, t.zoom, kGhostRouteColour);
}

// Tab shows and hides the split times, which sit below the HUD lines at
// the left, clear of the replayed runner at the centre.
void splitTimes(Game& g)
{
    RunResults& r = g.runResults;
    bool tab = g.input.scanCodeDown(kScanTab);
    if (tab && !r.tabLatch)
        r.splitTableHidden = !r.splitTableHidden;
    r.tabLatch = tab;
    if (r.splitTableHidden || r.splitTable.legCount() == 0)
        return;
    // Smaller glyphs when a long course would run off the bottom.
    const float top = 16.0f * (g.hudText.lineCount + 1) + 6;
    float scale = 0.7f;
    while (scale > 0.4f && top + splitTableHeight(r.splitTable, scale) > 476)
        scale -= 0.05f;
    drawSplitTable(r.splitTable, 6, top, scale);
}

void finishScreen(Game& g)
{
    Player& p = g.player;
    Terrain& t = g.terrain;
    if (g.input.keyDown(KeySpace))
        g.replayTime = 0;
    if (p.elapsedSeconds > g.replayTime)
        g.replayTime += frameDelta() * 6.0f;
    // The map follows the replayed runner; the arrow keys, which drawFullMap
    // reads, move it away from there and the offset stays when they are let go.
    ReplayPoint at = p.replayPosition(g.replayTime);
    t.fullMapX = at.x + g.finishMapOffsetX;
    t.fullMapY = at.y + g.finishMapOffsetY;
    g.runResults.placeGhost(g.replayTime * 1000.0, !g.ghostHidden);
    const MapMarker& ghost = g.runResults.ghostMarker;
    t.drawFullMap();
    g.finishMapOffsetX = t.fullMapX - at.x;
    g.finishMapOffsetY = t.fullMapY - at.y;
    g.analysis.drawUnderTrail(g);
    drawGhostReplay(g, ghost);
    g.analysis.drawTrail(g);
    drawFullMapMarker(ghost, t.fullMapX, t.fullMapY, t.zoom);

    addFinishLines(g.hudText, g.replayTime, p.elapsedSeconds);
    addCourseCodeLine(g);
    for (const std::string& line : g.runResults.finishLines())
        g.hudText.addLine("%s", line.c_str());
    g.analysis.addLines(g);
    splitTimes(g);
}

void runningScreen(Game& g)
{
    Player& p = g.player;
    g.runResults.placeGhost(static_cast<double>(p.elapsedMs()), !g.ghostHidden);
    g.terrain.updateAndDrawMap(p.heading, g.runResults.ghostMarker);
    if (g.helpShown) {
        g.hudText.addLine("Space for Map");
        g.hudText.addLine("Next Control: %i", p.nextControl);
    }
    // Large for two seconds after a control, then back at the bottom.
    if (p.bannerTime > 0)
        g.hudText.addLabel(200, 200, 2.0f, 0xFFFFFF, "Next Control: %i", p.nextControl);
    else
        g.hudText.addLabel(200, 440, 1.5f, 0xFFFFFF, "Next Control: %i", p.nextControl);
    g.hudText.addLabel(265, 425, 1.0f, 0xFFFFFF, "Time: %2i:%2i", p.elapsedSeconds / 60, p.elapsedSeconds % 60);
    g.hudText.addLine(g.helpShown ? "Press F1 to Hide Help" : "Press F1 to show Help");
    if (g.helpShown) {
        for (const char* line : kHelpLines)
            g.hudText.addLine("%s", line);
        addCourseCodeLine(g);
    }
}

} // namespace

void addFinishLines(HudText& hud, float replayTime, int total)
{
    int replay = static_cast<int>(replayTime);
    hud.addLine("Space to rewind");
    hud.addLine(" Time: %2i:%2i:%2i", replay / 3600, static_cast<int>(replayTime / 60) % 60, replay % 60);
    hud.addLine("You Won! Total time: %2i:%2i", (total / 60) % 3600, total % 60);
    hud.addLine("Press Escape to Go Back to the Menu");
    hud.addLine("Use Arrow Keys to move Map, +/- to zoom in/out");
}

bool courseComplete() { return game().player.nextControl == g_nControls; }

void runGameFrame()
{
    Game& g = game();
    g.input.poll();
    g.ambience.update();
    if (!courseComplete())
        g.player.update();
    if (courseComplete() && !g.runResults.recorded)
        g.runResults.recordFinish(g.player, g.courseCode, results::defaultDatabasePath());
    beginFrame();
    g.hudText.clearAll();
    g.hudText.addLine("FPS: %3.1f", updateFrameRate());
    g.player.placeCamera();

    // Escape leaves on release; the main loop returns to the menu next turn.
    bool escape = g.input.keyDown(KeyEscape);
    if (g.escapeLatch && !escape) {
        app().state = AppStateLeaving;
        g.escapeLatch = false;
    }
    g.escapeLatch = escape;

    g.sky.draw();
    drawOriginMarker();
    if (courseComplete())
        finishScreen(g);
    else
        runningScreen(g);

    bool f1 = g.input.keyDown(KeyF1);
    if (f1 && !g.f1Latch) {
        g.f1Latch = true;
        g.helpShown = !g.helpShown;
    }
    if (!f1)
        g.f1Latch = false;

    g.player.compass.updateAndDraw();
    beginOverlay();
    g.hudText.draw();
    endOverlay();
    if (isWindowActive()) {
        PointerReading at = g.input.pointer();
        drawCursor(at.x, at.y);
    }
    endFrame();
}
