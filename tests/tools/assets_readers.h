#pragma once
// Independent readers for the generated files, written from the formats'
// definitions rather than from the generator, so the tests check the files
// and not the generator's own idea of them.
#include <cstdint>
#include <string>
#include <vector>

namespace assets_test {

// Folder holding Images, Models and sounds (beside the executables).
std::string assetRoot();
std::vector<uint8_t> readFile(const std::string& path);
// Reads folder/name with the name matched case-insensitively, as the game
// does; empty when there is no such file.
std::vector<uint8_t> readAsset(const std::string& folder, const std::string& name);

struct Bmp {
    bool ok = false;
    std::string problem;
    int width = 0, height = 0;
    // R, G, B per pixel, stored order: row 0 is the bottom row of the
    // picture, which is also texture row t = 0.
    std::vector<uint8_t> rgb;
    unsigned pixel(int x, int storedRow) const;
    // Row counted from the top of the picture.
    unsigned pixelFromTop(int x, int row) const { return pixel(x, height - 1 - row); }
};
Bmp parseBmp(const std::vector<uint8_t>& bytes);

struct Wav {
    bool ok = false;
    std::string problem;
    int formatTag = 0, channels = 0, rate = 0, bits = 0;
    std::vector<float> samples; // first channel, -1 ... 1
    double seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};
Wav parseWav(const std::vector<uint8_t>& bytes);

struct VrObject {
    std::string texture;
    float diffuse[3] = {0, 0, 0};
    int polygons = 0, vertices = 0;
    int vertexEntries = 0;     // "v " entries found before the next object
    int coordinateEntries = 0; // "t " entries found before the next object
    std::vector<float> xyz, st;
};
struct VrModel {
    bool ok = false;
    std::string problem;
    int objectWords = 0; // occurrences of "object", which the reader counts
    std::vector<VrObject> objects;
};
// Reads the keyword format object by object, failing on anything the game's
// reader would take differently (a missing keyword, odd spacing).
VrModel parseVr(const std::string& text);

bool isPowerOfTwo(int v);

} // namespace assets_test
