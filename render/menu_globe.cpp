#include "render/menu_globe.h"

#include "app/window.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "render/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

constexpr float kGlobeCentre[3] = {0, -1.5f, 0};
constexpr float kGlobeRadius = 1.5f;
constexpr float kSpinStep = 1.5f;

void blackWithoutFog()
{
    disableFog();
    setClearColor(0, 0, 0);
}

} // namespace

void drawTexturedSphere(const float centre[3], float radius, TextureId texture)
{
    bindTexture(texture);
    glColor4f(1, 1, 1, 1);
    glPushMatrix();
    glTranslatef(centre[0], centre[1], centre[2]);
    glScalef(-1, -1, 1);
    glRotatef(65, 1, 0, 0);
    GLUquadric* quadric = gluNewQuadric();
    if (quadric) {
        gluQuadricTexture(quadric, GL_TRUE);
        gluSphere(quadric, radius, 32, 32);
        gluDeleteQuadric(quadric);
    }
    glPopMatrix();
}

void MenuGlobe::load()
{
    release();
    model = std::make_unique<Model>();
    model->load("Models\\baliza.vr");
    earthTexture = createMipmappedTexture("Images\\earth.bmp");
    blackWithoutFog();
    applyClientSize();
}

void MenuGlobe::drawLoadingScene() const
{
    blackWithoutFog();
    const float eye[3] = {0, -1.5f, 5};
    updateCamera(eye, 0);
    if (model)
        model->draw(nullptr, nullptr, nullptr);
    drawTexturedSphere(kGlobeCentre, kGlobeRadius, earthTexture);
}

void MenuGlobe::drawMenuBackground()
{
    blackWithoutFog();
    const float eye[3] = {0, -1.5f, 4.5f};
    updateCamera(eye, 0);
    spin += kSpinStep;
    if (spin > 360)
        spin -= 360;
    glPushMatrix();
    glRotatef(spin, 0, 1, 0);
    if (model)
        model->draw(nullptr, nullptr, nullptr);
    drawTexturedSphere(kGlobeCentre, kGlobeRadius, earthTexture);
    glPopMatrix();
}

void MenuGlobe::release()
{
    if (hasTexture(earthTexture))
        deleteTexture(earthTexture);
    earthTexture = -1;
    if (model)
        model->destroy();
    model.reset();
}
