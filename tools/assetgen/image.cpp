#include "tools/assetgen/image.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
Colour mix(Colour a, Colour b, float t) { return a + (b - a) * t; }

Colour rgb(unsigned hex)
{
    return {((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f};
}

uint8_t toByte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

Image::Image(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill),
      coverage_(static_cast<size_t>(width) * height, 0.0f)
{
}

void Image::blend(int x, int y, Colour c, float a)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0)
        return;
    a = std::min(a, 1.0f);
    const int i = index(x, y);
    const float below = coverage_[i];
    const float out = a + below * (1 - a);
    // Colour over a transparent pixel is taken as it is, so shape edges on a
    // colour-keyed picture do not pick up the key's colour.
    pixels_[i] = (c * a + pixels_[i] * (below * (1 - a))) * (1.0f / out);
    coverage_[i] = out;
}

template <class Inside>
void Image::fillShape(double x0, double y0, double x1, double y1, Colour c, float opacity, Inside inside)
{
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int ix1 = std::min(width_ - 1, static_cast<int>(std::ceil(x1)));
    const int iy1 = std::min(height_ - 1, static_cast<int>(std::ceil(y1)));
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) ? 1 : 0;
            if (hits)
                blend(x, y, c, opacity * hits / 16.0f);
        }
}

void Image::fillPolygon(const std::vector<Point>& corners, Colour c, float opacity)
{
    if (corners.size() < 3)
        return;
    double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point& p : corners) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    fillShape(x0, y0, x1, y1, c, opacity, [&](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point& a = corners[i];
            const Point& b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
        return in;
    });
}

void Image::fillDisc(double cx, double cy, double radius, Colour c, float opacity)
{
    fillRing(cx, cy, -1, radius, c, opacity);
}

void Image::fillRing(double cx, double cy, double inner, double outer, Colour c, float opacity)
{
    const double in2 = inner < 0 ? -1 : inner * inner, out2 = outer * outer;
    fillShape(cx - outer, cy - outer, cx + outer, cy + outer, c, opacity, [&](double x, double y) {
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d2 <= out2 && d2 >= in2;
    });
}

void Image::strokeLine(Point a, Point b, double width, Colour c, float opacity)
{
    const double r = width / 2;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = std::max(dx * dx + dy * dy, 1e-12);
    fillShape(std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r,
              c, opacity, [&](double x, double y) {
                  const double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / len2, 0.0, 1.0);
                  const double ex = a.x + t * dx - x, ey = a.y + t * dy - y;
                  return ex * ex + ey * ey <= r * r;
              });
}

Colour Image::sample(double x, double y) const
{
    x = std::clamp(x, 0.0, width_ - 1.0);
    y = std::clamp(y, 0.0, height_ - 1.0);
    const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, width_ - 1), y1 = std::min(y0 + 1, height_ - 1);
    const float fx = static_cast<float>(x - x0), fy = static_cast<float>(y - y0);
    return mix(mix(at(x0, y0), at(x1, y0), fx), mix(at(x0, y1), at(x1, y1), fx), fy);
}

void Image::flipVertically()
{
    for (int y = 0; y < height_ / 2; ++y)
        for (int x = 0; x < width_; ++x) {
            std::swap(pixels_[index(x, y)], pixels_[index(x, height_ - 1 - y)]);
            std::swap(coverage_[index(x, y)], coverage_[index(x, height_ - 1 - y)]);
        }
}

void Image::mirrorHorizontally()
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_ / 2; ++x) {
            std::swap(pixels_[index(x, y)], pixels_[index(width_ - 1 - x, y)]);
            std::swap(coverage_[index(x, y)], coverage_[index(width_ - 1 - x, y)]);
        }
}

} // namespace assetgen
