// Feeds arbitrary bytes to the WAV reader as a file image, and whatever it
// accepts on through decoding and a short mix at a rate taken from the input.
#include "sound/mixer.h"
#include "sound/wave_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WaveFile wave;
    if (wave.openMemory(data, size) != kWaveOk)
        return 0;
    const WaveFormat* format = wave.format();
    if (!format || format->extra.size() != format->extraSize || wave.size() > size)
        __builtin_trap();

    std::vector<uint8_t> bytes(wave.size());
    uint32_t got = 0, total = 0;
    // Odd piece sizes exercise the clamping at the end of the chunk.
    while (wave.read(bytes.data() + total, 7, &got) == kWaveOk && got > 0)
        total += got;
    if (total != wave.size())
        __builtin_trap();

    if (!canDecode(*format, wave.size()))
        return 0;
    PcmSamples pcm = decodePcm(*format, bytes.data(), total);
    static Mixer mixer(44100);
    mixer.attach(0, pcm);
    mixer.setFrequency(0, int(format->averageBytesPerSecond % 200000));
    mixer.setVolume(0, -int(format->blockAlign % 10001));
    mixer.setPan(0, int(format->samplesPerSecond % 20001) - 10000);
    mixer.play(0);
    int16_t out[2 * 512];
    mixer.mix(out, 512);
    return 0;
}
