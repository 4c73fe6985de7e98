// The predicted routes checked against the game itself: a runner steered
// along each route by the arrow keys, moved by the real Player, must punch
// the control in the predicted time.
#include "app/random.h"
#include "game/player.h"
#include "route/route.h"
#include "support/autopilot.h"
#include "support/game_fixture.h"
#include "terrain/cos_table.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float kFrame = 1.0f / 60.0f;

// A generator state whose next draw is odd: the side drift draws once per
// frame and acts only on even draws, so restoring this before each frame
// runs the real update without drift.
uint32_t stateWithOddDraw()
{
    for (uint32_t s = 1;; ++s) {
        rng::seed(s);
        if (rng::next() % 2 == 1)
            return s;
    }
}

class RouteRunTest : public GameTest {
protected:
    // Steers the runner along `leg` until it punches control `next`; with
    // `place` it is first put at the leg's start facing along it. Returns
    // the seconds it ran (-1 if it never punched).
    float runLeg(const LegRoute& leg, int next, bool place = true)
    {
        Player& p = g().player;
        p.terrain = &g().terrain;
        p.footstepSound = -1;
        if (place) {
            p.trailTimer = 1.0f;
            p.x = leg.path[0].x;
            p.z = leg.path[0].z;
            p.heading = headingTowards(leg.path[1]);
        }
        p.nextControl = next;
        const uint32_t noDrift = stateWithOddDraw();
        size_t segment = 0;
        int frames = static_cast<int>(leg.seconds * 3 / kFrame) + 600;
        for (int f = 0; f < frames; ++f) {
            steer(leg.path, segment);
            rng::seed(noDrift);
            beginTestFrame(kFrame);
            float x0 = p.x, z0 = p.z;
            p.update();
            speed_ = std::hypot(p.x - x0, p.z - z0) / kFrame;
            p.placeCamera();
            if (p.nextControl != next)
                return f * kFrame;  // moves before the frame that punched
        }
        return -1;
    }

    static float headingTowards(RoutePoint to)
    {
        const Player& p = game().player;
        float h = std::atan2(to.x - p.x, -(to.z - p.z)) * 180.0f / static_cast<float>(M_PI);
        return h < 0 ? h + 360.0f : h;
    }

    // Aims a little ahead along the route, past its end straight on, and
    // turns towards that point with the arrow keys, judging the direction
    // the runner really moves in (the heading as the game's tables see it).
    float speed_ = kRunSpeed;

    void steer(const std::vector<RoutePoint>& path, size_t& segment)
    {
        const Player& p = g().player;
        auto along = [&](size_t i, float& t) {
            RoutePoint a = path[i], b = path[i + 1];
            float vx = b.x - a.x, vz = b.z - a.z, len2 = vx * vx + vz * vz;
            t = len2 > 0 ? ((p.x - a.x) * vx + (p.z - a.z) * vz) / len2 : 1.0f;
            return std::sqrt(len2);
        };
        float t = 0;
        while (along(segment, t) >= 0 && t >= 1.0f && segment + 2 < path.size())
            ++segment;
        // A slow climber turns tightly, so it looks less far ahead.
        float ahead = std::clamp(speed_ * 0.7f, 0.4f, 1.5f);
        size_t i = segment;
        float len = along(i, t);
        float pos = std::max(0.0f, t) * len + ahead;
        while (pos > len && i + 2 < path.size()) {
            pos -= len;
            ++i;
            RoutePoint a = path[i], b = path[i + 1];
            len = std::hypot(b.x - a.x, b.z - a.z);
        }
        RoutePoint a = path[i], b = path[i + 1];
        float k = len > 0 ? pos / len : 0;
        float tx = a.x + (b.x - a.x) * k - p.x, tz = a.z + (b.z - a.z) * k - p.z;
        float r = p.heading * 0.0175f;
        float mx = tableSin(r), mz = -tableCos(r);
        float off = std::atan2(mx * tz - mz * tx, mx * tx + mz * tz) * 180.0f / static_cast<float>(M_PI);
        script.holdKey(scan::kUp, true);
        script.holdKey(scan::kRight, off > 0.6f);
        script.holdKey(scan::kLeft, off < -0.6f);
    }
};

} // namespace

TEST_F(RouteRunTest, RunnerSteeredAlongTheRoutesPunchesInThePredictedTimes)
{
    struct Case {
        int size;
        const char* relief;  // flat, generated, or generated three times as steep
    } cases[] = {
        {128, "flat"}, {128, "generated"}, {128, "steep"},
        {256, "flat"}, {256, "generated"}, {256, "steep"},
        {512, "flat"}, {512, "generated"}, {512, "steep"},
    };
    double worstAlone = 0, worstInOneGo = 0;
    for (const Case& c : cases) {
        makeFlatTerrain(c.size, 6);
        Terrain& t = g().terrain;
        rng::seed(static_cast<uint32_t>(c.size) * 7 + 3);
        const std::string relief = c.relief;
        if (relief != "flat") {
            t.generateTerrain(2, 2);
            if (relief == "steep")
                for (float& h : t.heightmap)
                    h *= 3;
        }
        t.course.legSize = kLegsBig;
        t.generateCourse();
        std::vector<LegRoute> legs = planCourseRoutes(HeightSnapshot::of(t), coursePoints(t));
        ASSERT_EQ(legs.size(), 5u);

        // Each leg alone, the runner put at its start facing along it.
        std::vector<float> alone;
        for (size_t i = 0; i < legs.size(); ++i) {
            ASSERT_GE(legs[i].path.size(), 2u);
            alone.push_back(runLeg(legs[i], static_cast<int>(i) + 1));
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
            SCOPED_TRACE(testing::Message() << c.size << " " << relief << " leg " << i);
            const LegRoute& leg = legs[i];
            ASSERT_GT(alone[i], 0) << "never punched";
            ASSERT_GT(splitMs[i], 0) << "never punched";
            double errAlone = (alone[i] - leg.seconds) / leg.seconds;
            double inOneGo = leg.seconds + leg.turnSeconds;
            double errInOneGo = (splitMs[i] * 0.001 - inOneGo) / inOneGo;
            std::printf("%4d %-9s leg %zu: %2zu points, %6.2f s (straight %6.2f, turn %4.2f); alone %+5.2f %%, "
                        "in one go %+5.2f %%\n",
                        c.size, c.relief, i, leg.path.size(), leg.seconds, leg.straightSeconds, leg.turnSeconds,
                        100 * errAlone, 100 * errInOneGo);
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
    std::printf("worst error: %.2f %% for legs alone, %.2f %% for legs in one go\n", 100 * worstAlone,
                100 * worstInOneGo);
}
