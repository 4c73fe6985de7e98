#include "render/sky.h"

#include "app/render_state.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "support/bmp_builder.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"

#include <GL/gl.h>

TEST(SkyStrip, ColumnsCircleTheEyeAndTheTextureRunsThereAndBack)
{
    const float eye[3] = {10, 5, 10};
    auto strip = skyStrip(eye);
    EXPECT_FLOAT_EQ(strip[0].x, 10);
    EXPECT_FLOAT_EQ(strip[0].y, 130);
    EXPECT_FLOAT_EQ(strip[0].z, 130);
    EXPECT_FLOAT_EQ(strip[1].y, -120);
    EXPECT_FLOAT_EQ(strip[1].z, 130);
    EXPECT_EQ(strip[0].t, 1);
    EXPECT_EQ(strip[1].t, 0);
    // Column 9 is 180 degrees round, behind the eye, where s turns back.
    EXPECT_NEAR(strip[18].z, 10 - 120, 1e-3);
    EXPECT_FLOAT_EQ(strip[18].s, 1);
    EXPECT_FLOAT_EQ(strip[16].s, 160 / 180.0f);
    EXPECT_FLOAT_EQ(strip[20].s, 1 - 20 / 180.0f);
    EXPECT_FLOAT_EQ(strip[37].s, 0);
    EXPECT_NEAR(strip[36].x, 10, 1e-3) << "the last column closes the circle";
    EXPECT_NEAR(strip[36].z, 130, 1e-3);
}

namespace {
class SkyDrawing : public testsupport::GlTest {};
} // namespace

TEST_F(SkyDrawing, FillsTheViewAndSetsTheFog)
{
    testsupport::TempFolder folder;
    platform().assetFolder = folder.path();
    std::vector<testbmp::Colour> pixels(16 * 16, {40, 90, 200});
    ASSERT_TRUE(testbmp::writeFile(folder.subfolder("Images") + "sky.bmp", testbmp::rgb24File(16, 16, pixels)));
    Sky sky;
    sky.load();
    ASSERT_GT(sky.texture, 0);
    TextureId first = sky.texture;
    sky.load();
    EXPECT_FALSE(glIsTexture(GLuint(first))) << "a second load replaces the texture";

    const float eye[3] = {50, 2, 50};
    setPerspective(120);
    updateCamera(eye, 30);
    setPerspective(1000);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_FOG);
    sky.draw();
    testsupport::Capture c = captureAndSave("sky");
    EXPECT_GT(shareNear(c, 0, 0, 640, 480, {40, 90, 200}, 6), 0.99) << "not fogged while drawn";

    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_EQ(renderState().fogStart, 90);
    EXPECT_EQ(renderState().fogEnd, 120);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0.65f);
    EXPECT_FLOAT_EQ(clear[1], 0.8f);
    EXPECT_FLOAT_EQ(clear[2], 1.0f);
    sky.release();
    EXPECT_EQ(sky.texture, -1);
}
