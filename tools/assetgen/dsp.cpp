#include "tools/assetgen/dsp.h"

#include "tools/assetgen/random_source.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Biquad Biquad::lowPass(double rate, double frequency, double q)
{
    const double w = kTwoPi * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    Biquad f;
    const double a0 = 1 + alpha;
    f.b0_ = (1 - c) / 2 / a0;
    f.b1_ = (1 - c) / a0;
    f.b2_ = (1 - c) / 2 / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::highPass(double rate, double frequency, double q)
{
    const double w = kTwoPi * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    Biquad f;
    const double a0 = 1 + alpha;
    f.b0_ = (1 + c) / 2 / a0;
    f.b1_ = -(1 + c) / a0;
    f.b2_ = (1 + c) / 2 / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::bandPass(double rate, double frequency, double q)
{
    const double w = kTwoPi * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    Biquad f;
    const double a0 = 1 + alpha;
    f.b0_ = alpha / a0;
    f.b1_ = 0;
    f.b2_ = -alpha / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

float Biquad::process(float x)
{
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
}

Wander::Wander(double rate, double hz) : step_(hz / rate), from_(uniform(-1, 1)), to_(uniform(-1, 1)) {}

float Wander::next()
{
    phase_ += step_;
    if (phase_ >= 1) {
        phase_ -= 1;
        from_ = to_;
        to_ = uniform(-1, 1);
    }
    const double s = (1 - std::cos(phase_ * kTwoPi / 2)) / 2;
    return static_cast<float>(from_ + (to_ - from_) * s);
}

ForestReverb::ForestReverb(double rate, double size, double damping)
    : feedback_(static_cast<float>(0.7 + 0.25 * size)), damping_(static_cast<float>(damping))
{
    // Mutually prime delays (in samples at 44.1 kHz) keep the echoes dense.
    static const int combLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int allpassLengths[] = {556, 441, 341, 225};
    const double scale = rate / 44100.0 * (0.6 + 0.6 * size);
    for (int n : combLengths)
        combs_.push_back({std::vector<float>(static_cast<size_t>(n * scale) + 1, 0.0f)});
    for (int n : allpassLengths)
        allpasses_.push_back({std::vector<float>(static_cast<size_t>(n * rate / 44100.0) + 1, 0.0f)});
}

float ForestReverb::process(float x)
{
    float out = 0;
    for (Delay& d : combs_) {
        const float y = d.line[d.pos];
        d.store = y * (1 - damping_) + d.store * damping_;
        d.line[d.pos] = x * 0.015f + d.store * feedback_;
        d.pos = (d.pos + 1) % d.line.size();
        out += y;
    }
    for (Delay& d : allpasses_) {
        const float y = d.line[d.pos];
        d.line[d.pos] = out + y * 0.5f;
        d.pos = (d.pos + 1) % d.line.size();
        out = y - out;
    }
    return out;
}

float whiteNoise() { return static_cast<float>(uniform() * 2 - 1); }

void normalise(std::vector<float>& samples, float peak)
{
    float most = 0;
    for (float s : samples)
        most = std::max(most, std::fabs(s));
    if (most <= 0)
        return;
    for (float& s : samples)
        s *= peak / most;
}

void fade(std::vector<float>& samples, double rate, double inSeconds, double outSeconds)
{
    const size_t in = std::min(samples.size(), static_cast<size_t>(inSeconds * rate));
    const size_t out = std::min(samples.size(), static_cast<size_t>(outSeconds * rate));
    for (size_t i = 0; i < in; ++i)
        samples[i] *= static_cast<float>((1 - std::cos(kTwoPi / 2 * i / in)) / 2);
    for (size_t i = 0; i < out; ++i)
        samples[samples.size() - 1 - i] *= static_cast<float>((1 - std::cos(kTwoPi / 2 * i / out)) / 2);
}

void addReverb(std::vector<float>& samples, double rate, double size, double damping, float wet)
{
    ForestReverb reverb(rate, size, damping);
    for (float& s : samples)
        s += wet * reverb.process(s);
}

void applyFilter(std::vector<float>& samples, Biquad filter)
{
    for (float& s : samples)
        s = filter.process(s);
}

} // namespace assetgen
