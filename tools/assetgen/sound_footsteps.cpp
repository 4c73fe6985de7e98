#include "tools/assetgen/sound_makers.h"

#include "tools/assetgen/dsp.h"
#include "tools/assetgen/random_source.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr int kRate = kAmbienceRate;
// Six strides in 2.2 s: 2.7 steps a second, a steady running pace.
constexpr double kLoopSeconds = 2.2;
constexpr int kSteps = 6;

// Adds `sound` starting at `start`, wrapping round the end of the loop so
// that the file joins itself without a seam.
void addWrapped(std::vector<float>& loop, const std::vector<float>& sound, size_t start)
{
    for (size_t i = 0; i < sound.size(); ++i)
        loop[(start + i) % loop.size()] += sound[i];
}

// Needles, dry moss and small twigs giving under a foot: a burst of tiny
// crackles, each a few milliseconds of filtered noise.
void addCrackles(std::vector<float>& out, int count, double spread, double level)
{
    for (int k = 0; k < count; ++k) {
        const double when = 0.002 - spread * std::log(1 - uniform() * 0.95);
        const size_t start = static_cast<size_t>(when * kRate);
        Biquad band = Biquad::bandPass(kRate, 700 * std::pow(9.0, uniform()), 1.4);
        const double amp = level * uniform(0.2, 1.0) * std::exp(-when / (spread * 2));
        const double decay = uniform(0.0008, 0.003) * kRate;
        for (size_t i = 0; i < static_cast<size_t>(decay * 5) && start + i < out.size(); ++i)
            out[start + i] += static_cast<float>(amp * std::exp(-static_cast<double>(i) / decay) *
                                                 band.process(whiteNoise()) * 2.5);
    }
}

std::vector<float> footfall(bool leftFoot)
{
    std::vector<float> out(static_cast<size_t>(0.32 * kRate), 0.0f);
    // The body of the impact: a soft low thud into springy ground.
    Biquad thudNoise = Biquad::lowPass(kRate, 500);
    double phase = 0;
    const double weight = leftFoot ? 1.0 : 0.88;
    for (size_t i = 0; i < static_cast<size_t>(0.16 * kRate); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += kTwoPi * (52 + 45 * std::exp(-t / 0.018)) / kRate;
        const double env = (1 - std::exp(-t / 0.002)) * std::exp(-t / 0.03);
        out[i] += static_cast<float>(weight * env *
                                     (0.7 * std::sin(phase) + 1.6 * thudNoise.process(whiteNoise())));
    }
    addCrackles(out, 22 + pick(10), 0.025, 0.9 * weight);
    // Push-off from the forefoot scuffs the litter again, more softly.
    std::vector<float> push(out.size() - static_cast<size_t>(0.1 * kRate), 0.0f);
    addCrackles(push, 8 + pick(5), 0.03, 0.4);
    for (size_t i = 0; i < push.size(); ++i)
        out[i + static_cast<size_t>(0.1 * kRate)] += push[i];
    // Low plants brushing the shin.
    Biquad swish = Biquad::bandPass(kRate, leftFoot ? 3200 : 2800, 0.5);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::sin(std::fmin(t / 0.05, 1.0) * kTwoPi / 4) * std::exp(-t / 0.09);
        out[i] += static_cast<float>(0.07 * env * swish.process(whiteNoise()));
    }
    return out;
}

} // namespace

std::vector<float> makeRunningSteps()
{
    reseed(0xF007);
    std::vector<float> loop(static_cast<size_t>(kLoopSeconds * kRate), 0.0f);
    for (int k = 0; k < kSteps; ++k) {
        const double when = (k + 0.3) * kLoopSeconds / kSteps + uniform(-0.004, 0.004);
        addWrapped(loop, footfall(k % 2 == 0), static_cast<size_t>(when * kRate));
    }
    applyFilter(loop, Biquad::highPass(kRate, 40));
    normalise(loop, 0.6f);
    return loop;
}

} // namespace assetgen
