#pragma once
// A player's actions for ScriptedGame, one after another: clicks at window
// pixels, keys held together for a few frames, waits and checks. Call
// advance() at every swap; done() once all have run.
#include "platform/scripted_platform.h"

#include <deque>
#include <functional>
#include <utility>
#include <vector>

class ScriptedSteps {
public:
    using Where = std::function<std::pair<int, int>()>;
    // Move to (x, y) in window pixels, press and release the left button;
    // `where` gives the point when the click begins.
    void click(int x, int y) { click([x, y] { return std::pair{x, y}; }); }
    void click(Where where) { steps_.push_back({Step::Click, std::move(where), {}, {}, {}}); }
    // Hold the keys (scan codes) together for two frames, then release them.
    void keys(std::vector<int> scanCodes) { steps_.push_back({Step::Keys, {}, std::move(scanCodes), {}, {}}); }
    // Wait for a condition, checked once per frame.
    void waitFor(std::function<bool()> until) { steps_.push_back({Step::Wait, {}, {}, std::move(until), {}}); }
    // Run a check or an action once.
    void then(std::function<void()> act) { steps_.push_back({Step::Act, {}, {}, {}, std::move(act)}); }
    bool done() const { return steps_.empty(); }

    void advance(platform::ScriptedPlatform& s);

private:
    struct Step {
        enum Kind { Click, Keys, Wait, Act } kind;
        Where where;
        std::vector<int> scanCodes;
        std::function<bool()> until;
        std::function<void()> act;
    };
    std::deque<Step> steps_;
    int phase_ = 0;
    std::pair<int, int> at_;
};
