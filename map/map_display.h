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
