#pragma once
// A sound's samples decoded once, at load time, into what the mixer reads:
// signed 16-bit values, left and right interleaved for stereo.
#include "sound/wave_file.h"

#include <cstdint>
#include <vector>

struct PcmSamples {
    std::vector<int16_t> samples;  // frames × channels values
    int channels = 0;              // 1 or 2
    uint32_t frames = 0;
    uint32_t rate = 0;             // frames per second as recorded
};

// Playback rates a sound may have or be given, in Hz.
constexpr uint32_t kMinSampleRate = 100;
constexpr uint32_t kMaxSampleRate = 200000;

// Whether a sound of this format and sample byte count can be played: PCM,
// mono or stereo, 8 or 16 bits, a consistent block size, a rate the mixer
// takes and at least one whole frame.
bool canDecode(const WaveFormat& format, uint32_t bytes);

// Decodes 8-bit unsigned or 16-bit little-endian samples; a trailing partial
// frame is dropped. `format` must pass canDecode.
PcmSamples decodePcm(const WaveFormat& format, const uint8_t* data, uint32_t bytes);
