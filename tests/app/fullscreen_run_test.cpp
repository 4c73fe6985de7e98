// Fullscreen as a player uses it: a game started in an 800 x 600 window goes
// fullscreen on F11 and back on Alt+Enter; the menu fills the window each
// time and a click lands on the button drawn under the pointer.
#include "app/app.h"
#include "app/game.h"
#include "app/render_state.h"
#include "support/capture.h"
#include "support/scripted_game.h"
#include "support/player_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using testsupport::Capture;
using testsupport::Rgb;

namespace {

constexpr int kF11 = 0x57, kEnter = 0x1C, kLeftAlt = 0x38;

// Overlay coordinates in the pixels of a window of this size.
struct Scaled {
    int width, height;
    int x(int overlayX) const { return overlayX * width / 640; }
    int y(int overlayY) const { return overlayY * height / 480; }
};

void expectMenuFills(const Capture& c, Scaled s, const std::string& name)
{
    EXPECT_TRUE(testsupport::savePng(c, name));
    // The picture is the window's size: the overlay is stretched over it.
    ASSERT_EQ(c.width, s.width);
    ASSERT_EQ(c.height, s.height);
    // Beside the labels of "Options" and "Exit".
    EXPECT_TRUE(testsupport::near(c.at(s.x(268), s.y(232)), Rgb{175, 175, 175}, 12)) << name;
    EXPECT_TRUE(testsupport::near(c.at(s.x(292), s.y(260)), Rgb{0, 175, 0}, 12)) << name;
    // The cursor at the pointer in the top-left corner: the window really
    // grew, rather than SDL reporting a size the X window never took.
    EXPECT_TRUE(testsupport::near(c.at(s.x(3), s.y(10)), Rgb{240, 240, 240}, 24)) << name;
    // Nothing of the arrow along the far sides of its 64 x 64 square: its
    // picture is not repeated when the overlay is scaled up.
    auto brightness = [&](int x, int y) { const Rgb p = c.at(x, y); return p.r + p.g + p.b; };
    int rim = 0;
    for (int y = 0; y < s.y(64); ++y)
        rim = std::max(rim, brightness(s.x(64) - 2, y));
    for (int x = 0; x < s.x(64); ++x)
        rim = std::max(rim, brightness(x, s.y(64) - 2));
    EXPECT_LT(rim, 30) << name;
}

} // namespace

TEST(FullscreenRun, TheKeysSwitchAndThePointerKeepsHittingTheButtons)
{
    ScriptedGame run;
    run.options.windowWidth = 800;
    run.options.windowHeight = 600;
    platform::ScriptedPlatform& s = run.script();
    s.clientWidth = 800;  // the scripted client size is the test's to set
    s.clientHeight = 600;
    const Scaled window{800, 600};
    Scaled full{0, 0};
    testsupport::PlayerScript player;

    player.waitFor([] { return app().state == AppStateMenu; });
    player.then([&] { expectMenuFills(testsupport::captureBackBuffer(), window, "fullscreen-0-window"); });
    player.keys({kF11});
    player.then([&] {
        EXPECT_TRUE(s.isFullscreen());
        full = {s.clientWidth, s.clientHeight};
        EXPECT_GT(full.width, window.width) << "the desktop is larger than the window";
        EXPECT_EQ(renderState().windowWidth, full.width);
        EXPECT_EQ(renderState().windowHeight, full.height);
        expectMenuFills(testsupport::captureBackBuffer(), full, "fullscreen-1-full");
    });
    player.click([&] { return std::pair{full.x(320), full.y(240)}; });  // "Options", where it is drawn
    player.then([] { EXPECT_STREQ(game().menu.items[0].text, "Compass: On") << "the options page is open"; });
    player.keys({kLeftAlt, kEnter});
    player.then([&] {
        EXPECT_FALSE(s.isFullscreen());
        EXPECT_EQ(renderState().windowWidth, window.width);
        EXPECT_EQ(renderState().windowHeight, window.height);
        EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "fullscreen-2-options-window"));
    });
    player.click(window.x(320), window.y(268));  // "Go Back"
    bool allChecked = false;
    player.then([&] {
        EXPECT_STREQ(game().menu.items[0].text, "QuickStart");
        allChecked = true;
    });
    player.click(window.x(320), window.y(268));  // "Exit"

    int frames = 0;
    const int status = run.run([&](int frame) {
        frames = frame;
        player.advance(s);
    }, 400);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(allChecked);
    EXPECT_LT(frames, 399) << "Exit ended the game";
}
