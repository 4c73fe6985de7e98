#pragma once
// 16-bit PCM RIFF WAVE files.
#include <cstdint>
#include <vector>

namespace assetgen {

// Encodes mono samples in -1 ... 1 (clipped beyond) at `rate` samples per second.
std::vector<uint8_t> encodeWav(const std::vector<float>& samples, int rate);

} // namespace assetgen
