#include "wav_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

void put16(Bytes& b, uint32_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void put32(Bytes& b, uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

} // namespace

Bytes chunk(const char* id, const Bytes& data, int64_t size)
{
    Bytes b(id, id + 4);
    put32(b, uint32_t(size < 0 ? int64_t(data.size()) : size));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() & 1)
        b.push_back(0);
    return b;
}

Bytes riff(const char* formType, const Bytes& body)
{
    Bytes data(formType, formType + 4);
    data.insert(data.end(), body.begin(), body.end());
    return chunk("RIFF", data);
}

Bytes formatHeader(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    Bytes b;
    const uint16_t block = uint16_t(channels * bits / 8);
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * block);
    put16(b, block);
    put16(b, bits);
    return b;
}

Bytes pcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples)
{
    Bytes body = chunk("fmt ", formatHeader(1, channels, rate, bits));
    Bytes data = chunk("data", samples);
    body.insert(body.end(), data.begin(), data.end());
    return riff("WAVE", body);
}

Bytes wave16(uint16_t channels, uint32_t rate, const std::vector<int16_t>& values)
{
    Bytes samples;
    for (int16_t v : values)
        put16(samples, uint16_t(v));
    return pcmWave(channels, rate, 16, samples);
}

std::vector<int16_t> tone(double hz, double seconds, uint32_t rate, double amplitude, double offset)
{
    std::vector<int16_t> v(size_t(seconds * rate));
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = int16_t(std::lround(offset + amplitude * std::sin(2 * M_PI * hz * double(i) / rate)));
    return v;
}

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string testFolder()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder =
        std::filesystem::path(FERNHOLLOW_TEST_OUTPUT) / "sound" / (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}

const char* const kForestSoundFiles[16] = {
    "owl1.wav",  "bird1.wav", "bird2.wav",  "bird3.wav", "bird4.wav",  "bird5.wav",   "bird6.wav",   "bird7.wav",
    "bird8.wav", "bird9.wav", "bird10.wav", "fly1.wav",  "bird11.wav", "awoods1.wav", "awoods2.wav", "run_grass.wav",
};

void writeForestSounds(const std::string& folder, double animalSeconds, double backgroundSeconds,
                       const std::string& skip)
{
    for (int i = 0; i < 16; ++i) {
        const std::string name = kForestSoundFiles[i];
        if (name == skip)
            continue;
        if (name.rfind("awoods", 0) == 0) {
            std::vector<int16_t> t = tone(150.0 + 50 * i, backgroundSeconds, 11025, 40, 128);
            Bytes stereo;
            for (int16_t v : t)
                stereo.insert(stereo.end(), {uint8_t(v), uint8_t(256 - v)});
            writeFile(folder + "sounds/" + name, pcmWave(2, 11025, 8, stereo));
        } else {
            writeFile(folder + "sounds/" + name, wave16(1, 22050, tone(400.0 + 150 * i, animalSeconds, 22050, 6000)));
        }
    }
}
