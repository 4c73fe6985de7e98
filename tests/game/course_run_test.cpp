// A whole course played through the real game loop, as a player would:
// QuickStart from the menu, run to every control with the arrow keys, watch
// the finish screen's replay, rewind it, go back to the menu, start again.
#include "app/app.h"
#include "app/game.h"
#include "game/game_frame.h"
#include "support/autopilot.h"
#include "support/capture.h"
#include "support/scripted_game.h"
#include "terrain/course.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool hudHasLine(const char* prefix)
{
    const HudText& hud = game().hudText;
    for (int i = 0; i < hud.lineCount; ++i)
        if (std::strncmp(hud.lines[i], prefix, std::strlen(prefix)) == 0)
            return true;
    return false;
}

std::string hudLine(const char* prefix)
{
    const HudText& hud = game().hudText;
    for (int i = 0; i < hud.lineCount; ++i)
        if (std::strncmp(hud.lines[i], prefix, std::strlen(prefix)) == 0)
            return hud.lines[i];
    return {};
}

// Presses and releases the left button over a point, one step per frame.
struct Click {
    int x = 0, y = 0;
    int step = -1;  // -1 idle

    void start(int px, int py)
    {
        x = px;
        y = py;
        step = 0;
    }
    // Returns true on the frame the release is handed over.
    bool advance(platform::ScriptedPlatform& s)
    {
        if (step < 0)
            return false;
        s.pointerX = x;
        s.pointerY = y;
        s.buttons.left = step == 1 || step == 2;
        ++step;
        if (step == 4) {
            step = -1;
            return true;
        }
        return false;
    }
};

enum class Phase {
    Menu,
    Running,
    Finish,
    Leaving,
    SecondGame,
    Done,
};

} // namespace

