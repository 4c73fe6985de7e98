#include "tools/assetgen/image_makers.h"

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr int kSize = 256;
constexpr double kPi = 3.14159265358979323846;

// Every cell shows the whole picture and its neighbours mirror it, and
// repeat wrapping blends the left edge with the right: the picture tiles,
// and nothing in it is larger than a fraction of the cell, so no grid shows.
void strokeWrapped(Image& image, Point a, Point b, double width, Colour c, float opacity)
{
    for (int oy = -1; oy <= 1; ++oy)
        for (int ox = -1; ox <= 1; ++ox)
            image.strokeLine({a.x + ox * kSize, a.y + oy * kSize}, {b.x + ox * kSize, b.y + oy * kSize},
                             width, c, opacity);
}

void ellipseWrapped(Image& image, Point centre, double rx, double ry, double angle, Colour c, float opacity)
{
    std::vector<Point> pts;
    for (int i = 0; i < 14; ++i) {
        const double a = i * 2 * kPi / 14;
        const double x = std::cos(a) * rx, y = std::sin(a) * ry;
        pts.push_back({x * std::cos(angle) - y * std::sin(angle), x * std::sin(angle) + y * std::cos(angle)});
    }
    for (int oy = -1; oy <= 1; ++oy)
        for (int ox = -1; ox <= 1; ++ox) {
            std::vector<Point> moved;
            for (Point p : pts)
                moved.push_back({p.x + centre.x + ox * kSize, p.y + centre.y + oy * kSize});
            image.fillPolygon(moved, c, opacity);
        }
}

Colour jitter(Colour c, double amount)
{
    const float k = static_cast<float>(1 + amount * (uniform() * 2 - 1));
    return c * k;
}

} // namespace

Image makeGrassImage()
{
    Image image(kSize, kSize);
    const GradientNoise field(0x6A55);
    const GradientNoise fine(0x6A56);

    // Moss and litter mix at a fine scale only: larger patches would mirror
    // into a kaleidoscope from cell to cell.
    const Colour moss{0.27f, 0.33f, 0.12f}, mossLight{0.40f, 0.47f, 0.16f};
    const Colour litter{0.33f, 0.27f, 0.15f}, dark{0.15f, 0.14f, 0.07f};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double u = x * 16.0 / kSize, v = y * 16.0 / kSize;
            const double patch = field.periodicFbm(u, v, 16, 16, 4, 0.6);
            const double grain = fine.periodicFbm(u * 3, v * 3, 48, 48, 2);
            Colour c = mix(moss, litter, static_cast<float>(0.25 + 0.5 * smoothstep(-0.4, 0.4, patch)));
            c = mix(c, mossLight, static_cast<float>(0.35 * saturate(grain * 1.5)));
            c = mix(c, dark, static_cast<float>(0.45 * saturate(-grain * 1.6)));
            image.at(x, y) = c;
        }

    reseed(0x6A57);
    // Fallen needles: short, thin, mostly brown and rust.
    const Colour needleColours[] = {{0.46f, 0.33f, 0.17f},
                                    {0.54f, 0.40f, 0.21f},
                                    {0.40f, 0.25f, 0.12f},
                                    {0.28f, 0.21f, 0.12f},
                                    {0.50f, 0.45f, 0.28f}};
    for (int i = 0; i < 1100; ++i) {
        const Point a{uniform(0, kSize), uniform(0, kSize)};
        const double angle = uniform(0, kPi), length = uniform(5, 13);
        const Point b{a.x + std::cos(angle) * length, a.y + std::sin(angle) * length};
        strokeWrapped(image, a, b, uniform(0.9, 1.5), jitter(needleColours[pick(5)], 0.15),
                      static_cast<float>(uniform(0.45, 0.85)));
    }
    // Last year's birch leaves and a few cones' scales.
    for (int i = 0; i < 26; ++i) {
        const Colour leaf = jitter(
            mix(Colour{0.55f, 0.40f, 0.16f}, Colour{0.68f, 0.58f, 0.22f}, static_cast<float>(uniform())),
            0.1);
        ellipseWrapped(image, {uniform(0, kSize), uniform(0, kSize)}, uniform(4, 7), uniform(2.5, 4),
                       uniform(0, kPi), leaf, 0.9f);
    }
    // Twigs.
    for (int i = 0; i < 6; ++i) {
        Point a{uniform(0, kSize), uniform(0, kSize)};
        double angle = uniform(0, 2 * kPi);
        const Colour twig = jitter(Colour{0.22f, 0.16f, 0.10f}, 0.2);
        for (int seg = 0; seg < 3; ++seg) {
            const Point b{a.x + std::cos(angle) * 7, a.y + std::sin(angle) * 7};
            strokeWrapped(image, a, b, 1.8, twig, 0.9f);
            a = b;
            angle += uniform(-0.4, 0.4);
        }
    }
    // Moss tips and lichen specks catching the light.
    for (int i = 0; i < 900; ++i) {
        const bool lichen = uniform() < 0.15;
        const Colour c = lichen ? Colour{0.62f, 0.66f, 0.50f} : jitter(Colour{0.42f, 0.55f, 0.16f}, 0.2);
        ellipseWrapped(image, {uniform(0, kSize), uniform(0, kSize)}, uniform(0.7, 1.6), uniform(0.7, 1.4), 0,
                       c, static_cast<float>(uniform(0.5, 0.9)));
    }
    return image;
}

} // namespace assetgen
