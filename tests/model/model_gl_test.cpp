#include "model/model.h"

#include "support/bmp_builder.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <fstream>

using testsupport::Capture;
using testsupport::Rgb;

namespace {

class ModelDrawing : public testsupport::GlTest {
protected:
    std::string writeModel(const std::string& name, const std::string& text)
    {
        std::string path = folder.subfolder("Models") + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Orthographic view, 80 pixels per unit, origin at the window's centre.
    void lookAlongMinusZ()
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-4, 4, -3, 3, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // The same, looking down from above: screen right is +x, screen up is -z.
    void lookDown()
    {
        lookAlongMinusZ();
        gluLookAt(0, 5, 0, 0, 0, 0, 0, 0, -1);
    }

    testsupport::TempFolder folder;
};

const Rgb kRed{255, 0, 0}, kBlack{0, 0, 0};

const char* kRedSquare = "object {\n translation v 1 0 0\n material { diffuse 1 0 0 }\n N_M_POLY 1 4\n"
                         " v -0.5 -0.5 0\n v 0.5 -0.5 0\n v 0.5 0.5 0\n v -0.5 0.5 0\n}\n";

} // namespace

TEST_F(ModelDrawing, PartsAreTranslatedAtLoadAndPlacedAndScaledWhenDrawn)
{
    Model model;
    model.load(writeModel("square.vr", kRedSquare));
    ASSERT_EQ(model.partCount(), 1);
    EXPECT_NE(model.parts[0].list, 0u);
    EXPECT_EQ(model.parts[0].texture, -1);
    lookAlongMinusZ();
    const float position[3] = {-1, 0, 0}, scale[3] = {1, 0.5f, 1};
    model.draw(position, nullptr, scale);
    Capture c = captureAndSave("model_square");
    // The file's translation (1, 0, 0) and the position (-1, 0, 0) cancel out.
    EXPECT_GT(shareNear(c, 285, 225, 355, 255, kRed, 0), 0.99);
    EXPECT_TRUE(near(c.at(320, 210), kBlack, 0)) << "scaled to half height";
    EXPECT_TRUE(near(c.at(370, 240), kBlack, 0));
    model.destroy();
}

TEST_F(ModelDrawing, OnlyTheFirstNonZeroAngleRotates)
{
    // A bar from x 0.2 to 1.8 lying flat, seen from above.
    Model model;
    model.load(writeModel("bar.vr", "object translation v 0 0 0 material diffuse 1 0 0 N_M_POLY 1 4 "
                                    "v 0.2 0 -0.2 v 0.2 0 0.2 v 1.8 0 0.2 v 1.8 0 -0.2 }"));
    lookDown();
    const float rotation[3] = {0, 90, 45};
    model.draw(nullptr, rotation, nullptr);
    Capture c = captureAndSave("model_rotation");
    // 90 degrees about y alone turns the bar to point up the screen (-z),
    // full length; any turn about z as well would shorten it.
    EXPECT_TRUE(near(c.at(320, 240 - 128), kRed, 0));
    EXPECT_TRUE(near(c.at(320, 240 - 24), kRed, 0));
    EXPECT_TRUE(near(c.at(320 + 80, 240), kBlack, 0));
    EXPECT_TRUE(near(c.at(320, 240 + 80), kBlack, 0));
    model.destroy();
}

TEST_F(ModelDrawing, TexturesComeFromTheImagesFolder)
{
    platform().assetFolder = folder.path();
    std::vector<testbmp::Colour> green(4, {0, 200, 0});
    ASSERT_TRUE(testbmp::writeFile(folder.subfolder("Images") + "Leaf.bmp", testbmp::rgb24File(2, 2, green)));
    std::string text = "object translation v 0 0 0 texture \"leaf.bmp\" material diffuse 1 1 1 N_M_POLY 1 4 "
                       "v -1 -1 0 t 0 0 v 1 -1 0 t 1 0 v 1 1 0 t 1 1 v -1 1 0 t 0 1 }\n" +
                       std::string(kRedSquare);
    writeModel("leafy.vr", text);

    Model model;
    model.load("models\\LEAFY.vr");
    ASSERT_EQ(model.partCount(), 2);
    EXPECT_TRUE(platform().boxes.empty());
    TextureId texture = model.parts[0].texture;
    EXPECT_GT(texture, 0);
    EXPECT_EQ(model.parts[1].texture, -1);
    lookAlongMinusZ();
    const float position[3] = {-2, 0, 0};
    model.draw(position, nullptr, nullptr);
    Capture c = captureAndSave("model_textured");
    // Leaf at -2 (pixels 80..240), the untextured red square at -1 (200..280) drawn after it.
    EXPECT_GT(shareNear(c, 100, 170, 150, 310, {0, 200, 0}, 8), 0.99);
    EXPECT_GT(shareNear(c, 205, 205, 275, 275, kRed, 0), 0.99) << "untextured in its diffuse colour";

    model.destroy();
    EXPECT_EQ(model.partCount(), 0);
    EXPECT_FALSE(glIsTexture(GLuint(texture)));
}

TEST_F(ModelDrawing, MissingFilesGiveAnEmptyModelSilently)
{
    Model model;
    model.load(folder.path() + "nothing.vr");
    EXPECT_EQ(model.partCount(), 0);
    model.load(writeModel("empty.vr", ""));
    EXPECT_EQ(model.partCount(), 0);
    EXPECT_TRUE(platform().boxes.empty());
    lookAlongMinusZ();
    model.draw(nullptr, nullptr, nullptr);
    Capture c = testsupport::captureBackBuffer();
    EXPECT_EQ(shareNear(c, 0, 0, 640, 480, kBlack, 0), 1);
}

TEST_F(ModelDrawing, APartTheReaderNeverReachedIsSkipped)
{
    // The word counts as a part wherever it stands; this one is never read.
    Model model;
    model.load(writeModel("remark.vr", std::string(kRedSquare) + "# a second object was planned here\n"));
    ASSERT_EQ(model.partCount(), 2);
    lookAlongMinusZ();
    model.draw(nullptr, nullptr, nullptr);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    Capture c = captureAndSave("model_unread_part");
    EXPECT_GT(shareNear(c, 365, 205, 435, 275, kRed, 0), 0.99) << "the part that was read still draws";
}
