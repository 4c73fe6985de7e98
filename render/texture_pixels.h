#pragma once
// Pixel work the texture builders do before uploading; pure, so it is
// tested without a GL context.
#include "render/rgb_image.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// RGBA copy of `image`: alpha 0 where R, G and B all equal the key colour
// 0xRRGGBB exactly, 255 elsewhere.
std::vector<uint8_t> applyColorKey(const RgbImage& image, uint32_t key);

// Halves a square RGB block of side `side` (even) by averaging each 2 x 2
// block, rounding to nearest.
std::vector<uint8_t> halveSquareImage(const uint8_t* rgb, int side);

// The mipmap levels below a square RGB image of power-of-two side: side/2,
// side/4, ... down to 1 x 1, each a real downscale of the one above.
std::vector<std::vector<uint8_t>> squareMipmapChain(const uint8_t* rgb, int side);

bool isPowerOfTwo(int value);
