#pragma once
// The runner's footstep sound, as the player uses it: loaded once per
// course and requested in every frame of running, so that one continuous
// run of steps plays at full volume in the centre while the runner moves
// and the last step plays out when it stops.
#include "sound/sound_manager.h"

// Asset name of the footstep sound.
constexpr const char* kFootstepSoundName = "sounds\\run_grass.wav";

// Loads the footstep sound into `id` when it holds -1 (none yet); it stays
// -1 when the sound cannot be loaded.
void loadFootsteps(int& id, SoundManager& sounds = soundManager());
// For a frame in which the runner moved: starts the footsteps, or lets the
// ones still playing go on.
void playFootsteps(int id, SoundManager& sounds = soundManager());
// Gives the footstep slot back and sets `id` to -1, so starting a course
// again does not take another slot.
void unloadFootsteps(int& id, SoundManager& sounds = soundManager());
