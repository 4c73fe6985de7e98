#include "tools/assetgen/noise.h"

#include "tools/assetgen/random_source.h"

#include <cmath>

namespace assetgen {
namespace {

double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// Twelve gradient directions of improved noise, reduced to two components
// for the 2D case by dropping z.
double grad2(int h, double x, double y)
{
    switch (h & 7) {
    case 0:
        return x + y;
    case 1:
        return -x + y;
    case 2:
        return x - y;
    case 3:
        return -x - y;
    case 4:
        return x;
    case 5:
        return -x;
    case 6:
        return y;
    default:
        return -y;
    }
}

double grad3(int h, double x, double y, double z)
{
    const int k = h & 15;
    const double u = k < 8 ? x : y;
    const double v = k < 4 ? y : (k == 12 || k == 14 ? x : z);
    return ((k & 1) ? -u : u) + ((k & 2) ? -v : v);
}

int wrap(int v, int period) { return ((v % period) + period) % period; }

} // namespace

GradientNoise::GradientNoise(uint32_t seed)
{
    reseed(seed);
    for (int i = 0; i < 256; ++i)
        perm_[i] = static_cast<uint8_t>(i);
    for (int i = 255; i > 0; --i) {
        const int j = pick(i + 1);
        const uint8_t t = perm_[i];
        perm_[i] = perm_[j];
        perm_[j] = t;
    }
}

double GradientNoise::at(double x, double y) const { return periodic(x, y, 256, 256); }

double GradientNoise::periodic(double x, double y, int periodX, int periodY) const
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = wrap(static_cast<int>(fx), periodX), y0 = wrap(static_cast<int>(fy), periodY);
    const int x1 = wrap(x0 + 1, periodX), y1 = wrap(y0 + 1, periodY);
    const double dx = x - fx, dy = y - fy;
    const double u = fade(dx), v = fade(dy);
    const double a = grad2(hash(x0, y0), dx, dy);
    const double b = grad2(hash(x1, y0), dx - 1, dy);
    const double c = grad2(hash(x0, y1), dx, dy - 1);
    const double d = grad2(hash(x1, y1), dx - 1, dy - 1);
    // The gradients above reach about 0.7 in magnitude; scale towards 1.
    return 1.4 * mix(mix(a, b, u), mix(c, d, u), v);
}

double GradientNoise::at(double x, double y, double z) const
{
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy), z0 = static_cast<int>(fz);
    const double dx = x - fx, dy = y - fy, dz = z - fz;
    const double u = fade(dx), v = fade(dy), w = fade(dz);
    auto g = [&](int i, int j, int k) { return grad3(hash(x0 + i, y0 + j, z0 + k), dx - i, dy - j, dz - k); };
    const double x00 = mix(g(0, 0, 0), g(1, 0, 0), u), x10 = mix(g(0, 1, 0), g(1, 1, 0), u);
    const double x01 = mix(g(0, 0, 1), g(1, 0, 1), u), x11 = mix(g(0, 1, 1), g(1, 1, 1), u);
    return 1.1 * mix(mix(x00, x10, v), mix(x01, x11, v), w);
}

double GradientNoise::fbm(double x, double y, int octaves, double gain) const
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        // Each octave is shifted so the lattice points of octaves do not line up.
        sum += amp * at(x + 17.3 * i, y + 31.7 * i);
        norm += amp;
        amp *= gain;
        x *= 2;
        y *= 2;
    }
    return sum / norm;
}

double GradientNoise::fbm(double x, double y, double z, int octaves, double gain) const
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * at(x + 17.3 * i, y + 31.7 * i, z + 7.1 * i);
        norm += amp;
        amp *= gain;
        x *= 2;
        y *= 2;
        z *= 2;
    }
    return sum / norm;
}

double GradientNoise::periodicFbm(double x, double y, int periodX, int periodY, int octaves,
                                  double gain) const
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves && periodX <= 256 && periodY <= 256; ++i) {
        // Shifts by whole periods' worth keep the octaves tiling.
        sum += amp * periodic(x + 5 * i, y + 11 * i, periodX, periodY);
        norm += amp;
        amp *= gain;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = saturate((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double saturate(double x) { return x < 0 ? 0 : (x > 1 ? 1 : x); }

double mix(double a, double b, double t) { return a + (b - a) * t; }

} // namespace assetgen
