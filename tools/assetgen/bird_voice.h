#pragma once
// Songs are sequences of syllables: tonal sweeps with an envelope, a few
// harmonics, optional trill and breath. Bird song is mostly whistled, so a
// careful pitch contour with small irregularities carries most of it.
#include <vector>

namespace assetgen {

struct Syllable {
    double start = 0; // seconds from the start of the sound
    double duration = 0.1;
    double f0 = 3000;      // pitch at the start (Hz)
    double f1 = 3000;      // pitch at the end
    double fmid = 0;       // pitch half way, for rising-falling notes; 0 for none
    double curve = 0;      // bends the glide: above 0 fast at first, below 0 late
    double trillRate = 0;  // frequency modulation rate (Hz)
    double trillDepth = 0; // ... and depth as a share of the pitch
    double amp = 1;
    double attack = 0.15;  // share of the duration spent rising
    double release = 0.35; // ... and falling
    double harmonic2 = 0.12, harmonic3 = 0.04;
    double breath = 0.0; // share of band noise round the pitch
};

// Renders `syllables` mixed into a buffer long enough for all of them.
std::vector<float> renderSong(const std::vector<Syllable>& syllables, int rate);

} // namespace assetgen
