// The menu pages' settings across runs of the real game: a corrupt file gives
// what can be read, one line on stderr, and stays as it is while nothing
// changes; a change rewrites it; the next run starts as the last one left.
#include "app/app.h"
#include "app/game.h"
#include "support/capture.h"
#include "support/scripted_game.h"
#include "support/player_script.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Runs the game from a fresh process's state with `settings` as its file
// (none when empty), playing `player` to the end; returns what it printed
// about the settings file and leaves the file's text in `settings`.
std::string playWith(std::string& settings, testsupport::PlayerScript& player)
{
    ScriptedGame run;
    if (!settings.empty())
        testsupport::writeText(run.settingsFile(), settings);
    g_mapSize = 0;
    g_nControls = 0;
    testing::internal::CaptureStderr();
    run.run([&](int) { player.advance(run.script()); }, 120);
    std::istringstream printed(testing::internal::GetCapturedStderr());
    std::string said, line;
    while (std::getline(printed, line))
        if (line.find("settings.ini") != std::string::npos)
            said += line + "\n";
    settings = fs::exists(run.settingsFile()) ? testsupport::fileText(run.settingsFile()) : "";
    EXPECT_TRUE(player.left() == 0);
    return said;
}

} // namespace

TEST(SettingsRun, MenuSettingsOutlastTheRunAndACorruptFileWaitsForAChange)
{
    // A bad compass value and a line of nonsense; the rest is read. Looking at
    // both pages changes nothing, so nothing is written.
    const std::string corrupt =
        "[options]\ncompass = 7\nminimap = 2\nnonsense\n[new_course]\nmap_size = 512\ncontrols = 9\n";
    std::string file = corrupt;
    testsupport::PlayerScript look;
    look.waitFor([] { return app().state == AppStateMenu; });
    look.then([] {
        EXPECT_TRUE(game().player.compass.visible);
        EXPECT_EQ(game().terrain.minimapMode, 2);
        EXPECT_EQ(g_mapSize, 512);
    });
    look.click(320, 240);  // "Options"
    look.then([] {
        EXPECT_STREQ(game().menu.items[0].text, "Compass: On");
        EXPECT_STREQ(game().menu.items[1].text, "MiniMap Movement: Mouse");
    });
    look.click(320, 268);  // "Go Back"
    look.click(320, 212);  // "Start Game"
    look.then([] { EXPECT_STREQ(game().menu.items[1].text, "NControls: 9"); });
    look.click(604, 428);  // "Back"
    const std::string said = playWith(file, look);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(file, corrupt) << "left byte for byte";

    // A change rewrites the file whole: both pages' values as they stand.
    testsupport::PlayerScript change;
    change.waitFor([] { return app().state == AppStateMenu; });
    change.click(320, 240);  // "Options"
    change.click(320, 212);  // "Compass: Off"
    change.click(320, 268);  // "Go Back"
    change.click(320, 212);  // "Start Game"
    change.then([] {
        EXPECT_STREQ(game().menu.items[0].text, "Map Size: Big");
        EXPECT_STREQ(game().menu.items[1].text, "NControls: 9");
        EXPECT_STREQ(game().menu.items[6].text, "Leg Size: Small");
    });
    change.click(524, 62);   // "NControls: 10"
    change.click(604, 428);  // "Back"
    playWith(file, change);
    for (const char* line : {"compass = 0", "minimap = 2", "map_size = 512", "controls = 10", "legs = 1"})
        EXPECT_NE(file.find(line), std::string::npos) << line << " in\n" << file;
    EXPECT_EQ(file.find("nonsense"), std::string::npos);

    // The next run starts as the last one left things.
    testsupport::PlayerScript next;
    next.waitFor([] { return app().state == AppStateMenu; });
    next.then([] {
        EXPECT_FALSE(game().player.compass.visible);
        EXPECT_EQ(g_nControls, 10);
    });
    next.click(320, 240);  // "Options"
    next.then([] {
        EXPECT_STREQ(game().menu.items[0].text, "Compass: Off");
        EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "settings-options-remembered"));
    });
    next.click(320, 268);  // "Go Back"
    const std::string written = file;
    EXPECT_EQ(playWith(file, next), "");
    EXPECT_EQ(file, written);
}
