#include "app/program.h"

#include "app/app.h"
#include "app/game.h"
#include "app/window.h"
#include "game/game_frame.h"
#include "menu/menu_frame.h"

#include <memory>

namespace {
App* g_app = nullptr;
Game* g_game = nullptr;
} // namespace

App& app() { return *g_app; }
Game& game() { return *g_game; }

void setCurrentProgram(App* a, Game* g)
{
    g_app = a;
    g_game = g;
}

namespace {

// F11, or Enter with Alt, switches fullscreen on the press, in menus and in
// play alike; the keys read are those of the frame before.
void toggleFullscreenOnKeys(Game& g)
{
    const InputDevices& in = g.input;
    const bool alt = in.scanCodeDown(kScanLeftAlt) || in.scanCodeDown(kScanRightAlt);
    const bool enter = in.scanCodeDown(kScanEnter) || in.scanCodeDown(kScanKeypadEnter);
    const bool down = in.scanCodeDown(kScanF11) || (alt && enter);
    if (down && !g.fullscreenLatch)
        toggleFullscreen();
    g.fullscreenLatch = down;
}

} // namespace

void runOneTurn()
{
    toggleFullscreenOnKeys(game());
    switch (app().state) {
    case AppStateMenu:
        runMenuFrame();
        break;
    case AppStatePlaying:
        runGameFrame();
        break;
    case AppStateLeaving:
        game().returnToMenu();
        break;
    default:
        app().running = false;
        break;
    }
}

int runProgram(const CommandLineOptions& options)
{
    auto appRecord = std::make_unique<App>();
    g_app = appRecord.get();
    g_app->options = options;
    g_app->state = AppStateMenu;
    g_app->running = true;

    auto theGame = std::make_unique<Game>();
    g_game = theGame.get();
    g_game->initialise(0);
    if (options.course && g_app->running)
        g_game->initialise(3, &*options.course);
    while (g_app->running)
        runOneTurn();
    g_game->shutdown();

    // A window that could not be made is a failure, whatever the loop did.
    int status = g_app->windowFailed ? 1 : 0;
    theGame.reset();
    g_game = nullptr;
    appRecord.reset();
    g_app = nullptr;
    return status;
}
