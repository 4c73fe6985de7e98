#pragma once
// Inside the route search: segment times, the speed bound and the graph
// search, open to the route tests.
#include "route/route.h"

// How close the routes go to a control: just inside its reach, so that a
// runner following one is sure to punch.
extern const float kRouteReach;

// Seconds to run straight from p to q under the movement rule: the speed
// changes only where the runner or the point behind it enters another cell,
// so the time is summed exactly over those pieces.
double segmentSeconds(const HeightSnapshot& terrain, RoutePoint p, RoutePoint q);

// The highest speed any slope of this terrain allows (units a second).
float fastestSpeed(const HeightSnapshot& terrain);

// A route over the graph of cell centres of the runnable square, each joined
// to its 16 neighbours one or two cells away (and the start point to the
// centres of the 5 x 5 cells around it).
struct GraphRoute {
    std::vector<RoutePoint> points;  // start point, then cell centres
    double seconds = 0;
    bool found = false;
    int settled = 0;  // nodes taken off the queue
};
// The fastest graph route from `from` to the first node closer than
// `reach` to `goal`. With `fastest` > 0 it is A* with the straight distance
// at that speed as its estimate; with 0 a plain Dijkstra search.
GraphRoute searchGraph(const HeightSnapshot& terrain, RoutePoint from, RoutePoint goal, float reach, float fastest,
                       const std::atomic<bool>* cancelled = nullptr);

// The fastest route of one leg from `from` to within kRouteReach of
// `control`: the graph route, shortened wherever a straight segment is
// quicker, or the straight line when that is quicker still.
LegRoute planLeg(const HeightSnapshot& terrain, RoutePoint from, RoutePoint control, float fastest,
                 const std::atomic<bool>* cancelled = nullptr);
