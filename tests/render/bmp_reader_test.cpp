#include "render/bmp_reader.h"

#include "support/scripted_platform.h"
#include "support/bmp_builder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class BmpReader : public ::testing::Test {
protected:
    void SetUp() override { platform::setCurrent(&platform); }
    void TearDown() override { platform::setCurrent(nullptr); }

    platform::ScriptedPlatform platform;
    testsupport::TempFolder folder;
};

} // namespace

TEST_F(BmpReader, ReportsEachFailureInABoxCaptionedError)
{
    enum Kind { File, Missing, Folder };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        Kind kind;
        const char* message;  // null: the open failure with the path
    };
    testbmp::BmpFile v5;
    v5.headerSize = 124;
    testbmp::BmpFile truncated;
    truncated.width = 4, truncated.height = 4;
    truncated.pixels.resize(10);
    testbmp::BmpFile huge;
    huge.width = 100000;
    const std::vector<Case> cases = {
        {"missing", {}, Missing, nullptr},
        {"a folder", {}, Folder, nullptr},
        {"empty", {}, File, nullptr},
        {"124-byte header", testbmp::encode(v5), File, "Unknown DIB file format."},
        {"pixels cut short", testbmp::encode(truncated), File, "Image file conversion error."},
        {"absurd width", testbmp::encode(huge), File, "Out of memory."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.boxes.clear();
        const std::string path = folder.path() + c.name + ".bmp";
        if (c.kind == Folder)
            folder.subfolder(std::string(c.name) + ".bmp");
        if (c.kind == File) {
            ASSERT_TRUE(testbmp::writeFile(path, c.bytes));
        }
        EXPECT_FALSE(loadBmpImage(path).has_value());
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].caption, "Error");
        EXPECT_EQ(platform.boxes[0].text, c.message ? c.message : "Failed to open DIB file " + path + ".\n");
    }
}

TEST_F(BmpReader, FindsAssetNamesCaseInsensitivelyBesideTheExecutable)
{
    platform.assetFolder = folder.path();
    std::string images = folder.subfolder("Images");
    ASSERT_TRUE(testbmp::writeFile(images + "Sky.bmp", testbmp::rgb24File(1, 1, {{1, 2, 3}})));

    std::optional<RgbImage> image = loadBmpImage("images\\sky.BMP");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixels, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(platform.boxes.empty());

    EXPECT_FALSE(loadBmpImage("Images\\grass.bmp").has_value());
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Failed to open DIB file " + images + "grass.bmp.\n");
}
