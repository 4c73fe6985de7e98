#include "tools/assetgen/model_makers.h"

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"
#include "tools/assetgen/shapes.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Trunks reach below the ground so that on a slope neither side floats.
constexpr double kRootDepth = -0.8;

Vec3 around(double angle, double radius, double y)
{
    return {std::cos(angle) * radius, y, std::sin(angle) * radius};
}

} // namespace

ModelBuilder makeSpruce()
{
    reseed(0x5B1CE);
    ModelBuilder model;
    const double height = 9.0, crownBase = 1.5;
    // Only the foot shows below the skirts, so one straight taper will do.
    addTube(model, "bark.bmp", {0.5f, 0.5f, 0.5f}, {{0, kRootDepth, 0}, {0, height - 0.8, 0}}, {0.22, 0.05},
            5, 0, 1);

    // Skirts of drooping branches, each a jagged cone; the lower ones, which
    // the runner sees from below, have a dark underside.
    const int layers = 8, rim = 10, undersides = 4;
    const Colour needles{0.95f, 1.0f, 0.95f};
    const ShadeSteps steps{0.34, 0.86, 3};
    for (int i = 0; i < layers; ++i) {
        const double u = static_cast<double>(i) / layers;
        const double rimY = crownBase + (height - 1.6 - crownBase) * std::pow(u, 0.95);
        const double radius = 1.6 * std::pow(1 - u, 1.05) + 0.26;
        const double apexY = i == layers - 1 ? height : rimY + 1.35 + 0.35 * radius;
        const Vec3 apex{0, apexY, 0};
        const double occlusion = 0.72 + 0.28 * u;
        const double turn = uniform(0, 2 * kPi);
        std::vector<Vec3> tips;
        for (int k = 0; k < rim; ++k) {
            const bool longBranch = k % 2 == 0;
            const double a = turn + 2 * kPi * (k + uniform(-0.15, 0.15)) / rim;
            const double r = radius * (longBranch ? 1.0 : 0.72) * uniform(0.9, 1.1);
            const double y = rimY - (longBranch ? 0.22 * radius : -0.08);
            tips.push_back(around(a, r, y));
        }
        const Vec3 inside{0, rimY - 0.5, 0};
        for (int k = 0; k < rim; ++k) {
            const Vec3 a = tips[k], b = tips[(k + 1) % rim];
            const TexturedPoint ta{a, inset(0), inset(0)}, tb{b, inset(1), inset(0)}, tt{apex, 0.5, inset(1)};
            model.addTriangle(
                "spruce.bmp",
                shaded(needles, steps.snap(faceBrightness(outwardNormal(a, b, apex, inside), occlusion))), tt,
                ta, tb);
        }
        if (i >= undersides)
            continue;
        // The underside spans the long branches only, pulled in far enough
        // that its edges stay behind the short ones.
        const Vec3 under{0, rimY + 0.35 * (apexY - rimY), 0};
        const Colour dark = shaded(needles, steps.snap(faceBrightness({0, -1, 0}, occlusion * 0.8)));
        for (int k = 0; k < rim; k += 2) {
            const Vec3 ua = tips[k] * 0.88 + Vec3{0, 0.05, 0},
                       ub = tips[(k + 2) % rim] * 0.88 + Vec3{0, 0.05, 0};
            model.addTriangle("spruce.bmp", dark, {under, 0.5, inset(1)}, {ua, inset(0), inset(0.1)},
                              {ub, inset(1), inset(0.1)});
        }
    }
    return model;
}

