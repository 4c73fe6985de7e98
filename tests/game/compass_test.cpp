#include "game/compass.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Compass, TargetTurnsAgainstTheHeading)
{
    struct Case {
        float heading, target;
    } cases[] = {{0, 180}, {90, 90}, {179, 1}, {180, 360}, {270, 270}};
    for (const Case& c : cases)
        // The rounded degree factors leave it about a degree short.
        EXPECT_NEAR(Compass::targetFor(c.heading), c.target, 1.5f) << c.heading;
}

TEST(Compass, NeedleOvershootsATurnAndSettles)
{
    float heading = 90;
    Compass c;
    c.headingSource = &heading;
    c.stiffness = 5.0f;
    c.needle = Compass::targetFor(90);
    heading = 0;  // a 90-degree turn: the target moves from 90 to 180
    float target = Compass::targetFor(0);
    float furthest = 0;
    for (int i = 0; i < 400; ++i) {
        c.step(0.02f);
        furthest = std::max(furthest, c.needle);
    }
    EXPECT_GT(furthest, target + 5) << "a damped spring swings past its target";
    EXPECT_NEAR(c.needle, target, 0.5f) << "and settles on it";
}

TEST(Compass, CrossingSouthTurnsTheNeedleTheShortWay)
{
    float heading = 179.5f;
    Compass c;
    c.headingSource = &heading;
    c.stiffness = 5.0f;
    for (int i = 0; i < 400; ++i)
        c.step(0.02f);
    float before = c.needle;
    heading = 180.5f;  // the target jumps by almost 360 degrees
    for (int i = 0; i < 400; ++i)
        c.step(0.02f);
    EXPECT_LT(std::fabs(c.needle - before), 3.0f) << "about a degree, not a whole turn";
}

TEST(Compass, NeedleKeepsUpWithTurnAfterTurn)
{
    float heading = 0;
    Compass c;
    c.headingSource = &heading;
    c.stiffness = 5.0f;
    c.needle = Compass::targetFor(0);
    // Turning right at 60 degrees a second for half a minute, wrapped as the
    // runner's heading is; the needle lags a little and never whirls round.
    float worst = 0;
    for (int i = 0; i < 1500; ++i) {
        heading += 60 * 0.02f;
        if (heading > 360.0f)
            heading -= 360.0f;
        c.step(0.02f);
        worst = std::max(worst, std::fabs(std::remainder(c.needle - c.targetAngle, 360.0f)));
    }
    EXPECT_LT(worst, 30.0f);
}
