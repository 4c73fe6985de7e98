#pragma once
// The launcher icon: a control flag standing on a piece of orienteering map
// with its contour lines. One set of shapes gives both the SVG and the PNGs,
// so every size shows the same picture.
#include "tools/assetgen/image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// One shape of the icon, in a 256 x 256 box with y downwards.
struct IconShape {
    std::vector<Point> points;
    Colour colour;
    double strokeWidth = 0;  // 0: a filled polygon; else a line of this width
    bool closed = true;      // a line that returns to its first point
};

std::vector<IconShape> iconShapes();
// The shapes as an SVG document.
std::string iconSvg();
// The shapes drawn at `size` x `size` pixels; transparent round the map.
Image iconImage(int size);
// An 8-bit RGBA PNG: coverage becomes alpha.
std::vector<uint8_t> encodePng(const Image& image);

} // namespace assetgen
