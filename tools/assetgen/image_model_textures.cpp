#include "tools/assetgen/image_makers.h"

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"
#include "tools/assetgen/shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

Colour vary(Colour c, double amount)
{
    const float k = static_cast<float>(1 + amount * (uniform() * 2 - 1));
    return c * k;
}

Colour lerp3(Colour a, Colour b, double t) { return mix(a, b, static_cast<float>(saturate(t))); }

// Bark wraps round a trunk, so strokes crossing the left or right edge come
// back in on the other side.
void strokeAround(Image& image, Point a, Point b, double width, Colour c, float opacity)
{
    for (int k = -1; k <= 1; ++k)
        image.strokeLine({a.x + k * image.width(), a.y}, {b.x + k * image.width(), b.y}, width, c, opacity);
}

void leaf(Image& image, Point centre, double length, double width, double angle, Colour c, float opacity)
{
    std::vector<Point> pts;
    for (int i = 0; i < 10; ++i) {
        const double a = i * 2 * kPi / 10;
        // Pointed at one end, round at the other.
        const double x = std::cos(a) * length, y = std::sin(a) * width * (0.75 + 0.25 * std::cos(a));
        pts.push_back({centre.x + x * std::cos(angle) - y * std::sin(angle),
                       centre.y + x * std::sin(angle) + y * std::cos(angle)});
    }
    image.fillPolygon(pts, c, opacity);
}

// A trunk is drawn in one colour, so its bark carries the light: the side
// facing the sun (at s = kSunSideS) full, the far side in the sky's light
// alone, as faceBrightness lights an upright face.
void lightAround(Image& image)
{
    for (int x = 0; x < image.width(); ++x) {
        const double u = (x + 0.5) / image.width();
        const double direct = std::max(0.0, std::cos(2 * kPi * (u - kSunSideS)));
        const float k = static_cast<float>((0.51 + 0.29 * direct) / 0.80);
        for (int y = 0; y < image.height(); ++y)
            image.at(x, y) = image.at(x, y) * k;
    }
}

Image spruceBark()
{
    Image image(128, 256);
    const GradientNoise n(0xBA21);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 128; ++x) {
            const double u = x / 128.0, v = y / 256.0;
            const double scales = n.periodicFbm(u * 8, v * 28, 8, 28, 4);
            const double plates = std::fabs(n.periodic(u * 6 + 0.5 * scales, v * 10, 6, 10));
            Colour c = lerp3(Colour{0.36f, 0.29f, 0.23f}, Colour{0.50f, 0.43f, 0.35f}, 0.5 + scales);
            c = mix(c, Colour{0.16f, 0.12f, 0.09f}, static_cast<float>(1 - smoothstep(0.0, 0.12, plates)));
            image.at(x, y) = c;
        }
    lightAround(image);
    return image;
}

Image pineBark()
{
    Image image(128, 256);
    const GradientNoise n(0xBA22);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 128; ++x) {
            const double u = x / 128.0, v = y / 256.0;
            // Row 0 is the top of the trunk: orange and flaky up there,
            // grey-brown thick plates with deep fissures near the ground.
            const double upper = smoothstep(0.62, 0.22, v + 0.12 * n.periodicFbm(u * 4, v * 4, 4, 4, 3));
            const double grain = n.periodicFbm(u * 8, v * 16, 8, 16, 4);
            const double fissure = std::fabs(n.periodic(u * 5 + 0.4 * grain, v * 3, 5, 3));
            const Colour plate = lerp3(Colour{0.38f, 0.30f, 0.24f}, Colour{0.52f, 0.42f, 0.33f}, 0.5 + grain);
            Colour low = mix(plate, Colour{0.12f, 0.08f, 0.06f},
                             static_cast<float>(1 - smoothstep(0.02, 0.16, fissure)));
            const double flake = n.periodicFbm(u * 12, v * 40, 12, 40, 3);
            Colour high = lerp3(Colour{0.70f, 0.38f, 0.18f}, Colour{0.86f, 0.56f, 0.30f}, 0.5 + 1.2 * flake);
            high = mix(high, Colour{0.45f, 0.22f, 0.12f}, static_cast<float>(smoothstep(0.25, 0.5, -flake)));
            image.at(x, y) = mix(low, high, static_cast<float>(upper));
        }
    lightAround(image);
    return image;
}

