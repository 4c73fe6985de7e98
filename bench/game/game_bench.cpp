// Frame time of whole game frames (world, HUD, minimap, compass) while an
// autopilot runs a course through High dense forest at MapSize 512, next to
// an empty frame (clear and swap only) measured in the same process, both
// alone before the game and between its frames, and the process's peak
// memory. Also the processor time per game frame, of all
// threads and of the one that calls GL (the rest is the driver's rasteriser
// threads): it varies least when other programs share the machine.
//
// With --quickstarts N it measures memory over repeated games instead: N
// games in a row, each started with QuickStart from the main menu, played
// for a few frames and left with Escape. The resident memory is taken in
// the first frame of each game; it prints it for every tenth game, the
// growth from the tenth game to the last and the largest seen after the
// tenth, and how long a game takes to prepare.
//
// Run it under a display (xvfb-run -a -s "-screen 0 1024x768x24"). Options:
// --frames N (game frames measured, default 400), --plain (the world drawn
// the straightforward way), --quickstarts N, --size S (MapSize of those
// games; the menu's default otherwise).
#include "app/app.h"
#include "app/game.h"
#include "app/program.h"
#include "support/scripted_platform.h"
#include "platform/sdl_platform.h"
#include "support/autopilot.h"
#include "support/bench_views.h"
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

// Resident memory of the process now, in MiB.
double residentMiB()
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    char line[256];
    double kib = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kib = std::atof(line + 6);
    std::fclose(f);
    return kib / 1024;
}

