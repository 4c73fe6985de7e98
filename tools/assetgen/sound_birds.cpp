#include "tools/assetgen/sound_makers.h"

#include "tools/assetgen/bird_voice.h"
#include "tools/assetgen/dsp.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

using Song = std::vector<Syllable>;

Syllable note(double start, double duration, double f0, double f1, double amp = 1)
{
    Syllable s;
    s.start = start;
    s.duration = duration;
    s.f0 = f0;
    s.f1 = f1;
    s.amp = amp;
    return s;
}

// Chaffinch: three descending trill phrases speeding up, and a flourish.
Song chaffinch()
{
    Song song;
    double t = 0.05;
    const struct {
        int notes;
        double gap, hi, lo, len;
    } phrases[] = {{6, 0.1, 5200, 3900, 0.065}, {5, 0.082, 4300, 3300, 0.055}, {4, 0.07, 3700, 2700, 0.05}};
    for (const auto& p : phrases) {
        for (int i = 0; i < p.notes; ++i) {
            Syllable s = note(t, p.len, p.hi * uniform(0.98, 1.02), p.lo, 0.55 + 0.35 * i / p.notes);
            s.curve = 1.5;
            s.attack = 0.08;
            song.push_back(s);
            t += p.gap;
        }
        t += 0.04;
    }
    Syllable flourish = note(t + 0.03, 0.26, 2400, 2000);
    flourish.fmid = 5400;
    flourish.attack = 0.2;
    song.push_back(flourish);
    return song;
}

// Great tit: "tea-cher, tea-cher ...".
Song greatTit()
{
    Song song;
    for (int i = 0; i < 4; ++i) {
        const double t = 0.05 + i * 0.36;
        Syllable hi = note(t, 0.09, 6900, 6300, 0.8);
        hi.harmonic2 = 0.05;
        Syllable lo = note(t + 0.13, 0.12, 4300, 4050, 1.0);
        lo.harmonic2 = 0.08;
        lo.curve = -0.5;
        song.push_back(hi);
        song.push_back(lo);
    }
    return song;
}

// Cuckoo: the two falling hoots, three times.
Song cuckoo()
{
    Song song;
    for (int i = 0; i < 3; ++i) {
        const double t = 0.05 + i * 1.05;
        Syllable cu = note(t, 0.2, 730, 700, 1.0);
        Syllable coo = note(t + 0.3, 0.34, 590, 565, 0.85);
        for (Syllable* s : {&cu, &coo}) {
            s->harmonic2 = 0.18;
            s->harmonic3 = 0.06;
            s->breath = 0.12;
            s->attack = 0.25;
            s->release = 0.5;
        }
        song.push_back(cu);
        song.push_back(coo);
    }
    return song;
}

// Blackbird: a slow fluted warble ending in a squeaky twitter.
Song blackbird()
{
    Song song;
    double t = 0.05;
    const double pitches[] = {1900, 2300, 2100, 2650, 1750, 2450, 2900, 2200, 2500};
    for (double p : pitches) {
        const double len = uniform(0.1, 0.22);
        Syllable s = note(t, len, p * uniform(0.9, 1.0), p * uniform(0.95, 1.1), uniform(0.7, 1.0));
        if (uniform() < 0.4)
            s.fmid = p * 1.15;
        if (uniform() < 0.25) {
            s.trillRate = 22;
            s.trillDepth = 0.035;
        }
        s.harmonic2 = 0.2;
        s.attack = 0.2;
        s.release = 0.4;
        song.push_back(s);
        t += len + uniform(0.02, 0.07);
    }
    t += 0.08;
    for (int i = 0; i < 4; ++i) {
        Syllable s = note(t, 0.04, uniform(6500, 8000), uniform(5000, 6000), 0.35);
        s.curve = 1;
        song.push_back(s);
        t += 0.055;
    }
    return song;
}

// Robin: thin, high and wistful, in three quick phrases.
Song robin()
{
    Song song;
    double t = 0.05;
    for (int phrase = 0; phrase < 3; ++phrase) {
        const int notes = 4 + pick(3);
        for (int i = 0; i < notes; ++i) {
            const double len = uniform(0.04, 0.11);
            const double f = uniform(3200, 7200);
            Syllable s = note(t, len, f, f * uniform(0.75, 1.3), uniform(0.5, 1.0));
            if (uniform() < 0.3) {
                s.trillRate = 40;
                s.trillDepth = 0.05;
            }
            s.harmonic2 = 0.05;
            song.push_back(s);
            t += len + uniform(0.01, 0.04);
        }
        t += 0.22;
    }
    return song;
}

// Wren: a loud, fast torrent with a rattling trill in the middle.
Song wren()
{
    Song song;
    double t = 0.05;
    for (int i = 0; i < 14; ++i) {
        const bool down = i % 2 == 0;
        Syllable s = note(t, 0.045, down ? 6400 : 4200, down ? 4600 : 6600, 0.8 + 0.2 * uniform());
        s.attack = 0.05;
        song.push_back(s);
        t += 0.065;
    }
    Syllable rattle = note(t + 0.03, 0.55, 5200, 4800, 1.0);
    rattle.trillRate = 55;
    rattle.trillDepth = 0.16;
    song.push_back(rattle);
    t += 0.65;
    for (int i = 0; i < 10; ++i) {
        Syllable s = note(t, 0.04, 7000, 5200, 0.85);
        s.curve = 2;
        song.push_back(s);
        t += 0.058;
    }
    return song;
}