ModelBuilder makePine()
{
    reseed(0x9171E);
    ModelBuilder model;
    const double height = 9.1;
    auto axis = [&](double y) {
        const double f = (y - kRootDepth) / (height - 1.0 - kRootDepth);
        return Vec3{0.18 * std::sin(f * 2.6), y, 0.12 * std::sin(f * 4.1 + 1)};
    };
    std::vector<Vec3> spine;
    std::vector<double> radii;
    const int segments = 2;
    for (int i = 0; i <= segments; ++i) {
        const double f = static_cast<double>(i) / segments;
        spine.push_back(axis(kRootDepth + (height - 1.0 - kRootDepth) * f));
        radii.push_back(0.25 - 0.18 * f);
    }
    // Branches share the trunk's colour and so its part.
    const Colour bark{0.8f, 0.8f, 0.8f};
    addTube(model, "pinebark.bmp", bark, spine, radii, 5, 0, 1);

    // Branches spiral up the top third; each ends in a flat tuft of needles.
    const int branches = 6;
    const Colour needles{0.92f, 1.0f, 0.95f};
    const ShadeSteps steps{0.34, 0.94, 3};
    for (int i = 0; i < branches; ++i) {
        const double f = static_cast<double>(i) / (branches - 1);
        const double y = height * (0.56 + 0.33 * f);
        const double angle = i * 2.4 + uniform(-0.3, 0.3);
        const double reach = 1.8 - 0.9 * f + uniform(-0.2, 0.2);
        const Vec3 base = axis(y);
        const Vec3 end = base + around(angle, reach, 0.35 * reach);
        addTube(model, "pinebark.bmp", bark, {base, end}, {0.08, 0}, 3, 0.85, 0.98);
        addClump(model, "pine.bmp", needles, end + Vec3{0, 0.15, 0},
                 {uniform(0.95, 1.25), uniform(0.45, 0.55), uniform(0.95, 1.25)}, kFlatPad, 6, 0.15,
                 0.82 + 0.18 * f, steps);
    }
    addClump(model, "pine.bmp", needles, spine.back() + Vec3{0, 0.55, 0}, {1.15, 0.75, 1.05}, kRoundClump, 3,
             0.15, 1.0, steps);
    return model;
}

ModelBuilder makeBirch()
{
    reseed(0xB1AC4);
    ModelBuilder model;
    const double height = 7.5;
    std::vector<Vec3> spine;
    std::vector<double> radii;
    const int segments = 2;
    auto axis = [&](double y) {
        const double f = (y - kRootDepth) / (height - kRootDepth);
        return Vec3{0.35 * f * f + 0.08 * std::sin(f * 5), y, 0.12 * std::sin(f * 3.3)};
    };
    for (int i = 0; i <= segments; ++i) {
        const double f = static_cast<double>(i) / segments;
        spine.push_back(axis(kRootDepth + (height - 1.2 - kRootDepth) * f));
        radii.push_back(0.17 - 0.13 * f);
    }
    const Colour bark{0.85f, 0.85f, 0.85f};
    addTube(model, "birchbark.bmp", bark, spine, radii, 5, 0, 1);

    // Ascending branches carry an oval crown of leaf clusters.
    const Colour leaves{1, 1, 1};
    const ShadeSteps steps{0.34, 0.92, 3};
    const int clusters = 5;
    for (int i = 0; i < clusters; ++i) {
        const double f = (i + 0.5) / clusters;
        const double y = height * (0.4 + 0.42 * f) + uniform(-0.2, 0.2);
        const double angle = i * 2.4 + uniform(-0.4, 0.4);
        // Widest a little below the middle of the crown.
        const double spread = (0.35 + 0.95 * std::sin(kPi * std::pow(f, 0.8))) * uniform(0.85, 1.05);
        const Vec3 base = axis(y - 0.7);
        const Vec3 centre = axis(y) + around(angle, spread, 0);
        if (i < 3)
            addTube(model, "birchbark.bmp", bark, {base, centre * 0.8 + base * 0.2}, {0.05, 0}, 3, 0.5, 0.8);
        const double r = uniform(0.8, 0.95);
        addClump(model, "leaves.bmp", leaves, centre, {r, r * 1.1, r}, kRoundClump, 4, 0.15, 0.8 + 0.2 * f,
                 steps);
    }
    // A tall cluster round the top of the trunk closes the crown.
    addClump(model, "leaves.bmp", leaves, axis(height * 0.82), {0.85, 1.25, 0.85}, kRoundClump, 4, 0.15, 1.0,
             steps);
    return model;
}

} // namespace assetgen
