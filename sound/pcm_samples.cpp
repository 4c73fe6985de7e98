#include "sound/pcm_samples.h"

bool canDecode(const WaveFormat& format, uint32_t bytes)
{
    if (format.formatTag != kWaveFormatPcm)
        return false;
    if (format.channels != 1 && format.channels != 2)
        return false;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16)
        return false;
    if (format.blockAlign != format.channels * format.bitsPerSample / 8)
        return false;
    if (format.samplesPerSecond < kMinSampleRate || format.samplesPerSecond > kMaxSampleRate)
        return false;
    return bytes >= format.blockAlign;
}

PcmSamples decodePcm(const WaveFormat& format, const uint8_t* data, uint32_t bytes)
{
    PcmSamples pcm;
    pcm.channels = format.channels;
    pcm.frames = bytes / format.blockAlign;
    pcm.rate = format.samplesPerSecond;
    const size_t count = size_t(pcm.frames) * pcm.channels;
    pcm.samples.resize(count);
    if (format.bitsPerSample == 8) {
        // 8-bit WAV samples are unsigned with silence at 128.
        for (size_t i = 0; i < count; ++i)
            pcm.samples[i] = int16_t((int(data[i]) - 128) * 256);
    } else {
        for (size_t i = 0; i < count; ++i)
            pcm.samples[i] = int16_t(uint16_t(data[2 * i] | data[2 * i + 1] << 8));
    }
    return pcm;
}
