#pragma once
// A scripted platform whose audio device is the test itself: opening
// succeeds unless refused, and the test pulls mixed frames when it wants
// time to pass. The lock is a real mutex that pull() also takes, as the
// SDL device does around its callback. Current platform while it lives.
#include "support/scripted_platform.h"

#include <mutex>
#include <string>
#include <vector>

class FakeAudioPlatform : public platform::ScriptedPlatform {
public:
    // Assets resolve in `assetFolder`.
    explicit FakeAudioPlatform(const std::string& assetFolder);
    ~FakeAudioPlatform() override;

    bool deviceAvailable = true;
    int obtainedRate = 48000;
    int opens = 0;
    int closes = 0;
    platform::AudioSource* source = nullptr;

    // Mixes `frames` stereo frames from the open device (empty when closed).
    std::vector<int16_t> pull(int frames);
    // Pulls until `stillPlaying` is false; returns the frames pulled.
    template <class F> int pullWhile(F stillPlaying, int framesPerPull = 64, int limit = 1 << 22)
    {
        int pulled = 0;
        while (stillPlaying() && pulled < limit) {
            pull(framesPerPull);
            pulled += framesPerPull;
        }
        return pulled;
    }

    bool openAudio(platform::AudioSource& s, int rate, platform::AudioFormat& format) override;
    void closeAudio() override;
    void lockAudio() override { mutex_.lock(); }
    void unlockAudio() override { mutex_.unlock(); }

private:
    std::mutex mutex_;
};
