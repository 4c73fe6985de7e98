#include "support/autopilot.h"

#include "app/game.h"
#include "terrain/course.h"

#include <cmath>
#include <cstring>

bool steerToNextControl(platform::ScriptedPlatform& script)
{
    const Player& p = game().player;
    script.holdKey(scan::kUp, false);
    script.holdKey(scan::kLeft, false);
    script.holdKey(scan::kRight, false);
    if (p.nextControl >= g_nControls || !p.terrain)
        return false;
    const Control* c = p.terrain->controlAt(p.nextControl);
    // Forward is (sin h, -cos h) in (x, z): heading 0 runs up the map.
    float wanted = std::atan2(c->x - p.x, -(c->y - p.z)) * 180.0f / static_cast<float>(M_PI);
    float turn = std::fmod(wanted - p.heading + 540.0f, 360.0f) - 180.0f;
    if (turn > 4.0f)
        script.holdKey(scan::kRight, true);
    else if (turn < -4.0f)
        script.holdKey(scan::kLeft, true);
    if (std::fabs(turn) < 50.0f)
        script.holdKey(scan::kUp, true);
    return true;
}

void releaseEverything(platform::ScriptedPlatform& script)
{
    std::memset(script.keys, 0, sizeof script.keys);
    script.buttons = {};
}
