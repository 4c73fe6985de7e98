#include "render/bmp_decoder.h"

#include "support/bmp_builder.h"

#include <gtest/gtest.h>

#include <functional>

using testbmp::BmpFile;
using testbmp::Colour;
using testbmp::packRows;

namespace {

// Expected pixels as 0xRRGGBB, bottom row first like the decoder's output.
std::vector<uint32_t> pixelsOf(const RgbImage& image)
{
    std::vector<uint32_t> out;
    for (size_t i = 0; i + 2 < image.pixels.size(); i += 3)
        out.push_back(uint32_t(image.pixels[i]) << 16 | uint32_t(image.pixels[i + 1]) << 8 | image.pixels[i + 2]);
    return out;
}

const std::vector<Colour> kFourColours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};

BmpFile palettised(int bitCount, int width, int height, const std::vector<uint32_t>& indices)
{
    BmpFile f;
    f.bitCount = uint16_t(bitCount);
    f.width = width;
    f.height = height;
    f.palette = kFourColours;
    f.colorsUsed = 4;
    if (!indices.empty())
        f.pixels = packRows(width, std::abs(height), bitCount, indices);
    return f;
}

struct DecodeCase {
    const char* name;
    std::function<BmpFile()> make;
    int width, height;
    std::vector<uint32_t> expected;  // bottom row first
};

} // namespace

TEST(BmpDecoder, DecodesEveryVariant)
{
    const std::vector<DecodeCase> cases = {
        {"24-bit 2x2 with file header",
         [] {
             BmpFile f;
             f.width = 2, f.height = 2;
             f.pixels = packRows(2, 2, 24, {0x112233, 0x445566, 0x778899, 0xAABBCC});
             return f;
         },
         2, 2, {0x112233, 0x445566, 0x778899, 0xAABBCC}},
        {"24-bit width 3: three padding bytes per stored row, none in the result",
         [] {
             BmpFile f;
             f.width = 3, f.height = 2;
             f.pixels = packRows(3, 2, 24, {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112});
             EXPECT_EQ(f.pixels.size(), 24u);
             return f;
         },
         3, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112}},
        {"info header at byte 0, no file header",
         [] {
             BmpFile f = palettised(8, 2, 1, {2, 3});
             f.fileHeader = false;
             return f;
         },
         2, 1, {0x0000FF, 0x0A141E}},
        {"8-bit palette colours come out in R, G, B order",
         [] { return palettised(8, 4, 1, {0, 1, 2, 3}); }, 4, 1, {0xFF0000, 0x00FF00, 0x0000FF, 0x0A141E}},
        {"4-bit, odd width",
         [] { return palettised(4, 3, 2, {3, 2, 1, 0, 1, 2}); }, 3, 2,
         {0x0A141E, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FF00, 0x0000FF}},
        {"1-bit, nine pixels across a byte boundary",
         [] {
             BmpFile f = palettised(1, 9, 1, {1, 0, 0, 0, 0, 0, 0, 1, 1});
             f.colorsUsed = 0;
             f.palette.resize(2);
             return f;
         },
         9, 1, {0x00FF00, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00}},
        {"8-bit with no colour count takes the full table",
         [] {
             BmpFile f = palettised(8, 1, 1, {255});
             f.colorsUsed = 0;
             f.palette.resize(256);
             f.palette[255] = {1, 2, 3};
             return f;
         },
         1, 1, {0x010203}},
        {"12-byte core header with 3-byte table entries",
         [] {
             BmpFile f = palettised(8, 3, 1, {1, 0, 3});
             f.headerSize = 12;
             f.palette.resize(256);
             return f;
         },
         3, 1, {0x00FF00, 0xFF0000, 0x0A141E}},
        {"core header without a file header, 24-bit",
         [] {
             BmpFile f;
             f.headerSize = 12, f.fileHeader = false;
             f.width = 1, f.height = 2;
             f.pixels = packRows(1, 2, 24, {0xFF8000, 0x0080FF});
             return f;
         },
         1, 2, {0xFF8000, 0x0080FF}},
        {"16-bit plain is 5-5-5",
         [] {
             BmpFile f;
             f.bitCount = 16, f.width = 3, f.height = 1;
             f.pixels = packRows(3, 1, 16, {0x7C00, 0x03E0, 0x001F});
             return f;
         },
         3, 1, {0xFF0000, 0x00FF00, 0x0000FF}},
        {"16-bit bit fields 5-6-5",
         [] {
             BmpFile f;
             f.bitCount = 16, f.compression = 3, f.width = 3, f.height = 1;
             f.masks = {0xF800, 0x07E0, 0x001F};
             f.pixels = packRows(3, 1, 16, {0xF800, 0x07E0, 0x0410});
             return f;
         },
         3, 1, {0xFF0000, 0x00FF00, 0x008284}},
        {"32-bit plain ignores the fourth byte",
         [] {
             BmpFile f;
             f.bitCount = 32, f.width = 2, f.height = 1;
             f.pixels = packRows(2, 1, 32, {0xFF123456, 0x00ABCDEF});
             return f;
         },
         2, 1, {0x123456, 0xABCDEF}},
        {"32-bit bit fields in another channel order",
         [] {
             BmpFile f;
             f.bitCount = 32, f.compression = 3, f.width = 1, f.height = 1;
             f.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
             f.pixels = packRows(1, 1, 32, {0x00332211});
             return f;
         },
         1, 1, {0x112233}},
        {"top-down rows come out bottom row first",
         [] {
             BmpFile f;
             f.width = 1, f.height = -3;
             f.pixels = packRows(1, 3, 24, {0x000001, 0x000002, 0x000003});
             return f;
         },
         1, 3, {0x000003, 0x000002, 0x000001}},
        {"RLE8: runs, absolute run, delta, end of line, end of bitmap; skipped pixels black",
         [] {
             BmpFile f = palettised(8, 4, 3, {});
             f.compression = 1;
             f.pixels = {1, 1, 0, 3, 2, 3, 0, 0,  // one 1, then absolute 2 3 0 (padded to even)
                         0, 0,                    // end of row 0
                         0, 2, 1, 1,              // delta: x 1, row 2
                         3, 3,                    // row 2: three 3s
                         0, 1};
             return f;
         },
         4, 3,
         {0x00FF00, 0x0000FF, 0x0A141E, 0xFF0000, 0, 0, 0, 0, 0, 0x0A141E, 0x0A141E, 0x0A141E}},
        {"RLE4: alternating nibbles and an odd absolute run",
         [] {
             BmpFile f = palettised(4, 5, 1, {});
             f.compression = 2;
             f.pixels = {2, 0x12, 0, 3, 0x30, 0x10, 0, 1};
             return f;
         },
         5, 1, {0x00FF00, 0x0000FF, 0x0A141E, 0xFF0000, 0x00FF00}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = testbmp::encode(c.make());
        RgbImage image;
        ASSERT_EQ(decodeBmp(bytes.data(), bytes.size(), image), BmpError::None);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.pixels.size(), size_t(c.width) * c.height * 3);
        EXPECT_EQ(pixelsOf(image), c.expected);
    }
}

