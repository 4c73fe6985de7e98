#pragma once
// Route analysis: the fastest route of every leg of a course under the
// runner's own movement rule (speed from the slope under and behind the
// runner, running forward, no side drift, held inside 1 ... side - 1), and
// the figures a finish screen compares a run with. Pure logic: no drawing.
//
// A leg starts where the runner punched the previous control (the start
// itself for the first leg) and ends at the first point within reach of its
// control, because that is what the race clock measures. Each leg therefore
// starts where the previous fastest route ended.
#include "game/movement.h"
#include "terrain/grid_cell.h"

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

struct Terrain;

// A point in world units: x is world X, z is world Z (the map's y).
struct RoutePoint {
    float x = 0, z = 0;
};

// The heights of a terrain exactly as Terrain::heightAt gives them, copied
// so that the search never reads a terrain that play may regenerate.
struct HeightSnapshot {
    int side = 0;                // cells per side; 0 none
    std::vector<float> heights;  // heightAt of each cell, index x + z * side

    // Copies the heights of `terrain` (none when it has no grids).
    static HeightSnapshot of(const Terrain& terrain);
    // Height of the cell holding (x, z), the point first clamped onto the
    // grid, as heightAt does it; 0 without heights.
    float heightAt(float x, float z) const
    {
        return heights.empty() ? 0 : heights[clampedCellIndex(x, z, side)];
    }
};

// The fastest route of one leg.
struct LegRoute {
    std::vector<RoutePoint> path;  // polyline from the leg's start to within reach of its control
    float seconds = 0;             // predicted running time along path
    // The least time the turn onto the route costs at the leg's start, for
    // a runner coming in along the previous leg (facing up the map at the
    // start). A split is compared with seconds + turnSeconds.
    float turnSeconds = 0;
    // The straight line from the same start towards the control, up to its
    // reach; infinite when that line leaves the runnable square.
    float straightSeconds = 0;
    bool routeChoice = false;  // beats the straight line by more than 3 %
    bool reachable = true;     // false: the control (or an earlier one) cannot be reached
};

// Seconds a runner takes along `path`, facing along each segment (a turn at
// a corner takes no time).
float pathSeconds(const HeightSnapshot& terrain, const std::vector<RoutePoint>& path);

// The start and the controls of the terrain's course, as many as are in
// use (g_nControls).
std::vector<RoutePoint> coursePoints(const Terrain& terrain);

// The fastest routes of the legs of `course` (the start first, then the
// controls in order): one LegRoute per leg. When `cancelled` becomes true
// the work stops and the legs so far are returned.
std::vector<LegRoute> planCourseRoutes(const HeightSnapshot& terrain, const std::vector<RoutePoint>& course,
                                       const std::atomic<bool>* cancelled = nullptr);

// A runner's losses against the fastest routes.
struct TimeLoss {
    std::vector<float> perLeg;  // seconds lost on each leg, never below 0
    float total = 0;            // sum of perLeg
    int worstLeg = -1;          // leg with the largest loss; -1 when nothing was lost
};
// Time lost per leg: the runner's time on leg i (legMs[i], milliseconds,
// one leg each, not cumulative) minus the leg's fastest time (seconds +
// turnSeconds). Legs without a time or a reachable route lose 0.
TimeLoss timeLost(const std::vector<LegRoute>& legs, const std::vector<int32_t>& legMs);

// Pace, seconds per 100 units, at each sample of a recorded route (x, z
// pairs taken every `interval` seconds), over about two seconds around the
// sample; infinite where the runner stood still.
std::vector<float> routePace(const std::vector<float>& trail, float interval = kTrailInterval);
// The pace of running on level ground.
constexpr float kFlatPace = 100.0f / kRunSpeed;

// Works out every leg of a course on a worker thread, so that no frame waits
// for it. Owned by the Game for one game; a new start() cancels the last.
class RoutePlanner {
public:
    RoutePlanner() = default;
    RoutePlanner(const RoutePlanner&) = delete;
    RoutePlanner& operator=(const RoutePlanner&) = delete;
    ~RoutePlanner();

    // Cancels unfinished work and starts on `course` over `terrain`.
    void start(HeightSnapshot terrain, std::vector<RoutePoint> course);
    // True once every leg is worked out; never blocks.
    bool ready() const;
    // The legs, valid once ready() until the next start() or cancel().
    const std::vector<LegRoute>& results() const;
    // Stops unfinished work (waits the moment it takes to notice) and
    // forgets the results.
    void cancel();

private:
    // Works out legs_ from terrain_ and course_, on the worker or in place.
    void work();

    HeightSnapshot terrain_;          // the inputs of the running work
    std::vector<RoutePoint> course_;
    std::thread worker_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> ready_{false};
    std::vector<LegRoute> legs_;
};
