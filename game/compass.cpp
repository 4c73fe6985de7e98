#include "game/compass.h"

#include "app/frame.h"
#include "app/game.h"
#include "app/overlay.h"
#include "render/texture.h"

#include <cmath>

void Compass::reset()
{
    headingSource = nullptr;
    needleSpeed = needle = stiffness = x = y = 0;
    // Forgetting the name without deleting it leaked one texture per course.
    if (hasTexture(texture))
        deleteTexture(texture);
    texture = -1;
}

void Compass::initialise(const float* heading)
{
    headingSource = heading;
    // Each course loads the picture again; the last one is not needed.
    if (hasTexture(texture))
        deleteTexture(texture);
    texture = createColorKeyTexture("images\\Compass.bmp", 0xFF00FF);
    x = 576;
    y = 0;
    stiffness = 5.0f;
}

void Compass::release() { reset(); }

float Compass::targetFor(float heading)
{
    float s = std::sin((heading - 180.0f) * 0.0175f);
    float c = std::cos((heading - 180.0f) * 0.0175f);
    float length = std::sqrt(s * s + c * c);
    float angle = std::acos(c / length);
    if (heading >= 180.0f)
        angle = 6.28f - angle;
    return angle * 57.143f;
}

void Compass::step(float dt)
{
    if (headingSource)
        targetAngle = targetFor(*headingSource);
    // Swing the shorter way round, however many turns the needle has made:
    // correcting by one turn only sent it a whole turn the wrong way after
    // about one and a half turns in one direction.
    float d = std::remainder(targetAngle - needle, 360.0f);
    needleSpeed += dt * d * stiffness;
    needle += dt * needleSpeed;
    needleSpeed *= 1.0f - dt;
}

void Compass::updateAndDraw()
{
    bool c = game().input.keyDown(KeyC);
    if (c && !cLatch) {
        visible = !visible;
        cLatch = true;
    }
    if (!c)
        cLatch = false;
    if (!visible)
        return;
    step(frameDelta());
    drawImage(x, y, 64, 64, texture, needle);
}
