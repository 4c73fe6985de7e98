// Several games in one run, started from the menu with the mouse and left
// with Escape, as a player would.
#include "app/app.h"
#include "app/game.h"
#include "support/autopilot.h"
#include "support/capture.h"
#include "support/scripted_game.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Plays `games` QuickStarts: each is started by clicking the button at its
// place in a window of the scripted client size, runs a few frames, and is
// left with Escape. `inGame` runs on the third frame of each game, `inMenu`
// on the third menu frame after each one.
void playQuickStarts(ScriptedGame& run, int games, const std::function<void(int)>& inGame,
                     const std::function<void(int)>& inMenu)
{
    auto& s = run.script();
    int started = 0, frame = 0;
    bool playing = false;
    run.run([&](int) {
        ++frame;
        if (!playing && app().state == AppStatePlaying) {
            playing = true;
            ++started;
            frame = 0;
            releaseEverything(s);
        } else if (playing && app().state == AppStateMenu) {
            playing = false;
            frame = 0;
        }
        if (playing) {
            if (frame == 3)
                inGame(started);
            s.holdKey(scan::kEscape, frame == 4);
            return;
        }
        if (frame == 3 && started > 0)
            inMenu(started);
        if (started == games) {
            app().state = 0;
            return;
        }
        // The QuickStart button's centre, (320, 184) on the 640 x 480 overlay.
        s.pointerX = 320 * s.clientWidth / 640;
        s.pointerY = 184 * s.clientHeight / 480;
        s.buttons.left = frame % 4 == 1 || frame % 4 == 2;
    }, 2000);
    EXPECT_EQ(started, games);
}

int liveTextures()
{
    int live = 0;
    for (GLuint name = 1; name < 4096; ++name)
        live += glIsTexture(name) ? 1 : 0;
    return live;
}

} // namespace

TEST(GameAfterGame, LiveTexturesStayFlat)
{
    ScriptedGame run;
    std::vector<int> live;
    playQuickStarts(run, 4, [&](int) { live.push_back(liveTextures()); }, [](int) {});
    ASSERT_EQ(live.size(), 4u);
    for (size_t i = 1; i < live.size(); ++i)
        EXPECT_EQ(live[i], live[0]) << "game " << i + 1;
}

TEST(GameAfterGame, TheMenuFillsAResizedWindowAndTakesItsClicks)
{
    ScriptedGame run;
    auto& s = run.script();
    // Half the size keeps every drawn pixel inside the real 640 x 480 window.
    s.clientWidth = 320;
    s.clientHeight = 240;
    s.queueSize(320, 240);
    bool checked = false;
    playQuickStarts(run, 2, [](int) {}, [&](int) {
        testsupport::Capture menu = testsupport::captureBackBuffer();
        testsupport::savePng(menu, "menu-after-game-resized");
        ASSERT_EQ(menu.width, 320);
        // The QuickStart button's left part, clear of its label, at (248, 184)
        // on the overlay.
        EXPECT_TRUE(testsupport::near(menu.at(124, 92), {0xFF, 0xAF, 0x00}, 24));
        checked = true;
    });
    EXPECT_TRUE(checked);
}
