#pragma once
// The pieces of GL state several parts of the game share: clear colour and
// fog, the 3D projection, wireframe, and scissor boxes given in the 640 x 480
// overlay space.

// Stores (r, g, b) as the fog colour, which is also every frame's clear colour.
void setClearColor(float r, float g, float b);
// Linear fog from `start` to `end` in the stored fog colour.
void enableFog(float start, float end);
void disableFog();
// 60-degree perspective, near 0.1, with aspect 1 in a 640 x 480 window; a
// window of another shape sees more or less to the sides, stretched as the
// 640 x 480 picture is. Leaves the projection matrix selected.
void setPerspective(float farPlane);
// Polygons as outlines until the next frame starts.
void setWireframe();

// Overlay x or y scaled to the window: multiply first, then divide, truncating.
int scaleToWindowX(int x);
int scaleToWindowY(int y);
// Scissor box with a bottom-left origin in overlay units; any scaled value
// of 0 or less switches scissoring off, so (-1, -1, -1, -1) always does.
void setScissorBox(int x, int y, int width, int height);
// Scissor rectangle with a top-left origin in overlay units; a scaled left
// of -1 switches scissoring off.
void setScissorRect(int left, int top, int right, int bottom);
// Sets the depth buffer to the nearest value in the rectangle with a
// top-left origin in overlay units, leaving out its rim pixels: where an
// opaque overlay will cover the picture, nothing drawn before it needs to
// be shaded.
void clearDepthToNearest(float left, float top, float right, float bottom);
