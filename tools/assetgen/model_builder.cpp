#include "tools/assetgen/model_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assetgen {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(Vec3 a) { return std::sqrt(dot(a, a)); }

Vec3 normalised(Vec3 a)
{
    const double l = length(a);
    return l > 0 ? a * (1 / l) : Vec3{0, 1, 0};
}

namespace {

// Colours are compared as they are written, so two shades that print the
// same share a part.
std::string colourText(Colour c)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f %.3f %.3f", c.r, c.g, c.b);
    return buf;
}

// Four decimals, and never "-0.0000", which reads fine but looks careless.
std::string number(double v)
{
    char buf[32];
    if (std::fabs(v) < 0.00005)
        v = 0;
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

} // namespace

void ModelBuilder::addTriangle(const std::string& texture, Colour diffuse, const TexturedPoint& a,
                               const TexturedPoint& b, const TexturedPoint& c)
{
    const std::string key = colourText(diffuse);
    auto part = std::find_if(parts_.begin(), parts_.end(), [&](const Part& p) {
        return p.texture == texture && colourText(p.diffuse) == key;
    });
    if (part == parts_.end()) {
        parts_.push_back({texture, diffuse, {}});
        part = parts_.end() - 1;
    }
    part->vertices.push_back(a);
    part->vertices.push_back(b);
    part->vertices.push_back(c);
}

int ModelBuilder::triangleCount() const
{
    size_t n = 0;
    for (const Part& p : parts_)
        n += p.vertices.size() / 3;
    return static_cast<int>(n);
}

std::string ModelBuilder::vrText() const
{
    std::string out;
    for (const Part& part : parts_) {
        const size_t triangles = part.vertices.size() / 3;
        for (size_t first = 0; first < triangles; first += kMaxTrianglesPerObject) {
            const size_t count = std::min<size_t>(kMaxTrianglesPerObject, triangles - first);
            // The reader's keywords; every line ends without a trailing
            // space, so no word's last letter can be taken for "t " or "v ".
            out += "object\n";
            out += "translation v 0 0 0\n";
            out += "texture \"" + part.texture + "\"\n";
            out += "material\n";
            out += "diffuse " + colourText(part.diffuse) + "\n";
            out += "N_M_POLY " + std::to_string(count) + " " + std::to_string(count * 3) + "\n";
            for (size_t i = first * 3; i < (first + count) * 3; ++i) {
                const TexturedPoint& v = part.vertices[i];
                out += "v " + number(v.p.x) + " " + number(v.p.y) + " " + number(v.p.z) + "\n";
                out += "t " + number(v.s) + " " + number(v.t) + "\n";
            }
            out += "}\n";
        }
    }
    return out;
}

} // namespace assetgen