// Chiffchaff: its name, over and over, slightly out of step.
Song chiffchaff()
{
    Song song;
    double t = 0.05;
    const bool high[] = {true, false, true, true, false, true, false, false, true, false};
    for (bool h : high) {
        Syllable s = h ? note(t, 0.075, 6000, 4900, 0.9) : note(t, 0.085, 4800, 4100, 1.0);
        s.curve = 1.2;
        s.attack = 0.1;
        song.push_back(s);
        t += uniform(0.29, 0.36);
    }
    return song;
}

// Willow warbler: a soft cascade running down the scale.
Song willowWarbler()
{
    Song song;
    double t = 0.05;
    const int notes = 14;
    for (int i = 0; i < notes; ++i) {
        const double f = 5300 - 2200.0 * i / (notes - 1);
        Syllable s = note(t, 0.095, f + 300, f - 250, 0.5 + 0.5 * std::sin(3.1 * (i + 1) / (notes + 1)));
        s.fmid = f + 500;
        s.attack = 0.3;
        s.release = 0.4;
        song.push_back(s);
        t += 0.15 - 0.003 * i;
    }
    return song;
}

// Yellowhammer: a row of quick notes and a long drawn-out last one.
Song yellowhammer()
{
    Song song;
    double t = 0.05;
    for (int i = 0; i < 8; ++i) {
        Syllable s = note(t, 0.045, 5900, 5100, 0.7 + 0.03 * i);
        s.curve = 1;
        song.push_back(s);
        t += 0.105;
    }
    Syllable last = note(t + 0.06, 0.5, 4700, 4350, 1.0);
    last.trillRate = 28;
    last.trillDepth = 0.012;
    last.release = 0.5;
    song.push_back(last);
    return song;
}

// Black woodpecker: its ringing "kwee-kwee-kwee" call.
Song blackWoodpecker()
{
    Song song;
    for (int i = 0; i < 11; ++i) {
        Syllable s = note(0.05 + i * 0.19, 0.12, 1650, 1600, 1.0 - 0.03 * i);
        s.fmid = 1900;
        s.harmonic2 = 0.45;
        s.harmonic3 = 0.25;
        s.breath = 0.08;
        s.attack = 0.15;
        song.push_back(s);
    }
    return song;
}

// Hooded crow: three hoarse "kraa"s. Too rough for the whistle voice: a
// buzzy source of many harmonics through two throat resonances.
std::vector<float> crowCalls()
{
    const int rate = kCallRate;
    std::vector<float> out(static_cast<size_t>(2.0 * rate), 0.0f);
    for (int call = 0; call < 3; ++call) {
        const double start = 0.05 + call * 0.58, len = 0.36 + 0.04 * call;
        Biquad throatA = Biquad::bandPass(rate, 1250, 3), throatB = Biquad::bandPass(rate, 2300, 4);
        Wander jitter(rate, 90), shimmer(rate, 70);
        double phase = 0;
        const size_t first = static_cast<size_t>(start * rate), count = static_cast<size_t>(len * rate);
        for (size_t i = 0; i < count; ++i) {
            const double u = static_cast<double>(i) / count;
            const double f = (560 - 90 * u) * (1 + 0.03 * jitter.next());
            phase += kTwoPi * f / rate;
            double buzz = 0;
            for (int h = 1; h <= 14 && h * f < rate * 0.45; ++h)
                buzz += std::sin(h * phase) / h;
            const double src = buzz * (1 + 0.4 * shimmer.next()) + 0.1 * whiteNoise();
            const double env = smoothstep(0, 0.08, u) * (1 - smoothstep(0.6, 1, u));
            const float voiced = static_cast<float>(env * src);
            out[first + i] += throatA.process(voiced) + 0.7f * throatB.process(voiced) + 0.05f * voiced;
        }
    }
    return out;
}

std::vector<float> finish(std::vector<float> samples, float peak)
{
    samples.resize(samples.size() + kCallRate / 3, 0.0f);
    applyFilter(samples, Biquad::highPass(kCallRate, 350));
    addReverb(samples, kCallRate, 0.5, 0.4, 0.35f);
    normalise(samples, peak);
    fade(samples, kCallRate, 0.004, 0.05);
    return samples;
}

} // namespace

std::vector<float> makeBirdSong(int index)
{
    reseed(0xB12D00 + index);
    switch (index) {
    case 1:
        return finish(renderSong(chaffinch(), kCallRate), 0.7f);
    case 2:
        return finish(renderSong(greatTit(), kCallRate), 0.7f);
    case 3:
        return finish(renderSong(cuckoo(), kCallRate), 0.75f);
    case 4:
        return finish(renderSong(blackbird(), kCallRate), 0.7f);
    case 5:
        return finish(renderSong(robin(), kCallRate), 0.65f);
    case 6:
        return finish(renderSong(wren(), kCallRate), 0.75f);
    case 7:
        return finish(renderSong(chiffchaff(), kCallRate), 0.65f);
    case 8:
        return finish(renderSong(willowWarbler(), kCallRate), 0.65f);
    case 9:
        return finish(renderSong(yellowhammer(), kCallRate), 0.7f);
    case 10:
        return finish(crowCalls(), 0.8f);
    default:
        return finish(renderSong(blackWoodpecker(), kCallRate), 0.75f);
    }
}

} // namespace assetgen
