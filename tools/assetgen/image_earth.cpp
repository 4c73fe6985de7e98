#include "tools/assetgen/image_makers.h"

#include "tools/assetgen/earth_outlines.h"
#include "tools/assetgen/noise.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kWidth = 1024, kHeight = 512;
// The land mask is rasterised finer than the picture and sampled through a
// small warp, which roughens the hand-drawn coasts.
constexpr int kMaskWidth = 2048, kMaskHeight = 1024;

enum : uint8_t { kSea = 0, kLand = 1, kIce = 2 };

std::vector<uint8_t> rasteriseLand()
{
    std::vector<uint8_t> mask(static_cast<size_t>(kMaskWidth) * kMaskHeight, kSea);
    std::vector<double> crossings;
    for (const LandOutline& outline : landOutlines()) {
        const std::vector<float>& p = outline.lonLat;
        const size_t n = p.size() / 2;
        for (int row = 0; row < kMaskHeight; ++row) {
            const double lat = 90 - (row + 0.5) * 180.0 / kMaskHeight;
            crossings.clear();
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const double ay = p[2 * i + 1], by = p[2 * j + 1];
                if ((ay > lat) != (by > lat)) {
                    const double ax = p[2 * i], bx = p[2 * j];
                    crossings.push_back(ax + (lat - ay) * (bx - ax) / (by - ay));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                const int c0 =
                    std::max(0, static_cast<int>(std::ceil((crossings[k] + 180) / 360 * kMaskWidth - 0.5)));
                const int c1 =
                    std::min(kMaskWidth - 1,
                             static_cast<int>(std::floor((crossings[k + 1] + 180) / 360 * kMaskWidth - 0.5)));
                for (int col = c0; col <= c1; ++col)
                    mask[col + row * kMaskWidth] = outline.water ? kSea : (outline.ice ? kIce : kLand);
            }
        }
    }
    return mask;
}

struct Region {
    double lon0, lon1, lat0, lat1;
};

// The great dry regions, where land turns to sand and steppe.
const Region kDeserts[] = {{-17, 35, 15, 31},      {35, 60, 13, 31},     {52, 72, 25, 36},
                           {72, 112, 37, 46},      {116, 143, -31, -19}, {12, 24, -28, -17},
                           {-72, -68.5, -27, -16}, {-117, -104, 28, 36}, {-70, -65, -48, -39}};

double desertness(double lon, double lat)
{
    double d = 0;
    for (const Region& r : kDeserts) {
        const double fx =
            std::min(smoothstep(r.lon0 - 6, r.lon0 + 6, lon), 1 - smoothstep(r.lon1 - 6, r.lon1 + 6, lon));
        const double fy =
            std::min(smoothstep(r.lat0 - 5, r.lat0 + 5, lat), 1 - smoothstep(r.lat1 - 5, r.lat1 + 5, lat));
        d = std::max(d, std::min(fx, fy));
    }
    return d;
}

void boxBlur(std::vector<float>& v, int radius)
{
    std::vector<float> tmp(v.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += v[((x + k + kWidth) % kWidth) + y * kWidth];
                tmp[x + y * kWidth] = sum / (2 * radius + 1);
            }
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += tmp[x + std::clamp(y + k, 0, kHeight - 1) * kWidth];
                v[x + y * kWidth] = sum / (2 * radius + 1);
            }
    }
}

} // namespace

