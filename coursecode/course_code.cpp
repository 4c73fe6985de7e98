#include "coursecode/course_code.h"

#include <cstdio>

namespace coursecode {
namespace {

constexpr char kAlphabet[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int kDataCharacters = 11;  // 55 bits
constexpr int kCodeCharacters = kDataCharacters + 1;

// Bit layout of the 55 data bits, high to low: version 3, settings 11,
// course number 9, seed 32.
constexpr int kSeedBits = 32;
constexpr int kCourseBits = 9;
constexpr int kSettingsBits = 11;
constexpr int kVersionBits = 3;
static_assert(kSeedBits + kCourseBits + kSettingsBits + kVersionBits == 5 * kDataCharacters, "the bits fill the code");
static_assert(kMaxCourseNumber == (1u << kCourseBits) - 1, "course numbers fill their bits");

constexpr int kSizes[] = {128, 256, 512};
constexpr int kControlCount = 17;  // 4 ... 20
constexpr uint32_t kSettingsCount = 3 * 3 * 3 * 3 * kControlCount;
static_assert(kSettingsCount <= (1u << kSettingsBits), "every setting combination has an index");

// The check is a sum in GF(32) (polynomial x^5 + x^2 + 1) with weights
// powers of x. A typo changes the sum by a nonzero multiple of a nonzero
// weight; a swap of neighbours d, e changes it by (d + e) * w * (x + 1), and
// neither factor is zero when d != e. Both are always caught, the check
// character included, and the check is itself a code character.
int gfTimesX(int v)
{
    v <<= 1;
    return v & 32 ? v ^ 0x25 : v;
}

int gfMultiply(int a, int b)
{
    int product = 0;
    for (; b; b >>= 1, a = gfTimesX(a))
        if (b & 1)
            product ^= a;
    return product;
}

// Weighted sum of digits[0 ... count-1], the last digit with weight 1.
int checkSum(const int* digits, int count)
{
    int sum = 0;
    int weight = 1;
    for (int i = count - 1; i >= 0; --i) {
        sum ^= gfMultiply(digits[i], weight);
        weight = gfTimesX(weight);
    }
    return sum;
}

// Digit value of a typed character, -1 for one that is not in a code.
int digitOf(char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (c == 'O')
        return 0;
    if (c == 'I' || c == 'L')
        return 1;
    for (int d = 0; d < 32; ++d)
        if (kAlphabet[d] == c)
            return d;
    return -1;
}

int sizeIndex(int32_t size)
{
    for (int i = 0; i < 3; ++i)
        if (kSizes[i] == size)
            return i;
    return -1;
}

bool inRange(const CourseSettings& s)
{
    auto amount = [](int32_t a) { return a >= 1 && a <= 3; };
    return s.version >= 1 && s.version < (1 << kVersionBits) && sizeIndex(s.mapSize) >= 0 && amount(s.openAreas) &&
           amount(s.denseAreas) && amount(s.legSize) && s.controls >= 4 && s.controls <= 20 &&
           s.courseNumber <= kMaxCourseNumber;
}

Decoded failure(std::string why)
{
    Decoded d;
    d.error = std::move(why);
    return d;
}

} // namespace

bool CourseSettings::operator==(const CourseSettings& o) const
{
    return version == o.version && seed == o.seed && mapSize == o.mapSize && openAreas == o.openAreas &&
           denseAreas == o.denseAreas && controls == o.controls && legSize == o.legSize &&
           courseNumber == o.courseNumber;
}

std::string encode(const CourseSettings& s)
{
    if (!inRange(s))
        return {};
    const uint64_t settings =
        (((static_cast<uint64_t>(sizeIndex(s.mapSize)) * 3 + (s.openAreas - 1)) * 3 + (s.denseAreas - 1)) * 3 +
         (s.legSize - 1)) * kControlCount + (s.controls - 4);
    uint64_t value = static_cast<uint64_t>(s.version);
    value = (value << kSettingsBits) | settings;
    value = (value << kCourseBits) | s.courseNumber;
    value = (value << kSeedBits) | s.seed;

    int digits[kCodeCharacters];
    for (int i = kDataCharacters - 1; i >= 0; --i, value >>= 5)
        digits[i] = static_cast<int>(value & 31);
    digits[kDataCharacters] = 0;
    digits[kDataCharacters] = checkSum(digits, kCodeCharacters);

    std::string code;
    for (int i = 0; i < kCodeCharacters; ++i) {
        if (i > 0 && i % 4 == 0)
            code += '-';
        code += kAlphabet[digits[i]];
    }
    return code;
}

Decoded decode(const std::string& text)
{
    int digits[kCodeCharacters];
    int count = 0;
    for (char c : text) {
        if (c == '-' || c == ' ')
            continue;
        const int d = digitOf(c);
        if (d < 0) {
            const bool printable = c > ' ' && c <= '~';
            return failure(std::string("Bad character: ") + (printable ? c : '?'));
        }
        if (count < kCodeCharacters)
            digits[count] = d;
        ++count;
    }
    char why[32];
    if (count != kCodeCharacters) {
        std::snprintf(why, sizeof why, "Too %s: %d of %d", count < kCodeCharacters ? "short" : "long", count,
                      kCodeCharacters);
        return failure(why);
    }
    if (checkSum(digits, kCodeCharacters) != 0)
        return failure("Check failed: a typo?");

    uint64_t value = 0;
    for (int i = 0; i < kDataCharacters; ++i)
        value = (value << 5) | static_cast<uint64_t>(digits[i]);
    Decoded result;
    CourseSettings& s = result.settings;
    s.seed = static_cast<uint32_t>(value);
    value >>= kSeedBits;
    s.courseNumber = static_cast<uint32_t>(value & kMaxCourseNumber);
    value >>= kCourseBits;
    uint32_t settings = static_cast<uint32_t>(value & ((1u << kSettingsBits) - 1));
    s.version = static_cast<int32_t>(value >> kSettingsBits);
    if (s.version != kVersion) {
        std::snprintf(why, sizeof why, "Unknown version %d", static_cast<int>(s.version));
        return failure(why);
    }
    if (settings >= kSettingsCount)
        return failure("Settings out of range");
    s.controls = static_cast<int32_t>(settings % kControlCount) + 4;
    settings /= kControlCount;
    s.legSize = static_cast<int32_t>(settings % 3) + 1;
    settings /= 3;
    s.denseAreas = static_cast<int32_t>(settings % 3) + 1;
    settings /= 3;
    s.openAreas = static_cast<int32_t>(settings % 3) + 1;
    s.mapSize = kSizes[settings / 3];
    result.ok = true;
    return result;
}

uint32_t courseSeed(uint32_t terrainSeed, uint32_t courseNumber)
{
    // Each step is a bijection, so distinct course numbers give distinct seeds.
    uint32_t h = terrainSeed ^ (courseNumber * 0x9E3779B9u);
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

} // namespace coursecode
