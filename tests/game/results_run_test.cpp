// Racing your best run, as a player meets it: one course run twice from its
// code. The first run is stored and is the personal best the second is held
// against; during the second its ghost is out ahead on the minimap, and the
// finish screen shows the split table (Tab hides it) and both routes.
#include "app/app.h"
#include "app/game.h"
#include "coursecode/course_code.h"
#include "game/game_frame.h"
#include "game/run_results.h"
#include "support/autopilot.h"
#include "support/capture.h"
#include "support/scripted_game.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kTab = 0x0F;

struct Seen {
    std::vector<std::string> resultLines;  // the finish lines about the stored run
    int ghostPixelsOnMinimap = -1;
    double tableShown = 0, tableHidden = 1, tableShownAgain = 0;
    int64_t ghostRun = -1;  // number of the run raced, 0 none
    int64_t totalMs = 0;
};

int ghostPixels(const testsupport::Capture& c, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += testsupport::near(c.at(x, y), {0x00, 0xE0, 0xFF}, 40) ? 1 : 0;
    return n;
}

// Share of the split table's panel colour just under its caption.
double tablePanel(const testsupport::Capture& c)
{
    int top = 16 * (game().hudText.lineCount + 1) + 6;
    return testsupport::shareNear(c, 8, top + 14, 120, top + 40, {0x10, 0x18, 0x10}, 6);
}

// One run of the course as `fernhollow --course CODE` starts it, standing
// still for the first `waitMs` and then steered by the autopilot.
Seen runCourse(const coursecode::CourseSettings& course, uint32_t waitMs, const std::string& name)
{
    ScriptedGame run;
    platform::ScriptedPlatform& s = run.script();
    s.msPerFrame = 100;
    run.options.course = course;
    Seen seen;
    int finishFrame = 0;
    auto everySwap = [&](int frame) {
        Game& g = game();
        if (app().state != AppStatePlaying)
            return;
        if (frame == 29999)
            ADD_FAILURE() << "the autopilot should finish the course";
        if (!courseComplete()) {
            if (g.player.elapsedMs() < waitMs)
                releaseEverything(s);
            else
                steerToNextControl(s);
            if (seen.ghostRun < 0)
                seen.ghostRun = g.runResults.ghost ? g.runResults.ghost->id : 0;
            if (seen.ghostPixelsOnMinimap < 0 && g.player.elapsedMs() >= waitMs + 1500) {
                testsupport::Capture shot = testsupport::captureBackBuffer();
                EXPECT_TRUE(testsupport::savePng(shot, name + "-minimap"));
                seen.ghostPixelsOnMinimap = ghostPixels(shot, 360, 45, 600, 275);
            }
            return;
        }
        ++finishFrame;
        if (finishFrame == 1) {
            releaseEverything(s);
            seen.resultLines = g.runResults.finishLines();
            seen.totalMs = g.player.elapsedMs();
        }
        // Tab is read in the frame after it is set.
        if (finishFrame == 3)
            seen.tableShown = tablePanel(testsupport::captureBackBuffer());
        s.holdKey(kTab, finishFrame == 3 || finishFrame == 6);
        if (finishFrame == 4)
            seen.tableHidden = tablePanel(testsupport::captureBackBuffer());
        if (finishFrame == 7)
            seen.tableShownAgain = tablePanel(testsupport::captureBackBuffer());
        if (finishFrame == 40) {
            EXPECT_TRUE(testsupport::savePng(testsupport::captureBackBuffer(), name + "-finish"));
            s.queueClose();
        }
    };
    EXPECT_EQ(run.run(everySwap, 30000), 0);
    return seen;
}

} // namespace

TEST(ResultsRun, RunACodeTwiceAndRaceTheFirstRunAsItsGhost)
{
    testsupport::DataHome home;
    const coursecode::CourseSettings course{coursecode::kVersion, 4242, 128, 2, 2, 4, 1, 0};

    Seen first = runCourse(course, 0, "results-run-first");
    EXPECT_EQ(first.ghostRun, 0) << "nothing to race on a new course";
    EXPECT_EQ(first.ghostPixelsOnMinimap, 0);
    ASSERT_EQ(first.resultLines.size(), 2u);
    EXPECT_EQ(first.resultLines[0], "New personal best!");
    EXPECT_EQ(first.resultLines[1], "Run 1 ranks 1st of 1 on this course");

    // Three seconds' wait makes the second run the slower one, with its ghost ahead.
    Seen second = runCourse(course, 3000, "results-run-second");
    EXPECT_EQ(second.ghostRun, 1) << "the first run is the ghost";
    EXPECT_GT(second.ghostPixelsOnMinimap, 10) << "the ghost's marker is on the minimap";
    EXPECT_GT(second.totalMs, first.totalMs);
    ASSERT_EQ(second.resultLines.size(), 2u);
    EXPECT_EQ(second.resultLines[0], "Personal best: " + results::formatRaceTime(first.totalMs, true) + " (run 1)");
    EXPECT_EQ(second.resultLines[1], "Run 2 ranks 2nd of 2 on this course");

    EXPECT_GT(second.tableShown, 0.5) << "the split table is shown at the finish";
    EXPECT_LT(second.tableHidden, 0.05) << "Tab hides it";
    EXPECT_GT(second.tableShownAgain, 0.5) << "and shows it again";
}
