#include "tools/assetgen/image_makers.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr int kCell = 16;
constexpr int kPixelSize = 12;
constexpr int kBaseline = 11; // rows from the top of a cell
// Ink and outline stay one pixel clear of the cell's edges, so linear
// filtering never pulls in a neighbouring glyph.
constexpr int kMargin = 1;
constexpr double kWidest = 11.0;
constexpr double kInkCentre = 7.0;

struct Ink {
    int x0, x1; // columns holding any coverage, inclusive
};

Ink inkColumns(const GlyphBitmap& g)
{
    Ink ink{g.width, -1};
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.coverage[x + y * g.width] > 0.02f) {
                ink.x0 = std::min(ink.x0, x);
                ink.x1 = std::max(ink.x1, x);
            }
    return ink;
}

// One cell: glyph coverage placed in a 16 x 16 block, then an outline grown
// around it.
void drawGlyph(Image& image, const GlyphRasteriser& font, unsigned code)
{
    GlyphBitmap g = font.render(code, kPixelSize);
    Ink ink = inkColumns(g);
    if (ink.x1 < ink.x0)
        return;
    const double inkWidth = ink.x1 - ink.x0 + 1;
    if (inkWidth > kWidest) {
        g = font.render(code, kPixelSize, kWidest / inkWidth);
        ink = inkColumns(g);
    }

    float cover[kCell][kCell] = {};
    const int left = static_cast<int>(std::lround(kInkCentre - (ink.x0 + ink.x1 + 1) / 2.0)) - ink.x0;
    int top = kBaseline - g.top;
    // Accents and brackets that reach past the safe rows are moved inside.
    int inkTop = g.height, inkBottom = -1;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.coverage[x + y * g.width] > 0.02f) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
    const int firstRow = kMargin + 1, lastRow = kCell - kMargin - 2;
    if (top + inkTop < firstRow)
        top = firstRow - inkTop;
    else if (top + inkBottom > lastRow && top + inkTop - (top + inkBottom - lastRow) >= firstRow)
        top -= top + inkBottom - lastRow;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const int cx = left + x, cy = top + y;
            if (cx >= kMargin + 1 && cx < kCell - kMargin - 1 && cy >= kMargin + 1 &&
                cy < kCell - kMargin - 1)
                cover[cy][cx] = g.coverage[x + y * g.width];
        }

    const int col = (code - 32) % 16, row = (code - 32) / 16;
    for (int y = kMargin; y < kCell - kMargin; ++y)
        for (int x = kMargin; x < kCell - kMargin; ++x) {
            float halo = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= kCell || ny >= kCell)
                        continue;
                    const float weight = (dx && dy) ? 0.7f : 1.0f;
                    halo = std::max(halo, cover[ny][nx] * weight);
                }
            if (halo < 0.3f)
                continue;
            const float c = cover[y][x];
            const int px = col * kCell + x, py = row * kCell + y;
            image.at(px, py) = Colour{c, c, c};
            image.coverage(px, py) = 1;
        }
}

} // namespace

Image makeFontImage(const GlyphRasteriser& font)
{
    Image image(256, 256, rgb(kFontKey));
    for (unsigned code = 33; code <= 126; ++code)
        drawGlyph(image, font, code);
    return image;
}

} // namespace assetgen
