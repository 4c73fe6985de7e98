// The predicted routes checked against the game itself: a runner steered
// along each route with the arrow keys and moved by the real Player must
// punch each control in the predicted time.
#include "app/random.h"
#include "route/route.h"
#include "support/autopilot.h"
#include "support/game_fixture.h"
#include "terrain/cos_table.h"
#include "terrain/course.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float kFrame = 1.0f / 60.0f;

class RouteRunTest : public GameTest {
protected:
    // Steers the runner along `leg` until it punches control `next`, first
    // putting it at the leg's start facing along it when `place`. Returns
    // the seconds it ran, -1 if it never punched.
    float runLeg(const LegRoute& leg, int next, bool place)
    {
        Player& p = g().player;
        p.terrain = &g().terrain;
        p.footstepSound = -1;
        p.nextControl = next;
        if (place) {
            p.x = leg.path[0].x;
            p.z = leg.path[0].z;
            p.heading = std::atan2(leg.path[1].x - p.x, p.z - leg.path[1].z) * 180.0f / static_cast<float>(M_PI);
            p.heading += p.heading < 0 ? 360.0f : 0.0f;
        }
        // The side drift draws once a frame and acts only on an even draw:
        // a state whose next draw is odd, set before each frame, turns it off.
        uint32_t noDrift = 1;
        for (rng::seed(noDrift); rng::next() % 2 == 0; rng::seed(++noDrift)) {
        }
        size_t segment = 0;
        float speed = kRunSpeed;
        for (int f = 0; f < leg.seconds * 3 / kFrame + 600; ++f) {
            // Aim a little ahead along the route (past its end straight on),
            // less far when slow, as a slow runner turns tightly.
            RoutePoint aim = pointAhead(leg.path, segment, std::clamp(speed * 0.7f, 0.4f, 1.5f));
            float r = p.heading * 0.0175f;
            float mx = tableSin(r), mz = -tableCos(r);  // where the runner really goes
            float tx = aim.x - p.x, tz = aim.z - p.z;
            float off = std::atan2(mx * tz - mz * tx, mx * tx + mz * tz) * 180.0f / static_cast<float>(M_PI);
            script.holdKey(scan::kUp, true);
            script.holdKey(scan::kRight, off > 0.6f);
            script.holdKey(scan::kLeft, off < -0.6f);
            rng::seed(noDrift);
            beginTestFrame(kFrame);
            float x0 = p.x, z0 = p.z;
            p.update();
            p.placeCamera();
            speed = std::hypot(p.x - x0, p.z - z0) / kFrame;
            if (p.nextControl != next)
                return f * kFrame;  // the moves before the frame that punched
        }
        return -1;
    }

    // The point `ahead` units on from the runner's projection onto the
    // route, moving `segment` on once the runner has passed its end.
    RoutePoint pointAhead(const std::vector<RoutePoint>& path, size_t& segment, float ahead)
    {
        const Player& p = g().player;
        auto along = [&](size_t i, float& len) {
            float vx = path[i + 1].x - path[i].x, vz = path[i + 1].z - path[i].z;
            len = std::hypot(vx, vz);
            return len > 0 ? ((p.x - path[i].x) * vx + (p.z - path[i].z) * vz) / len : 0.0f;
        };
        float len = 0, pos = along(segment, len);
        while (pos >= len && segment + 2 < path.size())
            pos = along(++segment, len);
        pos = std::max(0.0f, pos) + ahead;
        size_t i = segment;
        for (; pos > len && i + 2 < path.size(); ++i) {
            pos -= len;
            len = std::hypot(path[i + 2].x - path[i + 1].x, path[i + 2].z - path[i + 1].z);
        }
        float k = len > 0 ? pos / len : 0;
        return {path[i].x + (path[i + 1].x - path[i].x) * k, path[i].z + (path[i + 1].z - path[i].z) * k};
    }
};

} // namespace

TEST_F(RouteRunTest, RunnerSteeredAlongTheRoutesPunchesInThePredictedTimes)
{
    double worstAlone = 0, worstInOneGo = 0;
    for (int size : {128, 256, 512})
        for (std::string relief : {"flat", "generated", "steep"}) {
            makeFlatTerrain(size, 6);
            Terrain& t = g().terrain;
            rng::seed(static_cast<uint32_t>(size) * 7 + 3);
            if (relief != "flat")
                t.generateTerrain(2, 2);
            if (relief == "steep")
                for (float& h : t.heightmap)
                    h *= 3;
            t.course.legSize = kLegsBig;
            t.generateCourse();
            std::vector<LegRoute> legs = planCourseRoutes(HeightSnapshot::of(t), coursePoints(t));
            ASSERT_EQ(legs.size(), 5u);

            // Each leg alone, the runner put at its start facing along it.
            std::vector<float> alone;
            for (size_t i = 0; i < legs.size(); ++i) {
                ASSERT_GE(legs[i].path.size(), 2u);
                alone.push_back(runLeg(legs[i], static_cast<int>(i) + 1, true));
            }
            // The whole course in one go, as in a game: from the start facing
            // up the map, turning onto each leg at its control.
            Player& p = g().player;
            p.x = legs[0].path[0].x;
            p.z = legs[0].path[0].z;
            p.heading = 0;
            p.trailTimer = 1.0f;
            p.trail.clear();
            std::vector<int32_t> splitMs;
            for (size_t i = 0; i < legs.size(); ++i)
                splitMs.push_back(static_cast<int32_t>(runLeg(legs[i], static_cast<int>(i) + 1, false) * 1000));

            double predicted = 0;
            for (size_t i = 0; i < legs.size(); ++i) {
                SCOPED_TRACE(testing::Message() << size << " " << relief << " leg " << i);
                const LegRoute& leg = legs[i];
                ASSERT_GT(alone[i], 0) << "never punched";
                ASSERT_GT(splitMs[i], 0) << "never punched";
                double errAlone = (alone[i] - leg.seconds) / leg.seconds;
                double inOneGo = leg.seconds + leg.turnSeconds;
                double errInOneGo = (splitMs[i] * 0.001 - inOneGo) / inOneGo;
                std::printf("%4d %-9s leg %zu: %2zu points, %6.2f s (straight %6.2f, turn %4.2f); alone %+5.2f %%, "
                            "in one go %+5.2f %%\n",
                            size, relief.c_str(), i, leg.path.size(), leg.seconds, leg.straightSeconds,
                            leg.turnSeconds, 100 * errAlone, 100 * errInOneGo);
                EXPECT_LT(std::fabs(errAlone), 0.05);
                EXPECT_LT(std::fabs(errInOneGo), 0.05);
                worstAlone = std::max(worstAlone, std::fabs(errAlone));
                worstInOneGo = std::max(worstInOneGo, std::fabs(errInOneGo));
                predicted += inOneGo;
            }
            EXPECT_LT(timeLost(legs, splitMs).total, 0.05 * predicted);
            if (relief == "flat") {
                for (float pace : routePace(p.trail))
                    EXPECT_NEAR(pace, kFlatPace, 0.02 * kFlatPace);
            }
        }
    std::printf("worst error: %.2f %% for legs alone, %.2f %% in one go\n", 100 * worstAlone, 100 * worstInOneGo);
}
