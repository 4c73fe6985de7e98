// Frame time of the 3D part of a frame of play on a real GL context: a
// fixed terrain of 512 cells with High open land and High dense forest,
// seen from fixed points and headings, drawing the sky, the ground, the
// vegetation and the flags as a game frame does. Next to it, measured in the
// same run, an empty frame (clear and swap only) and the frame built up
// layer by layer, so the cost of each layer shows, up to the overlays of a
// frame of play (minimap, HUD text, compass); all of it once drawn the
// straightforward way (layer after layer) and once the fast way
// (WorldRenderer), where the driver allows.
//
// Columns: median, 95th percentile and mean of all frames; best, the mean
// over the views of each view's fastest frame (the least disturbed by other
// work on a shared machine); cpu, processor time per frame with the driver's
// threads, and main, the part of it on the thread that calls GL (the rest
// is the driver's rasteriser threads, which share the cores). Processor
// times vary least when other programs share the machine.
//
// Run it under a display (xvfb-run -a -s "-screen 0 1024x768x24"). Options:
// --frames N (frames measured per view, default 12), --seed S,
// --plain (straightforward way only), --fast (fast way only), --window WxH
// (the window's size, 640x480 by default).
#include "app/frame.h"
#include "app/hud_text.h"
#include "app/overlay.h"
#include "app/random.h"
#include "app/render_state.h"
#include "app/text.h"
#include "app/window.h"
#include "platform/sdl_platform.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "render/sky.h"
#include "render/texture.h"
#include "render/world_renderer.h"
#include "support/bench_views.h"
#include "terrain/terrain.h"
#include "terrain/world_size.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using testsupport::FrameStats;
using testsupport::View;

// The GL defaults the game window sets, and its extension lookup.
void setGameGlState(int width, int height)
{
    RenderState& rs = renderState();
    rs.hasContext = true;
    rs.windowActive = true;
    rs.windowWidth = width;
    rs.windowHeight = height;
    glViewport(0, 0, width, height);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    findExtensions(rs);
}

class IgnoreEvents : public platform::WindowListener {
public:
    void onActivate(bool) override {}
    void onClose() override {}
    void onSize(int, int) override {}
};

// The renderer's layers, and one above them for the overlays it never draws.
enum Layers {
    kSky = WorldRenderer::kSky,
    kGround = WorldRenderer::kGround,
    kVegetation = WorldRenderer::kVegetation,
    kFlags = WorldRenderer::kFlags,
    kAll = WorldRenderer::kAllLayers,
    kOverlays = kAll + 1,
};

class Counter : public ObjectSink {
public:
    void place(const PlacedObject&) override { ++count; }
    int count = 0;
};

class Bench {
public:
    Bench(platform::Platform& p, Terrain& t, Sky& sky) : p_(p), t_(t), sky_(sky)
    {
        loadFont();
        compass_ = createColorKeyTexture("images\\Compass.bmp", 0xFF00FF);
    }
    ~Bench() { deleteTexture(compass_); }

    bool fast = false;

    // One frame: clear, camera, the chosen layers, swap; milliseconds.
    double frame(const View& v, int layers)
    {
        const Clock::time_point start = Clock::now();
        renderState().fastWorld = fast;
        beginFrame();
        if (layers != 0) {
            setPerspective(120);
            updateCamera(v.eye, v.heading);
            setPerspective(1000);
            if (fast && (layers & kOverlays))
                // As the game does for the minimap drawn below.
                clearDepthToNearest(std::max(360.0f, 479 - v.eye[0]), std::max(45.0f, 159 - v.eye[2]),
                                    std::min(600.0f, 991 - v.eye[0]), std::min(275.0f, 671 - v.eye[2]));
            if (layers & kSky)
                sky_.draw();
            if (fast) {
                t_.renderer.draw(t_.ground, t_.objects, v.heading, layers & kAll);
            } else {
                if (layers & kGround)
                    t_.ground.draw();
                if (layers & kVegetation)
                    t_.objects.drawVegetation(v.heading);
                if (layers & kFlags)
                    t_.objects.drawControlFlags();
            }
        }
        if (layers & kOverlays) {
            // As a frame of play with the help hidden: the minimap centred on
            // the eye, the lines and labels, the compass.
            setScissorRect(360, 45, 600, 275);
            drawImagePivot(480 - v.eye[0], 160 - v.eye[2], 512, 512, t_.mapTexture, 0, 0, 0);
            setScissorBox(-1, -1, -1, -1);
            hud_.clearAll();
            hud_.addLine("FPS: %3.1f", 60.0);
            hud_.addLine("Press F1 to show Help");
            hud_.addLabel(200, 440, 1.5f, 0xFFFFFF, "Next Control: %i", 1);
            hud_.addLabel(265, 425, 1.0f, 0xFFFFFF, "Time: %2i:%2i", 1, 5);
            drawImage(576, 0, 64, 64, compass_, v.heading);
            beginOverlay();
            hud_.draw();
            endOverlay();
        }
        glFlush();
        p_.swapBuffers();
        glFinish();
        p_.pumpEvents(events_);
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }

