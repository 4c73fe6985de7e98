#pragma once
// The program's one pseudo-random generator. Generation, vegetation
// drawing, the runner's drift and the ambience all draw from it in call
// order, so a seed reproduces a terrain exactly.
#include <cstdint>

namespace rng {

// Sets the 32-bit state.
void seed(uint32_t s);
// Advances the state (state * 214013 + 2531011) and returns bits 16..30:
// 0 ... 32767.
int next();
// Largest value next() returns.
constexpr int kMax = 32767;
// Current state, for tests that need to save and restore it.
uint32_t state();

} // namespace rng
