#pragma once
// A floating-point RGB picture with coverage, drawn into by the image
// generators and encoded as a BMP at the end. Row 0 is the top row.
#include <cstdint>
#include <vector>

namespace assetgen {

struct Colour {
    float r = 0, g = 0, b = 0;
};

Colour operator+(Colour a, Colour b);
Colour operator-(Colour a, Colour b);
Colour operator*(Colour a, float k);
Colour operator*(Colour a, Colour b);
// Linear blend from a (t = 0) to b (t = 1).
Colour mix(Colour a, Colour b, float t);
// Colour from 0xRRGGBB.
Colour rgb(unsigned hex);
// A channel of 0 ... 1 as the nearest byte; values outside are clamped.
uint8_t toByte(float v);

struct Point {
    double x, y;
};

class Image {
  public:
    // A picture filled with `fill` and no coverage (everything transparent).
    Image(int width, int height, Colour fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[index(x, y)]; }
    const Colour& at(int x, int y) const { return pixels_[index(x, y)]; }
    // Coverage 0 ... 1; colour-keyed pictures turn low coverage into the key.
    float& coverage(int x, int y) { return coverage_[index(x, y)]; }
    float coverage(int x, int y) const { return coverage_[index(x, y)]; }

    // Paints `c` over the pixel with opacity `a`, raising its coverage.
    void blend(int x, int y, Colour c, float a);
    // Anti-aliased shapes (4 x 4 samples per pixel), painted with `opacity`.
    void fillPolygon(const std::vector<Point>& corners, Colour c, float opacity = 1);
    void fillDisc(double cx, double cy, double radius, Colour c, float opacity = 1);
    void fillRing(double cx, double cy, double inner, double outer, Colour c, float opacity = 1);
    void strokeLine(Point a, Point b, double width, Colour c, float opacity = 1);

    // Bilinear sample at (x, y) in pixels, clamped to the edges.
    Colour sample(double x, double y) const;

    void flipVertically();
    void mirrorHorizontally();

  private:
    int index(int x, int y) const { return x + y * width_; }
    template <class Inside>
    void fillShape(double x0, double y0, double x1, double y1, Colour c, float opacity, Inside inside);

    int width_, height_;
    std::vector<Colour> pixels_;
    std::vector<float> coverage_;
};

} // namespace assetgen
