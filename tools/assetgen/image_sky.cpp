#include "tools/assetgen/image_makers.h"

#include "tools/assetgen/noise.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kWidth = 1024, kHeight = 512;
// The cylinder: radius 120, from height -120 (t = 0) to 130 (t = 1); the
// eye is somewhere between 1 and 17 above height 0.
constexpr double kRadius = 120, kBottom = -120, kTop = 130, kEye = 7;
// The fog colour of the world; the sky meets the horizon in it.
const Colour kHaze{0.65f, 0.8f, 1.0f};

Colour skyGradient(double elevation)
{
    const Colour low{0.50f, 0.70f, 0.95f}, high{0.27f, 0.50f, 0.85f};
    const double k = 1 - std::exp(-elevation / 0.16);
    const Colour blue = mix(low, high, static_cast<float>(saturate((elevation - 0.1) / 0.7)));
    return mix(kHaze, blue, static_cast<float>(k));
}

// Cloud density at `distance` (in cloud heights) along `azimuth`.
double cloudDensity(const GradientNoise& cloud, const GradientNoise& detail, double distance, double azimuth)
{
    // A softened perspective: clouds shrink towards the horizon, but less
    // than on a true plane, so the low sky the runner sees is not all streaks.
    const double d = std::pow(distance, 0.6) * 0.75;
    const double px = d * std::cos(azimuth), py = d * std::sin(azimuth);
    const double warp = detail.fbm(px * 1.3, py * 1.3, 3);
    return cloud.fbm(px + warp * 0.25, py - warp * 0.2, 6, 0.5);
}

} // namespace

Image makeSkyImage()
{
    Image image(kWidth, kHeight);
    const GradientNoise cloudNoise(0x5C1E5);
    const GradientNoise detailNoise(0xD37A11);
    // The sun sits where s = 0, the one azimuth that the cylinder's mirrored
    // texture shows only once.
    const double sunElevation = 24 * kPi / 180;

    for (int row = 0; row < kHeight; ++row) {
        const double t = 1 - (row + 0.5) / kHeight;
        const double height = kBottom + (kTop - kBottom) * t;
        const double elevation = std::atan2(height - kEye, kRadius);
        for (int col = 0; col < kWidth; ++col) {
            const double azimuth = (col + 0.5) / kWidth * kPi;
            Colour c = elevation <= 0 ? kHaze : skyGradient(elevation);

            // Sun glow: angle between this direction and the sun.
            const double cosAngle = std::cos(elevation) * std::cos(sunElevation) * std::cos(azimuth) +
                                    std::sin(elevation) * std::sin(sunElevation);
            const double angle = std::acos(std::fmin(1.0, cosAngle));
            const float halo = static_cast<float>(0.35 * std::exp(-angle * angle / 0.02) +
                                                  0.5 * std::exp(-angle * angle / 0.0012));
            c = mix(c, Colour{1.0f, 0.98f, 0.9f}, std::fmin(1.0f, halo));

            if (elevation > 0.005) {
                // Fair-weather clouds on a flat layer above the forest, seen
                // in perspective; a second sample a little higher up shades
                // their undersides.
                const double distance = 1.0 / std::tan(elevation);
                const double higher = 1.0 / std::tan(elevation + 0.03);
                const double density = cloudDensity(cloudNoise, detailNoise, distance, azimuth);
                const double above = cloudDensity(cloudNoise, detailNoise, higher, azimuth);
                const double puff = smoothstep(0.0, 0.26, density);
                // Far clouds thin out into the haze.
                const double fade = smoothstep(0.02, 0.2, elevation);
                if (puff > 0) {
                    const double lit = saturate(0.65 + 2.5 * (density - above) + 0.9 * (density - 0.2));
                    Colour cloud =
                        mix(Colour{0.70f, 0.75f, 0.84f}, Colour{1.0f, 1.0f, 0.99f}, static_cast<float>(lit));
                    cloud = mix(cloud, Colour{1, 1, 0.96f}, std::fmin(1.0f, halo * 1.5f));
                    cloud = mix(kHaze, cloud, static_cast<float>(0.3 + 0.7 * fade));
                    c = mix(c, cloud, static_cast<float>(puff * (0.25 + 0.75 * fade)));
                }
            }
            image.at(col, row) = c;
        }
    }
    return image;
}

} // namespace assetgen
