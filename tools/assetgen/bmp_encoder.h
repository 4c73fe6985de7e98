#pragma once
// 24-bit uncompressed BMP files, bottom row first.
#include "tools/assetgen/image.h"

#include <cstdint>
#include <vector>

namespace assetgen {

// Encodes every pixel as it is (coverage is ignored).
std::vector<uint8_t> encodeBmp(const Image& image);
// Encodes pixels with coverage below one half as exactly `key` (0xRRGGBB)
// and nudges any other pixel that would round to the key, so the game's
// colour key makes precisely the intended pixels transparent.
std::vector<uint8_t> encodeKeyedBmp(const Image& image, unsigned key);

} // namespace assetgen
