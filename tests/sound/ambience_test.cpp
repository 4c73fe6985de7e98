#include "sound/ambience.h"

#include "app/random.h"
#include "app/render_state.h"
#include "fake_audio_platform.h"
#include "wav_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

class AmbienceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rng::seed(7);
        renderState().frameTime = 0.25f;
    }
    void loadWithout(const std::string& skip)
    {
        writeForestSounds(folder, 0.02, 0.05, skip);
        sounds.initialise();
        ambience.load(sounds);
    }
    bool backgroundPlaying() { return sounds.isPlaying(ambience.backgroundSounds[ambience.currentBackground]); }

    std::string folder = testFolder();
    FakeAudioPlatform device{folder};
    SoundManager sounds;
    Ambience ambience;  // zero, as the Game holds it
};

} // namespace

TEST_F(AmbienceTest, LoadFillsTheTableOverTheZeroFilledRecord)
{
    EXPECT_EQ(ambience.lastAnimal, 0);
    EXPECT_EQ(ambience.currentBackground, 0);
    loadWithout("bird3.wav");
    const int animals[13] = {0, 1, 2, -1, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int i = 0; i < Ambience::kAnimalEntries; ++i)
        EXPECT_EQ(ambience.animalSounds[i], i < 13 ? animals[i] : 0) << i;
    EXPECT_EQ(ambience.backgroundSounds[0], 12);
    EXPECT_EQ(ambience.backgroundSounds[1], 13);
    EXPECT_EQ(ambience.backgroundSounds[2], 0);
    EXPECT_EQ(ambience.animalCount, 13);
    EXPECT_EQ(ambience.backgroundCount, 2);
    EXPECT_EQ(ambience.currentBackground, -1);
    EXPECT_EQ(ambience.lastAnimal, 0);
}

TEST_F(AmbienceTest, FirstUpdateStartsABackgroundAndAnAnimalButNeverTheOwl)
{
    loadWithout("");
    const Ambience loaded = ambience;
    ambience.update(sounds);
    ASSERT_TRUE(ambience.currentBackground == 0 || ambience.currentBackground == 1);
    EXPECT_TRUE(backgroundPlaying());
    EXPECT_TRUE(sounds.isPlaying(ambience.animalSounds[ambience.lastAnimal]));
    for (uint32_t seed = 0; seed < 300; ++seed) {
        rng::seed(seed);
        Ambience fresh = loaded;
        fresh.update(sounds);
        EXPECT_NE(fresh.lastAnimal, 0) << seed;
        EXPECT_GE(fresh.timer, 0.5f);
        EXPECT_LT(fresh.timer, 5.5f);
    }
}

TEST_F(AmbienceTest, TimerCountsDownByTheFrameTime)
{
    loadWithout("");
    ambience.update(sounds);
    ambience.timer = 1.0f;
    const int last = ambience.lastAnimal;
    for (float expected : {0.75f, 0.5f, 0.25f, 0.0f}) {
        ambience.update(sounds);
        EXPECT_FLOAT_EQ(ambience.timer, expected);
        EXPECT_EQ(ambience.lastAnimal, last);
    }
    ambience.update(sounds);
    EXPECT_NE(ambience.lastAnimal, last);
    EXPECT_GE(ambience.timer, 0.5f);
    EXPECT_TRUE(sounds.isPlaying(ambience.animalSounds[ambience.lastAnimal]));
    // A stalled frame counts as a millisecond.
    ambience.timer = 1.0f;
    renderState().frameTime = 3.0f;
    ambience.update(sounds);
    EXPECT_FLOAT_EQ(ambience.timer, 0.999f);
}

