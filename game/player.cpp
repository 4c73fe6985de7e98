#include "game/player.h"

#include "app/frame.h"
#include "app/game.h"
#include "app/overlay.h"
#include "app/random.h"
#include "platform/platform.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "sound/footsteps.h"
#include "terrain/cos_table.h"
#include "terrain/terrain.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

float replayZoomKey = 0;

namespace {

int clockSeconds() { return static_cast<int>(platform::current().ticks() * 0.001); }
int secondsOf(uint32_t ticks) { return static_cast<int>(ticks * 0.001); }

} // namespace

void Player::resetPlayer()
{
    trail.clear();
    x = z = heading = trailTimer = bannerTime = 0;
    replayPoints.clear();
    nextControl = startSeconds = elapsedSeconds = sampleCount = 0;
    startTicks = 0;
    splitMs.clear();
    turning = moving = false;
    terrain = nullptr;
    compass.reset();
    footstepSound = -1;
}

void Player::startCourse(Terrain& t)
{
    // A course started again must not take another sound slot each time.
    if (this->terrain)
        unloadFootsteps(footstepSound);
    resetPlayer();
    terrain = &t;
    const Control* start = t.controlAt(0);
    x = start->x;
    z = start->y;
    heading = 0;
    nextControl = 1;
    // One reading serves both clocks, so splits and the HUD agree.
    startTicks = platform::current().ticks();
    startSeconds = secondsOf(startTicks);
    elapsedSeconds = 0;
    compass.initialise(&heading);
    turning = false;
    trail.reserve(240);
    trailTimer = 1.0f;
    sampleCount = 0;
    loadFootsteps(footstepSound);
}

void Player::update()
{
    InputDevices& input = game().input;
    const Control* next = terrain->controlAt(nextControl);
    float cx = next ? next->x : x;
    float cz = next ? next->y : z;
    turning = moving = false;

    // Reached with the position of the previous frame.
    if ((x - cx) * (x - cx) + (z - cz) * (z - cz) < kControlReachSquared) {
        nextControl += 1;
        bannerTime = 2.0f;
        splitMs.push_back(static_cast<uint32_t>(platform::current().ticks() - startTicks));
    }
    if (bannerTime > 0)
        bannerTime -= frameDelta();
    elapsedSeconds = clockSeconds() - startSeconds;

    float r = heading * 0.0175f;
    float a = -tableSin(r) * kRunSpeed;
    float b = tableCos(r) * kRunSpeed;
    float h0 = terrain->heightAt(x, z);
    float hb = terrain->heightAt(x + a, z + b);
    float hl = terrain->heightAt(x - b, z + a);
    float hr = terrain->heightAt(x + b, z - a);

    float f = slopeFactor(h0, hb);
    float dt = frameDelta();
    float sx = dt * f * a;
    float sz = dt * f * b;

    // Running across a side slope turns the runner towards the lower side.
    float dl = hl - hb;
    float dr = hr - hb;
    float w = 0;
    if (rng::next() % 2 == 0 && dl != 0 && std::fabs(dl) > 0.1f && dr != 0 && std::fabs(dr) > 0.1f) {
        if (dl < dr)
            w = dt * 2.5f * (-std::fabs(dl) / std::fabs(dr));
        else
            w = dt * 2.5f * (std::fabs(dr) / std::fabs(dl));
    }

    if (input.keyDown(KeyUp)) {
        x -= sx;
        z -= sz;
        moving = true;
        heading += w;
    } else if (input.keyDown(KeyDown)) {
        x += sx;
        z += sz;
        moving = true;
        heading += w;
    }
    // Turning against a strong drift is twice as fast.
    if (input.keyDown(KeyLeft)) {
        heading -= frameDelta() * (w > 0.25f ? 120.0f : 60.0f);
        turning = true;
    }
    if (input.keyDown(KeyRight)) {
        heading += frameDelta() * (w < -0.25f ? 120.0f : 60.0f);
        turning = true;
    }
    if (heading < 0)
        heading += 360.0f;
    if (heading > 360.0f)
        heading -= 360.0f;

    trailTimer -= frameDelta();
    if (trailTimer <= 0) {
        trailTimer += kTrailInterval;
        trail.push_back(x);
        trail.push_back(z);
        sampleCount += 1;
    }
    if (moving)
        playFootsteps(footstepSound);
}

