#include "game/player.h"
#include "game/split_table.h"
#include "results/results.h"
#include "support/autopilot.h"
#include "support/game_fixture.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <gtest/gtest.h>

namespace {

class PlayerTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        makeFlatTerrain(128);
        Player& p = g().player;
        p.terrain = &g().terrain;
        p.x = 64.5f;
        p.z = 64.5f;
        p.nextControl = 1;
        p.trailTimer = 1.0f;
        p.footstepSound = -1;
        // Controls far away unless a test moves them.
        for (int i = 1; i < 4; ++i)
            g().terrain.course.controls[i] = Control{10, 10, i};
    }

    void frames(int n, float dt)
    {
        for (int i = 0; i < n; ++i) {
            beginTestFrame(dt);
            g().player.update();
        }
    }
};

} // namespace

TEST_F(PlayerTest, RunsAtFullSpeedOnTheFlatAndSlowlyUpASteepSlope)
{
    Player& p = g().player;
    script.holdKey(scan::kUp, true);
    frames(10, 0.1f);
    EXPECT_NEAR(p.z, 64.5f - 2.25f, 1e-4) << "2.25 units a second facing -z";
    EXPECT_NEAR(p.x, 64.5f, 1e-4);

    // Higher ground under the runner than 2.25 units behind: climbing.
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 128; ++x)
            setHeight(x, y, 10.0f);
    p.x = 64.5f;
    p.z = 64.5f;
    p.heading = 0;
    frames(1, 0.1f);
    EXPECT_NEAR(p.z, 64.5f - 0.0405f, 1e-5) << "0.18 x 2.25 units a second";

    EXPECT_FLOAT_EQ(slopeFactor(0, 0), 1.0f);
    EXPECT_FLOAT_EQ(slopeFactor(3, 0), 0.18f);
    EXPECT_FLOAT_EQ(slopeFactor(1.5f, 0), 0.5f);
    EXPECT_FLOAT_EQ(slopeFactor(0, 3), 2.0f) << "downhill has no upper limit";
}

TEST_F(PlayerTest, UpAndDownTogetherRunForwardAndStillTimeRecordsTheRoute)
{
    Player& p = g().player;
    script.holdKey(scan::kUp, true);
    script.holdKey(scan::kDown, true);
    frames(4, 0.25f);
    EXPECT_NEAR(p.z, 64.5f - 2.25f, 1e-4);
    EXPECT_TRUE(p.moving);
    EXPECT_EQ(p.sampleCount, 1) << "the first sample comes after one second";

    releaseEverything(script);
    frames(9, 0.1f);
    EXPECT_FALSE(p.moving);
    // 1.0 - 0.9 s left of the timer after the first sample, then every 0.225 s.
    EXPECT_EQ(p.sampleCount, 5);
    ASSERT_EQ(p.trail.size(), 10u);
    EXPECT_FLOAT_EQ(p.trail[8], p.x);
}

TEST_F(PlayerTest, AControlCountsInTheFrameAfterTheRunnerComesWithinReach)
{
    Player& p = g().player;
    Control& c = g().terrain.course.controls[1];
    c = Control{p.x + 3.7f, p.z, 1};  // 13.69: not yet
    frames(1, 0.1f);
    EXPECT_EQ(p.nextControl, 1);
    c.x = p.x + 3.5f;  // 12.25
    frames(1, 0.25f);
    EXPECT_EQ(p.nextControl, 2);
    EXPECT_FLOAT_EQ(p.bannerTime, 1.75f);
    frames(6, 0.25f);
    EXPECT_GT(p.bannerTime, 0);
    frames(1, 0.25f);
    EXPECT_LE(p.bannerTime, 0) << "the large label shows for two seconds";
}

