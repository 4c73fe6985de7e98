#pragma once
// The sky: a textured cylinder of radius 120 around the eye, drawn first in
// every frame of play; it also sets the light blue fog the world fades into
// from 90 to 120 units. When the world is drawn the fast way the cylinder
// is drawn after the ground and trees instead, behind them, so that the
// pixels they cover are never shaded twice; the picture is the same.
#include "app/render_state.h"

#include <array>

struct SkyVertex {
    float x, y, z;
    float s, t;
};

// The cylinder's radius round the eye.
constexpr float kSkyRadius = 120;

struct Sky {
    TextureId texture = 0;  // as zero-filled: none loaded yet

    // Loads "images\\Sky.bmp", deleting a texture of an earlier load.
    void load();
    // Draws the cylinder around the camera and sets the fog and clear colour
    // for the rest of the frame. After the camera update. With
    // RenderState::fastWorld it leaves the cylinder pending for
    // drawPendingSky and only sets the state drawing it would leave.
    void draw() const;
    // Deletes the texture; texture -1.
    void release();
};

// The cylinder's triangle strip around `eye`: 19 columns from angle 0 to 360
// degrees in steps of 20, each a vertex at height 130 (t = 1) and one at
// -120 (t = 0); s runs from 0 to 1 over the first half turn and back.
constexpr int kSkyStripVertices = 38;
std::array<SkyVertex, kSkyStripVertices> skyStrip(const float eye[3]);

// Draws the cylinder that Sky::draw left pending in this frame, if any, with
// the depth function the caller set; leaves the fog as Sky::draw does.
void drawPendingSky();
