// Writes every picture, model and sound the game loads into the Images,
// Models and sounds folders under the given output folder.
#include "tools/assetgen/asset_list.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>

#ifndef FERNHOLLOW_FONT_FILE
#define FERNHOLLOW_FONT_FILE "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
#endif

namespace {

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [FONT.ttf]\n", argv[0]);
        return 2;
    }
    const std::string root = std::string(argv[1]) + "/";
    const std::string fontFile = argc > 2 ? argv[2] : FERNHOLLOW_FONT_FILE;
    const auto start = std::chrono::steady_clock::now();

    assetgen::AssetList assets;
    assetgen::addImages(assets, fontFile);
    if (assets.empty()) {
        std::fprintf(stderr, "assetgen: cannot read the font %s\n", fontFile.c_str());
        return 1;
    }
    assetgen::addModels(assets);
    assetgen::addSounds(assets);
    assetgen::addIcons(assets);

    int written = 0;
    for (const char* folder : {"Images", "Models", "sounds", "icons"})
        mkdir((root + folder).c_str(), 0755);
    for (const assetgen::AssetFile& file : assets) {
        if (file.bytes.empty()) {
            std::fprintf(stderr, "assetgen: could not make %s/%s\n", file.folder.c_str(), file.name.c_str());
            return 1;
        }
        const std::string path = root + file.folder + "/" + file.name;
        if (!writeFile(path, file.bytes)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            return 1;
        }
        ++written;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %d files in %.2f s\n", written, seconds);
    return written > 0 ? 0 : 1;
}
