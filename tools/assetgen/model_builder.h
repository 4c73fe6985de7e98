#pragma once
// Collects textured triangles grouped into parts and writes them as a .vr
// text model.
#include "tools/assetgen/image.h"

#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double k);
double dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
double length(Vec3 a);
Vec3 normalised(Vec3 a);

struct TexturedPoint {
    Vec3 p;
    double s = 0, t = 0;
};

class ModelBuilder {
  public:
    // The reader holds at most 333 triangles per object; parts are split
    // well below that.
    static constexpr int kMaxTrianglesPerObject = 330;

    // Adds a triangle to the part drawn with `texture` (a file in Images)
    // in the colour `diffuse`. Texture coordinates must lie in 0 ... 1.
    void addTriangle(const std::string& texture, Colour diffuse, const TexturedPoint& a,
                     const TexturedPoint& b, const TexturedPoint& c);

    int triangleCount() const;
    // The model as .vr text: one object per part (split where needed), in
    // the order the parts were first used.
    std::string vrText() const;

  private:
    struct Part {
        std::string texture;
        Colour diffuse;
        std::vector<TexturedPoint> vertices;
    };
    std::vector<Part> parts_;
};

} // namespace assetgen
