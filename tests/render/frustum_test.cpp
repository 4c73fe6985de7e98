#include "render/frustum.h"

#include "app/render_state.h"

#include <gtest/gtest.h>

namespace {

// A box |x|, |y|, |z| <= 10 as six planes in the order right, left, bottom,
// top, far, near.
void setBoxPlanes()
{
    const float planes[6][4] = {{-1, 0, 0, 10}, {1, 0, 0, 10}, {0, 1, 0, 10},
                                {0, -1, 0, 10}, {0, 0, 1, 10}, {0, 0, -1, 10}};
    std::copy(&planes[0][0], &planes[0][0] + 24, &renderState().planes[0][0]);
}

} // namespace

TEST(Frustum, SphereTestUsesOnlyTheSidesFarAndNear)
{
    setBoxPlanes();
    struct Case {
        const char* name;
        float centre[3];
        float radius;
        int expected;
    };
    const Case cases[] = {
        {"inside", {0, 0, 0}, 1, 1},
        {"centre exactly r behind the left plane", {-12, 0, 0}, 2, 0},
        {"centre exactly r inside the left plane", {-8, 0, 0}, 2, 2},
        {"crossing the far plane", {0, 0, -9.5f}, 1, 2},
        {"beyond the near plane", {0, 0, 20}, 1, 0},
        {"far below, inside the wedge", {0, -1000, 0}, 1, 1},
        {"far above, crossing a side", {9.5f, 1000, 0}, 1, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sphereInFrustumSides(c.centre, c.radius), c.expected) << c.name;
}

TEST(Frustum, CubeTestNeedsACornerStrictlyInsideEveryPlane)
{
    setBoxPlanes();
    struct Case {
        const char* name;
        float cx, cy, cz, half;
        int expected;
    };
    const Case cases[] = {
        {"inside", 0, 0, 0, 1, 1},
        {"straddling the right plane", 10, 0, 0, 1, 1},
        {"every corner exactly on the right plane", 10, 0, 0, 0, 0},
        {"touching the right plane from outside", 11, 0, 0, 1, 0},
        {"below the bottom plane", 0, -20, 0, 1, 0},
        {"enclosing the whole frustum", 0, 0, 0, 100, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cubeInFrustum(c.cx, c.cy, c.cz, c.half), c.expected) << c.name;
}

TEST(Frustum, IdentityMatricesGiveTheClipCube)
{
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float planes[6][4];
    computeFrustumPlanes(identity, identity, planes);
    const float expected[6][4] = {{-1, 0, 0, 1}, {1, 0, 0, 1}, {0, 1, 0, 1},
                                  {0, -1, 0, 1}, {0, 0, -1, 1}, {0, 0, 1, 1}};
    for (int p = 0; p < 6; ++p)
        for (int k = 0; k < 4; ++k)
            EXPECT_FLOAT_EQ(planes[p][k], expected[p][k]) << p << "," << k;
}

TEST(Frustum, PlanesAreNormalisedAndFollowTheModelview)
{
    // Projection scaled by 2 in x; the modelview moves the world by +5 in x.
    const float projection[16] = {2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1};
    float planes[6][4];
    computeFrustumPlanes(projection, modelview, planes);
    for (auto& plane : planes)
        EXPECT_NEAR(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2], 1, 1e-6);
    // Inside while -0.5 <= x + 5 <= 0.5: the right plane passes through x = -4.5.
    const float* right = planes[0];
    EXPECT_NEAR(right[0] * -4.5f + right[3], 0, 1e-6);
    EXPECT_GT(right[0] * -5 + right[3], 0);
}
