#include "render/sky.h"

#include "render/camera.h"
#include "render/gl_state.h"
#include "render/texture.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float kTop = 130, kBottom = -120;
// The sky keeps the exact factor; the camera's 0.0175 would open a seam.
constexpr float kSkyDegreesToRadians = 0.0174533f;

} // namespace

std::array<SkyVertex, kSkyStripVertices> skyStrip(const float eye[3])
{
    std::array<SkyVertex, kSkyStripVertices> strip;
    int n = 0;
    for (int theta = 0; theta <= 360; theta += 20) {
        const float c = float(theta) * kSkyDegreesToRadians;
        const float x = std::sin(c) * kSkyRadius + eye[0];
        const float z = std::cos(c) * kSkyRadius + eye[2];
        const float s = theta < 180 ? float(theta) / 180 : 1 - float(theta - 180) / 180;
        strip[n++] = {x, kTop, z, s, 1};
        strip[n++] = {x, kBottom, z, s, 0};
    }
    return strip;
}

void Sky::load()
{
    if (hasTexture(texture))
        deleteTexture(texture);
    texture = createMipmappedTexture("images\\Sky.bmp");
}

namespace {

// Draws the cylinder, or with strip false only leaves the state drawing it
// would leave: what follows in the frame (the origin marker) sees the
// texture, colour and texture coordinate the strip would have left.
void drawCylinder(TextureId texture, bool strip)
{
    disableFog();
    glColor4f(1, 1, 1, 1);
    bindTexture(texture);
    if (strip) {
        glBegin(GL_TRIANGLE_STRIP);
        for (const SkyVertex& v : skyStrip(cameraPosition())) {
            glTexCoord2f(v.s, v.t);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    } else {
        glTexCoord2f(0, 0);  // the strip's last vertex: a full turn, at the bottom
    }
    setClearColor(0.65f, 0.8f, 1.0f);
    enableFog(90, 120);
}

} // namespace

void Sky::draw() const
{
    RenderState& rs = renderState();
    if (rs.fastWorld) {
        rs.skyPending = true;
        rs.pendingSkyTexture = texture;
    }
    drawCylinder(texture, !rs.fastWorld);
}

void drawPendingSky()
{
    RenderState& rs = renderState();
    if (!rs.skyPending)
        return;
    rs.skyPending = false;
    drawCylinder(rs.pendingSkyTexture, true);
}

void Sky::release()
{
    deleteTexture(texture);
    texture = -1;
}
