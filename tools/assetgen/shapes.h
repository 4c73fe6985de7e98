#pragma once
// Building blocks of the plant and flag models. The game draws models
// without lighting, so each face's brightness is baked into the colour of
// its part: faces are lit by the sky from above and by a low sun, and
// shaded by `occlusion` (1 in the open, lower deep inside a crown). Every
// distinct colour is one more part (a texture bind and a list call per
// model drawn), so faces snap to a few steps of brightness.
#include "tools/assetgen/model_builder.h"

#include <string>
#include <vector>

namespace assetgen {

// The brightness levels a model's faces snap to: `count` levels evenly
// spaced from `darkest` to `brightest`.
struct ShadeSteps {
    double darkest = 0.34, brightest = 1.0;
    int count = 3;

    // The level nearest to `brightness`, kept within the range.
    double snap(double brightness) const;
};

// Brightness of a face with outward `normal`, before snapping.
double faceBrightness(Vec3 normal, double occlusion);
// `tint` scaled by a brightness.
Colour shaded(Colour tint, double brightness);

// Keeps a texture coordinate a texel or two inside the picture, clear of
// the clamped edge and of the far side when wrapping repeats.
double inset(double u);

// Outward normal of triangle (a, b, c), turned away from `inside`.
Vec3 outwardNormal(Vec3 a, Vec3 b, Vec3 c, Vec3 inside);

// Where round a tube the sun falls, as the texture coordinate s: bark
// textures carry their light and shade round the trunk, so a tube is one
// colour. Vertical tubes face the sun at this s.
constexpr double kSunSideS = 0.13;

// A tapering tube along `spine` (at least two points) with the given radius
// at each point, all in one colour; a radius of 0 closes it in a point. The
// texture wraps once round it, s = 0 facing +z on a vertical tube, and runs
// from t0 at the first point to t1 at the last.
void addTube(ModelBuilder& model, const std::string& texture, Colour colour, const std::vector<Vec3>& spine,
             const std::vector<double>& radii, int sides, double t0, double t1);

// One ring of a clump's profile: the height and the radius as a share of
// the clump's radii; a radius of 0 is a single point (a pole).
struct ProfileRing {
    double y, r;
};

// A lumpy body of foliage turned about a vertical axis: `profile` from the
// bottom up, `sides` points per ring, each ring turned half a step from the
// one below so the faces are triangles of even size. Textured by projecting
// each face onto the plane it faces most.
void addClump(ModelBuilder& model, const std::string& texture, Colour tint, Vec3 centre, Vec3 radii,
              const std::vector<ProfileRing>& profile, int sides, double lumpiness, double occlusion,
              const ShadeSteps& steps);

// Profiles: a round clump of 4 * sides faces (with 5 sides an icosahedron;
// fewer sides save faces but look more like boxes) and a flat pad of
// 2 * sides faces.
extern const std::vector<ProfileRing> kRoundClump;
extern const std::vector<ProfileRing> kFlatPad;

} // namespace assetgen
