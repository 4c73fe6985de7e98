#include "app/overlay.h"

#include "render/texture.h"

#include <GL/gl.h>

void setColour(uint32_t colour)
{
    glColor4ub(GLubyte(colour >> 16), GLubyte(colour >> 8), GLubyte(colour), 255);
}

namespace {

void loadOverlayProjection()
{
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
}

// Runs `draw` with an identity modelview and the overlay projection, then
// restores both; the projection is set up first so `draw` may move the
// modelview.
template <typename Draw> void withOverlayMatrices(float projectionZ, Draw draw)
{
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    loadOverlayProjection();
    if (projectionZ != 0)
        glTranslatef(0, 0, projectionZ);
    glMatrixMode(GL_MODELVIEW);
    draw();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

// The quad with corners (x1, y1) and (x2, y2) at z 0.1, t = 0 at y1.
void texturedQuad(float x1, float y1, float x2, float y2)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x1, y1, 0.1f);
    glTexCoord2f(1, 0);
    glVertex3f(x2, y1, 0.1f);
    glTexCoord2f(1, 1);
    glVertex3f(x2, y2, 0.1f);
    glTexCoord2f(0, 1);
    glVertex3f(x1, y2, 0.1f);
    glEnd();
}

} // namespace

void beginOverlay()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    loadOverlayProjection();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_TEXTURE_BIT | GL_ENABLE_BIT);
    setWrapRepeat();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

void endOverlay()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glDisable(GL_TEXTURE_2D);
}

void drawImage(float x, float y, float width, float height, TextureId texture, float angle)
{
    drawImagePivot(x, y, width, height, texture, angle, width / 2, height / 2);
}

void drawImagePivot(float x, float y, float width, float height, TextureId texture, float angle, float pivotX,
                    float pivotY)
{
    bindTexture(texture);
    withOverlayMatrices(0, [&] {
        glTranslatef(x - 1 + pivotX, y - 1 + pivotY, 0.1f);
        glRotatef(angle, 0, 0, 1);
        glColor4f(1, 1, 1, 1);
        texturedQuad(-pivotX, -pivotY, width - pivotX, height - pivotY);
    });
}

void drawBox(float centreX, float centreY, float width, float height, uint32_t colour)
{
    withOverlayMatrices(0, [&] {
        glTranslatef(centreX - 1, centreY - 1, 0.1f);
        setColour(colour);
        texturedQuad(-width / 2, -height / 2, width / 2, height / 2);
    });
}

void drawRect(float left, float top, float right, float bottom, uint32_t colour)
{
    withOverlayMatrices(0, [&] {
        setColour(colour);
        texturedQuad(left, top, right, bottom);
    });
}

void drawPoints(const float* points, int count, uint32_t colour)
{
    glPointSize(3);
    withOverlayMatrices(0.1f, [&] {
        setColour(colour);
        glBegin(GL_POINTS);
        for (int i = 0; points && i < count; ++i)
            glVertex3f(points[2 * i], points[2 * i + 1], 0);
        glEnd();
    });
}

void setCursorTexture(TextureId texture) { renderState().cursorTexture = texture; }

void drawCursor(int pointerX, int pointerY)
{
    drawImage(float(pointerX), float(pointerY), 64, 64, renderState().cursorTexture, 0);
}
