// Course codes as a player meets them: typed into the new-course page and
// shown while running; and a course made from a seed is the same however
// long the menu waits and when given on the command line.
#include "app/app.h"
#include "app/game.h"
#include "app/program.h"
#include "coursecode/course_code.h"
#include "support/autopilot.h"
#include "support/capture.h"
#include "support/player_script.h"
#include "support/scripted_game.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

using testsupport::PlayerScript;

namespace {

// Centres of the new-course page's items.
constexpr int kStartGame[] = {320, 212};
constexpr int kEnterCode[] = {524, 272};
constexpr int kGenerate[] = {92, 428};
constexpr int kStart[] = {458, 428};

MenuItem& item(int slot) { return game().menu.items[slot]; }

void pressAndRelease(PlayerScript& player, platform::ScriptedPlatform& s, int scanCode)
{
    player.then([&s, scanCode] { s.holdKey(scanCode, true); });
    player.then([&s, scanCode] { s.holdKey(scanCode, false); });
}

bool hasLine(const HudText& hud, const std::string& text)
{
    for (int i = 0; i < hud.lineCount; ++i)
        if (text == hud.lines[i])
            return true;
    return false;
}

} // namespace

TEST(CourseCodeRun, TypeACodeOnTheNewCoursePageAndRunIt)
{
    coursecode::CourseSettings wanted;
    wanted.seed = 20240611;
    wanted.mapSize = 256;
    wanted.openAreas = 1;
    wanted.denseAreas = 3;
    wanted.controls = 12;
    wanted.legSize = 2;
    wanted.courseNumber = 3;
    const std::string code = coursecode::encode(wanted);
    std::string typo = code;
    typo[6] = typo[6] == 'Z' ? 'Y' : 'Z';
    std::string typedByHand;
    for (char c : code)
        typedByHand += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    ScriptedGame run;
    auto& s = run.script();
    PlayerScript player;
    player.waitFor([] { return app().state == AppStateMenu; });
    player.click(kStartGame[0], kStartGame[1]);
    player.click(kEnterCode[0], kEnterCode[1]);
    player.then([&] {
        EXPECT_TRUE(s.textInputOn);
        s.typedText = "no code";
    });
    // Escape leaves the typing, and neither the page nor the program.
    pressAndRelease(player, s, scan::kEscape);
    player.then([&] {
        EXPECT_EQ(app().state, AppStateMenu);
        EXPECT_TRUE(game().menu.plainBackground);
        EXPECT_STREQ(item(MenuScreen::kEnterCodeSlot).text, "Enter Code");
        EXPECT_FALSE(s.textInputOn);
    });
    player.click(kEnterCode[0], kEnterCode[1]);
    player.then([&] { s.typedText = typo + "\r"; });
    player.then([&] {
        EXPECT_STREQ(item(MenuScreen::kEnterCodeSlot).text, "Check failed: a typo?");
        EXPECT_STREQ(item(0).text, "Map Size: Small") << "a refused code changes nothing";
        EXPECT_EQ(g_mapSize, 128);
        EXPECT_EQ(item(MenuScreen::kPreviewSlot).texture, -1);
    });
    // The refused code is still there to be mended.
    player.click(kEnterCode[0], kEnterCode[1]);
    player.then([&] {
        EXPECT_EQ(std::string(item(MenuScreen::kEnterCodeSlot).text), "> " + typo + "_");
        s.typedText = std::string(typo.size(), '\b') + typedByHand + "\r";
    });
    player.then([&] {
        const char* labels[] = {"Map Size: Medium", "NControls: 12", "Leg Size: Big", "NDense Areas: Low",
                                "NOpen Areas: High"};
        const int slots[] = {0, 1, 6, 7, 8};
        for (int i = 0; i < 5; ++i)
            EXPECT_STREQ(item(slots[i]).text, labels[i]);
        EXPECT_EQ(std::string(item(MenuScreen::kCourseCodeSlot).text), "Code " + code);
        const MenuItem& preview = item(MenuScreen::kPreviewSlot);
        EXPECT_GT(preview.texture, 0);
        EXPECT_EQ(preview.width, 256);
        const testsupport::Capture page = testsupport::captureBackBuffer();
        EXPECT_TRUE(testsupport::savePng(page, "course-code-entered"));
        EXPECT_LT(testsupport::shareNear(page, 80, 80, 336, 336, {175, 175, 175}, 8), 0.05) << "the map is shown";
        EXPECT_TRUE(testsupport::near(page.at(420, 222), {127, 127, 127}, 8)) << "the code item is drawn";
    });
    player.click(kStart[0], kStart[1]);
    player.waitFor([] { return app().state == AppStatePlaying; });
    pressAndRelease(player, s, scan::kF1);
    player.then([&] {
        EXPECT_EQ(game().courseCode, code);
        EXPECT_EQ(g_nControls, 12);
        EXPECT_EQ(game().terrain.gridSide, 256);
        EXPECT_TRUE(hasLine(game().hudText, "Course code: " + code));
        EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "course-code-help"));
    });
    pressAndRelease(player, s, scan::kEscape);
    player.waitFor([] { return app().state == AppStateMenu; });
    player.click(320, 268);  // "Exit"

    EXPECT_EQ(run.run([&](int) { player.advance(s); }, 3000), 0);
    EXPECT_EQ(player.left(), 1u) << "the program should end through Exit";
}

TEST(CourseCodeRun, VegetationIgnoresMenuFramesAndTheCommandLineCodeMakesTheSame)
{
    std::vector<uint8_t> objects[3];
    std::string code;
    for (int r = 0; r < 2; ++r) {
        ScriptedGame run;
        auto& s = run.script();
        s.seeds = {2468u};
        PlayerScript player;
        int waited = 0;
        player.waitFor([] { return app().state == AppStateMenu; });
        player.click(kStartGame[0], kStartGame[1]);
        player.click(kGenerate[0], kGenerate[1]);
        player.waitFor([&] { return waited++ >= 500 * r; });
        player.click(kStart[0], kStart[1]);
        player.waitFor([] { return app().state == AppStatePlaying; });
        player.then([&] {
            objects[r] = game().terrain.objectKinds;
            code = game().courseCode;
            s.queueClose();
        });
        EXPECT_EQ(run.run([&](int) { player.advance(s); }, 2000), 0);
    }
    EXPECT_TRUE(objects[0] == objects[1]) << "500 menu frames changed the vegetation";
    ASSERT_FALSE(code.empty());

    // fernhollow --course CODE: the loading frame, then play.
    ScriptedGame run;
    auto& s = run.script();
    const coursecode::CourseSettings course = coursecode::decode(code).settings;
    s.onSwap = [&](int frame) {
        if (frame == 0) {
            EXPECT_STREQ(game().hudText.labels[0].text, "Please wait...");
            return;
        }
        EXPECT_EQ(app().state, AppStatePlaying);
        EXPECT_EQ(game().courseCode, code);
        objects[2] = game().terrain.objectKinds;
        s.queueClose();
    };
    EXPECT_EQ(runProgram(&course), 0);
    EXPECT_TRUE(objects[2] == objects[0]) << "the code made other vegetation";
}
