#pragma once
// The sound generators. Each returns mono samples in -1 ... 1 at the rate
// given with it.
#include <vector>

namespace assetgen {

// Animal calls are made at 44.1 kHz, the long backgrounds and the
// footsteps at 22.05 kHz.
constexpr int kCallRate = 44100;
constexpr int kAmbienceRate = 22050;

// Eleven songs and calls, index 1 ... 11: chaffinch, great tit, cuckoo,
// blackbird, robin, wren, chiffchaff, willow warbler, yellowhammer, crow,
// black woodpecker.
std::vector<float> makeBirdSong(int index);
// A tawny owl's hoot.
std::vector<float> makeOwlHoot();
// A fly buzzing past the listener.
std::vector<float> makeFlyPass();
// Forest background 1 or 2: wind in the trees and distant birds, with
// fades at both ends.
std::vector<float> makeForestBackground(int index);
// A loop of running footsteps on needles, moss and twigs.
std::vector<float> makeRunningSteps();

} // namespace assetgen
