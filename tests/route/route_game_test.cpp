// The game works out the fastest routes in the background of a real game
// started from the menu, and forgets them when the player leaves.
#include "app/app.h"
#include "app/game.h"
#include "support/autopilot.h"
#include "support/scripted_game.h"
#include "terrain/course.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

TEST(RouteGame, QuickStartWorksOutEveryLegWhilePlayGoesOnAndLeavingForgetsThem)
{
    ScriptedGame run;
    auto& s = run.script();
    s.msPerFrame = 50;
    enum { Menu, Playing, Leaving, Done } phase = Menu;
    int frame = 0, playFrames = 0;
    bool sawRoutes = false, forgotten = false;
    int status = run.run([&](int) {
        Game& g = game();
        ++frame;
        switch (phase) {
        case Menu:  // press and release "QuickStart"
            s.pointerX = 320;
            s.pointerY = 184;
            s.buttons.left = frame == 3 || frame == 4;
            if (app().state == AppStatePlaying) {
                s.buttons.left = false;
                phase = Playing;
            }
            break;
        case Playing:
            // Frames go on while the routes are worked out; give the worker
            // real time between them.
            ++playFrames;
            steerToNextControl(s);
            if (!g.routes.ready()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                ASSERT_LT(playFrames, 6000) << "the routes never came";
                break;
            }
            {
                const std::vector<LegRoute>& legs = g.routes.results();
                ASSERT_EQ(static_cast<int>(legs.size()), g_nControls - 1);
                const Control* start = g.terrain.controlAt(0);
                EXPECT_EQ(legs[0].path.front().x, start->x);
                EXPECT_EQ(legs[0].path.front().z, start->y);
                for (size_t i = 0; i < legs.size(); ++i) {
                    const Control* c = g.terrain.controlAt(static_cast<int>(i) + 1);
                    const RoutePoint end = legs[i].path.back();
                    EXPECT_LT(std::hypot(end.x - c->x, end.z - c->y), std::sqrt(kControlReachSquared));
                }
            }
            sawRoutes = true;
            releaseEverything(s);
            s.holdKey(scan::kEscape, true);
            phase = Leaving;
            break;
        case Leaving:
            s.holdKey(scan::kEscape, false);
            if (app().state == AppStateMenu) {
                forgotten = !g.routes.ready() && g.routes.results().empty();
                phase = Done;
                frame = 0;
            }
            break;
        case Done:  // press and release "Exit"
            s.pointerX = 320;
            s.pointerY = 268;
            s.buttons.left = frame == 3 || frame == 4;
            break;
        }
    }, 8000);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(sawRoutes);
    EXPECT_TRUE(forgotten);
}
