#pragma once
// Gradient noise for textures and for slow variations in sounds.
#include <cstdint>

namespace assetgen {

class GradientNoise {
  public:
    // Builds the lattice from the shared generator seeded with `seed`.
    explicit GradientNoise(uint32_t seed);

    // Smooth noise in about -1 ... 1, one lattice cell per unit.
    double at(double x, double y) const;
    double at(double x, double y, double z) const;
    // As at(x, y) but repeating every `periodX` and `periodY` units
    // (whole numbers, at most 256), so a texture made from it tiles.
    double periodic(double x, double y, int periodX, int periodY) const;

    // Sums of octaves: each octave doubles the frequency and multiplies the
    // amplitude by `gain`. The result is normalised to about -1 ... 1.
    double fbm(double x, double y, int octaves, double gain = 0.5) const;
    double fbm(double x, double y, double z, int octaves, double gain = 0.5) const;
    // Tiling fbm; the periods double with every octave too.
    double periodicFbm(double x, double y, int periodX, int periodY, int octaves, double gain = 0.5) const;

  private:
    int hash(int x, int y) const { return perm_[(perm_[x & 255] + y) & 255]; }
    int hash(int x, int y, int z) const { return perm_[(hash(x, y) + z) & 255]; }

    uint8_t perm_[256];
};

// 0 below `edge0`, 1 above `edge1`, a smooth step between.
double smoothstep(double edge0, double edge1, double x);
// Clamps to 0 ... 1.
double saturate(double x);
// Linear blend from a (t = 0) to b (t = 1).
double mix(double a, double b, double t);

} // namespace assetgen
