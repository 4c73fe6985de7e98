#include "map/map_image.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

void put(uint8_t* p, uint8_t r, uint8_t g, uint8_t b)
{
    if (!p)
        return;
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

// Steps along the major axis in single precision and hands each truncated
// point to plot.
template <class Plot>
void traceLine(int x0, int y0, int x1, int y1, Plot plot)
{
    // Beyond 2^24 a float step of 1 no longer moves; no map comes near it.
    const int kLimit = 1 << 24;
    if ((x0 == x1 && y0 == y1) || std::abs(x0) > kLimit || std::abs(y0) > kLimit || std::abs(x1) > kLimit ||
        std::abs(y1) > kLimit)
        return;
    float x = static_cast<float>(x0);
    float y = static_cast<float>(y0);
    const float xEnd = static_cast<float>(x1);
    const float yEnd = static_cast<float>(y1);
    const float m = (xEnd - x) / (yEnd - y);
    if (std::fabs(m) < 1.0f) {
        const float step = y <= yEnd ? 1.0f : -1.0f;
        const float dx = step * m;
        for (; step > 0 ? y <= yEnd : y >= yEnd; y += step) {
            x += dx;
            plot(static_cast<int>(x), static_cast<int>(y));
        }
        return;
    }
    const float k = (yEnd - y) / (xEnd - x);
    const float step = x <= xEnd ? 1.0f : -1.0f;
    const float dy = step * k;
    for (; step > 0 ? x <= xEnd : x >= xEnd; x += step) {
        y += dy;
        plot(static_cast<int>(x), static_cast<int>(y));
    }
}

} // namespace

void MapImage::create(int32_t width, int32_t height)
{
    release();
    width_ = width;
    height_ = height;
    if (width > 0 && height > 0)
        pixels_.reset(new uint8_t[static_cast<size_t>(width) * height * 3]);
}

void MapImage::release() { pixels_.reset(); }

uint8_t* MapImage::wrapped(int x, int y)
{
    if (!pixels_)
        return nullptr;
    x %= width_;
    y %= height_;
    if (x < 0 || y < 0)
        return nullptr;
    return pixels_.get() + (static_cast<size_t>(y) * width_ + x) * 3;
}

uint8_t* MapImage::clipped(int x, int y)
{
    if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return nullptr;
    return pixels_.get() + (static_cast<size_t>(y) * width_ + x) * 3;
}

void MapImage::setGrey(int x, int y, uint8_t v) { put(wrapped(x, y), v, v, v); }
void MapImage::setGreen(int x, int y, uint8_t v) { put(wrapped(x, y), 0, v, 0); }
void MapImage::setBlue(int x, int y, uint8_t v) { put(wrapped(x, y), 0, 0, v); }
void MapImage::setYellow(int x, int y, uint8_t v) { put(wrapped(x, y), v, v, 0); }
void MapImage::setBrown(int x, int y, uint8_t v) { put(wrapped(x, y), v, v / 2, 0); }

void MapImage::blendRed(int x, int y, uint8_t v)
{
    if (uint8_t* p = clipped(x, y))
        put(p, p[0] / 3 + 2 * v / 3, p[1] / 3, p[2] / 3);
}

void MapImage::blendBlue(int x, int y, uint8_t v)
{
    if (uint8_t* p = clipped(x, y))
        put(p, p[0] / 3, p[1] / 3, p[2] / 3 + 2 * v / 3);
}

void MapImage::fill(uint8_t v)
{
    if (pixels_)
        std::memset(pixels_.get(), v, static_cast<size_t>(width_) * height_ * 3);
}

void MapImage::fillWhite() { fill(255); }
void MapImage::fillBlack() { fill(0); }

void MapImage::drawRedLine(int x0, int y0, int x1, int y1, uint8_t v)
{
    traceLine(x0, y0, x1, y1, [&](int x, int y) { blendRed(x, y, v); });
}

void MapImage::drawBrownLine(int x0, int y0, int x1, int y1, uint8_t v)
{
    traceLine(x0, y0, x1, y1, [&](int x, int y) { setBrown(x, y, v); });
}

void MapImage::drawRedCircle(int cx, int cy, int r, uint8_t v)
{
    // 0.0175 rather than pi / 180: the samples run slightly past a full turn.
    for (float a = 0; a < 360; a += 1) {
        const double t = static_cast<float>(a * 0.0175);
        const float dx = static_cast<float>(std::sin(t) * r);
        const float dy = static_cast<float>(std::cos(t) * r);
        blendRed(cx + static_cast<int>(dx), cy + static_cast<int>(dy), v);
    }
}

void MapImage::drawRedTriangle(int x, int y, int size, uint8_t v, float angle)
{
    if (!std::isfinite(angle))
        return;
    const double s = static_cast<float>(size);
    const int offsets[3] = {0, 120, -120};
    int cornerX[3];
    int cornerY[3];
    for (int k = 0; k < 3; ++k) {
        const double phi = static_cast<float>((offsets[k] + angle) * 0.0174533);
        cornerX[k] = x + static_cast<int>(std::sin(phi) * s);
        cornerY[k] = y + static_cast<int>(std::cos(phi) * -s);
    }
    drawRedLine(cornerX[0], cornerY[0], cornerX[1], cornerY[1], v);
    drawRedLine(cornerX[1], cornerY[1], cornerX[2], cornerY[2], v);
    drawRedLine(cornerX[0], cornerY[0], cornerX[2], cornerY[2], v);
}

void MapImage::drawBlueColumn(int x, uint8_t v)
{
    if (x > width_)
        return;
    for (int y = 0; y < height_; ++y)
        blendBlue(x, y, v);
}