int64_t Player::elapsedMs() const
{
    if (nextControl >= g_nControls && !splitMs.empty())
        return splitMs.back();
    // Unsigned difference: the clock wraps after 49 days.
    return static_cast<uint32_t>(platform::current().ticks() - startTicks);
}

void Player::placeCamera()
{
    float prevY = cameraPosition()[1];
    float top = static_cast<float>(g_mapSize - 1);
    if (x > top)
        x = top;
    if (z > top)
        z = top;
    if (x < 1)
        x = 1;
    if (z < 1)
        z = 1;
    float g = terrain ? terrain->heightAt(x, z) : 0.0f;
    float eyeY = (prevY * 4.0f + g + 1.25f) / 5.0f;
    if (g + 0.5f > eyeY)
        eyeY = g + 0.5f;
    // Culling uses a 120-unit frustum while drawing reaches 1000.
    setPerspective(120);
    const float eye[3] = {x, eyeY, z};
    updateCamera(eye, heading);
    setPerspective(1000);
}

// With no route sample or no elapsed second (a course finished within its
// first second) the replay shows the start instead of dividing by zero.
ReplayPoint Player::replayPosition(float t) const
{
    if (sampleCount <= 0 || elapsedSeconds <= 0 || trail.size() < 2) {
        const Control* start = terrain ? terrain->controlAt(0) : nullptr;
        return start ? ReplayPoint{-start->x, -start->y} : ReplayPoint{-x, -z};
    }
    int i = static_cast<int>(sampleCount * (t / elapsedSeconds));
    if (i >= sampleCount)
        i = sampleCount - 1;
    if (i < 0)
        i = 0;
    return {-trail[2 * i], -trail[2 * i + 1]};
}

int Player::replayedSamples(float t) const
{
    if (sampleCount <= 0 || elapsedSeconds <= 0)
        return 0;
    return std::clamp(static_cast<int>(sampleCount * (t / elapsedSeconds)), 0, sampleCount);
}

void Player::drawReplayTrail(float t, float zoom, float offsetX, float offsetY)
{
    if (replayPoints.empty() || zoom != replayZoomKey) {
        replayZoomKey = zoom;
        replayPoints.resize(static_cast<size_t>(2) * sampleCount);
        for (int i = 0; i < sampleCount; ++i) {
            replayPoints[2 * i] = zoom * trail[2 * i] + 320.0f;
            replayPoints[2 * i + 1] = zoom * trail[2 * i + 1] + 240.0f;
        }
    }
    const int n = replayedSamples(t);
    if (n <= 0)
        return;
    std::vector<float> shown(static_cast<size_t>(2) * n);
    for (int i = 0; i < n; ++i) {
        shown[2 * i] = offsetX * zoom + replayPoints[2 * i];
        shown[2 * i + 1] = offsetY * zoom + replayPoints[2 * i + 1];
    }
    // The colour brightens from dark to bright magenta ten times along the route.
    for (int i = 0; i < n; i += 10) {
        uint32_t c = static_cast<uint32_t>(static_cast<int>(i * 1920.0 / sampleCount) % 192);
        int count = i + 10 > n ? n % 10 : 10;
        drawPoints(&shown[2 * i], count, c * 0x010001u + 0x400040u);
    }
}

void Player::endGame()
{
    replayPoints.clear();
    replayPoints.shrink_to_fit();
    replayZoomKey = -100;
    trail.clear();
    if (terrain)
        unloadFootsteps(footstepSound);
}
