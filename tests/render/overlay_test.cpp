#include "app/overlay.h"

#include "app/render_state.h"
#include "render/texture.h"
#include "support/gl_test.h"

#include <GL/gl.h>

using testsupport::Capture;
using testsupport::Rgb;

namespace {

class Overlay : public testsupport::GlTest {
protected:
    // A 2 x 2 texture: texture row 0 (t = 0, the quad's top edge) red, row 1 blue.
    TextureId twoRowTexture()
    {
        const uint8_t pixels[] = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
        return TextureId(name);
    }
};

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

} // namespace

TEST_F(Overlay, QuadsCoverTheirRectanglesAndLeaveTheDepthTestOn)
{
    bindTexture(-1);
    glDisable(GL_DEPTH_TEST);
    drawRect(100, 50, 200, 80, 0x00FF00);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glDisable(GL_DEPTH_TEST);
    drawBox(320, 240, 40, 20, 0xFF0000);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    drawImage(50, 300, 32, 16, -1, 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    const float points[] = {500, 400, 520, 410};
    drawPoints(points, 2, 0x0000FF);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat pointSize = 0;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    EXPECT_EQ(pointSize, 3);

    Capture c = captureAndSave("overlay_quads");
    struct Region {
        const char* name;
        int x0, y0, x1, y1;
        Rgb colour;
    };
    const Region regions[] = {
        {"rect", 100, 50, 200, 80, {0, 255, 0}},
        {"box centred on (319, 239)", 299, 229, 339, 249, kRed},
        {"untextured image from (x - 1, y - 1)", 49, 299, 81, 315, kWhite},
        {"left of the box", 290, 229, 298, 249, kBlack},
        {"above the image", 49, 290, 81, 298, kBlack},
    };
    for (const Region& r : regions)
        EXPECT_GT(shareNear(c, r.x0, r.y0, r.x1, r.y1, r.colour, 0), 0.99) << r.name;
    EXPECT_TRUE(near(c.at(500, 400), kBlue, 0));
    EXPECT_TRUE(near(c.at(499, 399), kBlue, 0));
    EXPECT_TRUE(near(c.at(520, 410), kBlue, 0));
    EXPECT_TRUE(near(c.at(510, 405), kBlack, 0));
}

TEST_F(Overlay, PositiveAnglesTurnImagesClockwise)
{
    TextureId texture = twoRowTexture();
    drawImage(101, 101, 100, 100, texture, 0);
    drawImage(301, 101, 100, 100, texture, 90);
    // Turned about its top-left corner: the 60 x 20 strip hangs down-left of it.
    drawImagePivot(501, 101, 60, 20, texture, 90, 0, 0);
    Capture c = captureAndSave("overlay_rotation");
    EXPECT_GT(shareNear(c, 105, 105, 195, 145, kRed, 0), 0.99) << "t = 0 on the top edge";
    EXPECT_GT(shareNear(c, 105, 155, 195, 195, kBlue, 0), 0.99);
    EXPECT_GT(shareNear(c, 355, 105, 395, 195, kRed, 0), 0.99) << "the top edge turned to the right";
    EXPECT_GT(shareNear(c, 305, 105, 345, 195, kBlue, 0), 0.99);
    EXPECT_EQ(shareNear(c, 482, 102, 498, 158, kBlack, 0), 0);
    EXPECT_GT(shareNear(c, 492, 102, 498, 158, kRed, 0), 0.99) << "its top edge turned to the right";
    EXPECT_EQ(shareNear(c, 502, 102, 560, 120, kBlack, 0), 1) << "nothing left where the strip was";
    glDeleteTextures(1, reinterpret_cast<GLuint*>(&texture));
}

TEST_F(Overlay, BeginAndEndRestoreTheStateAroundIt)
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    beginOverlay();
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(projection[0], 2.0f / 640);
    EXPECT_FLOAT_EQ(projection[5], -2.0f / 480) << "y grows downwards";
    endOverlay();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

TEST_F(Overlay, CursorIsItsPictureAtThePointer)
{
    TextureId texture = twoRowTexture();
    setCursorTexture(texture);
    EXPECT_EQ(renderState().cursorTexture, texture);
    drawCursor(200, 100);
    Capture c = captureAndSave("overlay_cursor");
    EXPECT_GT(shareNear(c, 200, 100, 262, 130, kRed, 0), 0.99);
    EXPECT_GT(shareNear(c, 200, 133, 262, 162, kBlue, 0), 0.99);
    EXPECT_EQ(shareNear(c, 264, 100, 300, 162, kBlack, 0), 1);
    glDeleteTextures(1, reinterpret_cast<GLuint*>(&texture));
}
