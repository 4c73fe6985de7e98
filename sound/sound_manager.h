#pragma once
// The sound device and its 48 sound slots. Callers load a WAV sound once by
// name and get a sound id (the slot index, -1 none); they then play it by id
// with a volume step, a pan position and an optional random pitch, ask
// whether it still plays, and unload it. One program-wide instance, reached
// through soundManager(); the game initialises it at start-up and releases
// it at shutdown. Game thread only.
#include "sound/mixer.h"

#include <cstdint>

namespace platform {
class Platform;
}

// Volume of a play volume step in hundredths of a decibel: 1 -2250,
// 2 -1000, 3 -500, any other (4 is used) 0.
int volumeForStep(int volumeStep);
// Pan of a play pan position: 1 +7500 (right), 2 -7500 (left), 3 +500,
// 4 -500, any other (5 is used) 0 (centre).
int panForPosition(int panPosition);

class SoundManager {
public:
    static constexpr int kSlots = Mixer::kVoices;
    // Rate asked of the audio device; the mixer follows what is obtained.
    static constexpr int kDeviceRate = 48000;

    enum State : int32_t {
        NotInitialised = 0,
        Ready = 1,
        InitialisationFailed = 2,
        Released = 3,
    };

    // What play last set on a slot's buffer, in the device's units.
    struct BufferSettings {
        int volume = 0;     // hundredths of a decibel
        int pan = 0;        // -10000 ... 10000
        int frequency = 0;  // frames per second; 0 for a free slot
    };

    SoundManager() = default;
    // Releases a manager that is still ready.
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Opens the audio device of the current platform: state Ready, or
    // InitialisationFailed with no device (the game then runs silently).
    void initialise();
    // Loads a WAV sound by asset name ("sounds\\owl1.wav") into the lowest
    // free slot and returns its id; -1 when not ready, when every slot is
    // taken, or when the sound is missing or of a format the mixer cannot
    // play (the slot then stays free).
    int load(const char* name);
    // Plays the sound once at the step's volume and the position's pan. With
    // randomPitch its rate becomes f - (f/3)/2 + r mod (f/3), f the sound's
    // own rate and r from the shared generator, and stays so. A sound still
    // playing goes on from where it is. Ignored unless ready and id holds a
    // sound.
    void play(int id, int volumeStep, int panPosition, bool randomPitch);
    // Whether the sound is playing; false unless ready and id holds a sound.
    bool isPlaying(int id);
    // Frees the slot (same checks as play).
    void unload(int id);
    // Frees every slot and closes the device; state Released.
    void release();

    State state() const { return state_; }
    // The slot's buffer settings; all 0 unless ready and id holds a sound.
    BufferSettings settings(int id);

private:
    struct SoundBuffer {
        bool hasBuffer = false;
        int frequency = 0;  // the sound's own rate, recorded at load
        int id = -1;        // the slot's index while it holds a sound
    };

    bool holdsSound(int id) const;
    void resetSlot(int index);

    State state_ = NotInitialised;
    platform::Platform* device_ = nullptr;  // the platform whose device is open
    SoundBuffer slots_[kSlots];
    Mixer mixer_;
};

// The program-wide SoundManager, made on first use.
SoundManager& soundManager();
