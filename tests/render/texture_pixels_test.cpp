#include "render/texture_pixels.h"

#include <gtest/gtest.h>

TEST(TexturePixels, OnlyAnExactKeyMatchIsTransparent)
{
    RgbImage image;
    image.width = 2, image.height = 2;
    // The key 0x0A0B0C, then one pixel differing from it in each channel.
    image.pixels = {10, 11, 12, 11, 11, 12, 10, 12, 12, 10, 11, 13};
    std::vector<uint8_t> rgba = applyColorKey(image, 0x0A0B0C);
    ASSERT_EQ(rgba.size(), 16u);
    EXPECT_EQ(rgba[3], 0);
    EXPECT_EQ(rgba[7], 255);
    EXPECT_EQ(rgba[11], 255);
    EXPECT_EQ(rgba[15], 255);
    EXPECT_EQ(std::vector<uint8_t>(rgba.begin() + 4, rgba.begin() + 7), (std::vector<uint8_t>{11, 11, 12}));
}

TEST(TexturePixels, MipmapChainDownscalesTheWholeImage)
{
    // 8 x 8, left half red, right half blue: every level keeps that split,
    // and the 2 x 2 level's pixels are the pure colours.
    const int side = 8;
    std::vector<uint8_t> image(side * side * 3);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            uint8_t* p = &image[(y * side + x) * 3];
            p[0] = x < side / 2 ? 255 : 0;
            p[2] = x < side / 2 ? 0 : 255;
        }
    std::vector<std::vector<uint8_t>> chain = squareMipmapChain(image.data(), side);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[0].size(), 4u * 4 * 3);
    EXPECT_EQ(chain[1], (std::vector<uint8_t>{255, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0, 255}));
    EXPECT_EQ(chain[2], (std::vector<uint8_t>{128, 0, 128}));
}

TEST(TexturePixels, HalvingAveragesEachBlockRounded)
{
    const uint8_t block[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 255};
    EXPECT_EQ(halveSquareImage(block, 2), (std::vector<uint8_t>{5, 6, 68}));
}
