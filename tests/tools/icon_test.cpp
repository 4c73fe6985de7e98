// The launcher icons the build generates: every size is the same picture,
// the map sheet opaque on a transparent surround.
#include "tests/tools/assets_readers.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstring>

using namespace assets_test;

namespace {

struct Rgba {
    int size = 0;
    std::vector<uint8_t> pixels;  // R, G, B, A, top row first
    const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * size + x) * 4]; }
};

Rgba readIcon(int size)
{
    const std::vector<uint8_t> bytes = readFile(assetRoot() + "/icons/fernhollow-" + std::to_string(size) + ".png");
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    Rgba out;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return out;
    image.format = PNG_FORMAT_RGBA;
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr) || image.width != image.height)
        return {};
    out.size = static_cast<int>(image.width);
    return out;
}

// Mean of channel c over the square of the picture that a pixel of a
// `cells`-wide picture covers.
double cellMean(const Rgba& icon, int cells, int cx, int cy, int c)
{
    const double k = static_cast<double>(icon.size) / cells;
    double sum = 0;
    int n = 0;
    for (int y = static_cast<int>(cy * k); y < static_cast<int>((cy + 1) * k); ++y)
        for (int x = static_cast<int>(cx * k); x < static_cast<int>((cx + 1) * k); ++x, ++n)
            sum += icon.at(x, y)[c];
    return n ? sum / n : 0;
}

} // namespace

TEST(Icon, EverySizeIsTheSamePictureOnATransparentSurround)
{
    const Rgba large = readIcon(256);
    ASSERT_EQ(large.size, 256);
    for (int size : {48, 64, 128, 256}) {
        const Rgba icon = readIcon(size);
        ASSERT_EQ(icon.size, size);
        EXPECT_EQ(icon.at(0, 0)[3], 0) << size << ": corner";
        EXPECT_EQ(icon.at(size - 1, size - 1)[3], 0) << size << ": corner";
        EXPECT_EQ(icon.at(size / 3, size / 2)[3], 255) << size << ": the map sheet";
        // Against the largest one averaged down to this size, away from edges
        // that anti-aliasing moves by a pixel.
        double difference = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                for (int c = 0; c < 4; ++c)
                    difference += std::abs(icon.at(x, y)[c] - cellMean(large, size, x, y, c));
        EXPECT_LT(difference / (size * size * 4), 12.0) << size;
    }
}
