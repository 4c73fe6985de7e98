#pragma once
// The software mixer behind the sound device: 48 voices, each a static
// buffer of one sound's samples that plays once at its own rate, volume and
// pan, mixed to interleaved stereo 16-bit samples.
//
// Plain C++ with no locks: the audio device calls mix() on its own thread,
// and the owner must serialise every other call against it (the sound
// manager holds the device lock around each). Nothing here allocates or
// frees while a voice is in use: samples change hands by swapping.
#include "platform/platform.h"
#include "sound/pcm_samples.h"

#include <cstdint>

class Mixer : public platform::AudioSource {
public:
    static constexpr int kVoices = 48;
    // Volume that is silence, in hundredths of a decibel; 0 is full volume.
    static constexpr int kSilence = -10000;
    // Pan extremes: hard left silences the right channel and vice versa.
    static constexpr int kPanLeft = -10000;
    static constexpr int kPanRight = 10000;

    explicit Mixer(int outputRate = 48000);

    // The device's rate in frames per second; ignored unless positive.
    void setOutputRate(int rate);
    int outputRate() const { return outputRate_; }

    // Gives `samples` to the voice as a fresh buffer: stopped, rewound, at
    // full volume in the centre and at the samples' own rate. Its earlier
    // samples come back in `samples`, for the caller to free outside the lock.
    void attach(int voice, PcmSamples& samples);
    // Stops the voice and hands its samples back in `samples`.
    void detach(int voice, PcmSamples& samples);
    bool hasSamples(int voice) const;

    // Volume in hundredths of a decibel, kSilence ... 0; other values are
    // ignored. Gain 10^(volume / 2000).
    void setVolume(int voice, int hundredthsDb);
    // Pan kPanLeft ... kPanRight, on top of the volume: a negative pan
    // attenuates the right channel by |pan| / 100 dB, a positive one the
    // left. Other values are ignored.
    void setPan(int voice, int pan);
    // Playback rate in frames per second, kMinSampleRate ... kMaxSampleRate;
    // other values are ignored. A rate above the sound's raises its pitch
    // and shortens it.
    void setFrequency(int voice, int hz);
    int volume(int voice) const;
    int pan(int voice) const;
    int frequency(int voice) const;

    // Starts the voice at its first frame; a voice already playing goes on
    // from where it is.
    void play(int voice);
    // Whether the voice is playing; it stops by itself after its last frame.
    bool isPlaying(int voice) const;

    // Mixes the next `frames` stereo frames of every playing voice into
    // `out`, saturating at the 16-bit limits. Audio thread.
    void mix(int16_t* out, int frames) override;

private:
    struct Voice {
        PcmSamples pcm;
        bool playing = false;
        uint64_t position = 0;  // source frames, 32.32 fixed point
        uint64_t step = 0;      // source frames per output frame, 32.32
        int volume = 0;
        int pan = 0;
        int frequency = 0;
        float leftGain = 1;
        float rightGain = 1;
    };

    static void updateGains(Voice& v);
    void updateStep(Voice& v) const;
    static void mixVoice(Voice& v, float* sum, int frames);
    Voice* voiceAt(int voice);
    const Voice* voiceAt(int voice) const;

    Voice voices_[kVoices];
    int outputRate_;
};

// Gain of an attenuation in hundredths of a decibel: 10^(v / 2000), and
// exactly 0 at Mixer::kSilence and below.
float gainOf(int hundredthsDb);
