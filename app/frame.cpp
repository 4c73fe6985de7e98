#include "app/frame.h"

#include "app/render_state.h"

float frameDelta()
{
    float t = renderState().frameTime;
    if (t < 0.001f || t > 2.0f)
        return 0.001f;
    return t;
}

bool isWindowActive() { return renderState().windowActive; }
