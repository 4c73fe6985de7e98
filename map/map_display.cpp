#include "map/map_display.h"

#include "app/game.h"
#include "app/overlay.h"
#include "app/render_state.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "render/texture.h"
#include "terrain/terrain.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

float clampTo(float v, float low, float high) { return std::max(low, std::min(v, high)); }

// A dark-rimmed square centred on the screen point (x, y), so the marker
// reads on yellow, green and white alike.
void drawMarkerAt(float x, float y, uint32_t colour)
{
    bindTexture(-1);
    drawBox(x + 1, y + 1, 10, 10, 0x000000);
    drawBox(x + 1, y + 1, 6, 6, colour);
}

} // namespace

MapOrigin Terrain::updateMapView()
{
    InputDevices& input = game().input;
    const float n = static_cast<float>(g_mapSize);

    if (minimapMode == 0)
        minimapMode = 1;
    bool m = input.keyDown(KeyM);
    if (m && !mLatch) {
        minimapMode = minimapMode == 1 ? 2 : 1;
        mLatch = true;
    }
    if (!m)
        mLatch = false;

    if (!fullMapShown) {
        if (input.keyDown(KeyPlus))
            zoom += 0.1f;
        if (input.keyDown(KeyMinus))
            zoom -= 0.1f;
        if (zoom < 0.75f)
            zoom = 0.75f;
    }

    PointerReading mouse = input.pointer();
    PointerReading motion = input.pointerMotion();

    // The lower bound of the pan is not scaled by the zoom.
    const float low = -static_cast<float>(g_mapSize / 2);
    MapOrigin origin;
    if (minimapMode == 1) {
        rotationAngle = pivotX = pivotY = 0;
        const float* eye = cameraPosition();
        origin.x = clampTo(eye[0] * zoom, 0, n * zoom);
        origin.y = clampTo(eye[2] * zoom, 0, n * zoom);
    } else {
        if (motion.left) {
            panX += motion.x;
            panY += motion.y;
        }
        origin.x = clampTo(panX * zoom, low, 1.5f * n * zoom);
        origin.y = clampTo(panY * zoom, low, 1.5f * n * zoom);
    }
    panX = clampTo(panX, low, 1.5f * n);
    panY = clampTo(panY, low, 1.5f * n);
    origin.x = kMinimapCentreX - origin.x;
    origin.y = kMinimapCentreY - origin.y;
    minimapOffsetX = origin.x;
    minimapOffsetY = origin.y;

    if (minimapMode == 2) {
        if (motion.right) {
            if (rightDragActive && !rotationPinned) {
                rotationAngle += motion.x;
            } else if (!rightDragActive && mouse.x > kMinimapLeft && mouse.x < kMinimapRight &&
                       mouse.y > kMinimapTop && mouse.y < kMinimapBottom) {
                if (rotationPinned) {
                    rotationAngle = pivotX = pivotY = 0;
                } else {
                    pivotX = static_cast<float>(static_cast<int>(mouse.x - origin.x));
                    pivotY = static_cast<float>(static_cast<int>(mouse.y - origin.y));
                }
                rightDragActive = true;
            }
        } else {
            if (rightDragActive)
                rotationPinned = !rotationPinned;
            rightDragActive = false;
        }
    }

    bool space = input.keyDown(KeySpace);
    if (space && !spaceLatch) {
        fullMapShown = !fullMapShown;
        spaceLatch = true;
    }
    if (!space)
        spaceLatch = false;
    return origin;
}

void Terrain::updateAndDrawMap(float heading, const MapMarker& ghost)
{
    MapOrigin origin = updateMapView();
    if (fullMapShown) {
        drawFullMap();
        drawFullMapMarker(ghost, fullMapX, fullMapY, zoom);
        return;
    }
    const float side = static_cast<float>(g_mapSize) * zoom;
    if (renderState().fastWorld && rotationAngle == 0) {
        // The map is opaque, so the world under it is never seen: nearest of
        // all there, the fast way shades none of it and leaves out what only
        // it would show. Unturned, drawImagePivot covers from (x - 1, y - 1).
        const float left = origin.x - 1, top = origin.y - 1;
        clearDepthToNearest(std::max(float(kMinimapLeft), left), std::max(float(kMinimapTop), top),
                            std::min(float(kMinimapRight), left + side), std::min(float(kMinimapBottom), top + side));
    }
    drawWorld(heading);
    setScissorRect(kMinimapLeft, kMinimapTop, kMinimapRight, kMinimapBottom);
    drawImagePivot(origin.x, origin.y, side, side, mapTexture, rotationAngle, pivotX, pivotY);
    drawMinimapMarker(ghost, origin, zoom, rotationAngle, pivotX, pivotY);
    setScissorBox(-1, -1, -1, -1);
}

void Terrain::drawFullMap()
{
    InputDevices& input = game().input;
    if (input.keyDown(KeyPlus))
        zoom += 0.05f;
    if (input.keyDown(KeyMinus))
        zoom -= 0.05f;
    // No upper limit; at 0 and below the map would vanish and then mirror.
    if (zoom < kFullMapMinZoom)
        zoom = kFullMapMinZoom;
    // The horizontal keys move the view, the vertical keys move the map.
    if (input.keyDown(KeyLeft))
        fullMapX += 2;
    if (input.keyDown(KeyRight))
        fullMapX -= 2;
    if (input.keyDown(KeyUp))
        fullMapY -= 2;
    if (input.keyDown(KeyDown))
        fullMapY += 2;
    bindTexture(-1);
    drawRect(0, 0, 640, 480, 0x000000);
    const float side = static_cast<float>(g_mapSize) * zoom;
    drawImage(fullMapX * zoom + 320, fullMapY * zoom + 240, side, side, mapTexture, 0);
}

void drawMinimapMarker(const MapMarker& marker, MapOrigin origin, float zoom, float angle, float pivotX,
                       float pivotY)
{
    if (!marker.shown)
        return;
    // The same turn about the same point as drawImagePivot gives the map.
    float dx = marker.x * zoom - pivotX;
    float dy = marker.z * zoom - pivotY;
    float r = angle * 0.0174533f;
    float c = std::cos(r), s = std::sin(r);
    drawMarkerAt(origin.x - 1 + pivotX + dx * c - dy * s, origin.y - 1 + pivotY + dx * s + dy * c, marker.colour);
}

void drawFullMapMarker(const MapMarker& marker, float fullX, float fullY, float zoom)
{
    if (marker.shown)
        drawMarkerAt((fullX + marker.x) * zoom + 319, (fullY + marker.z) * zoom + 239, marker.colour);
}

void drawFullMapRoute(const float* xz, int count, float fullX, float fullY, float zoom, uint32_t colour)
{
    if (count <= 0)
        return;
    std::vector<float> shown(static_cast<size_t>(2) * count);
    for (int i = 0; i < count; ++i) {
        shown[2 * i] = (fullX + xz[2 * i]) * zoom + 320;
        shown[2 * i + 1] = (fullY + xz[2 * i + 1]) * zoom + 240;
    }
    bindTexture(-1);
    drawPoints(shown.data(), count, colour);
}
