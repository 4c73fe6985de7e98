#include "map/map_display.h"

#include "app/game.h"
#include "app/overlay.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "render/texture.h"
#include "terrain/terrain.h"

#include <algorithm>

namespace {

float clampTo(float v, float low, float high) { return std::max(low, std::min(v, high)); }

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

void Terrain::updateAndDrawMap(float heading)
{
    MapOrigin origin = updateMapView();
    if (fullMapShown) {
        drawFullMap();
        return;
    }
    drawWorld(heading);
    const float side = static_cast<float>(g_mapSize) * zoom;
    setScissorRect(kMinimapLeft, kMinimapTop, kMinimapRight, kMinimapBottom);
    drawImagePivot(origin.x, origin.y, side, side, mapTexture, rotationAngle, pivotX, pivotY);
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
