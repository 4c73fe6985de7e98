#include "sound/wave_file.h"
#include "wav_image.h"

#include <gtest/gtest.h>

namespace {

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Bytes kSamples = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const Bytes kFmt16 = formatHeader(1, 1, 22050, 16);

} // namespace

TEST(WaveFile, OpenChecksTheHeader)
{
    Bytes fmt18 = kFmt16;
    fmt18.insert(fmt18.end(), {0x34, 0x12});  // an extra size PCM must not read
    Bytes adpcm = formatHeader(2, 1, 22050, 4);
    adpcm.insert(adpcm.end(), {4, 0, 0xA, 0xB, 0xC, 0xD});
    Bytes adpcmCut = formatHeader(2, 1, 22050, 4);
    adpcmCut.insert(adpcmCut.end(), {22, 0, 0xA, 0xB});
    const Bytes data = chunk("data", kSamples);
    const Bytes noData = riff("WAVE", chunk("fmt ", kFmt16));

    struct Case {
        const char* name;
        Bytes file;
        bool opens;
        uint16_t tag;
        std::vector<uint8_t> extra;
        uint32_t size;
    } cases[] = {
        {"plain PCM", pcmWave(1, 22050, 16, kSamples), true, 1, {}, 12},
        {"form type other than WAVE", riff("AVI ", concat({chunk("fmt ", kFmt16), data})), false, 0, {}, 0},
        {"first chunk not RIFF", chunk("LIST", concat({Bytes{'W', 'A', 'V', 'E'}, chunk("fmt ", kFmt16), data})),
         false, 0, {}, 0},
        {"14-byte fmt chunk", riff("WAVE", concat({chunk("fmt ", Bytes(kFmt16.begin(), kFmt16.begin() + 14)), data})),
         false, 0, {}, 0},
        {"18-byte PCM fmt chunk", riff("WAVE", concat({chunk("fmt ", fmt18), data})), true, 1, {}, 12},
        {"non-PCM extra bytes", riff("WAVE", concat({chunk("fmt ", adpcm), data})), true, 2, {0xA, 0xB, 0xC, 0xD}, 12},
        {"non-PCM extra bytes cut short", riff("WAVE", chunk("fmt ", adpcmCut)), false, 0, {}, 0},
        {"no data chunk", noData, false, 0, {}, 0},
        {"odd chunk before fmt skipped with its pad", riff("WAVE", concat({chunk("LIST", {'x'}), chunk("fmt ", kFmt16), data})),
         true, 1, {}, 12},
        {"data claiming more than the file holds", riff("WAVE", concat({chunk("fmt ", kFmt16), chunk("data", kSamples, 100000)})),
         true, 1, {}, 12},
        {"empty file", {}, false, 0, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WaveFile wave;
        ASSERT_EQ(wave.openMemory(c.file.data(), c.file.size()) == kWaveOk, c.opens);
        if (!c.opens) {
            EXPECT_EQ(wave.format(), nullptr);
            uint32_t got = 7;
            uint8_t buffer[4];
            EXPECT_EQ(wave.read(buffer, 4, &got), kWaveNotInitialised);
            continue;
        }
        ASSERT_NE(wave.format(), nullptr);
        EXPECT_EQ(wave.format()->formatTag, c.tag);
        EXPECT_EQ(wave.format()->samplesPerSecond, 22050u);
        EXPECT_EQ(wave.format()->extraSize, c.extra.size());
        EXPECT_EQ(wave.format()->extra, c.extra);
        EXPECT_EQ(wave.size(), c.size);
        Bytes got(c.size);
        uint32_t n = 0;
        EXPECT_EQ(wave.read(got.data(), c.size, &n), kWaveOk);
        EXPECT_EQ(n, c.size);
        EXPECT_EQ(got, kSamples);
    }
}

TEST(WaveFile, ReadClampsToTheDataChunk)
{
    const Bytes file = pcmWave(1, 22050, 8, kSamples);
    WaveFile wave;
    uint8_t buffer[64] = {};
    uint32_t got = 99;
    EXPECT_EQ(wave.read(buffer, 4, &got), kWaveNotInitialised);
    ASSERT_EQ(wave.openMemory(file.data(), file.size()), kWaveOk);
    EXPECT_EQ(wave.read(nullptr, 4, &got), kWaveInvalidArgument);
    EXPECT_EQ(wave.read(buffer, 4, nullptr), kWaveInvalidArgument);

    for (uint32_t expected : {5u, 5u, 2u, 0u}) {
        got = 99;
        EXPECT_EQ(wave.read(buffer, 5, &got), kWaveOk);
        EXPECT_EQ(got, expected);
    }
    ASSERT_EQ(wave.openMemory(file.data(), file.size()), kWaveOk);
    EXPECT_EQ(wave.read(buffer, sizeof buffer, &got), kWaveOk);
    EXPECT_EQ(Bytes(buffer, buffer + got), kSamples);
    EXPECT_EQ(wave.read(buffer, sizeof buffer, &got), kWaveOk);
    EXPECT_EQ(got, 0u);
    wave.close();
    EXPECT_NE(wave.format(), nullptr);
    EXPECT_EQ(wave.read(buffer, 4, &got), kWaveNotInitialised);
}

TEST(WaveFile, OpensFilesByPath)
{
    const std::string folder = testFolder();
    writeFile(folder + "tone.wav", pcmWave(2, 44100, 16, kSamples));
    WaveFile wave;
    EXPECT_EQ(wave.open(nullptr), kWaveInvalidArgument);
    EXPECT_LT(wave.open((folder + "missing.wav").c_str()), 0);
    EXPECT_LT(wave.open(folder.c_str()), 0);
    ASSERT_EQ(wave.open((folder + "tone.wav").c_str()), kWaveOk);
    EXPECT_EQ(wave.format()->channels, 2);
    EXPECT_EQ(wave.format()->blockAlign, 4);
    Bytes got(12);
    uint32_t n = 0;
    EXPECT_EQ(wave.read(got.data(), 100, &n), kWaveOk);
    EXPECT_EQ(n, 12u);
    EXPECT_EQ(got, kSamples);
    // A failed open after a good one leaves neither file nor format.
    EXPECT_LT(wave.open((folder + "missing.wav").c_str()), 0);
    EXPECT_EQ(wave.format(), nullptr);
    EXPECT_EQ(wave.read(got.data(), 1, &n), kWaveNotInitialised);
}
