#include "sound/mixer.h"
#include "wav_image.h"

#include <gtest/gtest.h>

namespace {

PcmSamples samples(const std::vector<int16_t>& values, uint32_t rate, int channels = 1)
{
    PcmSamples pcm;
    pcm.samples = values;
    pcm.channels = channels;
    pcm.frames = uint32_t(values.size() / channels);
    pcm.rate = rate;
    return pcm;
}

void attach(Mixer& mixer, int voice, PcmSamples pcm) { mixer.attach(voice, pcm); }

std::vector<int16_t> run(Mixer& mixer, int frames)
{
    std::vector<int16_t> out(size_t(frames) * 2);
    mixer.mix(out.data(), frames);
    return out;
}

std::vector<int16_t> ramp(int frames, int stepValue)
{
    std::vector<int16_t> v(frames);
    for (int i = 0; i < frames; ++i)
        v[i] = int16_t(i * stepValue);
    return v;
}

} // namespace

TEST(Mixer, VolumeAndPanSetChannelGains)
{
    struct Case {
        int volume, pan;
        double left, right;
    } cases[] = {
        {0, 0, 1, 1},
        {-1000, 0, 0.316228, 0.316228},
        {-2250, 0, 0.074989, 0.074989},
        {0, 7500, 0.000178, 1},
        {0, -7500, 1, 0.000178},
        {-500, 500, 0.316228, 0.562341},
        {-500, -500, 0.562341, 0.316228},
        {-10000, 0, 0, 0},
        {0, 10000, 0, 1},
        {1, -10001, 1, 1},  // out of range: ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.volume << " " << c.pan);
        Mixer mixer(48000);
        attach(mixer, 3, samples(std::vector<int16_t>(100, 30000), 48000));
        mixer.setVolume(3, c.volume);
        mixer.setPan(3, c.pan);
        mixer.play(3);
        std::vector<int16_t> out = run(mixer, 10);
        EXPECT_NEAR(out[10], 30000 * c.left, 0.6);
        EXPECT_NEAR(out[11], 30000 * c.right, 0.6);
    }
}

TEST(Mixer, RateScalesLengthAndPitch)
{
    // 120 cycles of 480 Hz around an offset, so every played frame is non-zero.
    const std::vector<int16_t> sound = tone(480, 0.25, 48000, 8000, 12000);
    struct Case {
        uint32_t soundRate;
        int playRate;
        int length;  // output frames at 48000
    } cases[] = {
        {48000, 48000, 12000}, {48000, 96000, 6000}, {48000, 24000, 24000}, {22050, 22050, 26122}, {22050, 33075, 17415},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.playRate);
        Mixer mixer(48000);
        attach(mixer, 0, samples(sound, c.soundRate));
        mixer.setFrequency(0, c.playRate);
        mixer.play(0);
        std::vector<int16_t> out = run(mixer, 30000);
        int length = 0, cycles = 0;
        for (int i = 0; i < 30000 && out[2 * i] != 0; ++i, ++length)
            if (i > 0 && out[2 * i - 2] < 12000 && out[2 * i] >= 12000)
                ++cycles;
        EXPECT_NEAR(length, c.length, 1);
        // Same cycles in a length scaled by the rate: the pitch follows it.
        EXPECT_NEAR(cycles, 120, 1);
        EXPECT_FALSE(mixer.isPlaying(0));
    }
}

TEST(Mixer, InterpolatesBetweenFrames)
{
    Mixer mixer(48000);
    attach(mixer, 0, samples(ramp(100, 100), 48000));
    mixer.setFrequency(0, 36000);  // three source frames per four output frames
    mixer.play(0);
    std::vector<int16_t> out = run(mixer, 140);
    for (int k = 0; k * 3 <= 99 * 4; ++k)
        ASSERT_EQ(out[2 * k], 75 * k) << k;
    EXPECT_EQ(out[2 * 133], 9900);  // past the last frame it is held
    EXPECT_EQ(out[2 * 134], 0);
}

