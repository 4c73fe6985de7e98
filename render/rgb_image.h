#pragma once
// A decoded picture as the texture builders take it.
#include <cstdint>
#include <vector>

// width x height pixels, 3 bytes each in R, G, B order, rows packed without
// padding, bottom row first (the row order OpenGL expects).
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};