// Plays `games` QuickStart games one after another; returns the resident
// memory in the first frame of each, and in `loadingMs` the median time
// from the click's release to the end of that frame (mostly the game's
// preparation).
std::vector<double> repeatedGames(int games, int mapSize, double& loadingMs)
{
    platform::SdlPlatform sdl;
    platform::ScriptedPlatform script(&sdl);
    script.msPerFrame = 33;
    platform::setCurrent(&script);
    std::vector<double> resident;
    int clickFrame = -1, playedFrames = 0;
    bool played = false;
    std::vector<double> loading;
    Clock::time_point released = Clock::now();
    script.onSwap = [&](int index) {
        if (app().state == AppStateMenu) {
            if (played) {
                played = false;
                if (int(resident.size()) >= games) {
                    script.queueClose();
                    return;
                }
            }
            if (clickFrame < 0) {
                if (mapSize > 0)
                    g_mapSize = mapSize;
                script.pointerX = 320;
                script.pointerY = 184;
                clickFrame = index;
            }
            script.buttons.left = index - clickFrame < 3;
            if (index - clickFrame == 3)
                released = Clock::now();
        } else if (app().state == AppStatePlaying) {
            clickFrame = -1;
            if (!played) {
                loading.push_back(std::chrono::duration<double, std::milli>(Clock::now() - released).count());
                resident.push_back(residentMiB());
                if (int(resident.size()) % 10 == 0)
                    std::printf("game %3zu: %.1f MiB resident\n", resident.size(), resident.back());
            }
            played = true;
            // A few frames of running, then Escape, which acts on release.
            ++playedFrames;
            steerToNextControl(script);
            const bool escape = playedFrames % 24 == 20;
            script.holdKey(scan::kEscape, escape);
        }
    };
    runProgram();
    platform::setCurrent(nullptr);
    std::sort(loading.begin(), loading.end());
    loadingMs = loading.empty() ? 0 : loading[loading.size() / 2];
    return resident;
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
    int frames = 400, quickStarts = 0, mapSize = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::max(10, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--quickstarts") == 0 && i + 1 < argc)
            quickStarts = std::max(10, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc)
            mapSize = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--plain") == 0)
            setenv("FERNHOLLOW_PLAIN_WORLD", "1", 1);
    }
    setenv("FERNHOLLOW_NO_MESSAGE_BOXES", "1", 0);
    // A course the autopilot finishes is not one of the player's own results.
    setenv("XDG_DATA_HOME", (std::filesystem::temp_directory_path() / "fernhollow-bench-data").c_str(), 1);

    if (quickStarts > 0) {
        double loadingMs = 0;
        std::vector<double> resident = repeatedGames(quickStarts, mapSize, loadingMs);
        if (int(resident.size()) < quickStarts) {
            std::fprintf(stderr, "only %zu games were played\n", resident.size());
            return 1;
        }
        std::printf("resident memory from game 10 to game %d: %.1f MiB to %.1f MiB, growth %.1f MiB; largest %.1f MiB\n",
                    quickStarts, resident[9], resident.back(), resident.back() - resident[9],
                    *std::max_element(resident.begin() + 9, resident.end()));
        std::printf("preparing a game: median %.0f ms\n", loadingMs);
        return 0;
    }

    std::vector<double> alone = emptyFrames(frames);

    platform::SdlPlatform sdl;
    platform::ScriptedPlatform script(&sdl);
    script.msPerFrame = 33;
    platform::setCurrent(&script);
    std::vector<double> game, empty;
    Clock::time_point last = Clock::now();
    int clickFrame = -1;
    int measured = 0;
    double cpuStart = 0, cpuEnd = 0, mainStart = 0, mainEnd = 0;
    // Processor time of the empty frames since the start, and up to the
    // last game frame measured.
    double emptyCpu = 0, emptyMain = 0, emptyCpuAtEnd = 0, emptyMainAtEnd = 0;
    script.onSwap = [&](int index) {
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
        if (app().state == AppStatePlaying &&
            (!steerToNextControl(script) || static_cast<int>(game.size()) >= frames))
            script.queueClose();
    };
    // Each game frame, swap included, is followed by an empty one in the
    // same window, so that both meet the machine in the same mood: on a
    // shared machine a block of empty frames alone can come out 40 % faster
    // or slower from one run to the next. The empty frame's processor time
    // is left out of the game frame's.
    script.onSwapped = [&](int) {
        if (app().state != AppStatePlaying) {
            last = Clock::now();
            return;
        }
        const Clock::time_point now = Clock::now();
        // The first frames of a course pay for its loading.
        if (measured == 10) {
            cpuStart = testsupport::processCpuMs();
            mainStart = testsupport::threadCpuMs();
            emptyCpu = emptyMain = 0;
        }
        const bool measuring = measured++ >= 10 && static_cast<int>(game.size()) < frames;
        if (measuring) {
            game.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            cpuEnd = testsupport::processCpuMs();
            mainEnd = testsupport::threadCpuMs();
            emptyCpuAtEnd = emptyCpu;
            emptyMainAtEnd = emptyMain;
        }
        const double cpuBefore = testsupport::processCpuMs(), mainBefore = testsupport::threadCpuMs();
        glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glDepthMask(GL_TRUE);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPopAttrib();
        sdl.swapBuffers();
        const Clock::time_point emptyEnd = Clock::now();
        if (measuring)
            empty.push_back(std::chrono::duration<double, std::milli>(emptyEnd - now).count());
        emptyCpu += testsupport::processCpuMs() - cpuBefore;
        emptyMain += testsupport::threadCpuMs() - mainBefore;
        last = Clock::now();
    };
    runProgram();
    platform::setCurrent(nullptr);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const testsupport::FrameStats a = testsupport::frameStats(alone);
    const testsupport::FrameStats e = testsupport::frameStats(empty);
    const testsupport::FrameStats g = testsupport::frameStats(game);
    std::printf("empty frame alone, before the game: median %.2f ms, p95 %.2f ms (%zu frames)\n", a.median, a.p95,
                alone.size());
    std::printf("empty frame between game frames: median %.2f ms, p95 %.2f ms (%zu frames)\n", e.median, e.p95,
                empty.size());
    std::printf("game frame:  median %.2f ms, p95 %.2f ms (%zu frames)\n", g.median, g.p95, game.size());
    if (e.median > 0 && a.median > 0)
        std::printf("ratio of medians: %.1f (to the empty frame alone: %.1f)\n", g.median / e.median,
                    g.median / a.median);
    if (game.size() > 1)
        std::printf("processor time per game frame: %.2f ms, %.2f ms of it on the drawing thread\n",
                    (cpuEnd - cpuStart - emptyCpuAtEnd) / double(game.size() - 1),
                    (mainEnd - mainStart - emptyMainAtEnd) / double(game.size() - 1));
    std::printf("peak memory: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return game.empty() ? 1 : 0;
}
