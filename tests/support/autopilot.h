#pragma once
// Plays a course the way a player would, with the arrow keys only: it reads
// where the runner is and where the next control lies, and decides which
// keys to hold for the next frame.
#include "support/scripted_platform.h"

// Holds up/left/right on `script` to steer the runner to its next control.
// Returns false when the course is complete (nothing is held then).
bool steerToNextControl(platform::ScriptedPlatform& script);
// Releases every key and button.
void releaseEverything(platform::ScriptedPlatform& script);

// Scan codes of the keys a player uses.
namespace scan {
constexpr int kEscape = 0x01;
constexpr int kSpace = 0x39;
constexpr int kUp = 0xC8;
constexpr int kDown = 0xD0;
constexpr int kLeft = 0xCB;
constexpr int kRight = 0xCD;
constexpr int kC = 0x2E;
constexpr int kM = 0x32;
constexpr int kF1 = 0x3B;
constexpr int kPlus = 0x4E;
constexpr int kMinus = 0x4A;
} // namespace scan
