#include "render/frustum.h"

#include "app/render_state.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

namespace {

float planeDistance(const float plane[4], float x, float y, float z)
{
    return plane[0] * x + plane[1] * y + plane[2] * z + plane[3];
}

} // namespace

void computeFrustumPlanes(const float projection[16], const float modelview[16], float planes[6][4])
{
    float rows[4][4];
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k) {
            float sum = 0;
            for (int j = 0; j < 4; ++j)
                sum += modelview[4 * k + j] * projection[4 * j + i];
            rows[i][k] = sum;
        }
    // right, left, bottom, top, far, near: r3 -/+ r0, r3 +/- r1, r3 -/+ r2.
    const int axis[6] = {0, 0, 1, 1, 2, 2};
    const float sign[6] = {-1, 1, 1, -1, -1, 1};
    for (int p = 0; p < 6; ++p) {
        for (int k = 0; k < 4; ++k)
            planes[p][k] = rows[3][k] + sign[p] * rows[axis[p]][k];
        float length = std::sqrt(planes[p][0] * planes[p][0] + planes[p][1] * planes[p][1] +
                                 planes[p][2] * planes[p][2]);
        if (length > 0)
            for (int k = 0; k < 4; ++k)
                planes[p][k] /= length;
    }
}

void extractFrustum()
{
    float projection[16], modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    computeFrustumPlanes(projection, modelview, renderState().planes);
}

int sphereInFrustumSides(const float centre[3], float radius)
{
    const float(*planes)[4] = renderState().planes;
    int crossing = 0;
    for (int p : {0, 1, 4, 5}) {
        float d = planeDistance(planes[p], centre[0], centre[1], centre[2]);
        if (d <= -radius)
            return 0;
        if (d <= radius)
            ++crossing;
    }
    return crossing == 0 ? 1 : 2;
}

int cubeInFrustum(float cx, float cy, float cz, float half)
{
    const float(*planes)[4] = renderState().planes;
    for (int p = 0; p < 6; ++p) {
        bool anyInside = false;
        for (int corner = 0; corner < 8 && !anyInside; ++corner) {
            float x = cx + (corner & 1 ? half : -half);
            float y = cy + (corner & 2 ? half : -half);
            float z = cz + (corner & 4 ? half : -half);
            anyInside = planeDistance(planes[p], x, y, z) > 0;
        }
        if (!anyInside)
            return 0;
    }
    return 1;
}
