#include "tools/assetgen/model_makers.h"

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"
#include "tools/assetgen/shapes.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

ModelBuilder makeJuniper()
{
    reseed(0x1D41);
    ModelBuilder model;
    // A column of narrow upright clusters, tapering to a point.
    const Colour tint{0.95f, 1, 0.97f};
    addTube(model, "bark.bmp", {0.6f, 0.55f, 0.5f}, {{0, -0.3, 0}, {0, 0.25, 0}}, {0.07, 0.05}, {0.6, 0.6}, 4,
            0.1, 0.3);
    addBlob(model, "juniper.bmp", tint, {0, 0.62, 0}, {0.31, 0.68, 0.31}, 0.18, 0.85);
    addBlob(model, "juniper.bmp", tint, {0.03, 1.12, 0.02}, {0.19, 0.36, 0.19}, 0.15, 1.0);
    for (int i = 0; i < 3; ++i) {
        const double a = i * 2.1 + uniform(-0.3, 0.3);
        const double y = uniform(0.45, 0.8), r = uniform(0.17, 0.22);
        addBlob(model, "juniper.bmp", tint, {std::cos(a) * 0.19, y, std::sin(a) * 0.19}, {r, r * 2.2, r},
                0.18, 0.8);
    }
    return model;
}

ModelBuilder makeShrub()
{
    reseed(0x5A4B);
    ModelBuilder model;
    // A few stems show under the leaves.
    for (int i = 0; i < 3; ++i) {
        const double a = i * 2.1 + 0.4;
        addTube(model, "bark.bmp", {0.6f, 0.55f, 0.5f},
                {{0, -0.2, 0}, {std::cos(a) * 0.35, 0.55, std::sin(a) * 0.35}}, {0.05, 0.03}, {0.6, 0.7}, 3,
                0.1, 0.4);
    }
    // A dome of leaf clusters: one on top, a ring round it, one low.
    addBlob(model, "shrub.bmp", {1, 1, 1}, {0, 0.95, 0}, {0.5, 0.42, 0.5}, 0.2, 1.0);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * kPi / 5 + uniform(-0.3, 0.3), r = uniform(0.36, 0.44);
        addBlob(model, "shrub.bmp", {1, 1, 1}, {std::cos(a) * 0.42, uniform(0.55, 0.7), std::sin(a) * 0.42},
                {r, r * 0.9, r}, 0.2, 0.85);
    }
    return model;
}

ModelBuilder makeFern()
{
    reseed(0xFE4);
    ModelBuilder model;
    const int fronds = 10, segments = 4;
    for (int i = 0; i < fronds; ++i) {
        const double heading = 2 * kPi * (i + uniform(-0.2, 0.2)) / fronds;
        const double reach = uniform(0.7, 0.95), lift = uniform(1.4, 1.6), width = uniform(0.11, 0.14);
        const Vec3 out{std::cos(heading), 0, std::sin(heading)},
            side{-std::sin(heading), 0, std::cos(heading)};
        std::vector<Vec3> mid, left, right;
        for (int k = 0; k <= segments; ++k) {
            const double u = static_cast<double>(k) / segments;
            // The stalk rises steeply, then the blade arches over and droops.
            // It starts a little below the ground so that slopes do not lift it.
            const Vec3 m = out * (0.05 + reach * std::pow(u, 0.9)) +
                           Vec3{0, lift * (1.55 * u - 1.0 * u * u) - 0.12 * (1 - u), 0};
            const double w = width * std::sin(kPi * std::pow(u, 0.75)) + 0.01;
            mid.push_back(m);
            left.push_back(m + side * w + Vec3{0, -0.35 * w, 0});
            right.push_back(m - side * w + Vec3{0, -0.35 * w, 0});
        }
        for (int k = 0; k < segments; ++k) {
            const double t0 = inset(static_cast<double>(k) / segments),
                         t1 = inset(static_cast<double>(k + 1) / segments);
            // Each half of the blade is its own pair of triangles, creased
            // along the midrib.
            for (int half = 0; half < 2; ++half) {
                const std::vector<Vec3>& edge = half ? right : left;
                const double s = half ? inset(1) : inset(0);
                const TexturedPoint m0{mid[k], 0.5, t0}, m1{mid[k + 1], 0.5, t1};
                const TexturedPoint e0{edge[k], s, t0}, e1{edge[k + 1], s, t1};
                Vec3 n = normalised(cross(e0.p - m0.p, m1.p - m0.p));
                // Fronds are seen from both sides; light them as facing up.
                if (n.y < 0)
                    n = n * -1;
                const Colour c = shaded({1, 1, 1}, faceBrightness(n, 0.8 + 0.2 * k / segments));
                model.addTriangle("fern.bmp", c, m0, e0, e1);
                model.addTriangle("fern.bmp", c, m0, e1, m1);
            }
        }
    }
    return model;
}

} // namespace assetgen
