#include "sound/ambience.h"

#include "app/frame.h"
#include "app/random.h"

namespace {

constexpr const char* kAnimalNames[] = {
    "sounds\\owl1.wav",  "sounds\\bird1.wav", "sounds\\bird2.wav",  "sounds\\bird3.wav", "sounds\\bird4.wav",
    "sounds\\bird5.wav", "sounds\\bird6.wav", "sounds\\bird7.wav",  "sounds\\bird8.wav", "sounds\\bird9.wav",
    "sounds\\bird10.wav", "sounds\\fly1.wav", "sounds\\bird11.wav",
};
constexpr const char* kBackgroundNames[] = {"sounds\\awoods1.wav", "sounds\\awoods2.wav"};
constexpr int kAnimalNameCount = int(sizeof kAnimalNames / sizeof kAnimalNames[0]);
constexpr int kBackgroundNameCount = int(sizeof kBackgroundNames / sizeof kBackgroundNames[0]);

// Background: 10 dB down in the centre.
constexpr int kBackgroundVolumeStep = 2;
constexpr int kCentre = 5;

// Draws an entry other than `previous`. With a single entry there is no
// other one to find, so it is played again rather than searched for ever.
int drawOtherThan(int previous, int count)
{
    if (count <= 1)
        return 0;
    int i;
    do
        i = rng::next() % count;
    while (i == previous);
    return i;
}

} // namespace

void Ambience::load(SoundManager& sounds)
{
    for (int i = 0; i < kAnimalNameCount; ++i)
        animalSounds[i] = sounds.load(kAnimalNames[i]);
    for (int i = 0; i < kBackgroundNameCount; ++i)
        backgroundSounds[i] = sounds.load(kBackgroundNames[i]);
    animalCount = kAnimalNameCount;
    backgroundCount = kBackgroundNameCount;
    currentBackground = -1;
}

void Ambience::unload(SoundManager& sounds)
{
    for (int& id : animalSounds) {
        if (id != -1)
            sounds.unload(id);
        id = -1;
    }
    for (int& id : backgroundSounds) {
        if (id != -1)
            sounds.unload(id);
        id = -1;
    }
    animalCount = 0;
    backgroundCount = 0;
    timer = 0;
    currentBackground = -1;
}

void Ambience::update(SoundManager& sounds)
{
    if (backgroundCount > 0) {
        if (currentBackground == -1) {
            currentBackground = rng::next() % backgroundCount;
            sounds.play(backgroundSounds[currentBackground], kBackgroundVolumeStep, kCentre, false);
        } else if (!sounds.isPlaying(backgroundSounds[currentBackground])) {
            currentBackground = drawOtherThan(currentBackground, backgroundCount);
            sounds.play(backgroundSounds[currentBackground], kBackgroundVolumeStep, kCentre, false);
        }
    }
    if (animalCount <= 0)
        return;
    if (timer > 0) {
        timer -= frameDelta();
        return;
    }
    const int i = drawOtherThan(lastAnimal, animalCount);
    const int volumeStep = rng::next() % 4 + 1;
    const int panPosition = rng::next() % 5 + 1;
    sounds.play(animalSounds[i], volumeStep, panPosition, true);
    timer = float(rng::next() % 5000) * 0.001f + 0.5f;
    lastAnimal = i;
}
