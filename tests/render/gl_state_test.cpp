#include "render/gl_state.h"

#include "app/render_state.h"
#include "support/gl_test.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

namespace {

class GlState : public testsupport::GlTest {};

std::array<GLint, 4> scissorBox()
{
    std::array<GLint, 4> box{};
    glGetIntegerv(GL_SCISSOR_BOX, box.data());
    return box;
}

} // namespace

TEST_F(GlState, FogStoresItsRangeAndClearsToTheFogColour)
{
    setClearColor(0.65f, 0.8f, 1.0f);
    const RenderState& rs = renderState();
    EXPECT_FLOAT_EQ(rs.fogColor[1], 0.8f);
    EXPECT_EQ(rs.fogColor[3], 0.0f);
    glClearColor(0, 0, 0, 0);

    enableFog(90, 120);
    EXPECT_EQ(rs.fogStart, 90);
    EXPECT_EQ(rs.fogEnd, 120);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    GLfloat clear[4], colour[4], start = 0, end = 0;
    GLint mode = 0;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_FOG_COLOR, colour);
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    glGetIntegerv(GL_FOG_MODE, &mode);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(clear[i], rs.fogColor[i], 1e-6);
        EXPECT_NEAR(colour[i], rs.fogColor[i], 1e-6);
    }
    EXPECT_EQ(start, 90);
    EXPECT_EQ(end, 120);
    EXPECT_EQ(mode, GL_LINEAR);
    disableFog();
    EXPECT_FALSE(glIsEnabled(GL_FOG));
}

TEST_F(GlState, PerspectiveIsSquareWhateverTheWindow)
{
    setPerspective(120);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[0], m[5], 1e-6) << "aspect 1";
    EXPECT_NEAR(m[5], 1.0 / std::tan(30 * M_PI / 180), 1e-5);
    // Depth terms of near 0.1 and far 120.
    EXPECT_NEAR(m[10], -(120 + 0.1) / (120 - 0.1), 1e-5);
    glMatrixMode(GL_MODELVIEW);
}

TEST_F(GlState, ScissorBoxesScaleFromTheOverlayAndSwitchOff)
{
    RenderState& rs = renderState();
    struct Size {
        int w, h;
    };
    for (Size size : {Size{640, 480}, Size{320, 240}, Size{1280, 960}, Size{1, 1}, Size{700, 10}}) {
        SCOPED_TRACE(size.w);
        rs.windowWidth = size.w, rs.windowHeight = size.h;
        setScissorBox(-1, -1, -1, -1);
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    }

    rs.windowWidth = 1280, rs.windowHeight = 960;
    setScissorBox(10, 20, 100, 50);
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(scissorBox(), (std::array<GLint, 4>{20, 40, 200, 100}));

    // 3 x 1001 / 640 truncates to 4; the multiplication comes first.
    rs.windowWidth = 1001, rs.windowHeight = 480;
    EXPECT_EQ(scaleToWindowX(3), 4);
    setScissorBox(0, 10, 10, 10);
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST)) << "a scaled 0 switches it off";

    rs.windowWidth = 640, rs.windowHeight = 480;
    setScissorRect(360, 45, 600, 275);
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(scissorBox(), (std::array<GLint, 4>{360, 205, 240, 230}));
    clearFrame({0, 255, 0});
    testsupport::Capture c = captureAndSave("scissor_rect");
    setScissorBox(-1, -1, -1, -1);
    EXPECT_GT(shareNear(c, 360, 45, 600, 275, {0, 255, 0}, 0), 0.999);
    EXPECT_EQ(shareNear(c, 0, 0, 640, 45, {0, 255, 0}, 0), 0);
    EXPECT_EQ(shareNear(c, 0, 275, 640, 480, {0, 255, 0}, 0), 0);
}
