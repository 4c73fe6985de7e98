#include "tools/assetgen/sound_makers.h"

#include "tools/assetgen/bird_voice.h"
#include "tools/assetgen/dsp.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"

#include <cmath>

namespace assetgen {

std::vector<float> makeOwlHoot()
{
    reseed(0x0771);
    std::vector<Syllable> hoot;
    auto add = [&](double start, double len, double f0, double fmid, double f1, double amp) {
        Syllable s;
        s.start = start;
        s.duration = len;
        s.f0 = f0;
        s.fmid = fmid;
        s.f1 = f1;
        s.amp = amp;
        s.harmonic2 = 0.22;
        s.harmonic3 = 0.07;
        s.breath = 0.28;
        s.attack = 0.25;
        s.release = 0.45;
        hoot.push_back(s);
        return &hoot.back();
    };
    // "Hooo ... hu, hu-hu-hu-hoooooo".
    add(0.05, 0.7, 405, 440, 395, 1.0);
    add(2.0, 0.14, 380, 0, 400, 0.6);
    for (int i = 0; i < 3; ++i)
        add(2.42 + i * 0.1, 0.07, 395 + 8 * i, 0, 410 + 8 * i, 0.55);
    Syllable* last = add(2.75, 0.95, 430, 0, 398, 0.95);
    last->trillRate = 7;
    last->trillDepth = 0.02;
    last->release = 0.55;

    std::vector<float> out = renderSong(hoot, kCallRate);
    out.resize(out.size() + kCallRate / 2, 0.0f);
    applyFilter(out, Biquad::highPass(kCallRate, 150));
    // Twice, to keep the breathy part of the hoot from hissing.
    applyFilter(out, Biquad::lowPass(kCallRate, 1800));
    applyFilter(out, Biquad::lowPass(kCallRate, 1800));
    // Night air carries the hoot far and the trunks echo it.
    addReverb(out, kCallRate, 0.9, 0.5, 0.6f);
    normalise(out, 0.75f);
    fade(out, kCallRate, 0.01, 0.2);
    return out;
}

std::vector<float> makeFlyPass()
{
    reseed(0xF171);
    const int rate = kCallRate;
    const double length = 3.2, closest = 1.55, nearest = 0.22, speed = 1.5;
    std::vector<float> out(static_cast<size_t>(length * rate), 0.0f);
    Wander drift(rate, 2.5), jitter(rate, 45), loudness(rate, 4);
    double phase = 0, dull = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double along = (t - closest) * speed;
        const double distance = std::sqrt(nearest * nearest + along * along);
        // Pitch rises on the way in and drops as it leaves, and the fly
        // keeps changing its wingbeat as it manoeuvres.
        const double doppler = 1 - 0.05 * std::tanh(along / 0.4);
        const double f = 200 * doppler * (1 + 0.05 * drift.next() + 0.012 * jitter.next());
        phase += kTwoPi * f / rate;
        double buzz = 0;
        for (int h = 1; h <= 24 && h * f < rate * 0.45; ++h)
            buzz += std::sin(h * phase + h * h * 0.1) / std::pow(h, 0.75);
        // Further away the buzz is duller as well as quieter.
        const double cut = 0.08 + 0.5 / (1 + distance * 3);
        dull += cut * (buzz - dull);
        const double gain = 1 / (distance * distance + 0.05) * (1 + 0.15 * loudness.next());
        out[i] = static_cast<float>(gain * dull);
    }
    applyFilter(out, Biquad::highPass(rate, 120));
    normalise(out, 0.6f);
    fade(out, rate, 0.3, 0.4);
    return out;
}

} // namespace assetgen