TEST(Mixer, PlayOnAPlayingVoiceContinues)
{
    Mixer interrupted(48000), straight(48000);
    attach(interrupted, 5, samples(ramp(1000, 20), 48000));
    attach(straight, 5, samples(ramp(1000, 20), 48000));
    std::vector<int16_t> a;
    for (int frames : {300, 300, 500}) {
        interrupted.play(5);
        std::vector<int16_t> part = run(interrupted, frames);
        a.insert(a.end(), part.begin(), part.end());
    }
    straight.play(5);
    EXPECT_EQ(a, run(straight, 1100));
    EXPECT_EQ(a[2 * 999], 19980);
    EXPECT_EQ(a[2 * 1000], 0);
    EXPECT_FALSE(interrupted.isPlaying(5));
    // Once it has ended, play starts it from the top again.
    interrupted.play(5);
    EXPECT_TRUE(interrupted.isPlaying(5));
    EXPECT_EQ(run(interrupted, 2)[2], 20);
}

TEST(Mixer, SumsVoicesAndSaturates)
{
    Mixer mixer(48000);
    attach(mixer, 0, samples(std::vector<int16_t>(50, 20000), 48000));
    attach(mixer, 1, samples(std::vector<int16_t>(50, 20000), 48000));
    attach(mixer, 2, samples({1000, -2000, 1000, -2000}, 48000, 2));
    mixer.play(2);
    std::vector<int16_t> out = run(mixer, 1);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], -2000);
    mixer.play(0);
    mixer.play(1);
    out = run(mixer, 1);
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[1], 32767);
    attach(mixer, 0, samples(std::vector<int16_t>(50, -20000), 48000));
    attach(mixer, 1, samples(std::vector<int16_t>(50, -20000), 48000));
    mixer.play(0);
    mixer.play(1);
    EXPECT_EQ(run(mixer, 1)[0], -32768);
}

TEST(PcmSamples, DecodesWhatTheMixerCanPlay)
{
    auto format = [](uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, int blockDelta = 0) {
        WaveFormat f;
        f.formatTag = tag;
        f.channels = channels;
        f.samplesPerSecond = rate;
        f.bitsPerSample = bits;
        f.blockAlign = uint16_t(channels * bits / 8 + blockDelta);
        return f;
    };
    struct Case {
        WaveFormat f;
        uint32_t bytes;
        bool playable;
    } cases[] = {
        {format(1, 1, 22050, 16), 2, true},   {format(1, 2, 8000, 8), 2, true},
        {format(1, 2, 200000, 16), 4, true},  {format(1, 1, 100, 8), 1, true},
        {format(3, 1, 22050, 32), 4, false},  {format(1, 1, 22050, 24), 3, false},
        {format(1, 3, 22050, 16), 6, false},  {format(1, 1, 22050, 16, 2), 4, false},
        {format(1, 1, 99, 16), 2, false},     {format(1, 1, 200001, 16), 2, false},
        {format(1, 2, 22050, 16), 3, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(canDecode(c.f, c.bytes), c.playable) << c.f.formatTag << " " << c.f.channels << " "
                                                        << c.f.samplesPerSecond << " " << c.f.bitsPerSample;

    const uint8_t eightBit[] = {0, 128, 255, 7};
    PcmSamples pcm = decodePcm(format(1, 1, 8000, 8), eightBit, 3);
    EXPECT_EQ(pcm.samples, (std::vector<int16_t>{-32768, 0, 32512}));
    const uint8_t sixteenBit[] = {0x34, 0x12, 0xFF, 0xFF, 0x00, 0x80, 0x01};
    pcm = decodePcm(format(1, 2, 8000, 16), sixteenBit, 7);
    EXPECT_EQ(pcm.frames, 1u);
    EXPECT_EQ(pcm.samples, (std::vector<int16_t>{0x1234, -1}));
    EXPECT_EQ(pcm.rate, 8000u);
}
