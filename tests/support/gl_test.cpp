#include "gl_test.h"

#include "app/render_state.h"
#include "platform/sdl_platform.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace testsupport {
namespace {

struct Window {
    platform::SdlPlatform sdl;
    platform::ScriptedPlatform scripted{&sdl};
    platform::WindowError error = platform::WindowError::None;

    Window()
    {
        // Nobody can answer a box in a test run.
        setenv("FERNHOLLOW_NO_MESSAGE_BOXES", "1", 0);
        platform::setCurrent(&scripted);
        error = scripted.openWindow(640, 480, "Fernhollow tests");
    }
};

Window& window()
{
    static Window w;
    return w;
}

bool displayExpected() { return std::getenv("DISPLAY") || std::getenv("SDL_VIDEODRIVER"); }

GLint integer(GLenum what)
{
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

} // namespace

void resetGlState()
{
    RenderState& rs = renderState();
    rs = RenderState{};
    rs.hasContext = true;
    rs.eye[1] = 1;
    rs.windowActive = true;
    rs.windowWidth = 640;
    rs.windowHeight = 480;

    while (glGetError() != GL_NO_ERROR) {
    }
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 640.0 / 480.0, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_FOG);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPointSize(1);
    glColor4f(1, 1, 1, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions && std::strstr(extensions, "GL_EXT_compiled_vertex_array")) {
        platform::Platform& p = platform::current();
        rs.lockArrays = reinterpret_cast<void (*)(int, int)>(p.glProcAddress("glLockArraysEXT"));
        rs.unlockArrays = reinterpret_cast<void (*)()>(p.glProcAddress("glUnlockArraysEXT"));
        rs.hasCompiledArrays = rs.lockArrays && rs.unlockArrays;
    }
}

void GlTest::SetUp()
{
    Window& w = window();
    if (w.error != platform::WindowError::None) {
        if (!displayExpected())
            GTEST_SKIP() << "no display to open a GL window on";
        FAIL() << "the GL test window did not open (error " << int(w.error) << "): " << w.sdl.windowFailureDetail();
    }
    platform::setCurrent(&w.scripted);
    w.scripted.boxes.clear();
    w.scripted.assetFolder.clear();
    std::memset(w.scripted.keys, 0, sizeof w.scripted.keys);
    w.scripted.keyboardAvailable = true;
    resetGlState();
    clearFrame();
}

void GlTest::TearDown()
{
    if (window().error != platform::WindowError::None)
        return;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_ATTRIB_STACK_DEPTH), 0);
    // Leave the next test a clean context even after a failure here.
    while (integer(GL_ATTRIB_STACK_DEPTH) > 0)
        glPopAttrib();
    for (GLenum mode : {GL_MODELVIEW, GL_PROJECTION}) {
        glMatrixMode(mode);
        GLenum depth = mode == GL_MODELVIEW ? GL_MODELVIEW_STACK_DEPTH : GL_PROJECTION_STACK_DEPTH;
        while (integer(depth) > 1)
            glPopMatrix();
    }
    glMatrixMode(GL_MODELVIEW);
}

platform::ScriptedPlatform& GlTest::platform() { return window().scripted; }

void GlTest::clearFrame(Rgb colour)
{
    glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Capture GlTest::captureAndSave(const std::string& name)
{
    Capture c = captureBackBuffer();
    savePng(c, name);
    return c;
}

} // namespace testsupport
