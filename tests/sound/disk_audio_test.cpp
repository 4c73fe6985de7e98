// The real sound path end to end: SDL's disk audio driver stands in for a
// sound card and writes what the mixer produced to a file.
#include "app/render_state.h"
#include "platform/asset_path.h"
#include "support/scripted_platform.h"
#include "platform/sdl_platform.h"
#include "sound/ambience.h"
#include "sound/footsteps.h"
#include "support/scripted_game.h"
#include "wav_image.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

// What the disk driver wrote, as raw 16-bit samples: at least two seconds
// of sound, audible and hardly ever at the rails.
void expectAudibleAndUnclipped(const std::string& path, const char* what)
{
    std::ifstream in(path, std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t count = raw.size() / 2;
    ASSERT_GT(count, size_t(2 * 48000 * 2)) << "less than two seconds written";
    const auto* samples = reinterpret_cast<const int16_t*>(raw.data());
    double energy = 0;
    size_t atRails = 0;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) {
        energy += double(samples[i]) * samples[i];
        atRails += samples[i] == 32767 || samples[i] == -32768;
        peak = std::max(peak, std::abs(int(samples[i])));
    }
    const double rms = std::sqrt(energy / double(count));
    std::printf("%s: %zu samples, rms %.0f, peak %d, %zu at the rails\n", what, count, rms, peak, atRails);
    EXPECT_GT(rms, 100.0);
    EXPECT_LE(double(atRails), 1e-4 * double(count));
}

} // namespace

TEST(DiskAudio, AmbienceAndFootstepsAreAudibleAndUnclipped)
{
    const std::string folder = testFolder();
    const std::string output = folder + "disk-audio.raw";
    // Read when the audio subsystem starts. The driver keeps its real-time
    // pace, so the file holds about as much sound as the frames lasted.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    unsetenv("SDL_DISKAUDIODELAY");

    platform::SdlPlatform sdl;
    platform::ScriptedPlatform scripted(&sdl);
    scripted.audioFromReal = true;
    bool generated = true;
    for (const char* name : kForestSoundFiles)
        generated = generated && !platform::resolveIn(sdl.baseFolder(), std::string("sounds/") + name).empty();
    if (generated) {
        scripted.assetFolder = sdl.baseFolder();
    } else {
        writeForestSounds(folder, 0.4, 1.5);
        scripted.assetFolder = folder;
    }
    platform::setCurrent(&scripted);

    SoundManager sounds;
    sounds.initialise();
    ASSERT_EQ(sounds.state(), SoundManager::Ready);
    Ambience ambience;
    ambience.load(sounds);
    int footsteps = -1;
    loadFootsteps(footsteps, sounds);
    ASSERT_NE(footsteps, -1);

    // Three seconds of frames; the runner runs during the middle one.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    for (;;) {
        const Clock::time_point now = Clock::now();
        const double elapsed = std::chrono::duration<double>(now - start).count();
        if (elapsed > 3.0)
            break;
        renderState().frameTime = float(std::chrono::duration<double>(now - last).count());
        last = now;
        ambience.update(sounds);
        if (elapsed > 1.0 && elapsed < 2.0)
            playFootsteps(footsteps, sounds);
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    ambience.unload(sounds);
    unloadFootsteps(footsteps, sounds);
    sounds.release();
    platform::setCurrent(nullptr);

    expectAudibleAndUnclipped(output, generated ? "generated sounds" : "test sounds");
}

// The whole game: a few seconds of menu frames, paced like real ones, with
// the ambience playing through SDL's disk driver.
TEST(DiskAudio, TheMenuPlaysTheForestAudiblyAndUnclipped)
{
    const std::string output = testFolder() + "menu-audio.raw";
    std::remove(output.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    unsetenv("SDL_DISKAUDIODELAY");

    ScriptedGame run;
    run.script().audioFromReal = true;
    run.script().msPerFrame = 20;
    int status = run.run([](int) { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }, 150);
    EXPECT_EQ(status, 0);

    expectAudibleAndUnclipped(output, "menu frames");
}