Image makeEarthImage()
{
    const std::vector<uint8_t> mask = rasteriseLand();
    const GradientNoise coast(0xEA57);
    const GradientNoise terrain(0xEA58);
    const GradientNoise clouds(0xEA59);

    std::vector<float> land(static_cast<size_t>(kWidth) * kHeight), ice(land.size());
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float l = 0, i = 0;
            for (int sy = 0; sy < 2; ++sy)
                for (int sx = 0; sx < 2; ++sx) {
                    double lon = (x + (sx + 0.5) / 2) / kWidth * 360 - 180;
                    double lat = 90 - (y + (sy + 0.5) / 2) / kHeight * 180;
                    const double cl = std::cos(lat * kPi / 180);
                    const double px = cl * std::cos(lon * kPi / 180), py = cl * std::sin(lon * kPi / 180),
                                 pz = std::sin(lat * kPi / 180);
                    lon += 1.1 * coast.fbm(px * 6, py * 6, pz * 6, 4) / std::max(cl, 0.2);
                    lat += 1.1 * coast.fbm(px * 6 + 9, py * 6, pz * 6, 4);
                    const int mx =
                        ((static_cast<int>((lon + 180) / 360 * kMaskWidth) % kMaskWidth) + kMaskWidth) %
                        kMaskWidth;
                    const int my =
                        std::clamp(static_cast<int>((90 - lat) / 180 * kMaskHeight), 0, kMaskHeight - 1);
                    const uint8_t m = mask[mx + my * kMaskWidth];
                    l += m != kSea ? 0.25f : 0;
                    i += m == kIce ? 0.25f : 0;
                }
            land[x + y * kWidth] = l;
            ice[x + y * kWidth] = i;
        }
    std::vector<float> nearLand = land;
    boxBlur(nearLand, 5);

    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double lon = (x + 0.5) / kWidth * 360 - 180, lat = 90 - (y + 0.5) / kHeight * 180;
            const double cl = std::cos(lat * kPi / 180);
            const double px = cl * std::cos(lon * kPi / 180), py = cl * std::sin(lon * kPi / 180),
                         pz = std::sin(lat * kPi / 180);
            const size_t i = x + static_cast<size_t>(y) * kWidth;

            const float shelf = static_cast<float>(smoothstep(0.0, 0.6, nearLand[i]));
            Colour sea = mix(Colour{0.03f, 0.10f, 0.30f}, Colour{0.07f, 0.27f, 0.47f}, shelf);
            sea = sea * static_cast<float>(1 + 0.06 * terrain.fbm(px * 3, py * 3, pz * 3, 3));

            const double relief = terrain.fbm(px * 5, py * 5, pz * 5, 6);
            const double absLat = std::fabs(lat);
            Colour green = mix(Colour{0.12f, 0.31f, 0.10f}, Colour{0.22f, 0.38f, 0.14f},
                               static_cast<float>(saturate(0.5 + relief)));
            if (absLat > 45)
                green =
                    mix(green, Colour{0.11f, 0.25f, 0.13f}, static_cast<float>(smoothstep(45, 58, absLat)));
            const Colour tundra{0.42f, 0.42f, 0.31f};
            Colour ground = mix(green, tundra, static_cast<float>(smoothstep(62, 72, absLat)));
            const double dry = saturate(desertness(lon + 9 * terrain.fbm(px * 3, py * 3, pz * 3 + 4, 3),
                                                   lat + 6 * terrain.fbm(px * 3 + 4, py * 3, pz * 3, 3)) +
                                        0.35 * relief);
            const Colour sand = mix(Colour{0.80f, 0.66f, 0.43f}, Colour{0.66f, 0.50f, 0.32f},
                                    static_cast<float>(saturate(0.5 - relief * 1.5)));
            ground = mix(
                ground, mix(Colour{0.46f, 0.45f, 0.26f}, sand, static_cast<float>(smoothstep(0.4, 0.8, dry))),
                static_cast<float>(smoothstep(0.15, 0.55, dry)));
            ground = mix(ground, Colour{0.45f, 0.38f, 0.30f},
                         static_cast<float>(0.5 * smoothstep(0.35, 0.7, relief)));
            const Colour snow = Colour{0.93f, 0.95f, 0.98f} * static_cast<float>(0.95 + 0.05 * relief);
            const float iceShare = std::max(ice[i], static_cast<float>(smoothstep(74, 80, absLat)));
            ground = mix(ground, snow, iceShare);

            Colour c = mix(sea, ground, land[i]);
            // Thin weather: bands near the equator and over the westerlies.
            const double band =
                0.35 + 0.3 * std::exp(-lat * lat / 60) + 0.3 * std::exp(-(absLat - 55) * (absLat - 55) / 120);
            const double cloud =
                clouds.fbm(px * 2.5 + 2 * terrain.at(px * 2, py * 2, pz * 2), py * 2.5, pz * 5, 6);
            c = mix(c, Colour{0.97f, 0.97f, 0.98f},
                    static_cast<float>(0.7 * smoothstep(0.30 - 0.25 * band, 0.6 - 0.25 * band, cloud)));
            image.at(x, y) = c;
        }
    return image;
}

} // namespace assetgen
