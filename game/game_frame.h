#pragma once
// One frame of play, run by the main loop while the state is playing: the
// runner moves, the world, the maps and the compass are drawn, and once the
// last control is reached the finish screen replays the route.
void runGameFrame();

// The last control has been reached: the clock stops and the route replays.
bool courseComplete();

struct HudText;
// The finish screen's lines for a replay clock and a total time in seconds.
void addFinishLines(HudText& hud, float replayTime, int totalSeconds);
