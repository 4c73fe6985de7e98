#pragma once
// Small signal-processing pieces for the sound generators.
#include <cstddef>
#include <vector>

namespace assetgen {

constexpr double kTwoPi = 6.28318530717958647692;

// A second-order filter (the usual audio cookbook designs).
class Biquad {
  public:
    static Biquad lowPass(double rate, double frequency, double q = 0.7071);
    static Biquad highPass(double rate, double frequency, double q = 0.7071);
    // Band-pass with 0 dB at the centre.
    static Biquad bandPass(double rate, double frequency, double q);

    float process(float x);

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A random value that wanders smoothly, changing direction about `hz`
// times a second; next() advances one sample and returns about -1 ... 1.
class Wander {
  public:
    Wander(double rate, double hz);
    float next();

  private:
    double step_, phase_ = 0, from_, to_;
};

// A plain mono room: parallel damped combs into series all-passes, sized
// for a forest (short, diffuse, no slap-back).
class ForestReverb {
  public:
    ForestReverb(double rate, double size, double damping);
    // The reverberated part only.
    float process(float x);

  private:
    struct Delay {
        std::vector<float> line;
        size_t pos = 0;
        float store = 0;
    };
    std::vector<Delay> combs_, allpasses_;
    float feedback_, damping_;
};

// White noise in -1 ... 1 from the shared generator.
float whiteNoise();

// Scales so the largest magnitude is `peak`.
void normalise(std::vector<float>& samples, float peak);
// Raised-cosine fades at both ends.
void fade(std::vector<float>& samples, double rate, double inSeconds, double outSeconds);
// Adds `wet` parts of forest reverb (the tail is cut at the end).
void addReverb(std::vector<float>& samples, double rate, double size, double damping, float wet);
// Runs a filter over the samples.
void applyFilter(std::vector<float>& samples, Biquad filter);

} // namespace assetgen
