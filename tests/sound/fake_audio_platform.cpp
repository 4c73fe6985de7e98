#include "fake_audio_platform.h"

FakeAudioPlatform::FakeAudioPlatform(const std::string& assetFolder)
{
    this->assetFolder = assetFolder;
    platform::setCurrent(this);
}

FakeAudioPlatform::~FakeAudioPlatform() { platform::setCurrent(nullptr); }

bool FakeAudioPlatform::openAudio(platform::AudioSource& s, int, platform::AudioFormat& format)
{
    if (!deviceAvailable)
        return false;
    ++opens;
    source = &s;
    format.rate = obtainedRate;
    format.channels = 2;
    format.bufferFrames = 1024;
    return true;
}

void FakeAudioPlatform::closeAudio()
{
    std::lock_guard<std::mutex> hold(mutex_);
    ++closes;
    source = nullptr;
}

std::vector<int16_t> FakeAudioPlatform::pull(int frames)
{
    std::vector<int16_t> out(size_t(frames) * 2);
    std::lock_guard<std::mutex> hold(mutex_);
    if (!source)
        return {};
    source->mix(out.data(), frames);
    return out;
}
