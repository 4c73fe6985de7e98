// Course codes as a player meets them: typed into the new-course page and
// shown while running; a course made from a seed is the same however long
// the menu waits, and when its code is given on the command line.
#include "app/app.h"
#include "app/game.h"
#include "app/program.h"
#include "support/autopilot.h"
#include "support/capture.h"
#include "support/player_script.h"
#include "support/scripted_game.h"
#include "terrain/world_size.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

using testsupport::PlayerScript;

namespace {

constexpr int kEnterCode[] = {524, 272};

MenuItem& item(int slot) { return game().menu.items[slot]; }

void pressAndRelease(PlayerScript& player, platform::ScriptedPlatform& s, int scanCode)
{
    player.then([&s, scanCode] { s.holdKey(scanCode, true); });
    player.then([&s, scanCode] { s.holdKey(scanCode, false); });
}

} // namespace

TEST(CourseCodeRun, TypeACodeOnTheNewCoursePageAndRunIt)
{
    coursecode::CourseSettings wanted{1, 20240611, 256, 1, 3, 12, 2, 3};
    const std::string code = coursecode::encode(wanted);
    std::string typo = code;
    typo[6] = typo[6] == 'Z' ? 'Y' : 'Z';
    std::string byHand = code;
    for (char& c : byHand)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    ScriptedGame run;
    auto& s = run.script();
    PlayerScript player;
    player.click(320, 212);  // "Start Game"
    player.click(kEnterCode[0], kEnterCode[1]);
    player.then([&] { s.typedText = "no code"; });
    // Escape leaves the typing, and neither the page nor the program.
    pressAndRelease(player, s, scan::kEscape);
    player.then([&] {
        EXPECT_TRUE(app().state == AppStateMenu && game().menu.plainBackground);
        EXPECT_STREQ(item(MenuScreen::kEnterCodeSlot).text, "Enter Code");
        EXPECT_FALSE(s.textInputOn);
    });
    player.click(kEnterCode[0], kEnterCode[1]);
    player.then([&] { s.typedText = typo + "\r"; });
    player.then([&] {
        EXPECT_STREQ(item(MenuScreen::kEnterCodeSlot).text, "Check failed: a typo?");
        EXPECT_EQ(g_mapSize, 128) << "a refused code changes nothing";
        EXPECT_EQ(item(MenuScreen::kPreviewSlot).texture, -1);
    });
    // The refused code is still there to be mended.
    player.click(kEnterCode[0], kEnterCode[1]);
    player.then([&] { s.typedText = std::string(typo.size(), '\b') + byHand + "\r"; });
    player.then([&] {
        const char* labels[] = {"Map Size: Medium", "NControls: 12", "Leg Size: Big", "NDense Areas: Low",
                                "NOpen Areas: High"};
        const int slots[] = {0, 1, 6, 7, 8};
        for (int i = 0; i < 5; ++i)
            EXPECT_STREQ(item(slots[i]).text, labels[i]);
        EXPECT_EQ(std::string(item(MenuScreen::kCourseCodeSlot).text), "Code " + code);
        EXPECT_EQ(item(MenuScreen::kPreviewSlot).width, 256);
        const testsupport::Capture page = testsupport::captureBackBuffer();
        EXPECT_TRUE(testsupport::savePng(page, "course-code-entered"));
        EXPECT_LT(testsupport::shareNear(page, 80, 80, 336, 336, {175, 175, 175}, 8), 0.05) << "no map shown";
        EXPECT_TRUE(testsupport::near(page.at(420, 222), {127, 127, 127}, 8)) << "no code item drawn";
    });
    player.click(458, 428);  // "Start!"
    pressAndRelease(player, s, scan::kF1);
    player.then([&] {
        EXPECT_EQ(game().courseCode, code);
        EXPECT_EQ(game().terrain.gridSide, 256);
        const HudText& hud = game().hudText;
        EXPECT_STREQ(hud.lines[hud.lineCount - 1], ("Course code: " + code).c_str());
        EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), "course-code-help"));
        s.queueClose();
    });
    EXPECT_EQ(run.run([&](int) { player.advance(s); }, 3000), 0);
    EXPECT_EQ(player.left(), 0u);
}

TEST(CourseCodeRun, VegetationIgnoresMenuFramesAndTheCommandLineCodeMakesTheSame)
{
    std::vector<uint8_t> objects[3];
    std::string code;
    for (int r = 0; r < 2; ++r) {
        ScriptedGame run;
        run.script().seeds = {2468u};
        PlayerScript player;
        int waited = 0;
        player.click(320, 212);  // "Start Game"
        player.click(92, 428);   // "Generate Map"
        player.waitFor([&] { return waited++ >= 500 * r; });
        player.click(458, 428);  // "Start!"
        player.then([&] {
            objects[r] = game().terrain.objectKinds;
            code = game().courseCode;
            run.script().queueClose();
        });
        EXPECT_EQ(run.run([&](int) { player.advance(run.script()); }, 2000), 0);
    }
    EXPECT_TRUE(objects[0] == objects[1]) << "500 menu frames changed the vegetation";

    // fernhollow --course CODE: the loading frame, then play.
    ScriptedGame run;
    const coursecode::CourseSettings course = coursecode::decode(code).settings;
    run.script().onSwap = [&](int frame) {
        if (frame == 0) {
            EXPECT_STREQ(game().hudText.labels[0].text, "Please wait...");
            return;
        }
        EXPECT_EQ(app().state, AppStatePlaying);
        EXPECT_EQ(game().courseCode, code);
        objects[2] = game().terrain.objectKinds;
        run.script().queueClose();
    };
    CommandLineOptions options;
    options.course = course;
    EXPECT_EQ(runProgram(options), 0);
    EXPECT_TRUE(objects[2] == objects[0]) << "the code made other vegetation";
}

TEST(CourseCodeRun, ABadCodeOnTheCommandLineEndsTheGameWithOneLineAndStatusTwo)
{
    const struct {
        const char* arguments;
        const char* says;
    } cases[] = {
        {"--course 54M0-C0K9-P73G", "Check failed"}, {"--course=ABCD-EFGH", "Too short"},
        {"--course", "--course needs a value"},      {"--seed 5", "unknown option --seed"},
    };
    for (const auto& c : cases) {
        std::FILE* pipe = popen((std::string(FERNHOLLOW_GAME) + " " + c.arguments + " 2>&1").c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        const int status = pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << c.arguments;
        EXPECT_NE(output.find(c.says), std::string::npos) << output;
        EXPECT_EQ(output.find('\n'), output.size() - 1) << "one line: " << output;
    }
}
