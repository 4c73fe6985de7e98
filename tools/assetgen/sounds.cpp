#include "tools/assetgen/asset_list.h"

#include "tools/assetgen/sound_makers.h"
#include "tools/assetgen/wav_encoder.h"

#include <string>

namespace assetgen {

void addSounds(AssetList& out)
{
    out.push_back({"sounds", "owl1.wav", encodeWav(makeOwlHoot(), kCallRate)});
    for (int i = 1; i <= 11; ++i)
        out.push_back({"sounds", "bird" + std::to_string(i) + ".wav", encodeWav(makeBirdSong(i), kCallRate)});
    out.push_back({"sounds", "fly1.wav", encodeWav(makeFlyPass(), kCallRate)});
    out.push_back({"sounds", "awoods1.wav", encodeWav(makeForestBackground(1), kAmbienceRate)});
    out.push_back({"sounds", "awoods2.wav", encodeWav(makeForestBackground(2), kAmbienceRate)});
    out.push_back({"sounds", "run_grass.wav", encodeWav(makeRunningSteps(), kAmbienceRate)});
}

} // namespace assetgen
