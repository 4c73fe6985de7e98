#pragma once
// The compass in the top-right corner: a damped spring needle that swings
// towards the runner's heading and settles, like a real one.
#include "app/render_state.h"

class Compass {
public:
    // Forgets the heading and deletes the picture; keeps visibility and the latch.
    void reset();
    // Follows `heading` (degrees) and loads the picture.
    void initialise(const float* heading);
    void release();
    // C toggles; when visible, moves the needle by one frame and draws it.
    void updateAndDraw();
    // One frame of the spring without input or drawing.
    void step(float dt);

    // The target the needle swings to for a heading: about 180 - h below
    // 180 and 540 - h from 180 up, so the picture turns against the runner.
    static float targetFor(float heading);

    const float* headingSource = nullptr;
    float targetAngle = 0;
    float needle = 0;       // degrees, not wrapped
    float needleSpeed = 0;  // degrees per second
    float stiffness = 0;
    float x = 0, y = 0;     // top-left corner of the picture
    TextureId texture = 0;
    bool visible = false;   // the options menu's compass setting
    bool cLatch = false;
};
