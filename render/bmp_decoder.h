#pragma once
// The BMP format as bytes in, picture or reason out. Pure: no files, no
// messages, so it can be fuzzed and tested without a window.
#include "render/rgb_image.h"

#include <cstddef>
#include <cstdint>

enum class BmpError {
    None,
    Empty,            // nothing to read: reported like a file that cannot be opened
    UnknownFormat,    // not a 12- or 40-byte DIB header, or the header is cut short
    OutOfMemory,      // the picture is larger than any texture the game could use
    ConversionError,  // the pixel data does not decode (truncated, bad indices, bad runs)
};

// Largest side and pixel count accepted (2048 x 2048 is far beyond any
// texture the game uses); anything larger is refused before memory is
// allocated for it, since a few bytes of run-length data can declare any size.
constexpr int32_t kBmpMaxSide = 8192;
constexpr int64_t kBmpMaxPixels = int64_t(1) << 22;

// Decodes a BMP file image (with or without the 14-byte file header): core
// and info headers; 1-, 4-, 8-bit palettised, 16- and 32-bit (plain and bit
// fields) and 24-bit pixels; RLE8 and RLE4; bottom-up and top-down rows.
// On success `out` holds the picture, bottom row first.
BmpError decodeBmp(const uint8_t* data, size_t size, RgbImage& out);

// The user-facing text for an error other than None and Empty.
const char* bmpErrorMessage(BmpError error);
