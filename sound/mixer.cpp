#include "sound/mixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Output frames mixed per pass; the sum lives on the stack so the audio
// thread never allocates.
constexpr int kPassFrames = 256;
constexpr uint64_t kOne = uint64_t(1) << 32;

int16_t saturate(float x)
{
    if (x >= 32767.0f)
        return 32767;
    if (x <= -32768.0f)
        return -32768;
    return int16_t(std::lrint(x));
}

} // namespace

float gainOf(int hundredthsDb)
{
    if (hundredthsDb <= Mixer::kSilence)
        return 0.0f;
    return float(std::pow(10.0, hundredthsDb / 2000.0));
}

Mixer::Mixer(int outputRate) : outputRate_(outputRate > 0 ? outputRate : 48000) {}

Mixer::Voice* Mixer::voiceAt(int voice) { return voice >= 0 && voice < kVoices ? &voices_[voice] : nullptr; }

const Mixer::Voice* Mixer::voiceAt(int voice) const
{
    return voice >= 0 && voice < kVoices ? &voices_[voice] : nullptr;
}

void Mixer::setOutputRate(int rate)
{
    if (rate <= 0)
        return;
    outputRate_ = rate;
    for (Voice& v : voices_)
        updateStep(v);
}

void Mixer::attach(int voice, PcmSamples& samples)
{
    Voice* v = voiceAt(voice);
    if (!v)
        return;
    std::swap(v->pcm, samples);
    v->playing = false;
    v->position = 0;
    v->volume = 0;
    v->pan = 0;
    updateGains(*v);
    v->frequency = int(v->pcm.rate);
    updateStep(*v);
}

void Mixer::detach(int voice, PcmSamples& samples)
{
    Voice* v = voiceAt(voice);
    if (!v)
        return;
    std::swap(v->pcm, samples);
    v->pcm.channels = 0;
    v->pcm.frames = 0;
    v->pcm.rate = 0;
    v->pcm.samples.clear();
    v->playing = false;
    v->position = 0;
}

bool Mixer::hasSamples(int voice) const
{
    const Voice* v = voiceAt(voice);
    return v && v->pcm.frames > 0;
}

void Mixer::setVolume(int voice, int hundredthsDb)
{
    Voice* v = voiceAt(voice);
    if (!v || hundredthsDb < kSilence || hundredthsDb > 0)
        return;
    v->volume = hundredthsDb;
    updateGains(*v);
}

void Mixer::setPan(int voice, int pan)
{
    Voice* v = voiceAt(voice);
    if (!v || pan < kPanLeft || pan > kPanRight)
        return;
    v->pan = pan;
    updateGains(*v);
}

void Mixer::setFrequency(int voice, int hz)
{
    Voice* v = voiceAt(voice);
    if (!v || hz < int(kMinSampleRate) || hz > int(kMaxSampleRate))
        return;
    v->frequency = hz;
    updateStep(*v);
}

int Mixer::volume(int voice) const
{
    const Voice* v = voiceAt(voice);
    return v ? v->volume : 0;
}

int Mixer::pan(int voice) const
{
    const Voice* v = voiceAt(voice);
    return v ? v->pan : 0;
}

int Mixer::frequency(int voice) const
{
    const Voice* v = voiceAt(voice);
    return v ? v->frequency : 0;
}

void Mixer::play(int voice)
{
    Voice* v = voiceAt(voice);
    if (!v || v->pcm.frames == 0 || v->step == 0 || v->playing)
        return;
    v->position = 0;
    v->playing = true;
}

bool Mixer::isPlaying(int voice) const
{
    const Voice* v = voiceAt(voice);
    return v && v->playing;
}

void Mixer::updateGains(Voice& v)
{
    const float gain = gainOf(v.volume);
    v.leftGain = v.pan > 0 ? gain * gainOf(-v.pan) : gain;
    v.rightGain = v.pan < 0 ? gain * gainOf(v.pan) : gain;
}

void Mixer::updateStep(Voice& v) const { v.step = (uint64_t(v.frequency) << 32) / uint64_t(outputRate_); }

void Mixer::mix(int16_t* out, int frames)
{
    float sum[2 * kPassFrames];
    while (frames > 0) {
        const int n = std::min(frames, kPassFrames);
        std::fill(sum, sum + 2 * n, 0.0f);
        for (Voice& v : voices_)
            if (v.playing)
                mixVoice(v, sum, n);
        for (int i = 0; i < 2 * n; ++i)
            out[i] = saturate(sum[i]);
        out += 2 * n;
        frames -= n;
    }
}

// Linear interpolation between neighbouring frames; the last frame is held
// for the fraction past it.
void Mixer::mixVoice(Voice& v, float* sum, int frames)
{
    const uint32_t count = v.pcm.frames;
    const uint64_t end = uint64_t(count) << 32;
    const int16_t* s = v.pcm.samples.data();
    const bool stereo = v.pcm.channels == 2;
    for (int i = 0; i < frames && v.position < end; ++i) {
        const uint32_t at = uint32_t(v.position >> 32);
        const uint32_t next = at + 1 < count ? at + 1 : at;
        const float t = float(v.position & (kOne - 1)) * (1.0f / float(kOne));
        if (stereo) {
            const float left = s[2 * at] + (s[2 * next] - s[2 * at]) * t;
            const float right = s[2 * at + 1] + (s[2 * next + 1] - s[2 * at + 1]) * t;
            sum[2 * i] += left * v.leftGain;
            sum[2 * i + 1] += right * v.rightGain;
        } else {
            const float x = s[at] + (s[next] - s[at]) * t;
            sum[2 * i] += x * v.leftGain;
            sum[2 * i + 1] += x * v.rightGain;
        }
        v.position += v.step;
    }
    if (v.position >= end) {
        v.playing = false;
        v.position = 0;
    }
}
