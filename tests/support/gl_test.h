#pragma once
// Tests that draw on a real OpenGL context: one 640 x 480 window for the
// whole test process, opened through the SDL platform (under Xvfb) and
// wrapped in a scripted platform that records message boxes and takes
// scripted keys. Each test starts from the GL state a new game window has.
#include "capture.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace testsupport {

class GlTest : public ::testing::Test {
protected:
    // Skips the test when no display can be opened (no DISPLAY and no
    // requested SDL video driver); fails when one should have been.
    void SetUp() override;
    // Fails on a GL error or unbalanced matrix or attribute stacks.
    void TearDown() override;

    // The platform the game code sees during the test.
    platform::ScriptedPlatform& platform();
    // Clears colour and depth to `colour`.
    void clearFrame(Rgb colour = {});
    // Captures the back buffer and saves it as `name`.png in the test output.
    Capture captureAndSave(const std::string& name);
};

// The window defaults a new game window sets (blending, depth test, texturing,
// viewport and projection for 640 x 480, extension entry points), and a
// RenderState as createWindow leaves it, but with the world drawn the
// straightforward way (RenderState::fastWorld clear).
void resetGlState();

} // namespace testsupport
