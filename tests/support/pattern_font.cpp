#include "pattern_font.h"

#include "bmp_builder.h"

namespace testsupport {
namespace {

// Nine 4 x 4 blocks in three rows within x 0..11: seven bits of (code - 32),
// one block always lit (a glyph is present), one always dark.
constexpr int kBlocks = 9;
constexpr int kMarkerBlock = 7;

int blockX(int k) { return (k % 3) * 4; }
int blockY(int k) { return 2 + (k / 3) * 4; }

bool blockLit(int index, int k)
{
    if (k < 7)
        return index >> k & 1;
    return k == kMarkerBlock;
}

bool bright(Rgb c) { return c.r + c.g + c.b > 3 * 128; }

} // namespace

std::vector<uint8_t> patternFontBmp()
{
    std::vector<testbmp::Colour> pixels(256 * 256, testbmp::Colour{10, 10, 10});
    for (int index = 0; index < 95; ++index) {
        const int cellX = 16 * (index % 16), cellY = 16 * (index / 16);
        for (int k = 0; k < kBlocks; ++k) {
            if (!blockLit(index, k))
                continue;
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    pixels[size_t(cellY + blockY(k) + y) * 256 + cellX + blockX(k) + x] = {255, 255, 255};
        }
    }
    return testbmp::rgb24File(256, 256, pixels);
}

std::string readPatternText(const Capture& capture, int x, int y, int count)
{
    std::string text;
    for (int g = 0; g < count; ++g) {
        const int gx = x + 12 * g;
        auto lit = [&](int k) { return bright(capture.at(gx + blockX(k) + 1, y + blockY(k) + 1)); };
        if (!lit(kMarkerBlock)) {
            text += ' ';
            continue;
        }
        if (lit(8)) {
            text += '?';
            continue;
        }
        int index = 0;
        for (int k = 0; k < 7; ++k)
            index |= lit(k) << k;
        text += index < 95 ? char(32 + index) : '?';
    }
    return text;
}

} // namespace testsupport
