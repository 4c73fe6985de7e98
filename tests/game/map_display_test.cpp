#include "app/render_state.h"
#include "game/game_frame.h"
#include "map/map_display.h"
#include "support/autopilot.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class MapDisplayTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        makeFlatTerrain(256);
        g().terrain.zoom = 1.0f;
    }
    MapOrigin frame()
    {
        beginTestFrame(0.02f);
        return g().terrain.updateMapView();
    }
};

} // namespace

TEST_F(MapDisplayTest, AutoMinimapCentresTheRunnerInTheBox)
{
    renderState().eye[0] = 100;
    renderState().eye[2] = 50;
    MapOrigin o = frame();
    EXPECT_FLOAT_EQ(o.x, 380);
    EXPECT_FLOAT_EQ(o.y, 110);
    EXPECT_EQ(g().terrain.minimapMode, 1) << "a mode of 0 is taken as automatic";
}

TEST_F(MapDisplayTest, MinimapZoomStopsAtThreeQuartersButTheFullMapGoesBelow)
{
    Terrain& t = g().terrain;
    script.holdKey(scan::kMinus, true);
    for (int i = 0; i < 10; ++i)
        frame();
    EXPECT_FLOAT_EQ(t.zoom, 0.75f);
    t.fullMapShown = true;
    for (int i = 0; i < 4; ++i)
        t.drawFullMap();
    EXPECT_NEAR(t.zoom, 0.55f, 1e-5);
    for (int i = 0; i < 40; ++i)
        t.drawFullMap();
    EXPECT_GT(t.zoom, 0.05f) << "never down to nothing, or a mirrored map";
    t.fullMapShown = false;
    frame();
    EXPECT_FLOAT_EQ(t.zoom, 0.75f) << "raised again once the minimap handles the zoom";
    releaseEverything(script);
    script.holdKey(scan::kPlus, true);
    for (int i = 0; i < 50; ++i)
        frame();
    EXPECT_NEAR(t.zoom, 5.75f, 1e-3) << "no upper limit";
}

TEST_F(MapDisplayTest, MousePanStopsAtTheMapBounds)
{
    Terrain& t = g().terrain;
    t.minimapMode = 2;
    // Each drag moves the pointer 600 pixels with the left button held;
    // motion is previous minus current, so dragging right lowers pan x.
    auto drag = [&](int from, int to) {
        script.buttons.left = false;
        script.pointerX = from;
        frame();
        script.buttons.left = true;
        for (int x = from; x != to; x += to > from ? 10 : -10) {
            script.pointerX = x;
            frame();
        }
    };
    for (int i = 0; i < 3; ++i)
        drag(0, 600);
    EXPECT_FLOAT_EQ(t.panX, -128);
    for (int i = 0; i < 5; ++i)
        drag(600, 0);
    EXPECT_FLOAT_EQ(t.panX, 384);
}

TEST_F(MapDisplayTest, MSwitchesTheModeOncePerPressAndAutoDropsTheRotation)
{
    Terrain& t = g().terrain;
    t.minimapMode = 2;
    t.rotationAngle = 30;
    script.holdKey(scan::kM, true);
    frame();
    frame();
    EXPECT_EQ(t.minimapMode, 1);
    EXPECT_FLOAT_EQ(t.rotationAngle, 0);
    script.holdKey(scan::kM, false);
    frame();
    script.holdKey(scan::kM, true);
    frame();
    EXPECT_EQ(t.minimapMode, 2);
}

TEST(FinishScreen, ShowsTheTotalAndTheReplayClock)
{
    HudText hud;
    addFinishLines(hud, 3725.0f, 125);
    ASSERT_EQ(hud.lineCount, 5);
    EXPECT_STREQ(hud.lines[0], "Space to rewind");
    EXPECT_STREQ(hud.lines[1], " Time:  1: 2: 5");
    EXPECT_STREQ(hud.lines[2], "You Won! Total time:  2: 5");
    EXPECT_STREQ(hud.lines[3], "Press Escape to Go Back to the Menu");
}
