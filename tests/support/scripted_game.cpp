#include "support/scripted_game.h"

#include "app/program.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

Frame captureFrame()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    Frame f;
    f.width = viewport[2];
    f.height = viewport[3];
    std::vector<uint8_t> bottomUp(static_cast<size_t>(3) * f.width * f.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, f.width, f.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    f.rgb.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(3) * f.width;
    for (int y = 0; y < f.height; ++y)
        std::memcpy(&f.rgb[y * row], &bottomUp[(f.height - 1 - y) * row], row);
    return f;
}

ScriptedGame::ScriptedGame(bool withGl)
{
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
    return runProgram();
}