Image birchBark()
{
    Image image(128, 256);
    const GradientNoise n(0xBA23);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 128; ++x) {
            const double u = x / 128.0, v = y / 256.0;
            const double tone = n.periodicFbm(u * 4, v * 16, 4, 16, 4);
            Colour c = lerp3(Colour{0.80f, 0.79f, 0.74f}, Colour{0.95f, 0.94f, 0.90f}, 0.6 + tone);
            // The foot of a birch is dark and deeply cracked.
            const double foot = smoothstep(0.80, 0.93, v + 0.05 * n.periodic(u * 6, 3, 6, 8));
            const double crack = std::fabs(n.periodic(u * 7 + tone, v * 6, 7, 6));
            const Colour rough = mix(Colour{0.30f, 0.28f, 0.25f}, Colour{0.06f, 0.05f, 0.05f},
                                     static_cast<float>(1 - smoothstep(0.03, 0.2, crack)));
            image.at(x, y) = mix(c, rough, static_cast<float>(foot));
        }
    reseed(0xBA24);
    // Lenticels: short dark horizontal dashes.
    for (int i = 0; i < 140; ++i) {
        const double x = uniform(0, 128), y = uniform(0, 215), len = uniform(3, 14);
        strokeAround(image, {x, y}, {x + len, y + uniform(-0.6, 0.6)}, uniform(0.8, 2.2),
                     vary(Colour{0.14f, 0.13f, 0.12f}, 0.3), static_cast<float>(uniform(0.6, 1.0)));
    }
    // Black scars where branches once grew.
    for (int i = 0; i < 7; ++i) {
        const double x = uniform(0, 128), y = uniform(10, 200), w = uniform(6, 12), h = uniform(4, 8);
        for (int k = -1; k <= 1; ++k)
            image.fillPolygon({{x + k * 128 - w, y},
                               {x + k * 128, y - h},
                               {x + k * 128 + w, y},
                               {x + k * 128, y + h * 0.6}},
                              Colour{0.07f, 0.06f, 0.06f}, 0.95f);
    }
    lightAround(image);
    return image;
}

Image stakeWood()
{
    Image image(32, 128);
    const GradientNoise n(0xBA25);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 32; ++x) {
            const double grain = n.fbm(x * 0.35, y * 0.04, 4);
            image.at(x, y) =
                lerp3(Colour{0.48f, 0.40f, 0.30f}, Colour{0.66f, 0.58f, 0.46f}, 0.5 + grain * 1.3);
        }
    return image;
}

// Spruce boughs: each skirt triangle shows the picture with the trunk at the
// top centre and the branch tips along the bottom edge.
Image spruceNeedles()
{
    Image image(128, 128);
    const GradientNoise n(0xF011);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            image.at(x, y) = lerp3(Colour{0.03f, 0.08f, 0.04f}, Colour{0.07f, 0.14f, 0.07f},
                                   0.5 + n.fbm(x * 0.08, y * 0.08, 3));
    reseed(0xF012);
    for (int i = 0; i < 2600; ++i) {
        const double x = uniform(-4, 132), y = uniform(-4, 132);
        const double towardsTips = y / 128.0;
        const double angle = std::atan2(y + 20, x - 64) + uniform(-0.9, 0.9);
        const double len = uniform(3, 7);
        Colour c =
            lerp3(Colour{0.07f, 0.17f, 0.08f}, Colour{0.16f, 0.32f, 0.13f}, towardsTips + uniform(-0.3, 0.3));
        if (towardsTips > 0.8 && uniform() < 0.3)
            c = Colour{0.30f, 0.45f, 0.16f};
        image.strokeLine({x, y}, {x + std::cos(angle) * len, y + std::sin(angle) * len}, uniform(0.8, 1.4),
                         vary(c, 0.15), 0.9f);
    }
    return image;
}

Image pineNeedles()
{
    Image image(128, 128, Colour{0.07f, 0.12f, 0.06f});
    reseed(0xF013);
    for (int tuft = 0; tuft < 230; ++tuft) {
        const Point c{uniform(0, 128), uniform(0, 128)};
        const double heading = uniform(0, 2 * kPi);
        const Colour base = lerp3(Colour{0.16f, 0.27f, 0.13f}, Colour{0.32f, 0.44f, 0.22f}, uniform());
        for (int k = 0; k < 16; ++k) {
            const double a = heading + uniform(-1.2, 1.2), len = uniform(6, 13);
            image.strokeLine(c, {c.x + std::cos(a) * len, c.y + std::sin(a) * len}, uniform(0.7, 1.2),
                             vary(base, 0.2), 0.85f);
        }
    }
    return image;
}

