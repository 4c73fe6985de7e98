#pragma once
// Building blocks of the plant and flag models. The game draws models
// without lighting, so each face's brightness is baked into the colour of
// its part: faces are lit by the sky from above and by a low sun, and
// shaded by `occlusion` (1 in the open, lower deep inside a crown).
#include "tools/assetgen/model_builder.h"

#include <string>
#include <vector>

namespace assetgen {

// Brightness of a face with outward `normal`, quantised to a few levels so
// that a model needs only a handful of parts.
double faceBrightness(Vec3 normal, double occlusion);
// `tint` scaled by a brightness from faceBrightness.
Colour shaded(Colour tint, double brightness);

// Keeps a texture coordinate a texel or two inside the picture, clear of
// the clamped edge and of the far side when wrapping repeats.
double inset(double u);

// Outward normal of triangle (a, b, c), turned away from `inside`.
Vec3 outwardNormal(Vec3 a, Vec3 b, Vec3 c, Vec3 inside);

// A tapering tube along `spine` (at least two points) with the given radius
// at each point; the texture wraps once round it and runs from t0 at the
// first point to t1 at the last. `occlusion` is given per spine point.
void addTube(ModelBuilder& model, const std::string& texture, Colour tint, const std::vector<Vec3>& spine,
             const std::vector<double>& radii, const std::vector<double>& occlusion, int sides, double t0,
             double t1);

// A lumpy ellipsoid (a randomly dented icosahedron, 20 faces) of foliage,
// textured by projecting each face onto the plane it faces most.
void addBlob(ModelBuilder& model, const std::string& texture, Colour tint, Vec3 centre, Vec3 radii,
             double lumpiness, double occlusion);

} // namespace assetgen
