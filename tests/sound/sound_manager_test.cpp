#include "sound/sound_manager.h"

#include "app/random.h"
#include "fake_audio_platform.h"
#include "wav_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

class SoundManagerTest : public ::testing::Test {
protected:
    void addSound(const std::string& name, const Bytes& file) { writeFile(folder + "sounds/" + name, file); }
    void addDc(const std::string& name, int frames, uint32_t rate = 48000, int16_t value = 30000)
    {
        addSound(name, wave16(1, rate, std::vector<int16_t>(frames, value)));
    }

    std::string folder = testFolder();
    FakeAudioPlatform device{folder};
    SoundManager sounds;  // released before the device goes
};

} // namespace

TEST_F(SoundManagerTest, StatesFollowTheDevice)
{
    addDc("a.wav", 100);
    EXPECT_EQ(sounds.state(), SoundManager::NotInitialised);
    EXPECT_EQ(sounds.load("sounds\\a.wav"), -1);
    sounds.initialise();
    EXPECT_EQ(sounds.state(), SoundManager::Ready);
    ASSERT_EQ(sounds.load("sounds\\a.wav"), 0);
    sounds.play(0, 4, 5, false);
    EXPECT_TRUE(sounds.isPlaying(0));

    sounds.release();
    EXPECT_EQ(sounds.state(), SoundManager::Released);
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(sounds.load("sounds\\a.wav"), -1);
    sounds.play(0, 4, 5, false);
    EXPECT_FALSE(sounds.isPlaying(0));
    sounds.release();
    EXPECT_EQ(sounds.state(), SoundManager::Released);
    EXPECT_EQ(device.closes, 1);

    device.deviceAvailable = false;
    SoundManager silent;
    silent.initialise();
    EXPECT_EQ(silent.state(), SoundManager::InitialisationFailed);
    EXPECT_EQ(silent.load("sounds\\a.wav"), -1);
}

TEST_F(SoundManagerTest, LoadTakesTheLowestFreeSlot)
{
    addDc("tone.wav", 100);
    Bytes floats = riff("WAVE", chunk("fmt ", formatHeader(3, 1, 48000, 32)));
    Bytes data = chunk("data", Bytes(16, 0));
    floats.insert(floats.end(), data.begin(), data.end());
    addSound("float.wav", floats);
    sounds.initialise();

    EXPECT_EQ(sounds.load("sounds\\missing.wav"), -1);
    EXPECT_EQ(sounds.load(nullptr), -1);
    EXPECT_EQ(sounds.load("sounds\\float.wav"), -1);
    EXPECT_EQ(sounds.load("SOUNDS\\Tone.WAV"), 0);
    for (int i = 1; i < SoundManager::kSlots; ++i)
        ASSERT_EQ(sounds.load("sounds\\tone.wav"), i);
    EXPECT_EQ(sounds.load("sounds\\tone.wav"), -1);
    sounds.unload(5);
    sounds.unload(5);
    EXPECT_EQ(sounds.load("sounds\\missing.wav"), -1);
    EXPECT_EQ(sounds.load("sounds\\tone.wav"), 5);
}

TEST_F(SoundManagerTest, PlaySetsVolumeAndPanFromTheTables)
{
    addDc("dc.wav", 4800);
    sounds.initialise();
    const int id = sounds.load("sounds\\dc.wav");
    struct Case {
        int step, position, volume, pan;
        double left, right;
    } cases[] = {
        {1, 1, -2250, 7500, 0.074989 * 0.000178, 0.074989},
        {2, 5, -1000, 0, 0.316228, 0.316228},
        {3, 2, -500, -7500, 0.562341, 0.562341 * 0.000178},
        {4, 3, 0, 500, 0.562341, 1},
        {0, 4, 0, -500, 1, 0.562341},
        {9, 0, 0, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step << " " << c.position);
        sounds.play(id, c.step, c.position, false);
        EXPECT_EQ(sounds.settings(id).volume, c.volume);
        EXPECT_EQ(sounds.settings(id).pan, c.pan);
        std::vector<int16_t> out = device.pull(4);
        EXPECT_NEAR(out[6], 30000 * c.left, 0.6);
        EXPECT_NEAR(out[7], 30000 * c.right, 0.6);
    }
}

TEST_F(SoundManagerTest, RandomPitchStaysInItsRange)
{
    addDc("a44.wav", 100, 44100);
    addDc("a22.wav", 100, 22050);
    sounds.initialise();
    struct Case {
        int id, rate, low, high;
    } cases[] = {{sounds.load("sounds\\a44.wav"), 44100, 36750, 51449},
                 {sounds.load("sounds\\a22.wav"), 22050, 18375, 25724}};
    rng::seed(2024);
    for (const Case& c : cases) {
        int lowest = 1 << 30, highest = 0;
        for (int i = 0; i < 4000; ++i) {
            sounds.play(c.id, 4, 5, true);
            lowest = std::min(lowest, sounds.settings(c.id).frequency);
            highest = std::max(highest, sounds.settings(c.id).frequency);
        }
        EXPECT_GE(lowest, c.low);
        EXPECT_LE(highest, c.high);
        EXPECT_LT(lowest, c.low + 100);
        EXPECT_GT(highest, c.high - 100);
        // The pitch is one draw of the shared generator and stays on the buffer.
        const uint32_t state = rng::state();
        const int expected = c.low + rng::next() % (c.rate / 3);
        rng::seed(state);
        sounds.play(c.id, 4, 5, true);
        sounds.play(c.id, 4, 5, false);
        EXPECT_EQ(sounds.settings(c.id).frequency, expected);
    }
}

TEST_F(SoundManagerTest, IgnoresIdsWithoutASound)
{
    addDc("a.wav", 100);
    sounds.initialise();
    ASSERT_EQ(sounds.load("sounds\\a.wav"), 0);
    for (int id : {-1, 1, 47, 48}) {
        sounds.play(id, 4, 5, true);
        sounds.unload(id);
        EXPECT_FALSE(sounds.isPlaying(id));
        EXPECT_EQ(sounds.settings(id).frequency, 0);
    }
    EXPECT_FALSE(sounds.isPlaying(0));
    EXPECT_EQ(device.pull(8), std::vector<int16_t>(16, 0));
}

TEST_F(SoundManagerTest, AudioThreadMixesWhileSlotsChange)
{
    addDc("a.wav", 3000);
    addDc("b.wav", 200, 22050);
    sounds.initialise();
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        while (!stop)
            device.pull(256);
    });
    for (int round = 0; round < 300; ++round) {
        const int a = sounds.load("sounds\\a.wav");
        const int b = sounds.load("sounds\\b.wav");
        sounds.play(a, round % 5, round % 6, true);
        sounds.play(b, 4, 5, false);
        sounds.isPlaying(a);
        sounds.unload(round % 2 ? a : b);
        if (round % 7 == 0)
            for (int id = 0; id < SoundManager::kSlots; ++id)
                sounds.unload(id);
    }
    stop = true;
    audio.join();
    sounds.release();
    EXPECT_EQ(device.pull(4), std::vector<int16_t>{});
}
