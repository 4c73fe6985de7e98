#pragma once
// The generated files, collected in memory before they are written.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct AssetFile {
    std::string folder; // "Images", "Models", "sounds" or "icons"
    std::string name;   // file name inside the folder
    std::vector<uint8_t> bytes;
};

using AssetList = std::vector<AssetFile>;

// Every picture: the font (rasterised from the TrueType file `fontFile`),
// cursor, compass, sky, grass, globe and the model textures.
void addImages(AssetList& out, const std::string& fontFile);
// Every model: three trees, three bushes and the control flag.
void addModels(AssetList& out);
// Every sound: owl, birds, fly, the two forest backgrounds and the footsteps.
void addSounds(AssetList& out);
// The launcher icon as fernhollow.svg and fernhollow-N.png for N = 48, 64,
// 128 and 256 (for the desktop, not the game).
void addIcons(AssetList& out);

} // namespace assetgen