TEST_F(AmbienceTest, AnimalsVaryAndNeverRepeat)
{
    loadWithout("");
    std::set<int> animals, volumes, pans;
    float shortest = 10, longest = 0;
    for (int i = 0; i < 3000; ++i) {
        const int previous = ambience.lastAnimal;
        ambience.timer = 0;
        ambience.update(sounds);
        ASSERT_NE(ambience.lastAnimal, previous);
        animals.insert(ambience.lastAnimal);
        const SoundManager::BufferSettings s = sounds.settings(ambience.animalSounds[ambience.lastAnimal]);
        volumes.insert(s.volume);
        pans.insert(s.pan);
        ASSERT_GE(s.frequency, 18375);
        ASSERT_LE(s.frequency, 25724);
        shortest = std::min(shortest, ambience.timer);
        longest = std::max(longest, ambience.timer);
    }
    EXPECT_EQ(animals.size(), 13u);
    EXPECT_EQ(volumes, (std::set<int>{-2250, -1000, -500, 0}));
    EXPECT_EQ(pans, (std::set<int>{-7500, -500, 0, 500, 7500}));
    EXPECT_GE(shortest, 0.5f);
    EXPECT_LT(shortest, 0.51f);
    EXPECT_LE(longest, 5.4995f);
    EXPECT_GT(longest, 5.49f);
}

TEST_F(AmbienceTest, BackgroundsAlternate)
{
    loadWithout("");
    ambience.update(sounds);
    for (int round = 0; round < 6; ++round) {
        const int previous = ambience.currentBackground;
        const SoundManager::BufferSettings s = sounds.settings(ambience.backgroundSounds[previous]);
        EXPECT_EQ(s.volume, -1000);
        EXPECT_EQ(s.pan, 0);
        device.pullWhile([&] { return backgroundPlaying(); });
        EXPECT_EQ(ambience.currentBackground, previous);
        ambience.update(sounds);
        EXPECT_EQ(ambience.currentBackground, 1 - previous);
        EXPECT_TRUE(backgroundPlaying());
    }
}

TEST_F(AmbienceTest, AMissingBackgroundLastsOneFrame)
{
    loadWithout("awoods2.wav");
    EXPECT_EQ(ambience.backgroundSounds[1], -1);
    int previous = -1, switches = 0;
    for (int frame = 0; frame < 80; ++frame) {
        ambience.update(sounds);
        if (previous == 1) {
            ASSERT_EQ(ambience.currentBackground, 0) << frame;
        }
        if (ambience.currentBackground == 0) {
            EXPECT_TRUE(backgroundPlaying());
        }
        switches += ambience.currentBackground != previous;
        previous = ambience.currentBackground;
        device.pull(480);
    }
    EXPECT_GE(switches, 6);
}

TEST_F(AmbienceTest, UnloadEmptiesTheRecordAndFreesTheSlots)
{
    loadWithout("");
    ambience.update(sounds);
    const int last = ambience.lastAnimal;
    ambience.unload(sounds);
    for (int id : ambience.animalSounds)
        EXPECT_EQ(id, -1);
    for (int id : ambience.backgroundSounds)
        EXPECT_EQ(id, -1);
    EXPECT_EQ(ambience.animalCount, 0);
    EXPECT_EQ(ambience.backgroundCount, 0);
    EXPECT_EQ(ambience.timer, 0.0f);
    EXPECT_EQ(ambience.currentBackground, -1);
    EXPECT_EQ(ambience.lastAnimal, last);
    const uint32_t state = rng::state();
    ambience.update(sounds);
    EXPECT_EQ(rng::state(), state);
    EXPECT_EQ(device.pull(16), std::vector<int16_t>(32, 0));
    for (int i = 0; i < SoundManager::kSlots; ++i)
        ASSERT_EQ(sounds.load("sounds\\owl1.wav"), i);
}

TEST_F(AmbienceTest, SilentWithoutADevice)
{
    device.deviceAvailable = false;
    loadWithout("");
    EXPECT_EQ(sounds.state(), SoundManager::InitialisationFailed);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(ambience.animalSounds[i], -1);
    EXPECT_EQ(ambience.backgroundSounds[0], -1);
    EXPECT_EQ(ambience.animalCount, 13);
    for (int frame = 0; frame < 40; ++frame)
        ambience.update(sounds);
    ambience.unload(sounds);
}
