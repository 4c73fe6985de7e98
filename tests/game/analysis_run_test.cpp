// The route analysis as a player meets it: a course run from its code, the
// finish screen first without the fastest routes (still being worked out),
// then with them drawn and their columns in the split table; P colours the
// trail by pace, S saves the picture beside the results, and
// `fernhollow --results --export` makes the same picture from the stored run.
#include "app/app.h"
#include "app/game.h"
#include "game/game_frame.h"
#include "game/route_analysis.h"
#include "support/autopilot.h"
#include "support/capture.h"
#include "support/scripted_game.h"
#include "support/temp_folder.h"
#include "terrain/course.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using testsupport::Capture;
using testsupport::Rgb;

constexpr int kP = 0x19, kS = 0x1F;

template <class Test> int countPixels(const Capture& c, int x0, int y0, int x1, int y1, Test test)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += test(c.at(x, y)) ? 1 : 0;
    return n;
}
bool violet(Rgb c) { return testsupport::near(c, {0x80, 0x00, 0xFF}, 40); }
// The pace colours: no blue, one channel at 230. Left of the compass, whose
// needle has magenta; the map's filtered browns meet these now and then.
bool paced(Rgb c) { return c.b <= 2 && (std::abs(c.r - 230) <= 2 || std::abs(c.g - 230) <= 2); }
bool magenta(Rgb c) { return c.g < 30 && c.r >= 60 && std::abs(c.r - c.b) < 8; }

bool hudSays(const char* text)
{
    const HudText& hud = game().hudText;
    for (int i = 0; i < hud.lineCount; ++i)
        if (std::strstr(hud.lines[i], text))
            return true;
    return false;
}

// Share of the split table's panel colour right of the three columns a
// table without the fastest routes has.
double panelRightOfTheSplits(const Capture& c)
{
    const int top = 16 * (game().hudText.lineCount + 1) + 6;
    return testsupport::shareNear(c, 180, top + 26, 240, top + 60, {0x10, 0x18, 0x10}, 6);
}

