#include "app/render_state.h"

RenderState& renderState()
{
    static RenderState state;
    return state;
}
