// The game as a player plays it, with the mouse alone: set up a course on
// the new-course page, preview the map, draw a new course, start, run it,
// change the options, QuickStart without the compass, and exit.
#include "app/app.h"
#include "app/game.h"
#include "game/game_frame.h"
#include "support/autopilot.h"
#include "support/capture.h"
#include "support/player_script.h"
#include "support/scripted_game.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::Capture;
using testsupport::PlayerScript;
using testsupport::Rgb;

namespace {

// Share of the preview box near a map colour.
double shareOf(const Capture& c, Rgb colour)
{
    return testsupport::shareNear(c, 8, 8, 408, 408, colour, 40);
}

constexpr Rgb kYellow{192, 192, 0};
constexpr Rgb kGreen{0, 192, 0};
constexpr Rgb kBrown{255, 127, 0};
constexpr Rgb kRed{255, 0, 0};

} // namespace

TEST(MenuRun, SetUpACourseWithTheMousePlayItAndExit)
{
    ScriptedGame run;
    auto& s = run.script();
    s.msPerFrame = 150;  // a coarse clock keeps a long course short to run
    PlayerScript player;
    Capture preview, newCoursePreview;
    bool running = false;
    bool compassSeenInFirstGame = false;
    int courseFrames = 0;

    player.waitFor([] { return app().state == AppStateMenu; });
    player.then([] { EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "menu-main")); });
    player.click(320, 212);      // "Start Game"
    player.click(524, 20, 2);    // Map Size: Medium, Big
    player.click(524, 62, 15);   // NControls: 7 ... 20, 4
    player.click(524, 62);       // 5
    player.click(524, 104, 2);   // Leg Size: Big, 1B/3S
    player.click(524, 146);      // NDense Areas: High
    player.click(524, 188, 2);   // NOpen Areas: High, Low
    player.then([] {
        const MenuScreen& m = game().menu;
        EXPECT_STREQ(m.items[0].text, "Map Size: Big");
        EXPECT_STREQ(m.items[1].text, "NControls: 5");
        EXPECT_STREQ(m.items[6].text, "Leg Size: 1B/3S");
        EXPECT_STREQ(m.items[7].text, "NDense Areas: High");
        EXPECT_STREQ(m.items[8].text, "NOpen Areas: Low");
        EXPECT_EQ(g_mapSize, 512);
        EXPECT_EQ(g_nControls, 5);
    });
    player.click(92, 428);  // "Generate Map"
    player.then([&] {
        preview = testsupport::captureBackBuffer();
        EXPECT_TRUE(testsupport::savePng(preview, "menu-new-course-preview"));
        EXPECT_GT(shareOf(preview, kYellow), 0.001) << "open land";
        EXPECT_GT(shareOf(preview, kGreen), 0.001) << "dense forest";
        EXPECT_GT(shareOf(preview, kBrown), 0.001) << "contours";
        EXPECT_GT(shareOf(preview, kRed), 0.0001) << "the course";
    });
    player.click(338, 428);  // "New Course"
    player.then([&] {
        newCoursePreview = testsupport::captureBackBuffer();
        EXPECT_GT(testsupport::shareDiffering(preview, newCoursePreview, 40), 0.0005)
            << "a new course changes the preview";
    });
    player.click(458, 428);  // "Start!"
    player.then([&] {
        EXPECT_EQ(app().state, AppStatePlaying);
        running = true;
    });
    player.waitFor([&] {
        ++courseFrames;
        compassSeenInFirstGame = compassSeenInFirstGame || game().player.compass.visible;
        return !steerToNextControl(run.script()) || courseFrames > 8000;
    });
    player.then([&] {
        running = false;
        EXPECT_TRUE(courseComplete()) << "the autopilot should finish the course";
        releaseEverything(run.script());
        run.script().holdKey(scan::kEscape, true);
    });
    player.then([&] { run.script().holdKey(scan::kEscape, false); });
    player.waitFor([] { return app().state == AppStateMenu; });
    player.click(320, 240);  // "Options"
    player.click(320, 212);  // "Compass: Off"
    player.click(320, 240);  // "MiniMap Movement: Mouse"
    player.then([] {
        EXPECT_STREQ(game().menu.items[0].text, "Compass: Off");
        EXPECT_STREQ(game().menu.items[1].text, "MiniMap Movement: Mouse");
        EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "menu-options"));
    });
    player.click(320, 268);  // "Go Back"
    player.click(320, 184);  // "QuickStart"
    player.waitFor([] { return app().state == AppStatePlaying; });
    // A few frames for the eye to rise from where the menu's camera left it.
    int settle = 0;
    player.waitFor([&] { return ++settle == 20; });
    Capture withoutCompass;
    player.then([&] {
        EXPECT_FALSE(game().player.compass.visible);
        EXPECT_EQ(game().terrain.minimapMode, 2);
        withoutCompass = testsupport::captureBackBuffer();
        EXPECT_TRUE(testsupport::savePng(withoutCompass, "menu-quickstart-no-compass"));
        run.script().holdKey(scan::kC, true);  // the compass back on, for comparison
    });
    player.then([&] {
        // The runner stands still: only the compass corner may change.
        Capture withCompass = testsupport::captureBackBuffer();
        auto corner = [](const Capture& c) {
            Capture part;
            part.width = part.height = 56;
            for (int y = 4; y < 60; ++y)
                for (int x = 580; x < 636; ++x) {
                    Rgb p = c.at(x, y);
                    part.rgb.insert(part.rgb.end(), {uint8_t(p.r), uint8_t(p.g), uint8_t(p.b)});
                }
            return part;
        };
        EXPECT_GT(testsupport::shareDiffering(corner(withoutCompass), corner(withCompass), 40), 0.3)
            << "the compass was not drawn while off";
        EXPECT_TRUE(game().player.compass.visible);
        run.script().holdKey(scan::kC, false);
        run.script().holdKey(scan::kEscape, true);
    });
    player.then([&] { run.script().holdKey(scan::kEscape, false); });
    player.waitFor([] { return app().state == AppStateMenu; });
    player.click(320, 268);  // "Exit"

    int status = run.run([&](int) { player.advance(run.script()); }, 20000);
    EXPECT_EQ(status, 0);
    // The Exit click ends the program in the frame after its release, before
    // its last step is done.
    EXPECT_EQ(player.left(), 1u) << "the program should end through Exit";
    EXPECT_TRUE(compassSeenInFirstGame);
    EXPECT_FALSE(running);
}
