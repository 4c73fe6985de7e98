#pragma once
// The runner: a point on the terrain with a heading, driven by the arrow
// keys, with slope-dependent speed, side-slope drift, course progress, the
// race clock and a recorded route for the replay.
#include "game/compass.h"
#include "game/movement.h"

#include <cstdint>
#include <vector>

class Terrain;

struct ReplayPoint {
    float x = 0, y = 0;
};

class Player {
public:
    // Everything back to its empty state.
    void resetPlayer();
    // Puts the runner on the start of the course and starts the clock.
    void startCourse(Terrain& terrain);
    // One frame of movement and progress, while the course is not complete.
    void update();
    // Keeps the runner on the map, smooths the eye height, updates the camera.
    void placeCamera();
    // The negated route point at replay time t (the fullscreen map's scroll
    // convention puts it at the screen centre).
    ReplayPoint replayPosition(float t) const;
    // How many route samples the replay shows at replay time t: 0 ... sampleCount.
    int replayedSamples(float t) const;
    // Draws the route up to replay time t on the fullscreen map.
    void drawReplayTrail(float t, float zoom, float offsetX, float offsetY);
    // Forgets the route when a game is left.
    void endGame();
    // Milliseconds since the start by the platform clock (the HUD's clock);
    // the total once the course is complete.
    int64_t elapsedMs() const;

    float x = 0, z = 0;
    float heading = 0;       // degrees: 0 faces -z (up the map), 90 faces +x
    float trailTimer = 0;    // seconds to the next route sample
    std::vector<float> replayPoints;  // screen x, y pairs made for replayZoomKey
    float bannerTime = 0;    // seconds left for the large next-control label
    int nextControl = 0;     // course index to reach next; 1 at the start
    int startSeconds = 0;
    int elapsedSeconds = 0;  // the total time once the course is complete
    int sampleCount = 0;
    uint32_t startTicks = 0;        // platform ticks when the clock started
    std::vector<int64_t> splitMs;   // ms from the start to each control reached, in order
    bool turning = false;
    bool moving = false;
    int footstepSound = 0;   // sound id; -1 none
    std::vector<float> trail;  // route samples as x, z pairs
    Terrain* terrain = nullptr;
    Compass compass;
};

// The zoom the replay points were made for; endGame sets a value no zoom takes.
extern float replayZoomKey;
