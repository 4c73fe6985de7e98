#include "app/frame.h"
#include "app/render_state.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FrameDelta, ClampsStallsAndSubMillisecondFrames)
{
    struct Case {
        float frameTime;
        float expected;
    } cases[] = {
        {3.0f, 0.001f},     // a stall counts as one millisecond, not a jump
        {0.0005f, 0.001f},  // below the clock's resolution
        {0.0f, 0.001f},
        {0.016f, 0.016f},
        {2.0f, 2.0f},
        {0.001f, 0.001f},
    };
    for (const Case& c : cases) {
        renderState().frameTime = c.frameTime;
        EXPECT_FLOAT_EQ(frameDelta(), c.expected) << "frame time " << c.frameTime;
    }
}

TEST(FrameRate, AveragesWithThePreviousValueAndSurvivesAZeroFrame)
{
    RenderState& rs = renderState();
    rs.averageFps = 0;
    rs.frameTime = 0.02f;
    EXPECT_FLOAT_EQ(updateFrameRate(), 25.0f);
    EXPECT_FLOAT_EQ(updateFrameRate(), 37.5f);
    rs.frameTime = 0.0f;
    float fps = updateFrameRate();
    EXPECT_TRUE(std::isfinite(fps));
    EXPECT_FLOAT_EQ(fps, (37.5f + 1000.0f) * 0.5f);
}
