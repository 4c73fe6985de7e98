#include "support/scripted_game.h"

#include "app/program.h"

#include <cstdlib>

ScriptedGame::ScriptedGame(bool withGl) : configHome_(home_.subfolder("config"))
{
    setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
    // Without a display the tests still get a GL context offscreen.
    if (!std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (withGl)
        real_ = std::make_unique<platform::SdlPlatform>();
    script_ = std::make_unique<platform::ScriptedPlatform>(real_.get());
    platform::setCurrent(script_.get());
}

ScriptedGame::~ScriptedGame()
{
    platform::setCurrent(nullptr);
}

int ScriptedGame::run(std::function<void(int)> everySwap, int maxFrames)
{
    script_->onSwap = [this, everySwap, maxFrames](int index) {
        if (everySwap)
            everySwap(index);
        if (index + 1 >= maxFrames)
            script_->queueClose();
    };
    return runProgram(options);
}
