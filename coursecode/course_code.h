#pragma once
// Course codes: a short text that names one generated course, to be read
// aloud, typed in and shared. A code carries the terrain seed and every
// setting the generation reads, so the game and fernhollow-mapgen make the
// same terrain, course, map and vegetation from it.
//
// Form: 12 characters of Crockford's base 32 (digits and letters without
// I, L, O and U) grouped as XXXX-XXXX-XXXX. Reading ignores case, hyphens
// and spaces, and takes O as 0 and I or L as 1. The last character is a
// check over the other eleven, so one mistyped character or two swapped
// neighbours never name another course.
#include <cstdint>
#include <string>

namespace coursecode {

// The format the encoder writes; decode() refuses others.
constexpr int32_t kVersion = 1;
// Highest course number a code holds; "New Course" after it starts again at 1.
constexpr uint32_t kMaxCourseNumber = 511;

// What a code carries. Amounts are 1 high, 2 medium, 3 low; legSize is a
// LegSize (1 small, 2 big, 3 mixed).
struct CourseSettings {
    int32_t version = kVersion;
    uint32_t seed = 0;          // seeds the generator before the terrain
    int32_t mapSize = 256;      // 128, 256 or 512
    int32_t openAreas = 2;
    int32_t denseAreas = 2;
    int32_t controls = 8;       // course points, the start included: 4 ... 20
    int32_t legSize = 1;
    uint32_t courseNumber = 0;  // times "New Course" was pressed on this terrain

    bool operator==(const CourseSettings& o) const;
    bool operator!=(const CourseSettings& o) const { return !(*this == o); }
};

// The code of `settings`, grouped with hyphens; empty when a setting is
// outside the ranges above (such a course has no code).
std::string encode(const CourseSettings& settings);

struct Decoded {
    bool ok = false;
    CourseSettings settings;  // valid when ok
    std::string error;        // when not ok: why, in a few words (fits a menu item)
};

// Reads a code as a person may type it. Refuses, saying why, a character
// that is not a code character, a wrong length, a failed check (a typo or
// a swap), an unknown format version and out-of-range settings.
Decoded decode(const std::string& text);

// The generator's seed for course `courseNumber` (1 and up) on the terrain
// of `terrainSeed`; course 0 is the one drawn straight after the terrain.
uint32_t courseSeed(uint32_t terrainSeed, uint32_t courseNumber);

} // namespace coursecode
