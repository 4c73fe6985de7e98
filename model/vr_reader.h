#pragma once
// The .vr text model format as the game reads it: a keyword scanner, not a
// parser. Each "object" of the text becomes one VrObject; the reader looks
// for the next occurrence of each expected keyword from where it stands and
// reads the space-separated numbers after it. Pure (no GL, no files), so it
// can be fuzzed.
//
// Limits, where the format itself has none: an object keeps at most
// kMaxTriangles triangles and kMaxQuads quads (further polygons are read and
// dropped); a texture name longer than kMaxTextureName characters is dropped
// (the object is drawn untextured); an object whose polygon count is 0 or
// negative has no polygons; an "N_POLY" followed by neither 3 nor 4 is
// skipped. None of these ends the reading of later objects.
#include <cstddef>
#include <string>
#include <vector>

struct VrVertex {
    float x = 0, y = 0, z = 0;
    float s = 0, t = 0;
};

struct VrObject {
    bool read = false;  // the reader got to this object; one it did not get to stays empty
    float translation[3] = {0, 0, 0};
    bool textured = false;    // texture coordinates were read for its vertices
    std::string textureName;  // empty for none
    float colour[3] = {0, 0, 0};
    std::vector<VrVertex> triangles;  // 3 vertices each, untranslated
    std::vector<VrVertex> quads;      // 4 vertices each, untranslated
};

constexpr int kMaxTriangles = 333;
constexpr int kMaxQuads = 50;
constexpr size_t kMaxTextureName = 127;

// One VrObject per occurrence of "object" anywhere in the text.
std::vector<VrObject> readVrObjects(const char* text, size_t length);
