#pragma once
// The application record: whether the main loop runs and what it runs.
#include "app/command_line.h"

// What the main loop runs each turn; any other value ends the loop.
enum AppState : int {
    AppStateMenu = 1,     // one menu frame
    AppStatePlaying = 2,  // one game frame
    AppStateLeaving = 3,  // leave the game for the menu
};

struct App {
    bool running = true;
    int state = 0;        // an AppState; menus and Escape write 0 to quit
    bool windowFailed = false;  // the window could not be made: the exit status says so
    CommandLineOptions options; // what the program was started with
};

// The one App; valid while the program runs.
App& app();
