#pragma once
// Builds BMP files byte by byte, so reader tests and fuzz seeds can make
// every variant (and every broken one) without image files on disk.
#include <cstdint>
#include <string>
#include <vector>

namespace testbmp {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
};

struct BmpFile {
    uint32_t headerSize = 40;  // 12 and 40 are readable; 108 or 124 make later header kinds
    bool fileHeader = true;    // the 14-byte "BM" header
    int32_t width = 1;
    int32_t height = 1;  // negative: rows stored top first
    uint16_t bitCount = 24;
    uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
    uint32_t colorsUsed = 0;
    std::vector<Colour> palette;   // 3-byte entries after a 12-byte header, 4-byte otherwise
    std::vector<uint32_t> masks;   // written after the header when not empty
    std::vector<uint8_t> pixels;   // rows or run-length stream exactly as stored
    int64_t pixelOffsetOverride = -1;  // file header's data offset when not -1
};

std::vector<uint8_t> encode(const BmpFile& file);

// Stored rows (each padded to 4 bytes) from one value per pixel, in the order
// the rows are stored: a palette index, a 16- or 32-bit word, or 0xRRGGBB for
// 24 bits.
std::vector<uint8_t> packRows(int width, int rows, int bitCount, const std::vector<uint32_t>& values);

// A plain 24-bit BMP of the picture given top row first.
std::vector<uint8_t> rgb24File(int width, int height, const std::vector<Colour>& topRowFirst);

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace testbmp