TEST_F(PlayerTest, HeadingWrapsPast360ButExactly360Stays)
{
    Player& p = g().player;
    p.heading = 359;
    script.holdKey(scan::kRight, true);
    frames(1, 2.0f / 60.0f);
    EXPECT_NEAR(p.heading, 1.0f, 1e-3);

    releaseEverything(script);
    p.heading = 360;
    frames(1, 0.1f);
    EXPECT_FLOAT_EQ(p.heading, 360.0f);

    p.heading = 1;
    script.holdKey(scan::kLeft, true);
    frames(1, 2.0f / 60.0f);
    EXPECT_NEAR(p.heading, 359.0f, 1e-3);
}

TEST_F(PlayerTest, TheRunnerIsKeptOnTheMap)
{
    Player& p = g().player;
    struct Case {
        float x, z, wantX, wantZ;
    } cases[] = {
        {-5, 200, 1, 127},
        {0.5f, 127.5f, 1, 127},
        {50, 60, 50, 60},
    };
    for (const Case& c : cases) {
        p.x = c.x;
        p.z = c.z;
        p.placeCamera();
        EXPECT_FLOAT_EQ(p.x, c.wantX);
        EXPECT_FLOAT_EQ(p.z, c.wantZ);
    }
}

TEST_F(PlayerTest, ReplayFollowsTheRouteAndShowsTheStartWithoutOne)
{
    Player& p = g().player;
    g().terrain.course.controls[0] = Control{30, 40, 0};
    // No sample, or no elapsed second: the start, without dividing by zero.
    p.elapsedSeconds = 10;
    ReplayPoint at = p.replayPosition(5);
    EXPECT_FLOAT_EQ(at.x, -30);
    EXPECT_FLOAT_EQ(at.y, -40);
    p.trail = {1, 2, 3, 4, 5, 6, 7, 8};
    p.sampleCount = 4;
    p.elapsedSeconds = 0;
    at = p.replayPosition(0);
    EXPECT_FLOAT_EQ(at.x, -30);
    p.drawReplayTrail(3, 1.0f, 0, 0);  // must not divide by zero either

    p.elapsedSeconds = 8;
    at = p.replayPosition(0);
    EXPECT_FLOAT_EQ(at.x, -1);
    EXPECT_FLOAT_EQ(at.y, -2);
    at = p.replayPosition(4);  // half way: sample 2
    EXPECT_FLOAT_EQ(at.x, -5);
    at = p.replayPosition(100);
    EXPECT_FLOAT_EQ(at.x, -7) << "beyond the total time: the last sample";
    EXPECT_FLOAT_EQ(at.y, -8);
}

TEST_F(PlayerTest, SplitTimesAreTheClockAtEachControlAcrossItsWrap)
{
    Player& p = g().player;
    Terrain& t = g().terrain;
    for (int i = 1; i < 4; ++i)
        t.course.controls[i] = Control{64.5f, 64.5f - 9.0f * i, i};
    script.clockMs = 0xFFFFF000u;  // 4 seconds before the 32-bit clock wraps
    p.startTicks = script.clockMs;
    script.holdKey(scan::kUp, true);

    std::vector<int64_t> seen;
    for (int frame = 0; frame < 400 && p.nextControl < g_nControls; ++frame) {
        script.clockMs += 37;
        int before = p.nextControl;
        frames(1, 0.037f);
        if (p.nextControl != before)
            seen.push_back(static_cast<uint32_t>(script.clockMs - p.startTicks));
    }
    ASSERT_EQ(p.nextControl, g_nControls);
    EXPECT_EQ(p.splitMs, seen);
    EXPECT_GT(seen.back(), 4096) << "the run went past the wrap";
    script.clockMs += 5000;
    EXPECT_EQ(p.elapsedMs(), seen.back()) << "the clock stops at the last control";

    SplitTable table = makeSplitTable(p.splitMs);
    ASSERT_EQ(table.legCount(), 3);
    EXPECT_EQ(table.columns[0].cells[0].text, "S-1");
    EXPECT_EQ(table.columns[0].cells[2].text, "2-3");
    EXPECT_EQ(table.columns[2].cells[2].text, results::formatRaceTime(seen.back(), false));
    table.addColumn({"More", {{"a"}}, true});
    EXPECT_EQ(table.columns.back().cells.size(), 3u) << "a new column gets a cell per leg";
}
