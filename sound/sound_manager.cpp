#include "sound/sound_manager.h"

#include "app/random.h"
#include "platform/asset_path.h"
#include "platform/platform.h"
#include "sound/wave_file.h"

#include <vector>

namespace {

// Holds the device lock, so the audio thread never mixes a voice while the
// game thread changes it. Held only for copies and swaps.
class AudioLock {
public:
    explicit AudioLock(platform::Platform* device) : device_(device)
    {
        if (device_)
            device_->lockAudio();
    }
    ~AudioLock()
    {
        if (device_)
            device_->unlockAudio();
    }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    platform::Platform* device_;
};

// Reads and decodes the whole sample block; false for a sound the mixer
// cannot play.
bool readSamples(const char* path, PcmSamples& pcm)
{
    WaveFile wave;
    if (wave.open(path) != kWaveOk)
        return false;
    const WaveFormat* format = wave.format();
    if (!format || !canDecode(*format, wave.size()))
        return false;
    std::vector<uint8_t> bytes(wave.size());
    uint32_t got = 0;
    wave.read(bytes.data(), uint32_t(bytes.size()), &got);
    wave.close();
    pcm = decodePcm(*format, bytes.data(), uint32_t(bytes.size()));
    return true;
}

} // namespace

int volumeForStep(int volumeStep)
{
    switch (volumeStep) {
    case 1:
        return -2250;
    case 2:
        return -1000;
    case 3:
        return -500;
    default:
        return 0;
    }
}

int panForPosition(int panPosition)
{
    switch (panPosition) {
    case 1:
        return 7500;
    case 2:
        return -7500;
    case 3:
        return 500;
    case 4:
        return -500;
    default:
        return 0;
    }
}

SoundManager::~SoundManager()
{
    if (state_ == Ready)
        release();
}

void SoundManager::initialise()
{
    if (state_ == Ready)
        return;
    platform::Platform& p = platform::current();
    platform::AudioFormat format;
    if (!p.openAudio(mixer_, kDeviceRate, format)) {
        release();
        state_ = InitialisationFailed;
        return;
    }
    device_ = &p;
    if (format.channels != 2 || format.rate <= 0) {
        release();
        state_ = InitialisationFailed;
        return;
    }
    // The device may already be pulling silence at this point; nothing is
    // loaded yet, so only the rate of later sounds depends on this.
    AudioLock lock(device_);
    mixer_.setOutputRate(format.rate);
    state_ = Ready;
}

bool SoundManager::holdsSound(int id) const
{
    return state_ == Ready && id >= 0 && id < kSlots && slots_[id].id != -1;
}

int SoundManager::load(const char* name)
{
    if (state_ != Ready)
        return -1;
    int index = 0;
    while (index < kSlots && slots_[index].id != -1)
        ++index;
    if (index == kSlots || !name)
        return -1;
    PcmSamples pcm;
    if (!readSamples(platform::assetPath(name).c_str(), pcm))
        return -1;
    const int rate = int(pcm.rate);
    {
        AudioLock lock(device_);
        mixer_.attach(index, pcm);
    }
    SoundBuffer& slot = slots_[index];
    slot.hasBuffer = true;
    slot.frequency = rate;
    slot.id = index;
    return index;
}

void SoundManager::play(int id, int volumeStep, int panPosition, bool randomPitch)
{
    if (!holdsSound(id))
        return;
    const SoundBuffer& slot = slots_[id];
    int frequency = 0;
    if (randomPitch) {
        const int f = slot.frequency;
        const int d = f / 3;
        if (d > 0)
            frequency = f - d / 2 + rng::next() % d;
    }
    AudioLock lock(device_);
    if (frequency)
        mixer_.setFrequency(id, frequency);
    mixer_.setVolume(id, volumeForStep(volumeStep));
    mixer_.setPan(id, panForPosition(panPosition));
    mixer_.play(id);
}

bool SoundManager::isPlaying(int id)
{
    if (!holdsSound(id))
        return false;
    AudioLock lock(device_);
    return mixer_.isPlaying(id);
}

SoundManager::BufferSettings SoundManager::settings(int id)
{
    BufferSettings s;
    if (!holdsSound(id))
        return s;
    AudioLock lock(device_);
    s.volume = mixer_.volume(id);
    s.pan = mixer_.pan(id);
    s.frequency = mixer_.frequency(id);
    return s;
}

void SoundManager::unload(int id)
{
    if (!holdsSound(id))
        return;
    resetSlot(id);
}

// The samples leave the mixer under the lock and are freed after it.
void SoundManager::resetSlot(int index)
{
    PcmSamples freed;
    {
        AudioLock lock(device_);
        mixer_.detach(index, freed);
    }
    slots_[index] = SoundBuffer{};
}

void SoundManager::release()
{
    if (device_) {
        for (int i = 0; i < kSlots; ++i)
            resetSlot(i);
        device_->closeAudio();
        device_ = nullptr;
    }
    state_ = Released;
}

SoundManager& soundManager()
{
    static SoundManager instance;
    return instance;
}
