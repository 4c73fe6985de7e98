#include "tools/assetgen/model_makers.h"

#include "tools/assetgen/shapes.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The cloth's three faces are lit 1, 0.85 and 0.7; the punch takes the
// same shades so that it adds no parts.
const ShadeSteps kFlagSteps{0.7, 1.0, 3};

// A box without its bottom face, which is never seen.
void addBox(ModelBuilder& model, const std::string& texture, Vec3 lo, Vec3 hi, double s, double t)
{
    const Vec3 c = (lo + hi) * 0.5;
    const Vec3 p[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                       {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    static const int quads[5][4] = {{0, 1, 2, 3}, {5, 4, 7, 6}, {4, 0, 3, 7}, {1, 5, 6, 2}, {3, 2, 6, 7}};
    for (const auto& q : quads) {
        const double level = kFlagSteps.snap(faceBrightness(outwardNormal(p[q[0]], p[q[1]], p[q[2]], c), 1));
        const Colour shade{static_cast<float>(level), static_cast<float>(level), static_cast<float>(level)};
        const TexturedPoint a{p[q[0]], s, t}, b{p[q[1]], s, t}, cc{p[q[2]], s, t}, d{p[q[3]], s, t};
        model.addTriangle(texture, shade, a, b, cc);
        model.addTriangle(texture, shade, a, cc, d);
    }
}

} // namespace

ModelBuilder makeControlFlag()
{
    ModelBuilder model;
    // The kite: three square faces round a vertical axis, hanging with its
    // top at 0.98. Each face is white above the diagonal from its lower-left
    // to its upper-right corner and orange below, seen from outside.
    const double side = 0.42, top = 0.98, bottom = top - side;
    const double radius = side / std::sqrt(3.0);
    const float faceShade[3] = {1.0f, 0.85f, 0.7f};
    for (int k = 0; k < 3; ++k) {
        const double a0 = kPi / 2 + k * 2 * kPi / 3, a1 = a0 + 2 * kPi / 3;
        Vec3 p0{std::cos(a0) * radius, 0, std::sin(a0) * radius},
            p1{std::cos(a1) * radius, 0, std::sin(a1) * radius};
        const Vec3 normal = normalised((p0 + p1) * 0.5);
        // Seen from outside, "right" is up x normal.
        const Vec3 right = cross({0, 1, 0}, normal);
        if (dot(p0, right) > dot(p1, right))
            std::swap(p0, p1);
        const Vec3 up{0, top, 0}, down{0, bottom, 0};
        const TexturedPoint tl{p0 + up, inset(0), inset(1)}, tr{p1 + up, inset(1), inset(1)};
        const TexturedPoint bl{p0 + down, inset(0), inset(0)}, br{p1 + down, inset(1), inset(0)};
        const Colour c{faceShade[k], faceShade[k], faceShade[k]};
        model.addTriangle("flag.bmp", c, tl, tr, bl);
        model.addTriangle("flag.bmp", c, tr, br, bl);
    }
    // The stake through the kite, with a cap, and the punch unit below.
    // The stake is too thin for its sides' shading to show: one colour.
    const Colour stakeShade{0.6f, 0.6f, 0.6f};
    const double w = 0.028, stakeTop = 1.06;
    std::vector<Vec3> corners = {{-w, 0, -w}, {w, 0, -w}, {w, 0, w}, {-w, 0, w}};
    for (int k = 0; k < 4; ++k) {
        const Vec3 a = corners[k], b = corners[(k + 1) % 4];
        const TexturedPoint a0{a + Vec3{0, -0.3, 0}, inset(0), inset(0)},
            b0{b + Vec3{0, -0.3, 0}, inset(1), inset(0)};
        const TexturedPoint a1{a + Vec3{0, stakeTop, 0}, inset(0), inset(1)},
            b1{b + Vec3{0, stakeTop, 0}, inset(1), inset(1)};
        model.addTriangle("stake.bmp", stakeShade, a0, b0, b1);
        model.addTriangle("stake.bmp", stakeShade, a0, b1, a1);
    }
    const TexturedPoint c0{corners[0] + Vec3{0, stakeTop, 0}, 0.5, 0.9},
        c1{corners[1] + Vec3{0, stakeTop, 0}, 0.6, 0.9}, c2{corners[2] + Vec3{0, stakeTop, 0}, 0.6, 0.95},
        c3{corners[3] + Vec3{0, stakeTop, 0}, 0.5, 0.95};
    model.addTriangle("stake.bmp", stakeShade, c0, c1, c2);
    model.addTriangle("stake.bmp", stakeShade, c0, c2, c3);
    // The punch takes the orange of the cloth's lower-right corner.
    addBox(model, "flag.bmp", {-0.05, 0.36, w}, {0.05, 0.5, w + 0.05}, 0.9, 0.1);
    return model;
}

} // namespace assetgen
