#include "render/gl_state.h"

#include "app/render_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

void setClearColor(float r, float g, float b)
{
    RenderState& rs = renderState();
    rs.fogColor[0] = r, rs.fogColor[1] = g, rs.fogColor[2] = b;
    glClearColor(r, g, b, 0);
}

void enableFog(float start, float end)
{
    RenderState& rs = renderState();
    rs.fogEnd = end;
    rs.fogStart = start;
    glClearColor(rs.fogColor[0], rs.fogColor[1], rs.fogColor[2], 0);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, rs.fogColor);
    glFogf(GL_FOG_DENSITY, 0.7f);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, rs.fogStart);
    glFogf(GL_FOG_END, rs.fogEnd);
    glEnable(GL_FOG);
}

void disableFog() { glDisable(GL_FOG); }

void setPerspective(float farPlane)
{
    const RenderState& rs = renderState();
    // (w / h) / (640 / 480), written so that 640 x 480 gives exactly 1.
    const double aspect = rs.windowWidth > 0 && rs.windowHeight > 0
                              ? 3.0 * rs.windowWidth / (4.0 * rs.windowHeight)
                              : 1.0;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, aspect, 0.1, farPlane);
}

void setWireframe() { glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); }

int scaleToWindowX(int x) { return int(int64_t(x) * renderState().windowWidth / 640); }
int scaleToWindowY(int y) { return int(int64_t(y) * renderState().windowHeight / 480); }

// glScissor refuses negative sizes with a GL error; a box that switches
// scissoring off never needs to reach it.
void setScissorBox(int x, int y, int width, int height)
{
    int sx = scaleToWindowX(x), sy = scaleToWindowY(y);
    int sw = scaleToWindowX(width), sh = scaleToWindowY(height);
    if (sx <= 0 || sy <= 0 || sw <= 0 || sh <= 0) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(sx, sy, sw, sh);
}

void setScissorRect(int left, int top, int right, int bottom)
{
    int l = scaleToWindowX(left), t = scaleToWindowY(top);
    int r = scaleToWindowX(right), b = scaleToWindowY(bottom);
    if (l == -1) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(l, renderState().windowHeight - b, r > l ? r - l : 0, b > t ? b - t : 0);
}

void clearDepthToNearest(float left, float top, float right, float bottom)
{
    const RenderState& rs = renderState();
    const double sx = rs.windowWidth / 640.0, sy = rs.windowHeight / 480.0;
    // Only pixels wholly inside, and one more of room for the rounding of
    // the overlay's edges.
    const int l = int(std::ceil(left * sx)) + 1, r = int(std::floor(right * sx)) - 1;
    const int t = int(std::ceil(top * sy)) + 1, b = int(std::floor(bottom * sy)) - 1;
    if (r <= l || b <= t)
        return;
    glPushAttrib(GL_DEPTH_BUFFER_BIT | GL_SCISSOR_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(l, rs.windowHeight - b, r - l, b - t);
    glDepthMask(GL_TRUE);
    glClearDepth(0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glPopAttrib();
}
