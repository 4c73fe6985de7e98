// Which triangles bound closed surfaces: small shapes with known answers,
// and the game's own models against rays cast at them from outside.
#include "model/closed_surfaces.h"
#include "model/vr_reader.h"
#include "tools/assetgen/model_makers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iterator>
#include <random>
#include <string>

namespace {

using Point = std::array<float, 3>;

void add(std::vector<float>& corners, Point a, Point b, Point c)
{
    for (const Point& p : {a, b, c})
        corners.insert(corners.end(), p.begin(), p.end());
}

// A tetrahedron, anticlockwise seen from outside.
std::vector<float> tetrahedron(float shift = 0)
{
    const Point o{shift, 0, 0}, x{shift + 1, 0, 0}, y{shift, 1, 0}, z{shift, 0, 1};
    std::vector<float> corners;
    add(corners, o, y, x);
    add(corners, o, x, z);
    add(corners, o, z, y);
    add(corners, x, y, z);
    return corners;
}

std::vector<Facing> facingOf(const std::vector<float>& corners) { return classifyTriangles(corners); }

} // namespace

TEST(ClosedSurfaces, ShapesWithKnownAnswers)
{
    const std::vector<Facing> anticlockwise(4, Facing::kAnticlockwiseOut), clockwise(4, Facing::kClockwiseOut);
    EXPECT_EQ(facingOf(tetrahedron()), anticlockwise);

    // Every triangle turned over: the same surface wound the other way.
    std::vector<float> turned = tetrahedron();
    for (size_t t = 0; t < turned.size(); t += 9)
        std::swap_ranges(turned.begin() + long(t) + 3, turned.begin() + long(t) + 6, turned.begin() + long(t) + 6);
    EXPECT_EQ(facingOf(turned), clockwise);

    // A face missing, or one corner a hair off where two faces meet: open.
    std::vector<float> missing = tetrahedron();
    missing.resize(27);
    EXPECT_EQ(facingOf(missing), std::vector<Facing>(3, Facing::kOpen));
    std::vector<float> cracked = tetrahedron();
    cracked[9] = std::nextafter(cracked[9], 1.0f);
    EXPECT_EQ(facingOf(cracked), std::vector<Facing>(4, Facing::kOpen));

    // A two-sided sheet is wound both ways but encloses nothing: which side
    // shows is up to the drawing order.
    std::vector<float> sheet;
    add(sheet, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    add(sheet, {0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    EXPECT_EQ(facingOf(sheet), std::vector<Facing>(2, Facing::kOpen));

    // Surfaces are judged apart, wherever they lie; -0 joins +0.
    std::vector<float> both = tetrahedron(-0.0f);
    const std::vector<float> far = tetrahedron(1000);
    both.insert(both.end(), far.begin(), far.end() - 9);
    std::vector<Facing> expected = anticlockwise;
    expected.insert(expected.end(), 3, Facing::kOpen);
    EXPECT_EQ(facingOf(both), expected);
}

// The renderer culls the faces of closed surfaces turned away from an eye
// outside the model's box. That is safe only if such a face is never the
// first thing a ray from there meets: checked with rays cast at every model
// the game draws.
TEST(ClosedSurfaces, NoRayFromOutsideMeetsAClosedSurfaceFromBehindFirst)
{
    using V = std::array<double, 3>;
    auto minus = [](V a, V b) { return V{a[0] - b[0], a[1] - b[1], a[2] - b[2]}; };
    auto dot = [](V a, V b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
    auto cross = [](V a, V b) {
        return V{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    };
    using Maker = assetgen::ModelBuilder (*)();
    const Maker makers[] = {assetgen::makeSpruce, assetgen::makePine,  assetgen::makeBirch,
                            assetgen::makeJuniper, assetgen::makeShrub, assetgen::makeFern,
                            assetgen::makeControlFlag};
    std::mt19937 random(1234);
    std::uniform_real_distribution<double> unit(0, 1);
    int closedHits = 0;
    for (size_t m = 0; m < std::size(makers); ++m) {
        const std::string text = makers[m]().vrText();
        std::vector<float> corners;
        for (const VrObject& object : readVrObjects(text.data(), text.size()))
            for (const VrVertex& v : object.triangles)
                corners.insert(corners.end(), {v.x + object.translation[0], v.y + object.translation[1],
                                               v.z + object.translation[2]});
        const std::vector<Facing> facing = classifyTriangles(corners);
        auto corner = [&](size_t t, int k) {
            const float* p = &corners[9 * t + size_t(3 * k)];
            return V{p[0], p[1], p[2]};
        };
        V lower{1e30, 1e30, 1e30}, upper{-1e30, -1e30, -1e30};
        for (size_t i = 0; i < corners.size(); ++i) {
            lower[i % 3] = std::min(lower[i % 3], double(corners[i]));
            upper[i % 3] = std::max(upper[i % 3], double(corners[i]));
        }
        const double size = upper[0] - lower[0] + upper[1] - lower[1] + upper[2] - lower[2];
        for (int ray = 0; ray < 3000; ++ray) {
            // From a point outside the box towards a point inside it.
            const double polar = std::acos(2 * unit(random) - 1), around = 6.283185307 * unit(random);
            const V away{std::sin(polar) * std::cos(around), std::cos(polar), std::sin(polar) * std::sin(around)};
            V eye, direction;
            for (int k = 0; k < 3; ++k) {
                eye[k] = (lower[k] + upper[k]) / 2 + away[k] * size;
                direction[k] = lower[k] + (upper[k] - lower[k]) * unit(random) - eye[k];
            }
            // The nearest triangle the ray meets (Moller-Trumbore); its
            // determinant is positive where the ray meets the side from
            // which the corners run anticlockwise.
            double nearest = 1e30, side = 0;
            size_t hit = facing.size();
            for (size_t t = 0; t < facing.size(); ++t) {
                const V e1 = minus(corner(t, 1), corner(t, 0)), e2 = minus(corner(t, 2), corner(t, 0));
                const V s = minus(eye, corner(t, 0)), h = cross(direction, e2), q = cross(s, e1);
                const double det = dot(e1, h);
                if (std::fabs(det) < 1e-12)
                    continue;
                const double u = dot(s, h) / det, v = dot(direction, q) / det, distance = dot(e2, q) / det;
                if (u >= 0 && v >= 0 && u + v <= 1 && distance > 0 && distance < nearest)
                    nearest = distance, hit = t, side = det;
            }
            if (hit == facing.size() || facing[hit] == Facing::kOpen)
                continue;
            ++closedHits;
            EXPECT_EQ(facing[hit] == Facing::kAnticlockwiseOut, side > 0)
                << "model " << m << ", ray " << ray << ", triangle " << hit;
        }
    }
    // The pines', birches' and bushes' crowns are closed.
    EXPECT_GT(closedHits, 3000);
}