TEST(CourseRun, QuickStartRunFinishReplayAndPlayAgain)
{
    ScriptedGame run;
    auto& s = run.script();
    s.msPerFrame = 100;

    Phase phase = Phase::Menu;
    Click click;
    int phaseFrame = 0;
    int controlsReached = 0;
    int lastNext = 0;
    bool sawMinimapShot = false, sawFullMapShot = false, sawFinishShot = false;
    int fullMapStep = 0;
    float replayBefore = 0;
    bool replayAdvanced = false, rewound = false;
    std::string totalLine;
    float mapOffset = 0, offsetAfterRewind = 0;
    int gamesStarted = 0;

    auto enter = [&](Phase p) {
        phase = p;
        phaseFrame = 0;
    };

    int status = run.run([&](int) {
        Game& g = game();
        ++phaseFrame;
        switch (phase) {
        case Phase::Menu:
            if (phaseFrame == 3) {
                EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "course-run-menu"));
                click.start(320, 184);  // "QuickStart"
            }
            click.advance(s);
            if (app().state == AppStatePlaying) {
                ++gamesStarted;
                releaseEverything(s);
                EXPECT_EQ(g.player.nextControl, 1);
                EXPECT_EQ(g_mapSize, 256) << "QuickStart without settings plays the default size";
                lastNext = 1;
                enter(gamesStarted == 1 ? Phase::Running : Phase::SecondGame);
            }
            break;

        case Phase::Running: {
            if (g.player.nextControl != lastNext) {
                EXPECT_EQ(g.player.nextControl, lastNext + 1) << "controls are taken in order";
                lastNext = g.player.nextControl;
                ++controlsReached;
            }
            // After the first control: a look at the minimap, then the
            // fullscreen map opened and closed again with Space.
            if (!sawMinimapShot && controlsReached == 1 && g.player.bannerTime <= 0) {
                EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "course-run-minimap"));
                sawMinimapShot = true;
                releaseEverything(s);
                fullMapStep = 1;
            }
            if (fullMapStep > 0) {
                s.holdKey(scan::kSpace, fullMapStep == 1 || fullMapStep == 3);
                if (fullMapStep == 3) {
                    EXPECT_TRUE(g.terrain.fullMapShown);
                    EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "course-run-fullmap"));
                    sawFullMapShot = true;
                }
                if (fullMapStep == 5) {
                    EXPECT_FALSE(g.terrain.fullMapShown);
                    fullMapStep = 0;
                } else {
                    ++fullMapStep;
                    break;
                }
            }
            if (!steerToNextControl(s)) {
                EXPECT_TRUE(courseComplete());
                enter(Phase::Finish);
            }
            ASSERT_LT(phaseFrame, 20000) << "the autopilot should finish the course";
            break;
        }

        case Phase::Finish:
            if (phaseFrame == 1)
                releaseEverything(s);
            if (phaseFrame == 2) {
                EXPECT_TRUE(hudHasLine("Space to rewind"));
                EXPECT_TRUE(hudHasLine(" Time: "));
                totalLine = hudLine("You Won! Total time: ");
                EXPECT_FALSE(totalLine.empty());
                replayBefore = g.replayTime;
                s.holdKey(scan::kRight, true);
            }
            // Ten frames of the right arrow move the map 20 units left of
            // the replayed runner, and it stays there once let go.
            if (phaseFrame == 12)
                s.holdKey(scan::kRight, false);
            if (phaseFrame == 20) {
                mapOffset = g.terrain.fullMapX - g.player.replayPosition(g.replayTime).x;
            }
            if (phaseFrame == 40) {
                replayAdvanced = g.replayTime > replayBefore;
                EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "course-run-finish"));
                sawFinishShot = true;
                s.holdKey(scan::kSpace, true);
            }
            if (phaseFrame == 41) {
                // Space put it back to 0; the frame then advanced it once.
                rewound = g.replayTime <= 6.0f * s.msPerFrame / 1000.0f + 1e-3f;
                offsetAfterRewind = g.terrain.fullMapX - g.player.replayPosition(g.replayTime).x;
                s.holdKey(scan::kSpace, false);
            }
            if (phaseFrame == 42)
                s.holdKey(scan::kEscape, true);
            if (phaseFrame == 44) {
                EXPECT_EQ(app().state, AppStatePlaying) << "Escape acts only on release";
                s.holdKey(scan::kEscape, false);
                enter(Phase::Leaving);
            }
            break;

        case Phase::Leaving:
            if (app().state == AppStateMenu && phaseFrame > 2) {
                EXPECT_FALSE(g.menu.plainBackground) << "the main page is shown";
                enter(Phase::Menu);
            }
            ASSERT_LT(phaseFrame, 10);
            break;

        case Phase::SecondGame:
            steerToNextControl(s);
            if (phaseFrame == 30) {
                EXPECT_EQ(app().state, AppStatePlaying);
                EXPECT_FALSE(courseComplete());
                releaseEverything(s);
                s.holdKey(scan::kEscape, true);
            }
            if (phaseFrame == 31)
                s.holdKey(scan::kEscape, false);
            if (phaseFrame > 31 && app().state == AppStateMenu) {
                enter(Phase::Done);
                click.start(320, 268);  // "Exit"
            }
            break;

        case Phase::Done:
            click.advance(s);
            break;
        }
    }, 40000);

    EXPECT_EQ(status, 0);
    EXPECT_EQ(phase, Phase::Done) << "the run should end by the Exit button";
    EXPECT_EQ(controlsReached, g_nControls - 1);
    EXPECT_TRUE(sawMinimapShot);
    EXPECT_TRUE(sawFullMapShot);
    EXPECT_TRUE(sawFinishShot);
    EXPECT_TRUE(replayAdvanced);
    EXPECT_TRUE(rewound);
    EXPECT_NEAR(mapOffset, -20.0f, 1e-3f) << "the arrows move the map away from the replay";
    EXPECT_NEAR(offsetAfterRewind, -20.0f, 1e-3f) << "rewinding keeps where the map was moved";
    EXPECT_EQ(gamesStarted, 2);
    EXPECT_NE(totalLine.find("Total time:"), std::string::npos) << totalLine;
}
