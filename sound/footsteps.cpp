#include "sound/footsteps.h"

namespace {
constexpr int kFullVolume = 4;
constexpr int kCentre = 5;
} // namespace

void loadFootsteps(int& id, SoundManager& sounds)
{
    if (id == -1)
        id = sounds.load(kFootstepSoundName);
}

void playFootsteps(int id, SoundManager& sounds) { sounds.play(id, kFullVolume, kCentre, false); }

void unloadFootsteps(int& id, SoundManager& sounds)
{
    if (id != -1)
        sounds.unload(id);
    id = -1;
}
