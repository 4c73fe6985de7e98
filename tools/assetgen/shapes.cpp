#include "tools/assetgen/shapes.h"

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

const std::vector<ProfileRing> kRoundClump = {{-1, 0}, {-0.447, 0.894}, {0.447, 0.894}, {1, 0}};
const std::vector<ProfileRing> kFlatPad = {{-0.7, 0}, {0, 1}, {0.8, 0}};

double ShadeSteps::snap(double brightness) const
{
    if (count < 2)
        return brightest;
    const double step = (brightest - darkest) / (count - 1);
    const double level = std::round((std::clamp(brightness, darkest, brightest) - darkest) / step);
    return darkest + level * step;
}

double faceBrightness(Vec3 normal, double occlusion)
{
    const Vec3 n = normalised(normal);
    const Vec3 sun = normalised({0.55, 0.65, 0.52});
    const double sky = 0.5 + 0.5 * n.y;
    const double direct = std::max(0.0, dot(n, sun));
    return (0.30 + 0.42 * sky + 0.38 * direct) * occlusion;
}

Colour shaded(Colour tint, double brightness) { return tint * static_cast<float>(brightness); }

double inset(double u) { return 0.02 + 0.96 * std::clamp(u, 0.0, 1.0); }

Vec3 outwardNormal(Vec3 a, Vec3 b, Vec3 c, Vec3 inside)
{
    Vec3 n = normalised(cross(b - a, c - a));
    const Vec3 centroid = (a + b + c) * (1.0 / 3);
    if (dot(n, centroid - inside) < 0)
        n = n * -1;
    return n;
}

void addTube(ModelBuilder& model, const std::string& texture, Colour colour, const std::vector<Vec3>& spine,
             const std::vector<double>& radii, int sides, double t0, double t1)
{
    // A frame round each spine point: `side` and `front` span the ring.
    std::vector<std::vector<Vec3>> rings;
    for (size_t i = 0; i < spine.size(); ++i) {
        const Vec3 axis = normalised(spine[std::min(i + 1, spine.size() - 1)] - spine[i > 0 ? i - 1 : 0]);
        const Vec3 helper = std::fabs(axis.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
        const Vec3 side = normalised(cross(helper, axis)), front = cross(axis, side);
        std::vector<Vec3> ring;
        for (int k = 0; k <= sides; ++k) {
            const double a = 2 * kPi * k / sides;
            ring.push_back(spine[i] + (side * std::cos(a) + front * std::sin(a)) * radii[i]);
        }
        rings.push_back(ring);
    }
    for (size_t i = 0; i + 1 < spine.size(); ++i) {
        const double ta = t0 + (t1 - t0) * i / (spine.size() - 1),
                     tb = t0 + (t1 - t0) * (i + 1) / (spine.size() - 1);
        for (int k = 0; k < sides; ++k) {
            const double sa = inset(static_cast<double>(k) / sides),
                         sb = inset(static_cast<double>(k + 1) / sides);
            const TexturedPoint p00{rings[i][k], sa, inset(ta)}, p01{rings[i][k + 1], sb, inset(ta)};
            const TexturedPoint p10{rings[i + 1][k], sa, inset(tb)}, p11{rings[i + 1][k + 1], sb, inset(tb)};
            // Where a ring is a point, half of each quad has no area.
            if (radii[i + 1] > 0)
                model.addTriangle(texture, colour, p00, p11, p10);
            if (radii[i] > 0)
                model.addTriangle(texture, colour, p00, p01, p11);
        }
    }
}

void addClump(ModelBuilder& model, const std::string& texture, Colour tint, Vec3 centre, Vec3 radii,
              const std::vector<ProfileRing>& profile, int sides, double lumpiness, double occlusion,
              const ShadeSteps& steps)
{
    // A random turn keeps neighbouring clumps from lining up their facets.
    const double turn = uniform(0, 2 * kPi);
    std::vector<std::vector<Vec3>> rings;
    for (size_t i = 0; i < profile.size(); ++i) {
        std::vector<Vec3> ring;
        const int points = profile[i].r > 0 ? sides : 1;
        for (int k = 0; k < points; ++k) {
            const double a = turn + 2 * kPi * (k + 0.5 * static_cast<double>(i)) / sides;
            const double lump = 1 + lumpiness * (uniform() * 2 - 1);
            const double r = profile[i].r * lump, y = profile[i].y * (profile[i].r > 0 ? 1 : lump);
            ring.push_back(centre + Vec3{std::cos(a) * r * radii.x, y * radii.y, std::sin(a) * r * radii.z});
        }
        rings.push_back(ring);
    }
    const double span = 2.4 * std::max({radii.x, radii.y, radii.z});
    auto face = [&](Vec3 a, Vec3 b, Vec3 c) {
        const Vec3 n = outwardNormal(a, b, c, centre);
        // Project onto the plane facing the normal most, scaled to the clump.
        auto uv = [&](Vec3 p) {
            const Vec3 d = p - centre;
            double u, w;
            if (std::fabs(n.y) > std::fabs(n.x) && std::fabs(n.y) > std::fabs(n.z)) {
                u = d.x;
                w = d.z;
            } else if (std::fabs(n.x) > std::fabs(n.z)) {
                u = d.z;
                w = d.y;
            } else {
                u = d.x;
                w = d.y;
            }
            return TexturedPoint{p, inset(0.5 + u / span), inset(0.5 + w / span)};
        };
        // Lower faces sit in the crown's own shade.
        const double below = saturate(-n.y);
        const double level = steps.snap(faceBrightness(n, occlusion * (1 - 0.25 * below)));
        model.addTriangle(texture, shaded(tint, level), uv(a), uv(b), uv(c));
    };
    for (size_t i = 0; i + 1 < rings.size(); ++i) {
        const std::vector<Vec3>&lo = rings[i], &hi = rings[i + 1];
        for (int k = 0; k < sides; ++k) {
            const int k1 = (k + 1) % sides;
            if (lo.size() == 1) {
                face(lo[0], hi[k1], hi[k]);
            } else if (hi.size() == 1) {
                face(lo[k], lo[k1], hi[0]);
            } else {
                // The upper ring sits half a step round: hi[k] lies between
                // lo[k] and lo[k + 1].
                face(lo[k], lo[k1], hi[k]);
                face(lo[k1], hi[k1], hi[k]);
            }
        }
    }
}

} // namespace assetgen
