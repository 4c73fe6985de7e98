#include "app/program.h"

#include "app/app.h"
#include "app/game.h"
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

void runOneTurn()
{
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

int runProgram(const coursecode::CourseSettings* course)
{
    auto appRecord = std::make_unique<App>();
    g_app = appRecord.get();
    g_app->state = AppStateMenu;
    g_app->running = true;

    auto theGame = std::make_unique<Game>();
    g_game = theGame.get();
    g_game->initialise(0);
    if (course && g_app->running) {
        g_game->initialise(3, course);
        g_app->state = AppStatePlaying;
    }
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
