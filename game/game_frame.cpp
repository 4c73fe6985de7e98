#include "game/game_frame.h"

#include "app/app.h"
#include "app/frame.h"
#include "app/game.h"
#include "app/overlay.h"
#include "terrain/course.h"

#include <GL/gl.h>

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
    t.drawFullMap();
    g.finishMapOffsetX = t.fullMapX - at.x;
    g.finishMapOffsetY = t.fullMapY - at.y;
    p.drawReplayTrail(g.replayTime, t.zoom, t.fullMapX, t.fullMapY);

    addFinishLines(g.hudText, g.replayTime, p.elapsedSeconds);
    addCourseCodeLine(g);
}

void runningScreen(Game& g)
{
    Player& p = g.player;
    g.terrain.updateAndDrawMap(p.heading);
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
