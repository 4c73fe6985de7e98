#pragma once
// A queue of player actions for a scripted run, advanced once per frame:
// clicks at a point, keys, waits for a condition, and acts or checks.
#include "support/scripted_platform.h"

#include <deque>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace testsupport {

class PlayerScript {
public:
    // Moves there, presses for two frames, releases, one frame to settle.
    void click(int x, int y, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            steps_.push_back({x, y, nullptr, nullptr, nullptr, {}});
    }
    // A click at the point `where` gives when the click begins (a window
    // whose size the run decides).
    void click(std::function<std::pair<int, int>()> where)
    {
        steps_.push_back({0, 0, nullptr, nullptr, std::move(where), {}});
    }
    // Holds the keys (scan codes) together for two frames, then releases them.
    void keys(std::vector<int> scanCodes)
    {
        steps_.push_back({0, 0, nullptr, nullptr, nullptr, std::move(scanCodes)});
    }
    // Waits, one check per frame, until done() holds.
    void waitFor(std::function<bool()> done) { steps_.push_back({0, 0, std::move(done), nullptr, nullptr, {}}); }
    // One frame's action.
    void then(std::function<void()> act) { steps_.push_back({0, 0, nullptr, std::move(act), nullptr, {}}); }
    size_t left() const { return steps_.size(); }

    // One frame: advances the step in hand.
    void advance(platform::ScriptedPlatform& s)
    {
        if (steps_.empty())
            return;
        Step& st = steps_.front();
        if (st.act) {
            st.act();
            steps_.pop_front();
            return;
        }
        if (st.done) {
            if (st.done())
                steps_.pop_front();
            return;
        }
        if (!st.keys.empty()) {
            for (int code : st.keys)
                s.holdKey(code, phase_ < 2);
            if (++phase_ == 4) {
                phase_ = 0;
                steps_.pop_front();
            }
            return;
        }
        if (st.where && phase_ == 0)
            std::tie(st.x, st.y) = st.where();
        s.pointerX = st.x;
        s.pointerY = st.y;
        s.buttons.left = phase_ == 1 || phase_ == 2;
        if (++phase_ == 5) {
            phase_ = 0;
            steps_.pop_front();
        }
    }

private:
    struct Step {
        int x, y;
        std::function<bool()> done;
        std::function<void()> act;
        std::function<std::pair<int, int>()> where;
        std::vector<int> keys;
    };
    std::deque<Step> steps_;
    int phase_ = 0;
};

} // namespace testsupport
