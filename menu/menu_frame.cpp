#include "menu/menu_frame.h"

#include "app/app.h"
#include "app/frame.h"
#include "app/game.h"

void runMenuFrame()
{
    Game& g = game();
    g.ambience.update();
    g.input.poll();
    beginFrame();

    // Escape quits when it is released, not while it is held.
    bool escape = g.input.keyDown(KeyEscape);
    if (g.escapeLatch && !escape) {
        app().state = 0;
        g.escapeLatch = false;
    }
    g.escapeLatch = escape;

    // An action that started a game or quit leaves this frame unpresented.
    if (app().state == AppStateMenu)
        endFrame();
}
