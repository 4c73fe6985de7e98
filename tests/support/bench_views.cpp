#include "support/bench_views.h"

#include "terrain/terrain.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>

namespace testsupport {

std::vector<View> benchmarkViews(const Terrain& terrain)
{
    std::vector<View> views;
    for (int c = 0; c < 3; ++c) {
        const Control& k = terrain.course.controls[c];
        for (float h : {0.0f, 90.0f, 180.0f, 270.0f})
            views.push_back({{k.x, terrain.heightAt(k.x, k.y) + 1.25f, k.y}, h + 30 * float(c)});
    }
    for (float h : {45.0f, 135.0f, 225.0f, 315.0f})
        views.push_back({{256, terrain.heightAt(256, 256) + 1.25f, 256}, h});
    return views;
}

double processCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (double(u.ru_utime.tv_sec) + double(u.ru_stime.tv_sec)) * 1000 +
           (double(u.ru_utime.tv_usec) + double(u.ru_stime.tv_usec)) / 1000;
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

FrameStats frameStats(std::vector<double> ms)
{
    FrameStats s;
    if (ms.empty())
        return s;
    std::sort(ms.begin(), ms.end());
    s.median = ms[ms.size() / 2];
    s.p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    for (double v : ms)
        s.mean += v;
    s.mean /= double(ms.size());
    return s;
}

} // namespace testsupport
