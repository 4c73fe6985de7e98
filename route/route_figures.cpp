#include "route/route.h"

#include <algorithm>
#include <cmath>
#include <limits>

TimeLoss timeLost(const std::vector<LegRoute>& legs, const std::vector<int32_t>& legMs)
{
    TimeLoss loss;
    loss.perLeg.assign(legs.size(), 0.0f);
    float worst = 0;
    for (size_t i = 0; i < legs.size() && i < legMs.size(); ++i) {
        if (!legs[i].reachable || legMs[i] < 0)
            continue;
        // A runner may come in a hair under the prediction (frame steps, a
        // turn begun before the punch): that is no gain.
        float lost = std::max(0.0f, legMs[i] * 0.001f - (legs[i].seconds + legs[i].turnSeconds));
        loss.perLeg[i] = lost;
        loss.total += lost;
        if (lost > worst) {
            worst = lost;
            loss.worstLeg = static_cast<int>(i);
        }
    }
    return loss;
}

std::vector<float> routePace(const std::vector<float>& trail, float interval)
{
    const int samples = static_cast<int>(trail.size() / 2);
    // Four samples either side: about two seconds, enough to smooth out a
    // frame's jitter but short enough to show a climb.
    const int half = 4;
    std::vector<float> pace(samples, std::numeric_limits<float>::infinity());
    for (int i = 0; i < samples; ++i) {
        int lo = std::max(0, i - half), hi = std::min(samples - 1, i + half);
        double run = 0;
        for (int k = lo; k < hi; ++k)
            run += std::hypot(trail[2 * k + 2] - trail[2 * k], trail[2 * k + 3] - trail[2 * k + 1]);
        if (run > 1e-6)
            pace[i] = static_cast<float>(100.0 * (hi - lo) * interval / run);
    }
    return pace;
}
