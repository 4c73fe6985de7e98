#include "tools/assetgen/sound_makers.h"

#include "tools/assetgen/bird_voice.h"
#include "tools/assetgen/dsp.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr int kRate = kAmbienceRate;

// Wind through the crowns: a low roar of the trunks, the rustle of needles
// and leaves, both swelling with slow gusts.
void addWind(std::vector<float>& out, double windiness)
{
    Wander gust(kRate, 0.13), swell(kRate, 0.035), flutter(kRate, 11);
    Biquad roarBand = Biquad::lowPass(kRate, 800, 0.5), roarLow = Biquad::highPass(kRate, 70);
    Biquad rustleBand = Biquad::bandPass(kRate, 1800, 0.5), rustleHigh = Biquad::bandPass(kRate, 4500, 0.9);
    double brown = 0;
    for (float& s : out) {
        const double strength =
            0.15 + 0.85 * saturate(0.3 + windiness * 0.25 + 0.3 * swell.next() + 0.3 * gust.next());
        brown = 0.985 * brown + 0.15 * whiteNoise();
        const double roar = roarLow.process(roarBand.process(static_cast<float>(brown)));
        const double leaves = rustleBand.process(whiteNoise()) * (0.65 + 0.35 * std::fabs(flutter.next()));
        const double hiss = rustleHigh.process(whiteNoise());
        s += static_cast<float>(0.55 * std::pow(strength, 1.5) * roar +
                                0.5 * std::pow(strength, 2.5) * leaves + 0.025 * strength * strength * hiss);
    }
}

void mixAt(std::vector<float>& bus, const std::vector<float>& sound, double start, double gain)
{
    const size_t first = static_cast<size_t>(start * kRate);
    for (size_t i = 0; i < sound.size() && first + i < bus.size(); ++i)
        bus[first + i] += static_cast<float>(gain * sound[i]);
}

// A short phrase of a small bird far off among the trees.
std::vector<Syllable> distantPhrase()
{
    std::vector<Syllable> phrase;
    const int kind = pick(4);
    const double base = uniform(2800, 6000);
    double t = 0;
    const int notes = kind == 0 ? 1 : 2 + pick(6);
    for (int i = 0; i < notes; ++i) {
        Syllable s;
        s.start = t;
        s.duration = kind == 2 ? 0.04 : uniform(0.05, 0.16);
        s.f0 = base * uniform(0.85, 1.2);
        s.f1 = kind == 1 ? s.f0 * 0.7 : base * uniform(0.8, 1.25);
        if (kind == 3)
            s.fmid = s.f0 * 1.2;
        if (kind == 2) {
            s.trillRate = 45;
            s.trillDepth = 0.08;
        }
        s.amp = uniform(0.5, 1.0);
        phrase.push_back(s);
        t += s.duration + (kind == 2 ? 0.02 : uniform(0.03, 0.12));
    }
    return phrase;
}

// A cuckoo calling across the valley, four times.
std::vector<Syllable> distantCuckoo()
{
    std::vector<Syllable> calls;
    for (int i = 0; i < 4; ++i) {
        for (int half = 0; half < 2; ++half) {
            Syllable s;
            s.start = i * 1.1 + half * 0.3;
            s.duration = half ? 0.32 : 0.2;
            s.f0 = half ? 585 : 725;
            s.f1 = half ? 560 : 700;
            s.harmonic2 = 0.15;
            s.breath = 0.1;
            s.attack = 0.25;
            s.release = 0.5;
            calls.push_back(s);
        }
    }
    return calls;
}

// A woodpecker drumming on a dead trunk somewhere.
std::vector<float> drumming()
{
    std::vector<float> out(static_cast<size_t>(1.6 * kRate), 0.0f);
    const int knocks = 19;
    for (int k = 0; k < knocks; ++k) {
        Biquad wood = Biquad::bandPass(kRate, 950, 4), trunk = Biquad::bandPass(kRate, 430, 6);
        const size_t start = static_cast<size_t>((0.02 + k / 17.5) * kRate);
        const double amp = 1 - 0.6 * k / knocks;
        for (size_t i = 0; i < static_cast<size_t>(0.04 * kRate) && start + i < out.size(); ++i) {
            const float hit =
                static_cast<float>(std::exp(-static_cast<double>(i) / (0.0015 * kRate)) * whiteNoise());
            out[start + i] += static_cast<float>(amp * (wood.process(hit) * 1.4 + trunk.process(hit) * 1.8));
        }
    }
    return out;
}

} // namespace

std::vector<float> makeForestBackground(int index)
{
    reseed(0xA00D0 + index);
    const double length = index == 1 ? 32.0 : 27.0;
    std::vector<float> out(static_cast<size_t>(length * kRate), 0.0f);
    addWind(out, index == 1 ? 0.0 : 0.6);
    applyFilter(out, Biquad::lowPass(kRate, 6000));

    // Distant birds go to a bus that is dulled by distance and echoed by
    // the forest before it joins the wind.
    std::vector<float> birds(out.size(), 0.0f);
    for (double t = uniform(0.8, 2.0); t < length - 2.5; t += uniform(0.6, index == 1 ? 2.6 : 3.6))
        mixAt(birds, renderSong(distantPhrase(), kRate), t, uniform(0.02, 0.09));
    if (index == 1) {
        mixAt(birds, renderSong(distantCuckoo(), kRate), 11.5, 0.07);
    } else {
        mixAt(birds, drumming(), 8.2, 0.16);
        mixAt(birds, drumming(), 19.6, 0.11);
    }
    applyFilter(birds, Biquad::lowPass(kRate, 5000));
    ForestReverb reverb(kRate, 0.8, 0.45);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] += 0.45f * birds[i] + 1.6f * reverb.process(birds[i]);

    normalise(out, 0.85f);
    // The two backgrounds take turns; the fades let one give way to the next.
    fade(out, kRate, 1.5, 2.0);
    return out;
}

} // namespace assetgen