// Runs `fernhollow ARGUMENTS`, giving its output and exit status.
int runGame(const std::string& arguments, std::string& output)
{
    std::FILE* pipe = popen((std::string(FERNHOLLOW_GAME) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(AnalysisRun, FinishShowsTheFastestRoutesAndSavesThePictureThatExportMakesAgain)
{
    testsupport::DataHome home;
    ScriptedGame run;
    platform::ScriptedPlatform& s = run.script();
    s.msPerFrame = 100;
    run.options.course = coursecode::CourseSettings{coursecode::kVersion, 4242, 128, 2, 2, 5, 2, 0};

    bool cancelled = false, readyWhileRunning = false, notReadySaid = false;
    int finishFrame = 0, shownFrame = 0, columnsBefore = 0;
    int violetBefore = -1, violetAfter = 0, magentaBefore = 0, magentaAfter = 0, pacedBefore = 0, pacedAfter = 0;
    double panelBefore = 1, panelAfter = 0;
    std::vector<std::string> saved;
    SplitTable table;
    std::string code;
    auto everySwap = [&](int frame) {
        Game& g = game();
        if (app().state != AppStatePlaying)
            return;
        if (!courseComplete()) {
            ASSERT_LT(frame, 20000) << "the autopilot should finish the course";
            steerToNextControl(s);
            // Keep the routes from the finish screen for a while.
            if (!cancelled && g.player.nextControl == g_nControls - 1) {
                readyWhileRunning = g.routes.ready();
                g.routes.cancel();
                cancelled = true;
            }
            return;
        }
        ++finishFrame;
        if (finishFrame == 1) {
            releaseEverything(s);
            Capture shot = testsupport::captureBackBuffer();
            EXPECT_TRUE(testsupport::savePng(shot, "analysis-finish-not-ready"));
            notReadySaid = hudSays("Fastest routes: still being worked out");
            columnsBefore = static_cast<int>(g.runResults.splitTable.columns.size());
            violetBefore = countPixels(shot, 0, 0, 640, 480, violet);
            panelBefore = panelRightOfTheSplits(shot);
            g.routes.start(HeightSnapshot::of(g.terrain), coursePoints(g.terrain));
            return;
        }
        ASSERT_LT(finishFrame, 2000) << "the fastest routes never came";
        if (!g.analysis.columnsAdded)
            return;
        // The routes at once, before the replayed trail covers them.
        if (shownFrame == 0) {
            Capture shot = testsupport::captureBackBuffer();
            EXPECT_TRUE(testsupport::savePng(shot, "analysis-finish"));
            violetAfter = countPixels(shot, 0, 0, 640, 480, violet);
            panelAfter = panelRightOfTheSplits(shot);
            // A hundred frames on, the replay (six times the race's speed)
            // has drawn the whole trail and the map stands still.
            shownFrame = finishFrame + 100;
        }
        if (finishFrame == shownFrame) {
            Capture shot = testsupport::captureBackBuffer();
            EXPECT_TRUE(testsupport::savePng(shot, "analysis-finish-trail"));
            magentaBefore = countPixels(shot, 0, 0, 560, 480, magenta);
            pacedBefore = countPixels(shot, 0, 0, 560, 480, paced);
        }
        // P, read in the next frame, colours the trail by pace; then S saves.
        s.holdKey(kP, finishFrame == shownFrame);
        if (finishFrame == shownFrame + 1) {
            Capture shot = testsupport::captureBackBuffer();
            EXPECT_TRUE(testsupport::savePng(shot, "analysis-finish-pace"));
            magentaAfter = countPixels(shot, 0, 0, 560, 480, magenta);
            pacedAfter = countPixels(shot, 0, 0, 560, 480, paced);
        }
        s.holdKey(kS, finishFrame == shownFrame + 1);
        if (finishFrame > shownFrame + 2 && !g.analysis.savedLines.empty() && saved.empty()) {
            saved = g.analysis.savedLines;
            table = g.runResults.splitTable;
            code = g.courseCode;
            s.queueClose();
        }
    };
    ASSERT_EQ(run.run(everySwap, 30000), 0);

    EXPECT_TRUE(readyWhileRunning) << "--course starts working out the routes";
    EXPECT_TRUE(notReadySaid) << "the finish screen says when the routes are not ready";
    EXPECT_EQ(columnsBefore, 3);
    EXPECT_EQ(violetBefore, 0);
    EXPECT_LT(panelBefore, 0.05);
    EXPECT_GT(violetAfter, 150) << "the fastest routes are drawn over the map";
    EXPECT_GT(panelAfter, 0.5) << "the split table gains the fastest and lost columns";
    ASSERT_EQ(table.columns.size(), 5u);
    EXPECT_EQ(table.columns[3].title, "Fastest");
    EXPECT_EQ(table.columns[4].title, "Lost");
    EXPECT_EQ(table.footer.front().rfind("Lost in all: +", 0), 0u);
    EXPECT_GT(magentaBefore, 200) << "the trail starts in magenta";
    EXPECT_LT(magentaAfter, magentaBefore / 10) << "P replaces the magenta";
    EXPECT_GT(pacedAfter, pacedBefore + 200) << "by the pace colours";

    // The picture, beside the results.
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved[0].rfind("Analysis picture saved:", 0), 0u) << saved[0];
    std::string picturePath;
    for (const auto& entry : std::filesystem::directory_iterator(home.path() + "fernhollow"))
        if (entry.path().filename().string().rfind("analysis-" + code, 0) == 0)
            picturePath = entry.path().string();
    ASSERT_FALSE(picturePath.empty());
    std::filesystem::copy_file(picturePath, FERNHOLLOW_TEST_OUTPUT "/analysis-picture.png",
                               std::filesystem::copy_options::overwrite_existing);
    const Capture picture = testsupport::readPng(picturePath);
    ASSERT_GT(picture.width, 256) << "the map at double size and the table beside it";
    ASSERT_GE(picture.height, 256);
    const int mapPixels = countPixels(picture, 0, 0, 256, 256, [](Rgb c) {
        return testsupport::near(c, {255, 255, 255}, 0) || testsupport::near(c, {192, 192, 0}, 0) ||
               testsupport::near(c, {0, 192, 0}, 0);
    });
    EXPECT_GT(mapPixels, 256 * 256 / 2);
    EXPECT_GT(countPixels(picture, 0, 0, 256, 256, [](Rgb c) { return testsupport::near(c, {0x80, 0, 0xFF}, 0); }),
              200);
    EXPECT_GT(countPixels(picture, 0, 0, 256, 256, paced), 200);

    // The same picture from the stored run, made without a window.
    std::string output;
    const std::string again = home.path() + "again.png";
    EXPECT_EQ(runGame("--results --export 1 " + again, output), 0) << output;
    const Capture exported = testsupport::readPng(again);
    EXPECT_EQ(exported.width, picture.width);
    EXPECT_TRUE(exported.rgb == picture.rgb) << "the code makes the same map, routes and table again";

    // No such run; a path that cannot be written (its folder is a file).
    output.clear();
    EXPECT_EQ(runGame("--results --export 7 " + again, output), 1);
    EXPECT_NE(output.find("there is no run 7"), std::string::npos) << output;
    std::ofstream(home.path() + "file") << "x";
    output.clear();
    EXPECT_EQ(runGame("--results --export 1 " + home.path() + "file/out.png", output), 1);
    EXPECT_NE(output.find("cannot write"), std::string::npos) << output;
    EXPECT_EQ(output.find('\n'), output.size() - 1) << "one line: " << output;
}
