#include "render/texture.h"

#include "app/overlay.h"
#include "support/bmp_builder.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"

#include <GL/gl.h>

using testsupport::Rgb;

namespace {

class Texture : public testsupport::GlTest {
protected:
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::string path = folder.path() + name;
        EXPECT_TRUE(testbmp::writeFile(path, bytes));
        return path;
    }

    static GLint parameter(GLenum name)
    {
        GLint v = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &v);
        return v;
    }

    static GLint levelWidth(int level)
    {
        GLint v = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &v);
        return v;
    }

    testsupport::TempFolder folder;
};

std::vector<uint8_t> readLevel(int level, int side, GLenum format, int channels)
{
    std::vector<uint8_t> out(size_t(side) * side * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, out.data());
    return out;
}

} // namespace

TEST_F(Texture, ColorKeyTextureMakesOnlyTheKeyTransparent)
{
    // Top-left is the key; top-right differs from it in the blue byte only.
    std::string path = write("keyed.bmp", testbmp::rgb24File(2, 2, {{255, 0, 255}, {255, 0, 254}, {1, 2, 3}, {4, 5, 6}}));
    TextureId id = createColorKeyTexture(path, 0xFF00FF);
    ASSERT_GT(id, 0);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(levelWidth(0), 2);
    EXPECT_EQ(levelWidth(1), 0) << "no mipmaps";
    // Texture rows are bottom row first: the picture's top row is row 1.
    std::vector<uint8_t> rgba = readLevel(0, 2, GL_RGBA, 4);
    EXPECT_EQ(rgba[3], 255);
    EXPECT_EQ(rgba[7], 255);
    EXPECT_EQ(rgba[11], 0);
    EXPECT_EQ(rgba[15], 255);
    EXPECT_EQ(rgba[8], 255);
    EXPECT_EQ(rgba[14], 254);
    deleteTexture(id);
}

TEST_F(Texture, MipmappedTexturesAreClampedAndScaledToPowersOfTwo)
{
    std::vector<testbmp::Colour> pixels(3 * 5, {200, 100, 50});
    TextureId fromFile = createMipmappedTexture(write("odd.bmp", testbmp::rgb24File(3, 5, pixels)));
    ASSERT_GT(fromFile, 0);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    GLint w = levelWidth(0);
    EXPECT_TRUE(w > 0 && (w & (w - 1)) == 0) << w;

    const uint8_t block[2 * 2 * 3] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    TextureId fromPixels = createMipmappedTextureFromPixels(block, 2, 2);
    ASSERT_GT(fromPixels, 0);
    EXPECT_NE(fromPixels, fromFile);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(levelWidth(1), 1);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    deleteTexture(fromFile);
    deleteTexture(fromPixels);
    EXPECT_FALSE(glIsTexture(GLuint(fromFile)));
}

TEST_F(Texture, UnreadableFilesGiveTextureZeroAfterOneBox)
{
    EXPECT_EQ(createMipmappedTexture(folder.path() + "missing.bmp"), 0);
    EXPECT_EQ(createColorKeyTexture(write("bad.bmp", {'B', 'M', 1, 2}), 0), 0);
    ASSERT_EQ(platform().boxes.size(), 2u);
    EXPECT_EQ(platform().boxes[1].text, "Unknown DIB file format.");
}

TEST_F(Texture, MapTextureHasEveryLevelDownToOnePixelEachAWholeMap)
{
    // side 256: left half red, right half blue; the double image is all green.
    const int side = 256;
    std::vector<uint8_t> image(side * side * 3, 0), doubled(4 * side * side * 3, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image[(y * side + x) * 3 + (x < side / 2 ? 0 : 2)] = 255;
    for (size_t i = 1; i < doubled.size(); i += 3)
        doubled[i] = 255;
    TextureId id = createMapTexture(doubled.data(), 2 * side, image.data(), side);
    ASSERT_GT(id, 0);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    for (int level = 0; level <= 9; ++level)
        EXPECT_EQ(levelWidth(level), 512 >> level) << "level " << level;
    EXPECT_EQ(levelWidth(10), 0);
    EXPECT_EQ(readLevel(0, 512, GL_RGB, 3)[1], 255);

    // A far zoom shows levels 4 and up: each must still be left red, right blue
    // in every row, not the first rows of a larger level.
    for (int level = 4; level <= 8; ++level) {
        SCOPED_TRACE(level);
        const int s = side >> (level - 1);
        std::vector<uint8_t> pixels = readLevel(level, s, GL_RGB, 3);
        for (int y = 0; y < s; ++y) {
            EXPECT_EQ(pixels[(y * s) * 3 + 0], 255);
            EXPECT_EQ(pixels[(y * s + s - 1) * 3 + 2], 255);
            EXPECT_EQ(pixels[(y * s + s - 1) * 3 + 0], 0);
        }
    }
    std::vector<uint8_t> last = readLevel(9, 1, GL_RGB, 3);
    EXPECT_NEAR(last[0], 128, 1);
    EXPECT_NEAR(last[2], 128, 1);
    deleteTexture(id);

    EXPECT_EQ(createMapTexture(doubled.data(), side, image.data(), side), 0) << "double side must be 2 x side";
}

TEST_F(Texture, TexturedOverlayQuadShowsThePicture)
{
    // Picture rows, top first: red over blue. The overlay puts texture row 0
    // (the picture's bottom row) on the quad's top edge.
    std::vector<testbmp::Colour> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pixels.push_back(y < 4 ? testbmp::Colour{255, 0, 0} : testbmp::Colour{0, 0, 255});
    TextureId id = createMipmappedTexture(write("halves.bmp", testbmp::rgb24File(8, 8, pixels)));
    ASSERT_GT(id, 0);
    drawImage(101, 101, 200, 200, id, 0);
    testsupport::Capture c = captureAndSave("texture_overlay_quad");
    // Away from the middle, where linear filtering blends the two halves.
    EXPECT_GT(shareNear(c, 120, 120, 280, 180, {0, 0, 255}, 8), 0.95);
    EXPECT_GT(shareNear(c, 120, 220, 280, 280, {255, 0, 0}, 8), 0.95);
    EXPECT_GT(shareNear(c, 0, 0, 90, 480, {0, 0, 0}, 0), 0.99);

    bindTexture(-1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    bindTexture(id);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, id);
    deleteTexture(id);
}
