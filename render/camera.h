#pragma once
// The level first-person camera: a position and a compass heading (degrees,
// 0 looking along -Z, 90 along +X) become the view matrix and the frustum.
// Its state lives in RenderState (eye, target, back, up, planes).

// Eye to (0, 0, 5).
void resetCamera();
// Loads the view for `position` (x, y, z) and `heading`, then extracts the
// frustum from the projection current at the call. While F2, F5 or F6 is
// held it also switches to wireframe, turns fog on (80 to 100) or off.
void updateCamera(const float position[3], float heading);
// The current eye (3 floats).
const float* cameraPosition();

// Degrees to radians as the camera and most of the game convert them (not
// pi / 180: headings of 360 and 0 differ slightly).
constexpr float kDegreesToRadians = 0.0175f;
