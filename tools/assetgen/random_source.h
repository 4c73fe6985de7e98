#pragma once
// Convenience draws on top of the program's one generator, so every asset
// comes out the same on every build.
#include <cstdint>

namespace assetgen {

// Restarts the generator; each asset seeds itself so that the order in
// which assets are made does not change any of them.
void reseed(uint32_t seed);
// Uniform in [0, 1) with 30 bits of resolution.
double uniform();
// Uniform in [lo, hi).
double uniform(double lo, double hi);
// Whole number in 0 ... n - 1 (n > 0).
int pick(int n);
// Roughly normal with mean 0 and deviation 1 (sum of four uniforms).
double gaussian();

} // namespace assetgen
