#include "render/camera.h"

#include "app/render_state.h"
#include "render/frustum.h"
#include "render/gl_state.h"
#include "support/gl_test.h"

#include <GL/gl.h>

#include <cmath>

namespace {

class Camera : public testsupport::GlTest {};

constexpr int kF2 = 0x3C, kF5 = 0x3F, kF6 = 0x40;

} // namespace

TEST_F(Camera, TargetIsOneUnitAlongTheHeading)
{
    resetCamera();
    EXPECT_EQ(cameraPosition()[2], 5);
    const RenderState& rs = renderState();
    const float eye[3] = {10, 2, 20};
    struct Case {
        float heading, dx, dz;
    };
    const float a90 = 90 * 0.0175f;
    for (Case c : {Case{0, 0, -1}, Case{90, std::sin(a90), -std::cos(a90)}}) {
        SCOPED_TRACE(c.heading);
        updateCamera(eye, c.heading);
        EXPECT_FLOAT_EQ(rs.target[0], 10 + c.dx);
        EXPECT_FLOAT_EQ(rs.target[1], 2);
        EXPECT_FLOAT_EQ(rs.target[2], 20 + c.dz);
        EXPECT_FLOAT_EQ(rs.back[0], -c.dx);
        EXPECT_FLOAT_EQ(rs.back[2], -c.dz);
        EXPECT_EQ(rs.up[1], 1);
        EXPECT_EQ(cameraPosition()[0], 10);
    }
    // 360 degrees is 6.3 radians with the game's factor, not a full turn.
    updateCamera(eye, 360);
    EXPECT_GT(std::fabs(rs.target[0] - 10), 0.01f);
}

TEST_F(Camera, FrustumEndsAtTheProjectionsFarPlane)
{
    const float eye[3] = {50, 3, 60};
    for (float heading : {0.0f, 37.0f, 200.0f}) {
        SCOPED_TRACE(heading);
        setPerspective(120);
        updateCamera(eye, heading);
        setPerspective(1000);
        glMatrixMode(GL_MODELVIEW);
        const float a = heading * kDegreesToRadians;
        auto ahead = [&](float d) {
            return std::array<float, 3>{eye[0] + std::sin(a) * d, eye[1], eye[2] - std::cos(a) * d};
        };
        const float* far = renderState().planes[4];
        auto distance = [&](std::array<float, 3> p) { return far[0] * p[0] + far[1] * p[1] + far[2] * p[2] + far[3]; };
        EXPECT_GT(distance(ahead(119)), 0);
        EXPECT_LT(distance(ahead(121)), 0);
        EXPECT_EQ(sphereInFrustumSides(ahead(119).data(), 0.5f), 1);
        EXPECT_EQ(sphereInFrustumSides(ahead(121).data(), 0.5f), 0);
        EXPECT_EQ(sphereInFrustumSides(ahead(-5).data(), 0.5f), 0) << "behind the eye";
        EXPECT_EQ(cubeInFrustum(eye[0], eye[1], eye[2], 1), 1) << "a cube holding the eye";
    }
}

TEST_F(Camera, DebugKeysSwitchWireframeAndFog)
{
    const float eye[3] = {0, 1, 0};
    GLint modes[2] = {};
    updateCamera(eye, 0);
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_FALSE(glIsEnabled(GL_FOG));

    platform().holdKey(kF2, true);
    platform().holdKey(kF5, true);
    updateCamera(eye, 0);
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_EQ(renderState().fogStart, 80);
    EXPECT_EQ(renderState().fogEnd, 100);

    platform().holdKey(kF2, false);
    platform().holdKey(kF5, false);
    platform().holdKey(kF6, true);
    updateCamera(eye, 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
