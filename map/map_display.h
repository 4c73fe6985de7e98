#pragma once
// The map during play: a minimap in a fixed box at the upper right (it
// follows the runner, or in mouse mode is dragged and turned), and a
// fullscreen map that Space switches on. Both views share the zoom.
// These are Terrain operations; their state is the Terrain's map view.

// Minimap box in overlay pixels.
constexpr int kMinimapLeft = 360;
constexpr int kMinimapTop = 45;
constexpr int kMinimapRight = 600;
constexpr int kMinimapBottom = 275;
constexpr int kMinimapCentreX = 480;
constexpr int kMinimapCentreY = 160;

// The fullscreen map zooms out below the minimap's 0.75, down to this.
constexpr float kFullMapMinZoom = 0.1f;

// Screen position of the map's top-left corner.
struct MapOrigin {
    float x = 0, y = 0;  // screen position of the map's top-left corner
};

#include <cstdint>

// A point shown over both map views at a map position, such as the ghost
// of the best run; the game sets it each frame.
struct MapMarker {
    bool shown = false;
    float x = 0, z = 0;  // map pixels (world x, z)
    uint32_t colour = 0; // 0xRRGGBB
};

// Draws `marker` on the minimap whose map has its top-left corner at
// `origin` and is turned by `angle` degrees about (pivotX, pivotY), as the
// minimap draws it.
void drawMinimapMarker(const MapMarker& marker, MapOrigin origin, float zoom, float angle, float pivotX,
                       float pivotY);
// Draws `marker` on the fullscreen map scrolled to (fullX, fullY).
void drawFullMapMarker(const MapMarker& marker, float fullX, float fullY, float zoom);
// Draws the first `count` x, z pairs of a route as points on the fullscreen map.
void drawFullMapRoute(const float* xz, int count, float fullX, float fullY, float zoom, uint32_t colour);
