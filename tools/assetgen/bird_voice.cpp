#include "tools/assetgen/bird_voice.h"

#include "tools/assetgen/dsp.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

double glide(double from, double to, double u, double curve)
{
    const double shaped = curve >= 0 ? 1 - std::pow(1 - u, 1 + curve) : std::pow(u, 1 - curve);
    return from + (to - from) * shaped;
}

double pitchAt(const Syllable& s, double u)
{
    if (s.fmid <= 0)
        return glide(s.f0, s.f1, u, s.curve);
    const double k = (1 - std::cos(kTwoPi / 2 * std::min(u * 2, 1.0))) / 2;
    const double l = (1 - std::cos(kTwoPi / 2 * std::max(u * 2 - 1, 0.0))) / 2;
    return u < 0.5 ? s.f0 + (s.fmid - s.f0) * k : s.fmid + (s.f1 - s.fmid) * l;
}

} // namespace

std::vector<float> renderSong(const std::vector<Syllable>& syllables, int rate)
{
    double end = 0;
    for (const Syllable& s : syllables)
        end = std::max(end, s.start + s.duration);
    std::vector<float> out(static_cast<size_t>((end + 0.05) * rate) + 1, 0.0f);
    const double nyquist = rate * 0.45;
    for (const Syllable& s : syllables) {
        const size_t first = static_cast<size_t>(s.start * rate);
        const size_t count = static_cast<size_t>(s.duration * rate);
        Wander wobble(rate, 35);
        Wander flutter(rate, 60);
        Biquad breathBand = Biquad::bandPass(rate, std::min((s.f0 + s.f1) / 2, nyquist * 0.9), 6);
        double phase = uniform(0, kTwoPi);
        for (size_t i = 0; i < count && first + i < out.size(); ++i) {
            const double u = static_cast<double>(i) / count;
            double f = pitchAt(s, u) * (1 + 0.004 * wobble.next());
            if (s.trillRate > 0)
                f *= 1 + s.trillDepth * std::sin(kTwoPi * s.trillRate * i / rate);
            phase += kTwoPi * f / rate;
            double tone = std::sin(phase);
            if (2 * f < nyquist)
                tone += s.harmonic2 * std::sin(2 * phase + 0.3);
            if (3 * f < nyquist)
                tone += s.harmonic3 * std::sin(3 * phase + 0.7);
            const double rise = smoothstep(0, std::max(s.attack, 1e-3), u);
            const double fall = 1 - smoothstep(1 - std::max(s.release, 1e-3), 1, u);
            const double env = rise * fall * (1 + 0.08 * flutter.next());
            double sample = tone * (1 - s.breath) + s.breath * 4 * breathBand.process(whiteNoise());
            out[first + i] += static_cast<float>(s.amp * env * sample);
        }
    }
    return out;
}

} // namespace assetgen
