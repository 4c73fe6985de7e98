#include "sound/footsteps.h"

#include "fake_audio_platform.h"
#include "wav_image.h"

#include <gtest/gtest.h>

TEST(Footsteps, RunningKeepsOneRunOfStepsGoing)
{
    const std::string folder = testFolder();
    writeFile(folder + "sounds/run_grass.wav", wave16(1, 24000, std::vector<int16_t>(2400, 8000)));
    FakeAudioPlatform device(folder);
    SoundManager sounds;
    sounds.initialise();

    int id = -1;
    loadFootsteps(id, sounds);
    ASSERT_EQ(id, 0);
    loadFootsteps(id, sounds);
    EXPECT_EQ(id, 0);

    // 100 frames of running at 800 output frames each: the 4800-frame
    // sound repeats back to back, never cut short, at full volume centred.
    int silentFrames = 0;
    for (int frame = 0; frame < 100; ++frame) {
        playFootsteps(id, sounds);
        for (int16_t v : device.pull(800))
            silentFrames += v == 0;
    }
    EXPECT_EQ(silentFrames, 0);
    EXPECT_EQ(sounds.settings(id).volume, 0);
    EXPECT_EQ(sounds.settings(id).pan, 0);
    EXPECT_EQ(sounds.settings(id).frequency, 24000);
    // 80000 frames played are 16 whole runs and 3200 frames into the 17th,
    // which plays out after the runner stops.
    EXPECT_EQ(device.pullWhile([&] { return sounds.isPlaying(id); }, 100), 1600);

    unloadFootsteps(id, sounds);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(sounds.load("sounds\\run_grass.wav"), 0);
}
