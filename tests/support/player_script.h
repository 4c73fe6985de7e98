#pragma once
// A queue of player actions for a scripted run, advanced once per frame:
// clicks at a point, waits for a condition, and acts or checks.
#include "support/scripted_platform.h"

#include <deque>
#include <functional>

namespace testsupport {

class PlayerScript {
public:
    // Moves there, presses for two frames, releases, one frame to settle.
    void click(int x, int y, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            steps_.push_back({x, y, nullptr, nullptr});
    }
    // Waits, one check per frame, until done() holds.
    void waitFor(std::function<bool()> done) { steps_.push_back({0, 0, std::move(done), nullptr}); }
    // One frame's action.
    void then(std::function<void()> act) { steps_.push_back({0, 0, nullptr, std::move(act)}); }
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
    };
    std::deque<Step> steps_;
    int phase_ = 0;
};

} // namespace testsupport
