#include "model/model.h"
#include "platform/asset_path.h"
#include "render/bmp_reader.h"
#include "render/texture.h"
#include "support/gl_test.h"

#include <GL/gl.h>

namespace {

class GeneratedAssets : public testsupport::GlTest {};

bool powerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

} // namespace

TEST_F(GeneratedAssets, EveryGeneratedAssetLoads)
{
    // The build makes the assets beside the tests; without them the game
    // would run untextured and empty, so that is a failure.
    const std::string base = platform().baseFolder();
    for (const char* folder : {"Images", "Models"})
        ASSERT_FALSE(platform::resolveIn(base, folder).empty()) << "no generated " << folder << " folder in " << base;

    struct Picture {
        const char* name;
        int64_t key;  // colour key, or -1 for a mipmapped texture
    };
    const Picture pictures[] = {
        {"Images\\font.bmp", 0x0A0A0A}, {"Images\\Cursor.bmp", 0x00FF00}, {"images\\Compass.bmp", 0xFF00FF},
        {"images\\Sky.bmp", -1},        {"Images\\grass.bmp", -1},        {"Images\\earth.bmp", -1},
    };
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        std::optional<RgbImage> image = loadBmpImage(p.name);
        ASSERT_TRUE(image.has_value());
        if (p.key >= 0) {
            EXPECT_TRUE(powerOfTwo(image->width) && powerOfTwo(image->height)) << "keyed images are not rescaled";
        }
        TextureId id = p.key >= 0 ? createColorKeyTexture(p.name, uint32_t(p.key)) : createMipmappedTexture(p.name);
        EXPECT_GT(id, 0);
        deleteTexture(id);
    }
    std::optional<RgbImage> font = loadBmpImage("Images\\font.bmp");
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->width, 256);
    EXPECT_EQ(font->height, 256);

    for (const char* name : {"Models\\tree1.vr", "Models\\tree2.vr", "Models\\tree3.vr", "Models\\bush1.vr",
                             "Models\\bush2.vr", "Models\\bush3.vr", "Models\\baliza.vr"}) {
        SCOPED_TRACE(name);
        Model model;
        model.load(name);
        EXPECT_GT(model.partCount(), 0);
        for (const ModelPart& part : model.parts) {
            EXPECT_NE(part.list, 0u) << "every part is read";
            EXPECT_NE(part.texture, 0) << "a named texture that did not load";
        }
        model.destroy();
    }
    for (const platform::RecordedBox& box : platform().boxes)
        ADD_FAILURE() << box.caption << ": " << box.text;
}