Image leafCanopy(uint32_t seed, Colour background, Colour dark, Colour light, double size, int count)
{
    const GradientNoise n(seed);
    Image image(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            image.at(x, y) = background * static_cast<float>(0.85 + 0.3 * n.fbm(x * 0.06, y * 0.06, 3));
    reseed(seed + 1);
    for (int i = 0; i < count; ++i) {
        const Point c{uniform(-4, 132), uniform(-4, 132)};
        const Colour colour =
            lerp3(dark, light, uniform() * 0.8 + 0.2 * n.fbm(c.x * 0.05, c.y * 0.05, 2) + 0.1);
        const double len = size * uniform(0.8, 1.2), angle = uniform(0, 2 * kPi);
        const Colour shade = vary(colour, 0.08);
        leaf(image, c, len, size * uniform(0.45, 0.6), angle, shade, 0.95f);
        // A lighter midrib makes each leaf read as a leaf, not a blot.
        const Point d{std::cos(angle) * len * 0.8, std::sin(angle) * len * 0.8};
        image.strokeLine({c.x - d.x, c.y - d.y}, {c.x + d.x, c.y + d.y}, 0.6, shade * 1.35f, 0.5f);
    }
    return image;
}

// Dense sprays of short prickly needles pointing up the bush.
Image juniperScales()
{
    Image image(128, 128, Colour{0.09f, 0.17f, 0.10f});
    reseed(0xF015);
    for (int spray = 0; spray < 700; ++spray) {
        const Point c{uniform(-4, 132), uniform(-4, 132)};
        const Colour base = lerp3(Colour{0.12f, 0.24f, 0.14f}, Colour{0.27f, 0.40f, 0.24f}, uniform());
        const double lean = uniform(-0.5, 0.5);
        for (int k = 0; k < 7; ++k) {
            const double a = -kPi / 2 + lean + uniform(-0.7, 0.7), len = uniform(4, 8);
            Colour needle = vary(base, 0.2);
            if (uniform() < 0.06)
                needle = Colour{0.42f, 0.52f, 0.46f};
            image.strokeLine(c, {c.x + std::cos(a) * len, c.y + std::sin(a) * len}, 0.9, needle, 0.9f);
        }
    }
    return image;
}

// One fern frond: the base at the bottom, the tip at the top, the midrib
// down the middle and leaflets reaching to both edges.
Image fernFrond()
{
    Image image(128, 128, Colour{0.04f, 0.10f, 0.03f});
    reseed(0xF016);
    for (double y = 126; y > 2; y -= 6.5) {
        const double tip = 1 - y / 128.0;
        for (int side = -1; side <= 1; side += 2) {
            const Point base{64 + side * 1.5, y};
            const Point end{64 + side * 63.0, y - 18 - 6 * tip};
            const Colour c =
                lerp3(Colour{0.22f, 0.44f, 0.10f}, Colour{0.40f, 0.62f, 0.18f}, tip + uniform(-0.1, 0.1));
            std::vector<Point> pinna;
            const double w = 3.2;
            for (int k = 0; k <= 8; ++k) {
                const double f = k / 8.0;
                const double lobe = w * (1 - f * 0.8) * (0.85 + 0.15 * std::cos(f * 26));
                pinna.push_back({base.x + (end.x - base.x) * f, base.y + (end.y - base.y) * f - lobe});
            }
            for (int k = 8; k >= 0; --k) {
                const double f = k / 8.0;
                const double lobe = w * (1 - f * 0.8) * (0.85 + 0.15 * std::cos(f * 26));
                pinna.push_back({base.x + (end.x - base.x) * f, base.y + (end.y - base.y) * f + lobe});
            }
            image.fillPolygon(pinna, c);
            image.strokeLine(base, end, 0.8, c * 0.75f);
        }
    }
    image.strokeLine({64, 128}, {64, 0}, 2.4, Colour{0.46f, 0.56f, 0.22f});
    return image;
}

// The control flag's cloth: white above the diagonal from the lower-left to
// the upper-right corner, orange below it, with a faint weave.
Image flagCloth()
{
    Image image(64, 64);
    const GradientNoise n(0xF1A6);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double weave =
                0.04 * std::sin(x * 2.2) * std::sin(y * 2.2) + 0.03 * n.fbm(x * 0.2, y * 0.2, 2);
            const double side = (x + 0.5) + (y + 0.5) - 64; // below zero: white half
            const double orange = smoothstep(-0.7, 0.7, side);
            const Colour c =
                mix(Colour{0.97f, 0.97f, 0.95f}, Colour{0.98f, 0.42f, 0.06f}, static_cast<float>(orange));
            image.at(x, y) = c * static_cast<float>(1 + weave);
        }
    return image;
}

} // namespace

std::vector<NamedImage> makeModelTextures()
{
    std::vector<NamedImage> out;
    out.push_back({"bark.bmp", spruceBark()});
    out.push_back({"pinebark.bmp", pineBark()});
    out.push_back({"birchbark.bmp", birchBark()});
    out.push_back({"stake.bmp", stakeWood()});
    out.push_back({"spruce.bmp", spruceNeedles()});
    out.push_back({"pine.bmp", pineNeedles()});
    out.push_back({"leaves.bmp", leafCanopy(0xF020, Colour{0.14f, 0.27f, 0.07f}, Colour{0.24f, 0.44f, 0.10f},
                                            Colour{0.52f, 0.70f, 0.24f}, 4.0, 1600)});
    out.push_back({"shrub.bmp", leafCanopy(0xF030, Colour{0.09f, 0.19f, 0.06f}, Colour{0.14f, 0.30f, 0.08f},
                                           Colour{0.38f, 0.56f, 0.18f}, 4.0, 2000)});
    out.push_back({"juniper.bmp", juniperScales()});
    out.push_back({"fern.bmp", fernFrond()});
    out.push_back({"flag.bmp", flagCloth()});
    return out;
}

} // namespace assetgen
