#include "support/scripted_steps.h"

void ScriptedSteps::advance(platform::ScriptedPlatform& s)
{
    if (steps_.empty())
        return;
    Step& st = steps_.front();
    bool finished = true;
    switch (st.kind) {
    case Step::Act:
        st.act();
        break;
    case Step::Wait:
        finished = st.until();
        break;
    case Step::Click:
        // Move, press for two frames, release, and a frame to settle.
        if (phase_ == 0)
            at_ = st.where();
        s.pointerX = at_.first;
        s.pointerY = at_.second;
        s.buttons.left = phase_ == 1 || phase_ == 2;
        finished = ++phase_ == 5;
        break;
    case Step::Keys:
        for (int code : st.scanCodes)
            s.holdKey(code, phase_ < 2);
        finished = ++phase_ == 4;
        break;
    }
    if (finished) {
        phase_ = 0;
        steps_.pop_front();
    }
}
