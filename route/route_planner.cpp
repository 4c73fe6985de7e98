#include "route/route.h"

#include "terrain/course.h"
#include "terrain/terrain.h"

#include <system_error>

std::vector<RoutePoint> coursePoints(const Terrain& terrain)
{
    std::vector<RoutePoint> points;
    for (int i = 0; i < g_nControls; ++i)
        if (const Control* c = terrain.controlAt(i))
            points.push_back({c->x, c->y});
    return points;
}

RoutePlanner::~RoutePlanner() { cancel(); }

void RoutePlanner::start(HeightSnapshot terrain, std::vector<RoutePoint> course)
{
    cancel();
    cancelled_.store(false);
    // Members rather than captures, so that neither the thread nor the
    // fallback below copies the heights.
    terrain_ = std::move(terrain);
    course_ = std::move(course);
    try {
        worker_ = std::thread([this] { work(); });
    } catch (const std::system_error&) {
        // No thread to be had: work it out now, during the loading frame,
        // rather than leave the finish screen waiting for ever.
        work();
    }
}

void RoutePlanner::work()
{
    std::vector<LegRoute> legs = planCourseRoutes(terrain_, course_, &cancelled_);
    // Free the inputs rather than hold them for the rest of the game.
    terrain_ = HeightSnapshot();
    course_ = std::vector<RoutePoint>();
    if (cancelled_.load())
        return;
    legs_ = std::move(legs);
    ready_.store(true, std::memory_order_release);
}

bool RoutePlanner::ready() const { return ready_.load(std::memory_order_acquire); }

const std::vector<LegRoute>& RoutePlanner::results() const
{
    static const std::vector<LegRoute> none;
    return ready() ? legs_ : none;
}

void RoutePlanner::cancel()
{
    cancelled_.store(true);
    if (worker_.joinable())
        worker_.join();
    ready_.store(false);
    legs_.clear();
}
