#pragma once
// The one top-level object: it owns every subsystem's state for the whole
// run. Every member starts at zero (ids 0, flags clear, containers empty);
// the code that uses a member substitutes its default when it finds 0.
#include "app/game_settings.h"
#include "app/hud_text.h"
#include "app/input.h"
#include "coursecode/course_code.h"
#include "game/finish_analysis.h"
#include "game/player.h"
#include "game/run_results.h"
#include "menu/menu_screen.h"
#include "render/menu_globe.h"
#include "render/sky.h"
#include "route/route.h"
#include "sound/ambience.h"
#include "terrain/cos_table.h"
#include "terrain/terrain.h"

#include <optional>
#include <string>

class Game {
public:
    // kind 0: first start; 2: a game from "QuickStart"; 3: from "Start!",
    // or, given `code`, the course of that code instead of the previewed one.
    void initialise(int kind, const coursecode::CourseSettings* code = nullptr);
    // Leaves a game for the main menu (the work of AppStateLeaving).
    void returnToMenu();
    // Releases everything, once, after the main loop.
    void shutdown();

    // Lives for the process ----------------------------------------------
    Player player;    // restarted by each game; its compass setting lasts
    Sky sky;          // reloaded by each game
    Terrain terrain;  // its grids, course and map live for one generated terrain
    HudText hudText;  // refilled every frame
    InputDevices input;
    MenuScreen menu;  // the page on show
    MenuGlobe menuGlobe;  // the spinning globe behind the menu and the loading frame
    Ambience ambience;
    CosTable cosTable;
    int nDenseAreas = 0;   // 1 High, 2 Medium, 3 Low; 0 not chosen yet
    int nOpenAreas = 0;    // 1 High, 2 Medium, 3 Low; 0 not chosen yet
    bool ghostHidden = false;  // the options page's "Ghost: Off"; the ghost shows by default
    GameSettings settings; // the menu pages' settings kept in the user's settings file
    bool fullscreenLatch = false;  // F11 or Alt+Enter was down in the previous frame
    // Lives for one terrain: the seed and settings its course was made from;
    // none until one is made.
    std::optional<coursecode::CourseSettings> madeCourse;

    // Lives for one game ------------------------------------------------
    bool escapeLatch = false;  // Escape was down in the previous frame
    float replayTime = 0;      // seconds into the route replay after the finish
    // Where the arrow keys have moved the finish screen's map from the
    // replayed runner, in map units.
    float finishMapOffsetX = 0, finishMapOffsetY = 0;
    bool helpShown = false;    // the in-game key help is shown
    bool f1Latch = false;      // F1 was down in the previous frame
    std::string courseCode;    // code of the course being run; empty if it has none
    RunResults runResults;     // the best run raced as a ghost, and this run once stored
    RoutePlanner routes;       // the fastest route of each leg, worked out in the background
    FinishAnalysis analysis;   // the finish screen's route analysis; the trail starts in magenta
};

// The one Game; valid while the program runs.
Game& game();
