#pragma once
// Frames read back from the GL back buffer, saved as PNG and compared with
// tolerances (never byte-exact: Mesa versions round differently).
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// An RGB picture, top row first.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    // Pixel (x, y), y counted from the top; black outside the picture.
    Rgb at(int x, int y) const;
};

// The back buffer of the current context (viewport size), read before the
// swap and turned top row first.
Capture captureBackBuffer();

// Writes `capture` as `name`.png into the test output folder; false on failure.
bool savePng(const Capture& capture, const std::string& name);

// The PNG at `path` as RGB; an empty capture when it cannot be read.
Capture readPng(const std::string& path);

// Every channel within `tolerance`.
bool near(Rgb a, Rgb b, int tolerance);
// Share of the pixels of [x0, x1) x [y0, y1) within `tolerance` of `colour`.
double shareNear(const Capture& capture, int x0, int y0, int x1, int y1, Rgb colour, int tolerance);
// Share of pixels of two same-sized captures differing by more than `tolerance`
// in some channel (1 when the sizes differ).
double shareDiffering(const Capture& a, const Capture& b, int tolerance);

} // namespace testsupport
