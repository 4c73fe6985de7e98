#pragma once
// Every menu and game frame is bracketed by beginFrame and endFrame; all
// movement and animation advance by frameDelta.

// Clears to the fog colour, resets the modelview matrix, starts the frame clock.
void beginFrame();
// Presents the picture, measures the frame and pumps window events.
void endFrame();
// Measured frame time in seconds, 0.001 when below 1 ms or above 2 s (a
// stall such as loading a course must not make things jump).
float frameDelta();
// Smooths 1 / frameTime into the average frame rate and returns it.
float updateFrameRate();
bool isWindowActive();
