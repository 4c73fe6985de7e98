#pragma once
// The route analysis on the finish screen: the fastest routes over the map,
// their columns in the split table once the worker has them, the replay
// trail coloured by pace (P), and the analysis picture saved beside the
// results (S), written on a thread of its own so that no frame waits.
#include <future>
#include <string>
#include <vector>

class Game;

struct FinishAnalysis {
    bool paceShown = false;     // P: the trail by pace instead of cycling magenta
    bool pLatch = false, sLatch = false;
    bool columnsAdded = false;  // the split table has the fastest times
    bool saveAsked = false;     // S was pressed; saved once the routes are ready
    std::vector<float> pace;    // pace at each trail sample
    std::future<std::string> saving;  // the line to show once the picture is written
    std::vector<std::string> savedLines;  // what became of the last save

    // Before the trail: reads P and S, and draws the fastest routes over the
    // fullscreen map as the finish screen shows it.
    void drawUnderTrail(Game& g);
    // Draws the replay trail up to the replay time, by pace or in magenta.
    void drawTrail(Game& g);
    // Adds the routes' columns to the split table when they are ready, and
    // the HUD lines saying what there is to see and what a save did.
    void addLines(Game& g);
};
