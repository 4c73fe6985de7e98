// The launcher icon: a control flag standing on a piece of orienteering map
// with its contour lines. One set of shapes gives both the SVG and the PNGs,
// so every size shows the same picture.
#include "tools/assetgen/asset_list.h"
#include "tools/assetgen/image.h"

#include <png.h>

#include <cmath>
#include <cstdio>

namespace assetgen {
namespace {

// One shape of the icon, in a 256 x 256 box with y downwards; every shape is
// closed.
struct IconShape {
    std::vector<Point> points;
    Colour colour;
    double strokeWidth = 0;  // 0: a filled polygon; else a line of this width
};

constexpr double kPi = 3.14159265358979323846;

Point rotated(Point p, Point centre, double degrees)
{
    const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
    const double x = p.x - centre.x, y = p.y - centre.y;
    return {centre.x + x * c - y * s, centre.y + x * s + y * c};
}

// The sheet of map, turned a little as if laid on a table.
std::vector<Point> sheetOutline()
{
    const double lo = 30, hi = 226, r = 22;
    const Point corners[4] = {{hi - r, lo + r}, {hi - r, hi - r}, {lo + r, hi - r}, {lo + r, lo + r}};
    std::vector<Point> outline;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i <= 8; ++i) {
            const double a = (-90 + 90 * k + 90.0 * i / 8) * kPi / 180;
            outline.push_back(rotated({corners[k].x + r * std::cos(a), corners[k].y + r * std::sin(a)}, {128, 128}, -7));
        }
    return outline;
}

// A closed lumpy ring round (cx, cy); rings of one hill share their lumps so
// that they never cross.
std::vector<Point> lumpyRing(double cx, double cy, double radius, double phase)
{
    std::vector<Point> ring;
    for (int i = 0; i < 72; ++i) {
        const double a = 2 * kPi * i / 72;
        const double r = radius * (1 + 0.13 * std::sin(2 * a + phase) + 0.07 * std::sin(3 * a + 1.9 + phase));
        ring.push_back({cx + r * std::cos(a), cy + r * 0.86 * std::sin(a)});
    }
    return ring;
}

std::string hex(Colour c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", toByte(c.r), toByte(c.g), toByte(c.b));
    return text;
}

std::vector<IconShape> iconShapes()
{
    const Colour paper = rgb(0xFBF8EF), open = rgb(0xF6CF45), dense = rgb(0x5DBB55), contour = rgb(0xB5611D);
    const Colour course = rgb(0xD8262E), white = rgb(0xFFFFFF), orange = rgb(0xF26A12), edge = rgb(0x4A3B2A);
    std::vector<IconShape> shapes;
    shapes.push_back({sheetOutline(), paper});
    shapes.push_back({lumpyRing(76, 82, 30, 2.4), open});
    shapes.push_back({lumpyRing(186, 188, 24, 0.7), dense});
    for (int k = 1; k <= 4; ++k)
        shapes.push_back({lumpyRing(112, 136, 19.0 * k, 0.4), contour, k == 4 ? 4.2 : 2.6});
    shapes.push_back({sheetOutline(), edge, 3.5});

    // The control circle, the stake standing in it and the kite: white above
    // the diagonal from its lower-left to its upper-right corner, orange below.
    std::vector<Point> circle;
    for (int i = 0; i < 48; ++i)
        circle.push_back({150 + 25 * std::cos(2 * kPi * i / 48), 186 + 25 * std::sin(2 * kPi * i / 48)});
    shapes.push_back({circle, course, 7});
    shapes.push_back({{{146, 40}, {154, 40}, {154, 188}, {146, 188}}, edge});
    shapes.push_back({{{154, 54}, {230, 54}, {154, 130}}, white});
    shapes.push_back({{{230, 54}, {230, 130}, {154, 130}}, orange});
    shapes.push_back({{{154, 54}, {230, 54}, {230, 130}, {154, 130}}, edge, 3.5});
    return shapes;
}

std::string iconSvg()
{
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    char number[32];
    for (const IconShape& s : iconShapes()) {
        std::string path;
        for (size_t i = 0; i < s.points.size(); ++i) {
            std::snprintf(number, sizeof number, "%s%.2f %.2f", i == 0 ? "M" : " L", s.points[i].x, s.points[i].y);
            path += number;
        }
        path += " Z";
        svg += "  <path d=\"" + path + "\" ";
        if (s.strokeWidth > 0) {
            std::snprintf(number, sizeof number, "%.2f", s.strokeWidth);
            svg += "fill=\"none\" stroke=\"" + hex(s.colour) + "\" stroke-width=\"" + number +
                   "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n";
        } else {
            svg += "fill=\"" + hex(s.colour) + "\"/>\n";
        }
    }
    return svg + "</svg>\n";
}

Image iconImage(int size)
{
    Image image(size, size);
    const double k = size / 256.0;
    for (const IconShape& s : iconShapes()) {
        std::vector<Point> p;
        for (const Point& q : s.points)
            p.push_back({q.x * k, q.y * k});
        if (s.strokeWidth <= 0) {
            image.fillPolygon(p, s.colour);
            continue;
        }
        for (size_t i = 0; i < p.size(); ++i)
            image.strokeLine(p[i], p[(i + 1) % p.size()], s.strokeWidth * k, s.colour);
    }
    return image;
}

std::vector<uint8_t> encodePng(const Image& image)
{
    const int w = image.width(), h = image.height();
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            const Colour& c = image.at(x, y);
            p[0] = toByte(c.r), p[1] = toByte(c.g), p[2] = toByte(c.b), p[3] = toByte(image.coverage(x, y));
        }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(w);
    png.height = static_cast<png_uint_32>(h);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t bytes = 0;
    if (!png_image_write_to_memory(&png, nullptr, &bytes, 0, rgba.data(), 0, nullptr))
        return {};
    std::vector<uint8_t> out(bytes);
    if (!png_image_write_to_memory(&png, out.data(), &bytes, 0, rgba.data(), 0, nullptr))
        return {};
    out.resize(bytes);
    return out;
}

} // namespace

void addIcons(AssetList& out)
{
    for (int size : {48, 64, 128, 256})
        out.push_back({"icons", "fernhollow-" + std::to_string(size) + ".png", encodePng(iconImage(size))});
    const std::string svg = iconSvg();
    out.push_back({"icons", "fernhollow.svg", std::vector<uint8_t>(svg.begin(), svg.end())});
}

} // namespace assetgen
