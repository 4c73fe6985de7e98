#include "render/texture_pixels.h"

std::vector<uint8_t> applyColorKey(const RgbImage& image, uint32_t key)
{
    const uint8_t kr = key >> 16 & 0xFF, kg = key >> 8 & 0xFF, kb = key & 0xFF;
    const size_t count = size_t(image.width) * size_t(image.height);
    std::vector<uint8_t> rgba(count * 4, 0);
    for (size_t i = 0; i < count && i * 3 + 2 < image.pixels.size(); ++i) {
        const uint8_t* p = &image.pixels[i * 3];
        uint8_t* q = &rgba[i * 4];
        q[0] = p[0], q[1] = p[1], q[2] = p[2];
        q[3] = (p[0] == kr && p[1] == kg && p[2] == kb) ? 0 : 255;
    }
    return rgba;
}

std::vector<uint8_t> halveSquareImage(const uint8_t* rgb, int side)
{
    const int half = side / 2;
    std::vector<uint8_t> out(size_t(half) * half * 3);
    for (int y = 0; y < half; ++y)
        for (int x = 0; x < half; ++x)
            for (int c = 0; c < 3; ++c) {
                auto at = [&](int dx, int dy) { return rgb[((2 * y + dy) * size_t(side) + 2 * x + dx) * 3 + c]; };
                int sum = at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1);
                out[(size_t(y) * half + x) * 3 + c] = uint8_t((sum + 2) / 4);
            }
    return out;
}

std::vector<std::vector<uint8_t>> squareMipmapChain(const uint8_t* rgb, int side)
{
    std::vector<std::vector<uint8_t>> levels;
    const uint8_t* above = rgb;
    for (int s = side; s >= 2 && isPowerOfTwo(s); s /= 2) {
        levels.push_back(halveSquareImage(above, s));
        above = levels.back().data();
    }
    return levels;
}

bool isPowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }
