#include "app/frame.h"

#include "app/render_state.h"
#include "app/window.h"
#include "platform/platform.h"

#include <GL/gl.h>

void beginFrame()
{
    RenderState& rs = renderState();
    glClearColor(rs.fogColor[0], rs.fogColor[1], rs.fogColor[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    rs.frameStart = static_cast<float>(platform::current().ticks());
}

void endFrame()
{
    RenderState& rs = renderState();
    platform::Platform& p = platform::current();
    glFlush();
    p.swapBuffers();
    rs.frameTime = (static_cast<float>(p.ticks()) - rs.frameStart) * 0.001f;
    pumpWindowEvents();
}

float frameDelta()
{
    float t = renderState().frameTime;
    if (t < 0.001f || t > 2.0f)
        return 0.001f;
    return t;
}

float updateFrameRate()
{
    RenderState& rs = renderState();
    // The clock has millisecond resolution: a frame measured as 0 ms counts
    // as 1 ms rather than feeding infinity into the average.
    float t = rs.frameTime > 0.0f ? rs.frameTime : 0.001f;
    rs.averageFps = (rs.averageFps + 1.0f / t) * 0.5f;
    return rs.averageFps;
}

bool isWindowActive() { return renderState().windowActive; }
