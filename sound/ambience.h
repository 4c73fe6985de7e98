#pragma once
// The forest soundscape behind the menus and the game: one of two
// background recordings at all times, and an owl, eleven birds and a fly
// started one after another at random gaps of 0.5 to 5.5 seconds, each at a
// random loudness, position and slightly random pitch.
//
// A member of the Game, which holds it zero-filled: every sound id starts
// at 0, not -1, and so does the last animal, so the first animal sound is
// never the owl and unload also unloads id 0 for the entries load leaves
// alone. Lives for the process: loaded at start-up, updated every menu and
// game frame, unloaded at shutdown.
#include "sound/sound_manager.h"

struct Ambience {
    static constexpr int kAnimalEntries = 32;
    static constexpr int kBackgroundEntries = 16;

    int animalSounds[kAnimalEntries] = {};          // sound ids; 0 ... 12 in use
    int backgroundSounds[kBackgroundEntries] = {};  // sound ids; 0 and 1 in use
    int animalCount = 0;                            // entries in use, 13 once loaded
    int backgroundCount = 0;                        // 2 once loaded
    int lastAnimal = 0;                             // entry played last
    int currentBackground = 0;                      // entry playing, -1 none yet
    float timer = 0;                                // seconds to the next animal sound

    // Loads the owl, bird and fly sounds and the two backgrounds; a sound
    // that fails keeps id -1. Call once the SoundManager is initialised.
    void load(SoundManager& sounds = soundManager());
    // Unloads every entry that is not -1 and empties the record (the last
    // animal stays). Call before the SoundManager is released.
    void unload(SoundManager& sounds = soundManager());
    // Once per menu or game frame: keeps a background going and starts the
    // next animal sound when its timer has run out (timed by frameDelta).
    void update(SoundManager& sounds = soundManager());
};
