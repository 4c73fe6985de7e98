#pragma once
// Runs the real program on a scripted platform: a fixed clock per frame,
// input set by the test at every buffer swap, and a real OpenGL window (under
// Xvfb, or SDL's offscreen driver when there is no display) whose frames can
// be read back.
#include "app/command_line.h"
#include "platform/sdl_platform.h"
#include "support/scripted_platform.h"
#include "support/temp_folder.h"

#include <functional>
#include <memory>
#include <vector>

class ScriptedGame {
public:
    // withGl: the window is a real one with a GL context. Each run has an
    // empty settings folder of its own (XDG_CONFIG_HOME).
    explicit ScriptedGame(bool withGl = true);
    ~ScriptedGame();

    // Runs the program until it exits, calling `everySwap` (frame index) at
    // each swap; after `maxFrames` swaps the window is closed. Returns the
    // exit status.
    int run(std::function<void(int)> everySwap, int maxFrames = 600);

    platform::ScriptedPlatform& script() { return *script_; }
    // What the program is started with.
    CommandLineOptions options;
    // The settings file the game reads and writes.
    std::string settingsFile() const { return configHome_ + "fernhollow/settings.ini"; }

private:
    testsupport::TempFolder home_;
    std::string configHome_;
    std::unique_ptr<platform::SdlPlatform> real_;
    std::unique_ptr<platform::ScriptedPlatform> script_;
};
