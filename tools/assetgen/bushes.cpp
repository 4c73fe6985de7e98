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
    // A narrow column tapering to a point, its foot in the ground, with a
    // few upright sprays standing out of its sides.
    const Colour tint{0.95f, 1, 0.97f};
    const ShadeSteps steps{0.34, 0.94, 3};
    addClump(model, "juniper.bmp", tint, {0, 0.7, 0}, {0.3, 0.75, 0.3},
             {{-1.2, 0}, {-0.6, 0.85}, {0.05, 1}, {0.55, 0.7}, {1, 0}}, 6, 0.15, 0.9, steps);
    for (int i = 0; i < 2; ++i) {
        const double a = i * kPi + uniform(-0.4, 0.4);
        const double y = uniform(0.5, 0.8), r = uniform(0.15, 0.19);
        addClump(model, "juniper.bmp", tint, {std::cos(a) * 0.22, y, std::sin(a) * 0.22}, {r, r * 2.4, r},
                 kFlatPad, 5, 0.15, 0.8, steps);
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
        addTube(model, "bark.bmp", {0.45f, 0.42f, 0.38f},
                {{0, -0.2, 0}, {std::cos(a) * 0.35, 0.55, std::sin(a) * 0.35}}, {0.05, 0}, 3, 0.1, 0.4);
    }
    // A lumpy dome of leaves on the stems, and a cluster on one flank that
    // breaks its outline.
    const ShadeSteps steps{0.34, 0.94, 3};
    addClump(model, "shrub.bmp", {1, 1, 1}, {0, 0.78, 0}, {0.78, 0.45, 0.78},
             {{-1, 0}, {-0.55, 0.9}, {0.2, 1}, {0.75, 0.6}, {1, 0}}, 6, 0.2, 0.95, steps);
    const double a = uniform(0, 2 * kPi), r = uniform(0.36, 0.42);
    addClump(model, "shrub.bmp", {1, 1, 1}, {std::cos(a) * 0.55, 0.6, std::sin(a) * 0.55}, {r, r * 0.9, r},
             kRoundClump, 3, 0.2, 0.85, steps);
    return model;
}

ModelBuilder makeFern()
{
    reseed(0xFE4);
    ModelBuilder model;
    constexpr int fronds = 8, segments = 3;
    const ShadeSteps steps{0.47, 1.0, 3};
    for (int i = 0; i < fronds; ++i) {
        const double heading = 2 * kPi * (i + uniform(-0.2, 0.2)) / fronds;
        // Long arching fronds alternate with shorter, more upright ones
        // that fill the middle of the clump.
        const bool inner = i % 2 == 1;
        const double reach = inner ? uniform(0.5, 0.65) : uniform(0.8, 0.95);
        const double lift = inner ? uniform(1.6, 1.75) : uniform(1.4, 1.55), width = uniform(0.13, 0.16);
        const Vec3 out{std::cos(heading), 0, std::sin(heading)},
            side{-std::sin(heading), 0, std::cos(heading)};
        std::vector<Vec3> mid, left, right;
        // Points along the frond: a short bare stalk, the broad middle, the tip.
        const double along[segments + 1] = {0, 0.28, 0.64, 1};
        for (int k = 0; k <= segments; ++k) {
            const double u = along[k];
            // The stalk rises steeply, then the blade arches over and droops.
            // It starts a little below the ground so that slopes do not lift it.
            const Vec3 m = out * (0.05 + reach * std::pow(u, 0.9)) +
                           Vec3{0, lift * (1.55 * u - 1.0 * u * u) - 0.12 * (1 - u), 0};
            // The blade is widest in the middle and ends in points.
            const double w = k == 0 || k == segments ? 0 : width * std::sin(kPi * std::pow(u, 0.9));
            mid.push_back(m);
            left.push_back(m + side * w + Vec3{0, -0.35 * w, 0});
            right.push_back(m - side * w + Vec3{0, -0.35 * w, 0});
        }
        for (int k = 0; k < segments; ++k) {
            const double t0 = inset(along[k]), t1 = inset(along[k + 1]);
            // Each half of the blade is creased along the midrib; at the
            // pointed ends a half is one triangle.
            for (int half = 0; half < 2; ++half) {
                const std::vector<Vec3>& edge = half ? right : left;
                const double s = half ? inset(1) : inset(0);
                const TexturedPoint m0{mid[k], 0.5, t0}, m1{mid[k + 1], 0.5, t1};
                const TexturedPoint e0{edge[k], s, t0}, e1{edge[k + 1], s, t1};
                const Vec3 across = k == 0 ? e1.p - m1.p : e0.p - m0.p;
                Vec3 n = normalised(cross(across, m1.p - m0.p));
                // Fronds are seen from both sides; light them as facing up.
                if (n.y < 0)
                    n = n * -1;
                const Colour c = shaded({1, 1, 1}, steps.snap(faceBrightness(n, 0.8 + 0.2 * k / segments)));
                if (k == 0) {
                    model.addTriangle("fern.bmp", c, m0, e1, m1);
                } else if (k == segments - 1) {
                    model.addTriangle("fern.bmp", c, m0, e0, m1);
                } else {
                    model.addTriangle("fern.bmp", c, m0, e0, e1);
                    model.addTriangle("fern.bmp", c, m0, e1, m1);
                }
            }
        }
    }
    return model;
}

} // namespace assetgen
