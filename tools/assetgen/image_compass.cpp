#include "tools/assetgen/image_makers.h"

#include "tools/assetgen/noise.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCentre = 64.0;
constexpr double kOuter = 62.5;
constexpr double kBezel = 53.0;

// A glyph painted centred on (cx, cy), not rotated.
void drawLetter(Image& image, const GlyphRasteriser& font, char letter, int size, double cx, double cy,
                Colour c)
{
    const GlyphBitmap g = font.render(static_cast<unsigned char>(letter), size);
    const int x0 = static_cast<int>(std::lround(cx - g.width / 2.0));
    const int y0 = static_cast<int>(std::lround(cy - g.height / 2.0));
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const float a = g.coverage[x + y * g.width];
            // A dark rim under the letter keeps it crisp when scaled down.
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    image.blend(x0 + x + dx, y0 + y + dy, Colour{0.03f, 0.04f, 0.06f}, a * 0.35f);
        }
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            image.blend(x0 + x, y0 + y, c, g.coverage[x + y * g.width]);
}

Point polar(double radius, double degrees)
{
    const double a = degrees * kPi / 180.0;
    return {kCentre + radius * std::sin(a), kCentre - radius * std::cos(a)};
}

} // namespace

Image makeCompassImage(const GlyphRasteriser& font)
{
    Image image(128, 128, rgb(kCompassKey));
    const GradientNoise grain(0xC0FFEE);

    // Bezel: dark ring with a light rim.
    image.fillDisc(kCentre, kCentre, kOuter, rgb(0x2A2C31));
    image.fillRing(kCentre, kCentre, kOuter - 1.6, kOuter, rgb(0x8A8E96));
    image.fillRing(kCentre, kCentre, kBezel - 1.2, kBezel + 0.4, rgb(0x9AA0A8));

    // Dial: deep blue-grey, a little lighter towards the top-left as if lit.
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const double dx = x + 0.5 - kCentre, dy = y + 0.5 - kCentre;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r > kBezel - 1.2)
                continue;
            const float light =
                static_cast<float>(0.9 + 0.18 * (-dx - dy) / kBezel + 0.03 * grain.at(x * 0.3, y * 0.3));
            const float edge = static_cast<float>(smoothstep(kBezel - 8, kBezel - 1.2, r));
            Colour dial = Colour{0.11f, 0.19f, 0.27f} * light;
            image.blend(x, y, mix(dial, Colour{0.06f, 0.1f, 0.15f}, edge), 1);
        }

    // Ticks every 10 degrees, longer every 30; a red wedge marks north.
    for (int deg = 0; deg < 360; deg += 10) {
        const bool major = deg % 30 == 0;
        if (deg == 0)
            continue;
        image.strokeLine(polar(kOuter - 2.5, deg), polar(major ? kBezel + 2.0 : kBezel + 4.5, deg),
                         major ? 2.4 : 1.4, rgb(0xE8E8E0));
    }
    image.fillPolygon({polar(kOuter - 1.8, 0), polar(kBezel + 1.0, 9), polar(kBezel + 1.0, -9)},
                      rgb(0xE0261E));

    // Cardinal letters, N large and red.
    drawLetter(image, font, 'N', 22, polar(40, 0).x, polar(40, 0).y, rgb(0xFF3A2E));
    drawLetter(image, font, 'E', 16, polar(41, 90).x, polar(41, 90).y, rgb(0xF2F2EA));
    drawLetter(image, font, 'S', 16, polar(41, 180).x, polar(41, 180).y, rgb(0xF2F2EA));
    drawLetter(image, font, 'W', 16, polar(41, 270).x, polar(41, 270).y, rgb(0xF2F2EA));

    // The needle: red half to the north, white half to the south, each split
    // into a lit and a shaded side.
    const Point tipN = polar(30, 0), tipS = polar(27, 180), l = polar(6.5, 270), r = polar(6.5, 90);
    const Point c{kCentre, kCentre};
    image.fillPolygon({tipN, r, c}, rgb(0xC8180F));
    image.fillPolygon({tipN, c, l}, rgb(0xFF4030));
    image.fillPolygon({tipS, c, r}, rgb(0xB8BCC2));
    image.fillPolygon({tipS, l, c}, rgb(0xF4F4F0));
    image.fillDisc(kCentre, kCentre, 4.2, rgb(0x3A3D44));
    image.fillDisc(kCentre - 0.8, kCentre - 0.8, 2.2, rgb(0xB0B4BC));

    // The game flips the picture vertically and shows it turned by about
    // 180 degrees when the runner faces north: storing it mirrored left to
    // right makes N read correctly at the top then.
    image.mirrorHorizontally();
    return image;
}

} // namespace assetgen
