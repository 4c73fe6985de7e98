#include "menu/menu_frame.h"

#include "app/app.h"
#include "app/frame.h"
#include "app/game.h"
#include "app/overlay.h"
#include "app/random.h"
#include "app/text.h"
#include "render/texture.h"

namespace {

void drawTitle()
{
    beginOverlay();
    drawText(200, 340, 2.0f, 1.0f, 0xFFFFFF, "Fernhollow");
    // Two faint copies jitter around the title every frame.
    for (int i = 0; i < 2; ++i) {
        float dx = rng::next() / 32767.0f * 80.0f - 40.0f;
        float dy = rng::next() / 32767.0f * 40.0f - 20.0f;
        drawText(320 + dx - 120, 340 + dy, 2.0f, 0.2f, 0xFFFFFF, "Fernhollow");
    }
    endOverlay();
}

} // namespace

void runMenuFrame()
{
    Game& g = game();
    g.ambience.update();
    g.input.poll();
    beginFrame();

    if (g.menu.plainBackground) {
        bindTexture(-1);
        drawRect(0, 0, 640, 480, 0xAFAFAF);
    } else {
        g.menuGlobe.drawMenuBackground();
    }
    g.menu.updateAndDraw();
    if (!g.menu.plainBackground)
        drawTitle();

    // Escape quits when it is released, not while it is held.
    bool escape = g.input.keyDown(KeyEscape);
    if (g.escapeLatch && !escape) {
        app().state = 0;
        g.escapeLatch = false;
    }
    g.escapeLatch = escape;

    if (isWindowActive()) {
        PointerReading at = g.input.pointer();
        drawCursor(at.x, at.y);
    }
    // An action that started a game or quit leaves this frame unpresented.
    if (app().state == AppStateMenu)
        endFrame();
}
