#include "app/window.h"

#include "app/app.h"
#include "app/random.h"
#include "app/render_state.h"
#include "platform/platform.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

namespace {

constexpr const char* kTitle = "Fernhollow v0.25";

// The game's window procedure: activity, close and size notifications.
class WindowProcedure : public platform::WindowListener {
public:
    void onActivate(bool active) override { renderState().windowActive = active; }
    void onClose() override { app().running = false; }
    void onSize(int width, int height) override { resizeView(width, height); }
};

const char* messageFor(platform::WindowError e)
{
    using platform::WindowError;
    switch (e) {
    case WindowError::RegisterClass: return "Failed To Register The Window Class.";
    case WindowError::CreateWindow: return "Window Creation Error.";
    case WindowError::DeviceContext: return "Can't Create A GL Device Context.";
    case WindowError::PixelFormat: return "Can't Find A Suitable PixelFormat.";
    case WindowError::SetPixelFormat: return "Can't Set The PixelFormat.";
    case WindowError::RenderingContext: return "Can't Create A GL Rendering Context.";
    case WindowError::ActivateContext: return "Can't Activate The GL Rendering Context.";
    case WindowError::None: break;
    }
    return "";
}

bool fail(const char* message)
{
    destroyWindow();
    app().windowFailed = true;
    platform::current().messageBox("ERROR", message, platform::MessageIcon::Exclamation);
    return false;
}

bool contains(const GLubyte* haystack, const char* needle)
{
    return haystack && std::strstr(reinterpret_cast<const char*>(haystack), needle);
}

template <typename F>
F procAddress(const char* name)
{
    return reinterpret_cast<F>(platform::current().glProcAddress(name));
}

void findExtensions(RenderState& rs)
{
    const GLubyte* extensions = glGetString(GL_EXTENSIONS);
    rs.hasMultitexture = contains(extensions, "GL_ARB_multitexture");
    if (rs.hasMultitexture) {
        rs.multiTexCoord2f = procAddress<decltype(rs.multiTexCoord2f)>("glMultiTexCoord2fARB");
        rs.activeTexture = procAddress<decltype(rs.activeTexture)>("glActiveTextureARB");
        rs.clientActiveTexture = procAddress<decltype(rs.clientActiveTexture)>("glClientActiveTextureARB");
    }
    rs.hasCompiledArrays = contains(extensions, "GL_EXT_compiled_vertex_array");
    if (rs.hasCompiledArrays) {
        rs.lockArrays = procAddress<decltype(rs.lockArrays)>("glLockArraysEXT");
        rs.unlockArrays = procAddress<decltype(rs.unlockArrays)>("glUnlockArraysEXT");
    }
}

} // namespace

bool createWindow()
{
    RenderState& rs = renderState();
    rs = RenderState{};
    rs.eye[1] = 1.0f;
    rs.windowActive = true;
    platform::Platform& p = platform::current();
    rng::seed(p.freshSeed());
    const CommandLineOptions& asked = app().options;
    rs.windowWidth = asked.windowWidth;
    rs.windowHeight = asked.windowHeight;

    platform::WindowError error = p.openWindow(asked.windowWidth, asked.windowHeight, kTitle);
    if (error != platform::WindowError::None)
        return fail(messageFor(error));
    rs.hasContext = true;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 0.1, 300.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.4f, 0.2f, 0.0f, 0.0f);
    glClearDepth(1000.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    resizeView(asked.windowWidth, asked.windowHeight);
    if (asked.fullscreen) {
        p.setFullscreen(true);
        applyClientSize();
    }

    if (contains(glGetString(GL_RENDERER), "GDI Generic"))
        return fail("The program hasnt been able to detect 3D harware on your computer."
                    "To run this application 3D hardware acceleration is required.");
    findExtensions(rs);
    p.showSystemCursor(false);
    return true;
}

void destroyWindow()
{
    RenderState& rs = renderState();
    platform::Platform& p = platform::current();
    p.showSystemCursor(true);
    if (rs.hasContext && hasTexture(rs.fontTexture)) {
        GLuint name = static_cast<GLuint>(rs.fontTexture);
        glDeleteTextures(1, &name);
    }
    rs.fontTexture = 0;
    p.closeWindow();
    rs.hasContext = false;
    app().running = false;
}

void resizeView(int width, int height)
{
    if (height == 0)
        height = 1;
    RenderState& rs = renderState();
    rs.windowWidth = width;
    rs.windowHeight = height;
    if (!rs.hasContext)
        return;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, static_cast<double>(width) / static_cast<double>(height), 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void applyClientSize()
{
    int width = 0, height = 0;
    platform::current().clientSize(width, height);
    if (width > 0)
        resizeView(width, height);
}

void toggleFullscreen()
{
    platform::Platform& p = platform::current();
    if (p.setFullscreen(!p.isFullscreen()))
        applyClientSize();
}

void pumpWindowEvents()
{
    static WindowProcedure procedure;
    platform::current().pumpEvents(procedure);
}
