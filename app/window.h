#pragma once
// The one game window with its OpenGL context.

// Opens the window (640 x 480 unless the command line asked for another
// size, fullscreen when it asked for that), makes the context current, sets
// the GL defaults and finds the optional extensions. On failure shows why in a box
// captioned "ERROR", tears down what was made (which stops the main loop)
// and returns false.
bool createWindow();
// Releases what createWindow made; safe on a partly made window and twice.
void destroyWindow();
// Viewport and a 60-degree projection for a client size (0 height becomes 1).
void resizeView(int width, int height);
// resizeView for the window's client size as it is now, whatever the last
// view was set for.
void applyClientSize();
// Switches between the window and fullscreen at the desktop's resolution.
void toggleFullscreen();
// Hands waiting window events to the game's window procedure.
void pumpWindowEvents();
