#pragma once
// The runner's movement rule, shared by the Player and the route analysis
// so that a predicted route time follows the same rule as play. Pure logic.

// Units a second on level ground; the slope is also measured this far
// behind the runner along its heading.
constexpr float kRunSpeed = 2.25f;
// A control counts once the runner is closer than the root of this.
constexpr float kControlReachSquared = 13.0f;
// Seconds between two samples of the runner's recorded route.
constexpr float kTrailInterval = 0.225f;

// Speed factor for the height under the runner minus the height kRunSpeed
// units behind: 1 on the flat, slower uphill down to 0.18, faster downhill
// without limit.
inline float slopeFactor(float h0, float hb)
{
    float f = 1.0f - (h0 - hb) / 3.0f;
    return f < 0.18f ? 0.18f : f;
}
