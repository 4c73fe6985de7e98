#include "render/menu_globe.h"

#include "app/render_state.h"
#include "support/gl_test.h"

#include <GL/gl.h>

#include <cmath>

using testsupport::Capture;
using testsupport::Rgb;

namespace {

class MenuGlobeTest : public testsupport::GlTest {
protected:
    void TearDown() override
    {
        globe.release();
        GlTest::TearDown();
    }
    MenuGlobe globe;
};

bool orange(Rgb p) { return p.r > 170 && p.g > 50 && p.g < 150 && p.b < 80; }

} // namespace

TEST_F(MenuGlobeTest, TheLoadingSceneShowsTheFlagOnTheGlobe)
{
    glEnable(GL_FOG);
    globe.load();
    ASSERT_TRUE(globe.model);
    EXPECT_GT(globe.model->partCount(), 0);
    EXPECT_GT(globe.earthTexture, 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_EQ(renderState().fogColor[0], 0);
    EXPECT_EQ(renderState().windowWidth, 640);

    clearFrame();
    globe.drawLoadingScene();
    Capture c = captureAndSave("loading_scene");
    EXPECT_FALSE(glIsEnabled(GL_FOG));

    // The globe fills a disc of about 130 pixels round the middle of the view
    // (radius 1.5 seen from 5 units, 60 degrees high over 480 rows), with the
    // earth's texture on it: mostly sea on this side.
    int inside = 0, lit = 0, sea = 0;
    for (int y = 140; y < 340; ++y)
        for (int x = 220; x < 420; ++x) {
            if (std::hypot(x - 320, y - 240) > 100)
                continue;
            ++inside;
            Rgb p = c.at(x, y);
            lit += p.r + p.g + p.b > 60;
            sea += p.b > p.r + 30 && p.b > p.g;
        }
    EXPECT_GT(lit, inside * 95 / 100);
    EXPECT_GT(sea, inside / 3);
    // Black round it, beyond the disc, below the flag.
    EXPECT_GT(shareNear(c, 0, 400, 640, 480, {0, 0, 0}, 4), 0.99);
    EXPECT_GT(shareNear(c, 0, 0, 160, 480, {0, 0, 0}, 4), 0.99);

    // The flag stands on top of the globe, between rows 25 and 110.
    int flag = 0;
    for (int y = 20; y < 112; ++y)
        for (int x = 260; x < 380; ++x)
            flag += orange(c.at(x, y));
    EXPECT_GT(flag, 100);
    for (const platform::RecordedBox& box : platform().boxes)
        ADD_FAILURE() << box.caption << ": " << box.text;
}

TEST_F(MenuGlobeTest, TheMenuGlobeTurnsAFrameAtATime)
{
    globe.load();
    EXPECT_EQ(globe.spin, 0);
    clearFrame();
    globe.drawMenuBackground();
    Capture first = testsupport::captureBackBuffer();
    for (int frame = 2; frame <= 240; ++frame) {
        clearFrame();
        globe.drawMenuBackground();
        if (frame == 30) {
            Capture later = testsupport::captureBackBuffer();
            EXPECT_GT(shareDiffering(first, later, 20), 0.01) << "the globe has turned";
        }
    }
    EXPECT_EQ(globe.spin, 360) << "exactly, and kept for that frame";
    clearFrame();
    globe.drawMenuBackground();
    EXPECT_EQ(globe.spin, 1.5f);
}

TEST_F(MenuGlobeTest, LoadingAgainOrReleasingLeavesNoTexture)
{
    globe.load();
    const GLuint earth = GLuint(globe.earthTexture);
    std::vector<GLuint> lists;
    for (const ModelPart& part : globe.model->parts)
        lists.push_back(part.list);
    globe.load();
    if (GLuint(globe.earthTexture) != earth) {
        EXPECT_FALSE(glIsTexture(earth));
    }
    const GLuint second = GLuint(globe.earthTexture);
    globe.release();
    EXPECT_EQ(globe.model, nullptr);
    EXPECT_EQ(globe.earthTexture, -1);
    EXPECT_FALSE(glIsTexture(second));
    for (GLuint list : lists)
        EXPECT_FALSE(glIsList(list));
    // Drawing without a model or texture draws a plain globe and nothing breaks.
    clearFrame();
    globe.drawLoadingScene();
    globe.drawMenuBackground();
}
