// Models repeat their own textures from the first draw on, and leave every
// other texture's wrapping alone (the sky and the map are clamped so they
// show no seam).
#include "model/model.h"
#include "render/texture.h"
#include "support/bmp_builder.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"

#include <GL/gl.h>

#include <fstream>

using testsupport::Capture;

namespace {

class ModelTextureWrap : public testsupport::GlTest {};

GLint wrapOf(TextureId texture)
{
    glBindTexture(GL_TEXTURE_2D, GLuint(texture));
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    return wrap;
}

} // namespace

TEST_F(ModelTextureWrap, ModelsRepeatTheirOwnTexturesOnly)
{
    testsupport::TempFolder folder;
    platform().assetFolder = folder.path();
    const std::string images = folder.subfolder("Images");
    // Left half red, right half blue.
    std::vector<testbmp::Colour> halves(8 * 8);
    for (size_t i = 0; i < halves.size(); ++i)
        halves[i] = i % 8 < 4 ? testbmp::Colour{255, 0, 0} : testbmp::Colour{0, 0, 255};
    ASSERT_TRUE(testbmp::writeFile(images + "halves.bmp", testbmp::rgb24File(8, 8, halves)));
    ASSERT_TRUE(testbmp::writeFile(images + "sky.bmp", testbmp::rgb24File(8, 8, halves)));
    // A quad across the view whose s runs from 0 to 2: the texture twice over.
    std::ofstream(folder.subfolder("Models") + "band.vr")
        << "object translation v 0 0 0 texture \"halves.bmp\" material diffuse 1 1 1 N_M_POLY 1 4 "
           "v -4 -1 0 t 0 0 v 4 -1 0 t 2 0 v 4 1 0 t 2 1 v -4 1 0 t 0 1 }\n";

    const TextureId sky = createMipmappedTexture("Images\\sky.bmp");
    Model model;
    model.load("Models\\band.vr");
    ASSERT_EQ(model.partCount(), 1);
    ASSERT_GT(model.parts[0].texture, 0);
    EXPECT_EQ(wrapOf(model.parts[0].texture), GL_REPEAT);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -3, 3, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    bindTexture(sky);  // what a frame has bound when the models come
    model.draw(nullptr, nullptr, nullptr);
    Capture c = captureAndSave("model_texture_repeats");
    EXPECT_EQ(wrapOf(sky), GL_CLAMP_TO_EDGE) << "the bound texture keeps its wrapping";

    // Four bands of 160 pixels: red, blue, red, blue.
    const testsupport::Rgb red{255, 0, 0}, blue{0, 0, 255};
    for (int band = 0; band < 4; ++band) {
        SCOPED_TRACE(band);
        EXPECT_GT(shareNear(c, band * 160 + 20, 200, band * 160 + 140, 280, band % 2 ? blue : red, 8), 0.99);
    }
    model.destroy();
    deleteTexture(sky);
}
