#pragma once
// A Game of its own for tests of single subsystems: no window, a scripted
// platform for input and the clock, and a flat terrain the test can shape.
#include "app/app.h"
#include "app/game.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <memory>

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Allocates flat, forest-only grids of side n and a course of `points`
    // points, all at (n / 2, n / 2) until the test moves them.
    void makeFlatTerrain(int n, int points = 4);
    // Sets the stored height of cell (x, y).
    void setHeight(int x, int y, float h);
    // Poll the input and set the frame time, as a frame would.
    void beginTestFrame(float dt);

    platform::ScriptedPlatform script;
    std::unique_ptr<App> appRecord;
    std::unique_ptr<Game> theGame;
    Game& g() { return *theGame; }
};
