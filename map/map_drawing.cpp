#include "map/map_image.h"
#include "render/texture.h"
#include "terrain/terrain.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t kVegetationShade = 192;
constexpr int kFeatureBlack = 16;
constexpr int kFeatureTrack = 17;

void paintClass(MapImage& image, int x, int y, int32_t terrainClass)
{
    switch (terrainClass) {
    case kOpenLand:
        image.setYellow(x, y, kVegetationShade);
        break;
    case kDenseForest:
        image.setGreen(x, y, kVegetationShade);
        break;
    case kBlueClass:
        image.setBlue(x, y, kVegetationShade);
        break;
    default:
        break;
    }
}

// Columns 0, s, 2s, ... with s a fifth of the side.
void drawGridColumns(MapImage& image)
{
    const int side = image.width();
    const int spacing = std::max(1, side / 5);
    for (int x = 0; x < side; x += spacing)
        image.drawBlueColumn(x, 255);
}

// Heading in degrees from the start towards the first control, 0 up the
// map and positive clockwise; false when the two coincide.
bool startHeading(const Control& start, const Control& first, float& angle)
{
    const float dx = first.x - start.x;
    const float dy = first.y - start.y;
    if (dx == 0 && dy == 0)
        return false;
    const float inv = static_cast<float>(1.0 / std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    const float ux = dx * inv;
    const float uy = dy * inv;
    angle = static_cast<float>(std::acos(std::clamp(-static_cast<double>(uy), -1.0, 1.0)) / 0.0174533);
    if (ux < 0)
        angle = -angle;
    return true;
}

} // namespace

void Terrain::drawMap()
{
    MapImage doubleImage;
    drawMapImages(gridSide <= 256 ? &doubleImage : nullptr);
    // Headless tools and tests draw maps without a GL context to hold a texture.
    if (gridSide == 0 || !renderState().hasContext)
        return;
    if (hasTexture(mapTexture))
        deleteTexture(mapTexture);
    const int n = gridSide;
    if (n > 256)
        mapTexture = createMipmappedTextureFromPixels(mapImage.pixels(), n, n);
    else
        mapTexture = createMapTexture(doubleImage.pixels(), 2 * n, mapImage.pixels(), n);
}

void Terrain::drawMapImages(MapImage* doubleImage)
{
    const int n = gridSide;
    if (n == 0)
        return;
    if (mapImage.width() != n || mapImage.height() != n || !mapImage.pixels())
        mapImage.create(n, n);
    MapImage* twice = n <= 256 ? doubleImage : nullptr;

    mapImage.fillWhite();
    if (twice) {
        twice->create(2 * n, 2 * n);
        twice->fillWhite();
    }

    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const int32_t k = classes[cellIndex(i, j)];
            paintClass(mapImage, i, j, k);
            if (twice) {
                paintClass(*twice, 2 * i, 2 * j, k);
                paintClass(*twice, 2 * i + 1, 2 * j, k);
                paintClass(*twice, 2 * i, 2 * j + 1, k);
                paintClass(*twice, 2 * i + 1, 2 * j + 1, k);
            }
        }
    }

    drawContours(twice, mapImage);

    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const int32_t f = features[cellIndex(i, j)];
            if (f == kFeatureBlack || f == kFeatureTrack)
                mapImage.setGrey(i, j, 0);
        }
    }
    if (twice) {
        for (int j = 0; j < 2 * n; ++j) {
            for (int i = 0; i < 2 * n; ++i) {
                const int32_t f = features[cellIndex(i / 2, j / 2)];
                if (f == kFeatureBlack)
                    twice->setGrey(i, j, 0);
                else if (f == kFeatureTrack)
                    twice->setGrey(i, j, 64);
            }
        }
    }

    drawGridColumns(mapImage);
    if (twice)
        drawGridColumns(*twice);

    const int points = std::min<int32_t>(g_nControls > 0 ? g_nControls : 8, Course::kMaxControls);
    const Control& start = course.controls[0];
    float angle = 0;
    if (points >= 2 && startHeading(start, course.controls[1], angle)) {
        mapImage.drawRedTriangle(static_cast<int>(start.x), static_cast<int>(start.y), 10, 255, angle);
        if (twice)
            twice->drawRedTriangle(static_cast<int>(2 * start.x), static_cast<int>(2 * start.y), 20, 255, angle);
    }

    for (int k = 1; k < points; ++k) {
        const int ax = static_cast<int>(course.controls[k - 1].x);
        const int ay = static_cast<int>(course.controls[k - 1].y);
        const int bx = static_cast<int>(course.controls[k].x);
        const int by = static_cast<int>(course.controls[k].y);
        const float dx = static_cast<float>(bx - ax);
        const float dy = static_cast<float>(by - ay);
        const float len = static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
        // The leg stops 10 pixels short of the circles at both ends.
        if (len > 0) {
            const double ox = 10.0 * dx / len;
            const double oy = 10.0 * dy / len;
            const int fromX = static_cast<int>(ax + ox);
            const int fromY = static_cast<int>(ay + oy);
            const int toX = static_cast<int>(bx - ox);
            const int toY = static_cast<int>(by - oy);
            mapImage.drawRedLine(fromX, fromY, toX, toY, 255);
            if (twice)
                twice->drawRedLine(2 * fromX, 2 * fromY, 2 * toX, 2 * toY, 255);
        }
        mapImage.drawRedCircle(bx, by, 10, 255);
        if (twice)
            twice->drawRedCircle(2 * bx, 2 * by, 20, 255);
    }
}
