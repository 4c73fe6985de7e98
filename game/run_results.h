#pragma once
// Results during one game: the best stored run on the course, raced as a
// ghost on the maps, and what storing this run gave, for the finish screen.
#include "game/split_table.h"
#include "map/map_display.h"
#include "results/results.h"

#include <optional>
#include <string>
#include <vector>

class Player;

// The ghost's own colour on the maps, apart from the course's red and the
// route's magenta; its route at the finish is a darker shade of it.
constexpr uint32_t kGhostColour = 0x00E0FF;
constexpr uint32_t kGhostRouteColour = 0x0090B0;

struct RunResults {
    std::optional<results::Run> ghost;  // the best run stored before this game; none: no ghost
    bool recorded = false;              // storing was tried; once per game
    bool saved = false;
    results::Run run;                   // this run as stored (its id once saved)
    results::Standing standing;
    std::string notSavedWhy;
    SplitTable splitTable;
    bool splitTableHidden = false;      // Tab hides and shows it
    bool tabLatch = false;              // Tab was down in the previous frame
    MapMarker ghostMarker;              // where the ghost is this frame; both maps draw it when shown

    // At game start: forgets the last game and loads the best run on
    // `courseCode` from the results database as the ghost.
    void begin(const std::string& courseCode, const std::string& databasePath);
    // In the frame the course is complete: stores the run once, saying on
    // stderr when it cannot (as for an empty code), and builds the table.
    void recordFinish(const Player& player, const std::string& courseCode, const std::string& databasePath);
    // Puts the ghost marker where the ghost was `ms` after its start; hidden
    // when there is no ghost or `shown` is false.
    void placeGhost(double ms, bool shown);
    // The finish screen's lines about the stored run: the personal best and
    // this run's rank, "New personal best!", or why the run was not saved.
    std::vector<std::string> finishLines() const;
};

// Appends `text` as HUD lines, broken at spaces to fit the HUD's width;
// the lines after the first are indented.
void addWrapped(std::vector<std::string>& lines, const std::string& text);
