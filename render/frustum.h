#pragma once
// View-frustum planes and the culling tests run against them. Planes are
// (a, b, c, d) with (a, b, c) of length 1 and a*x + b*y + c*z + d the signed
// distance of a point, positive inside; order right, left, bottom, top, far,
// near.

// The planes of projection P times modelview M (OpenGL column-major arrays).
void computeFrustumPlanes(const float projection[16], const float modelview[16], float planes[6][4]);
// Reads both matrices from GL and refreshes the planes in RenderState.
void extractFrustum();

// 0 outside, 1 entirely inside, 2 crossing, against the right, left, far and
// near planes only, so tall things are never culled for their height.
int sphereInFrustumSides(const float centre[3], float radius);
// 1 when the axis-aligned cube may be visible, 0 when it is certainly outside
// one of the six planes.
int cubeInFrustum(float cx, float cy, float cz, float half);
