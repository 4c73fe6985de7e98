#include "render/camera.h"

#include "app/render_state.h"
#include "platform/platform.h"
#include "render/frustum.h"
#include "render/gl_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {

// Scan codes of the debug keys, read as held now like an asynchronous key
// state (not through the game's per-frame input, which masks an inactive window).
constexpr int kKeyF2 = 0x3C;
constexpr int kKeyF5 = 0x3F;
constexpr int kKeyF6 = 0x40;

void applyDebugKeys()
{
    uint8_t keys[platform::kKeyStateSize] = {};
    if (!platform::current().readKeyboard(keys))
        return;
    if (keys[kKeyF2] & 0x80)
        setWireframe();
    if (keys[kKeyF5] & 0x80)
        enableFog(80, 100);
    if (keys[kKeyF6] & 0x80)
        disableFog();
}

} // namespace

void resetCamera()
{
    float* eye = renderState().eye;
    eye[0] = 0, eye[1] = 0, eye[2] = 5;
}

void updateCamera(const float position[3], float heading)
{
    RenderState& rs = renderState();
    const float a = heading * kDegreesToRadians;
    const float s = std::sin(a), c = std::cos(a);
    rs.back[0] = -s, rs.back[1] = 0, rs.back[2] = c;
    rs.up[0] = 0, rs.up[1] = 1, rs.up[2] = 0;
    for (int i = 0; i < 3; ++i) {
        rs.eye[i] = position[i];
        rs.target[i] = rs.eye[i] - rs.back[i];
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(rs.eye[0], rs.eye[1], rs.eye[2], rs.target[0], rs.target[1], rs.target[2], rs.up[0], rs.up[1],
              rs.up[2]);
    extractFrustum();
    applyDebugKeys();
}

const float* cameraPosition() { return renderState().eye; }
