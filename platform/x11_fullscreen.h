#pragma once

struct SDL_Window;

namespace platform {

// Without a window manager nobody acts on SDL's fullscreen request: the X
// window keeps its size while SDL reports the desktop's, and everything drawn
// outside the old size is lost. There, the window is moved over its display
// by hand; where a window manager runs, or on another video driver, nothing
// is done.
void coverDisplayIfNoWindowManager(SDL_Window* window);

} // namespace platform