TEST(BmpDecoder, RefusesMalformedFilesWithTheirMessage)
{
    struct Case {
        const char* name;
        std::function<std::vector<uint8_t>()> make;
        BmpError expected;
    };
    auto file = [](std::function<void(BmpFile&)> change) {
        return [change] {
            BmpFile f;
            f.width = 2, f.height = 2;
            f.pixels = packRows(2, 2, 24, {1, 2, 3, 4});
            change(f);
            return testbmp::encode(f);
        };
    };
    auto cut = [](std::vector<uint8_t> bytes, size_t keep) {
        bytes.resize(keep);
        return bytes;
    };
    const std::vector<Case> cases = {
        {"empty", [] { return std::vector<uint8_t>(); }, BmpError::Empty},
        {"108-byte header", file([](BmpFile& f) { f.headerSize = 108; }), BmpError::UnknownFormat},
        {"124-byte header", file([](BmpFile& f) { f.headerSize = 124; }), BmpError::UnknownFormat},
        {"64-byte header without file header",
         file([](BmpFile& f) { f.headerSize = 64, f.fileHeader = false; }), BmpError::UnknownFormat},
        {"only the file header", [&] { return cut(testbmp::encode(BmpFile{}), 14); }, BmpError::UnknownFormat},
        {"\"BM\" and nothing else", [] { return std::vector<uint8_t>{'B', 'M'}; }, BmpError::UnknownFormat},
        {"info header cut short", [&] { return cut(testbmp::encode(BmpFile{}), 30); }, BmpError::UnknownFormat},
        {"pixel rows cut short", [&] { return cut(file([](BmpFile&) {})(), 14 + 40 + 10); },
         BmpError::ConversionError},
        {"data offset past the end", file([](BmpFile& f) { f.pixelOffsetOverride = 0xFFFFFFF0; }),
         BmpError::ConversionError},
        {"width 0", file([](BmpFile& f) { f.width = 0; }), BmpError::ConversionError},
        {"height 0", file([](BmpFile& f) { f.height = 0; }), BmpError::ConversionError},
        {"negative width", file([](BmpFile& f) { f.width = -2; }), BmpError::ConversionError},
        {"sides whose product overflows 32 bits",
         file([](BmpFile& f) { f.width = 0x10000, f.height = 0x10000; }), BmpError::OutOfMemory},
        {"largest sides", file([](BmpFile& f) { f.width = 0x7FFFFFFF, f.height = 0x7FFFFFFF; }),
         BmpError::OutOfMemory},
        {"most negative height", file([](BmpFile& f) { f.height = INT32_MIN; }), BmpError::OutOfMemory},
        {"too many pixels within the side limit",
         file([](BmpFile& f) { f.width = kBmpMaxSide, f.height = kBmpMaxSide; }), BmpError::OutOfMemory},
        {"bit count 7", file([](BmpFile& f) { f.bitCount = 7; }), BmpError::ConversionError},
        {"JPEG compression", file([](BmpFile& f) { f.compression = 4; }), BmpError::ConversionError},
        {"bit fields with 24 bits", file([](BmpFile& f) { f.compression = 3, f.masks = {0xFF, 0xFF00, 0xFF0000}; }),
         BmpError::ConversionError},
        {"bit fields without their masks",
         [&] {
             BmpFile f;
             f.bitCount = 16, f.compression = 3, f.fileHeader = false;
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"a mask with a gap",
         file([](BmpFile& f) {
             f.bitCount = 16, f.compression = 3, f.masks = {0xF00F, 0x00F0, 0x0F00};
             f.pixels = packRows(2, 2, 16, {0, 0, 0, 0});
         }),
         BmpError::ConversionError},
        {"colour table larger than the file",
         file([](BmpFile& f) { f.bitCount = 8, f.colorsUsed = 0xFFFFFFFF; }), BmpError::ConversionError},
        {"palette index beyond the table",
         [] { return testbmp::encode(palettised(8, 2, 1, {1, 4})); }, BmpError::ConversionError},
        {"RLE8 run past the end of its row",
         [] {
             BmpFile f = palettised(8, 4, 1, {});
             f.compression = 1, f.pixels = {5, 1, 0, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE8 absolute run past the end of its row",
         [] {
             BmpFile f = palettised(8, 2, 1, {});
             f.compression = 1, f.pixels = {0, 3, 1, 1, 1, 0, 0, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE8 rows past the top of the image",
         [] {
             BmpFile f = palettised(8, 1, 1, {});
             f.compression = 1, f.pixels = {1, 1, 0, 0, 1, 1, 0, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE8 delta past the image",
         [] {
             BmpFile f = palettised(8, 2, 2, {});
             f.compression = 1, f.pixels = {0, 2, 0, 3, 0, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE8 without an end-of-bitmap mark",
         [] {
             BmpFile f = palettised(8, 2, 1, {});
             f.compression = 1, f.pixels = {2, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE8 absolute run cut off by the end of the file",
         [] {
             BmpFile f = palettised(8, 8, 1, {});
             f.compression = 1, f.pixels = {0, 6, 1, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE4 nibble beyond the table",
         [] {
             BmpFile f = palettised(4, 2, 1, {});
             f.compression = 2, f.pixels = {2, 0x19, 0, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE with top-down rows",
         [] {
             BmpFile f = palettised(8, 1, -1, {});
             f.compression = 1, f.pixels = {1, 1, 0, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
        {"RLE8 with 4 bits per pixel",
         [] {
             BmpFile f = palettised(4, 1, 1, {});
             f.compression = 1, f.pixels = {1, 1, 0, 1};
             return testbmp::encode(f);
         },
         BmpError::ConversionError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = c.make();
        RgbImage image;
        image.width = 99;
        EXPECT_EQ(decodeBmp(bytes.data(), bytes.size(), image), c.expected);
        EXPECT_EQ(image.width, 99) << "a refused file leaves the output alone";
    }
}

TEST(BmpDecoder, EveryTruncationOfAValidFileIsRefusedCleanly)
{
    // Under the sanitizers this also proves no read past the given bytes.
    for (BmpFile f : {palettised(8, 3, 2, {0, 1, 2, 3, 0, 1}), palettised(4, 3, 2, {0, 1, 2, 3, 0, 1})}) {
        std::vector<uint8_t> whole = testbmp::encode(f);
        for (size_t n = 0; n < whole.size(); ++n) {
            std::vector<uint8_t> part(whole.begin(), whole.begin() + n);
            RgbImage image;
            EXPECT_NE(decodeBmp(part.data(), part.size(), image), BmpError::None) << n << " bytes";
        }
    }
}
