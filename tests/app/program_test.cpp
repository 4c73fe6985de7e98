#include "app/app.h"
#include "app/random.h"
#include "app/game.h"
#include "app/render_state.h"
#include "app/window.h"
#include "support/capture.h"
#include "support/scripted_game.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using platform::WindowError;

TEST(StartUp, EachWindowFailureShowsItsMessageAndExitsNonZero)
{
    struct Case {
        WindowError error;
        const char* message;
    } cases[] = {
        {WindowError::RegisterClass, "Failed To Register The Window Class."},
        {WindowError::CreateWindow, "Window Creation Error."},
        {WindowError::DeviceContext, "Can't Create A GL Device Context."},
        {WindowError::PixelFormat, "Can't Find A Suitable PixelFormat."},
        {WindowError::SetPixelFormat, "Can't Set The PixelFormat."},
        {WindowError::RenderingContext, "Can't Create A GL Rendering Context."},
        {WindowError::ActivateContext, "Can't Activate The GL Rendering Context."},
    };
    for (const Case& c : cases) {
        ScriptedGame run(false);
        run.script().windowFailure = c.error;
        EXPECT_EQ(run.run(nullptr), 1) << c.message;
        ASSERT_EQ(run.script().boxes.size(), 1u) << c.message;
        EXPECT_EQ(run.script().boxes[0].caption, "ERROR");
        EXPECT_EQ(run.script().boxes[0].text, c.message);
        EXPECT_EQ(run.script().boxes[0].icon, platform::MessageIcon::Exclamation);
        EXPECT_EQ(run.script().swapCount, 0) << "no menu frame may run";
    }
}

TEST(StartUp, TheWindowIsMadeWithItsGlDefaults)
{
    ScriptedGame run;
    bool checked = false;
    int status = run.run([&](int frame) {
        if (frame != 0)
            return;
        checked = true;
        const RenderState& rs = renderState();
        EXPECT_EQ(rs.windowWidth, 640);
        EXPECT_EQ(rs.windowHeight, 480);
        EXPECT_TRUE(rs.windowActive);
        EXPECT_GT(rs.fontTexture, 0) << "the font loads at start-up";
        EXPECT_GT(rs.cursorTexture, 0) << "the cursor loads at start-up";
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        // Mesa offers both extensions; their entry points must be found.
        const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        ASSERT_NE(ext, nullptr);
        if (std::strstr(ext, "GL_ARB_multitexture")) {
            EXPECT_TRUE(rs.hasMultitexture);
            EXPECT_NE(rs.activeTexture, nullptr);
            EXPECT_NE(rs.multiTexCoord2f, nullptr);
        }
        if (std::strstr(ext, "GL_EXT_compiled_vertex_array")) {
            EXPECT_TRUE(rs.hasCompiledArrays);
            EXPECT_NE(rs.lockArrays, nullptr);
        }
        EXPECT_FALSE(run.script().cursorShown);
    }, 1);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(run.script().boxes.empty());
    EXPECT_TRUE(run.script().cursorShown) << "shutdown shows the system cursor again";
    EXPECT_FALSE(run.script().windowOpen());
}

// Runs started at the same tick (a script, a macro) must not all get the
// same first terrain.
TEST(StartUp, TheGeneratorIsSeededPerRunNotFromTheClock)
{
    platform::SdlPlatform sdl;
    uint32_t first = sdl.freshSeed();
    bool differs = false;
    for (int i = 0; i < 8 && !differs; ++i)
        differs = sdl.freshSeed() != first;
    EXPECT_TRUE(differs) << "the real platform's seeds differ from call to call";

    uint32_t stateAtFirstFrame[2] = {};
    for (int run = 0; run < 2; ++run) {
        ScriptedGame game;
        game.script().clockMs = 4;
        game.script().seeds = {1000u + run};
        game.run([&](int) { stateAtFirstFrame[run] = rng::state(); }, 1);
    }
    EXPECT_NE(stateAtFirstFrame[0], stateAtFirstFrame[1]) << "same tick, different seed";
}

TEST(MainLoop, ClosingTheWindowEndsTheLoopAfterTheCurrentFrame)
{
    ScriptedGame run;
    int frames = 0;
    int status = run.run([&](int frame) {
        frames = frame + 1;
        if (frame == 4)
            run.script().queueClose();
    }, 100);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(frames, 5);
    EXPECT_FALSE(run.script().windowOpen());
}

TEST(MainLoop, EscapeQuitsTheMenuOnlyWhenReleased)
{
    ScriptedGame run;
    int frames = 0;
    int status = run.run([&](int frame) {
        frames = frame + 1;
        // Held from frame 2 to 9, released at 10.
        run.script().holdKey(0x01, frame >= 1 && frame < 9);
    }, 100);
    EXPECT_EQ(status, 0);
    // The release is seen in the eleventh frame, which is then not presented.
    EXPECT_EQ(frames, 10);
}

TEST(MainLoop, FramesAreTimedByTheClock)
{
    ScriptedGame run;
    run.script().msPerFrame = 40;
    std::vector<float> times;
    run.run([&](int) { times.push_back(renderState().frameTime); }, 4);
    // The first frame's time is read after its swap; from then on each frame
    // lasts one clock step.
    EXPECT_FLOAT_EQ(renderState().frameTime, 0.04f);
    ASSERT_EQ(times.size(), 4u);
    EXPECT_FLOAT_EQ(times[3], 0.04f);
}

TEST(MainLoop, FramesAreClearedToTheFogColourAndCanBeReadBack)
{
    ScriptedGame run;
    testsupport::Capture first;
    run.run([&](int frame) {
        if (frame == 0) {
            renderState().fogColor[0] = 1.0f;  // the next frame clears red
        } else if (frame == 1) {
            first = testsupport::captureBackBuffer();
        }
    }, 2);
    ASSERT_EQ(first.width, 640);
    ASSERT_EQ(first.height, 480);
    // Away from the buttons, the title and the cursor at (0, 0).
    for (auto [x, y] : {std::pair{600, 20}, {639, 479}, {100, 120}}) {
        EXPECT_TRUE(testsupport::near(first.at(x, y), {255, 0, 0}, 0)) << x << ", " << y;
    }
}

TEST(Window, ResizingFollowsTheClientSizeAndAZeroHeightBecomesOne)
{
    ScriptedGame run;
    float projection[16] = {};
    int width = 0, height = 0;
    run.run([&](int frame) {
        if (frame == 0) {
            run.script().queueSize(640, 0);
        } else if (frame == 1) {
            width = renderState().windowWidth;
            height = renderState().windowHeight;
            glGetFloatv(GL_PROJECTION_MATRIX, projection);
        }
    }, 2);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 1);
    // 60 degrees vertically: the x scale is cot(30 deg) / aspect, aspect 640.
    EXPECT_NEAR(projection[0], 1.0f / std::tan(30.0 * M_PI / 180.0) / 640.0, 1e-6);
}

TEST(Window, InactiveWindowIgnoresKeysUntilActiveAgain)
{
    ScriptedGame run;
    int frames = 0;
    run.run([&](int frame) {
        frames = frame + 1;
        auto& s = run.script();
        if (frame == 0)
            s.queueActivate(false);
        // Escape pressed and released while inactive must not quit.
        s.holdKey(0x01, frame == 2);
        if (frame == 5)
            s.queueActivate(true);
    }, 10);
    EXPECT_EQ(frames, 10);
}