    std::vector<double> run(const std::vector<View>& views, int layers, int frames, double& cpuPerFrame,
                            double& mainPerFrame, double& best)
    {
        std::vector<double> ms;
        double cpu = 0, main = 0;
        best = 0;
        for (const View& v : views) {
            frame(v, layers);  // warm the driver's caches for this view
            const double before = testsupport::processCpuMs(), mainBefore = testsupport::threadCpuMs();
            double fastest = 1e30;
            for (int i = 0; i < frames; ++i) {
                ms.push_back(frame(v, layers));
                fastest = std::min(fastest, ms.back());
            }
            cpu += testsupport::processCpuMs() - before;
            main += testsupport::threadCpuMs() - mainBefore;
            best += fastest / double(views.size());
        }
        cpuPerFrame = cpu / double(ms.size());
        mainPerFrame = main / double(ms.size());
        return ms;
    }

private:
    platform::Platform& p_;
    Terrain& t_;
    Sky& sky_;
    HudText hud_;
    TextureId compass_ = -1;
    IgnoreEvents events_;
};

} // namespace

int main(int argc, char** argv)
{
    int frames = 12;
    uint32_t seed = 424242;
    bool plainWay = true, fastWay = true;
    int width = 640, height = 480;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (!std::strcmp(argv[i], "--plain"))
            fastWay = false;
        else if (!std::strcmp(argv[i], "--fast"))
            plainWay = false;
        else if (!std::strcmp(argv[i], "--window") && i + 1 < argc &&
                 std::sscanf(argv[++i], "%dx%d", &width, &height) != 2)
            width = 0;
    }
    if (width < 64 || height < 48) {
        std::fprintf(stderr, "--window takes a size such as 1920x1080\n");
        return 1;
    }
    setenv("FERNHOLLOW_NO_MESSAGE_BOXES", "1", 0);
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    if (sdl.openWindow(width, height, "Fernhollow frame benchmark") != platform::WindowError::None) {
        std::fprintf(stderr, "no GL window: run under a display (xvfb-run)\n");
        return 1;
    }
    setGameGlState(width, height);
    const bool driverHasFastWay = renderState().fastWorld;
    std::printf("renderer: %s; window %d x %d\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)), width,
                height);

    g_mapSize = 512;
    g_nControls = 8;
    rng::seed(seed);
    Terrain terrain;
    const Clock::time_point prepareStart = Clock::now();
    terrain.quickPrepare(1, 1);
    const double prepareMs = std::chrono::duration<double, std::milli>(Clock::now() - prepareStart).count();
    terrain.loadObjectModels();
    Sky sky;
    sky.load();

    const std::vector<View> views = testsupport::benchmarkViews(terrain);

    // What a view holds: patches drawn, objects placed and models drawn,
    // and the models the fast way draws and leaves out as hidden.
    Bench bench(sdl, terrain, sky);
    double patches = 0, objects = 0, models = 0, fastDrawn = 0, fastHidden = 0;
    renderState().fastWorld = false;
    for (const View& v : views) {
        setPerspective(120);
        updateCamera(v.eye, v.heading);
        setPerspective(1000);
        patches += terrain.ground.draw();
        Counter counter;
        terrain.objects.placeVegetation(v.heading, counter);
        objects += counter.count;
        models += terrain.objects.drawVegetation(v.heading);
    }
    if (driverHasFastWay)
        for (const View& v : views) {
            bench.fast = true;
            bench.frame(v, kAll);
            fastDrawn += terrain.renderer.modelsDrawn;
            fastHidden += terrain.renderer.modelsHidden;
        }
    std::printf("terrain: 512 cells, High open, High dense, seed %u; prepared in %.0f ms\n", seed, prepareMs);
    const double n = double(views.size());
    std::printf("views: %zu, %d frames each; per view on average %.1f ground patches drawn, %.0f trees and bushes "
                "placed, %.0f of them drawn\n",
                views.size(), frames, patches / n, objects / n, models / n);
    if (driverHasFastWay)
        std::printf("fast way: %.0f models drawn, %.0f left out as hidden per view\n", fastDrawn / n, fastHidden / n);
    else
        std::printf("fast way: not offered by this driver\n");

    struct Row {
        const char* name;
        int layers;
    };
    const Row rows[] = {
        {"empty frame (clear, swap)", 0},
        {"sky", kSky},
        {"sky + ground", kSky | kGround},
        {"sky + ground + vegetation", kSky | kGround | kVegetation},
        {"game frame (sky, ground, vegetation, flags)", kAll},
        {"game frame + minimap, HUD text, compass", kAll | kOverlays},
    };
    for (bool fast : {false, true}) {
        if (fast ? !(fastWay && driverHasFastWay) : !plainWay)
            continue;
        bench.fast = fast;
        std::printf("\n%s\n", fast ? "fast way (WorldRenderer)" : "straightforward way (layer after layer)");
        FrameStats empty, full;
        std::printf("%-46s %9s %9s %9s %9s %9s %9s\n", "frame", "median", "p95", "mean", "best", "cpu", "main");
        for (const Row& r : rows) {
            double cpu = 0, main = 0, best = 0;
            const FrameStats s = testsupport::frameStats(bench.run(views, r.layers, frames, cpu, main, best));
            std::printf("%-46s %7.2fms %7.2fms %7.2fms %7.2fms %7.2fms %7.2fms\n", r.name, s.median, s.p95, s.mean,
                        best, cpu, main);
            if (r.layers == 0)
                empty = s;
            if (r.layers == kAll)
                full = s;
        }
        std::printf("game frame / empty frame: median %.1fx, p95 %.1fx\n", full.median / empty.median,
                    full.p95 / empty.p95);
    }

    sky.release();
    terrain.release();
    sdl.closeWindow();
    return 0;
}
