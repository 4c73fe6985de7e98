// Frame time of whole game frames (world, HUD, minimap, compass) while an
// autopilot runs a course through High dense forest at MapSize 512, next to
// an empty frame (clear and swap only) measured in the same process, and
// the process's peak memory.
//
// Run it under a display (xvfb-run -a -s "-screen 0 1024x768x24"). Options:
// --frames N (game frames measured, default 400).
#include "app/app.h"
#include "app/game.h"
#include "app/program.h"
#include "support/scripted_platform.h"
#include "platform/sdl_platform.h"
#include "support/autopilot.h"
#include "terrain/world_size.h"

#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Summary {
    double median = 0, p95 = 0;
};

Summary summarise(std::vector<double> ms)
{
    Summary s;
    if (ms.empty())
        return s;
    std::sort(ms.begin(), ms.end());
    s.median = ms[ms.size() / 2];
    s.p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    return s;
}

std::vector<double> emptyFrames(int count)
{
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    std::vector<double> ms;
    if (sdl.openWindow(640, 480, "bench") != platform::WindowError::None) {
        std::fprintf(stderr, "no window: run under a display\n");
        std::exit(1);
    }
    Clock::time_point last = Clock::now();
    for (int i = 0; i < count + 10; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sdl.swapBuffers();
        Clock::time_point now = Clock::now();
        if (i >= 10)
            ms.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    sdl.closeWindow();
    platform::setCurrent(nullptr);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    int frames = 400;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--frames") == 0)
            frames = std::max(10, std::atoi(argv[i + 1]));
    setenv("FERNHOLLOW_NO_MESSAGE_BOXES", "1", 0);
    // A course the autopilot finishes is not one of the player's own results.
    setenv("XDG_DATA_HOME", (std::filesystem::temp_directory_path() / "fernhollow-bench-data").c_str(), 1);

    std::vector<double> empty = emptyFrames(frames);

    platform::SdlPlatform sdl;
    platform::ScriptedPlatform script(&sdl);
    script.msPerFrame = 33;
    platform::setCurrent(&script);
    std::vector<double> game;
    Clock::time_point last = Clock::now();
    int clickFrame = -1;
    int measured = 0;
    script.onSwap = [&](int index) {
        Clock::time_point now = Clock::now();
        if (index == 2) {
            // High dense and High open forest on the big map, by QuickStart.
            g_mapSize = 512;
            ::game().nDenseAreas = 1;
            ::game().nOpenAreas = 1;
            script.pointerX = 320;
            script.pointerY = 184;
            clickFrame = index;
        }
        if (clickFrame >= 0 && app().state == AppStateMenu)
            script.buttons.left = index - clickFrame < 3;
        if (app().state == AppStatePlaying) {
            // The first frames of a course pay for its loading.
            if (measured++ >= 10)
                game.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            if (!steerToNextControl(script) || static_cast<int>(game.size()) >= frames)
                script.queueClose();
        }
        last = Clock::now();
    };
    runProgram();
    platform::setCurrent(nullptr);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Summary e = summarise(empty), g = summarise(game);
    std::printf("empty frame: median %.2f ms, p95 %.2f ms (%zu frames)\n", e.median, e.p95, empty.size());
    std::printf("game frame:  median %.2f ms, p95 %.2f ms (%zu frames)\n", g.median, g.p95, game.size());
    if (e.median > 0)
        std::printf("ratio of medians: %.1f\n", g.median / e.median);
    std::printf("peak memory: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return game.empty() ? 1 : 0;
}
