#include "tools/assetgen/shapes.h"

#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kLevels = 6;
constexpr double kDarkest = 0.34;

} // namespace

double faceBrightness(Vec3 normal, double occlusion)
{
    const Vec3 n = normalised(normal);
    const Vec3 sun = normalised({0.55, 0.65, 0.52});
    const double sky = 0.5 + 0.5 * n.y;
    const double direct = std::max(0.0, dot(n, sun));
    const double b = (0.30 + 0.42 * sky + 0.38 * direct) * occlusion;
    // Snap to one of kLevels steps between kDarkest and 1.
    const double step = (1 - kDarkest) / (kLevels - 1);
    const double level = std::round((std::clamp(b, kDarkest, 1.0) - kDarkest) / step);
    return kDarkest + level * step;
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

void addTube(ModelBuilder& model, const std::string& texture, Colour tint, const std::vector<Vec3>& spine,
             const std::vector<double>& radii, const std::vector<double>& occlusion, int sides, double t0,
             double t1)
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
        const Vec3 mid = (spine[i] + spine[i + 1]) * 0.5;
        const double occ = (occlusion[i] + occlusion[i + 1]) / 2;
        for (int k = 0; k < sides; ++k) {
            const double sa = inset(static_cast<double>(k) / sides),
                         sb = inset(static_cast<double>(k + 1) / sides);
            const TexturedPoint p00{rings[i][k], sa, inset(ta)}, p01{rings[i][k + 1], sb, inset(ta)};
            const TexturedPoint p10{rings[i + 1][k], sa, inset(tb)}, p11{rings[i + 1][k + 1], sb, inset(tb)};
            const Colour c = shaded(tint, faceBrightness(outwardNormal(p00.p, p01.p, p11.p, mid), occ));
            model.addTriangle(texture, c, p00, p01, p11);
            model.addTriangle(texture, c, p00, p11, p10);
        }
    }
}

void addBlob(ModelBuilder& model, const std::string& texture, Colour tint, Vec3 centre, Vec3 radii,
             double lumpiness, double occlusion)
{
    const double g = (1 + std::sqrt(5.0)) / 2;
    Vec3 v[12] = {{-1, g, 0},  {1, g, 0},  {-1, -g, 0}, {1, -g, 0}, {0, -1, g},  {0, 1, g},
                  {0, -1, -g}, {0, 1, -g}, {g, 0, -1},  {g, 0, 1},  {-g, 0, -1}, {-g, 0, 1}};
    static const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                                     {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                                     {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                                     {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
    // A random turn keeps neighbouring blobs from lining up their facets.
    const double turn = uniform(0, 2 * kPi);
    for (Vec3& p : v) {
        p = normalised(p) * (1 + lumpiness * (uniform() * 2 - 1));
        const double x = p.x * std::cos(turn) - p.z * std::sin(turn),
                     z = p.x * std::sin(turn) + p.z * std::cos(turn);
        p = centre + Vec3{x * radii.x, p.y * radii.y, z * radii.z};
    }
    for (const auto& f : faces) {
        const Vec3 a = v[f[0]], b = v[f[1]], c = v[f[2]];
        const Vec3 n = outwardNormal(a, b, c, centre);
        // Project onto the plane facing the normal most, scaled to the blob.
        auto uv = [&](Vec3 p) {
            const Vec3 d = p - centre;
            const double span = 2.4 * std::max({radii.x, radii.y, radii.z});
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
        model.addTriangle(texture, shaded(tint, faceBrightness(n, occlusion * (1 - 0.25 * below))), uv(a),
                          uv(b), uv(c));
    }
}

} // namespace assetgen
