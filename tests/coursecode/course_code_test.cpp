#include "coursecode/course_code.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

using coursecode::CourseSettings;
using coursecode::decode;
using coursecode::encode;

namespace {

constexpr char kCodeCharacters[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

// Every combination of the settings, each with its own seed and course number.
std::vector<CourseSettings> everyCombination()
{
    std::vector<CourseSettings> all;
    uint32_t seed = 12345;
    uint32_t course = 0;
    for (int32_t size : {128, 256, 512})
        for (int32_t open = 1; open <= 3; ++open)
            for (int32_t dense = 1; dense <= 3; ++dense)
                for (int32_t legs = 1; legs <= 3; ++legs)
                    for (int32_t controls = 4; controls <= 20; ++controls) {
                        seed = seed * 1664525u + 1013904223u;
                        course = (course * 7 + 3) % (coursecode::kMaxCourseNumber + 1);
                        CourseSettings s;
                        s.seed = seed;
                        s.mapSize = size;
                        s.openAreas = open;
                        s.denseAreas = dense;
                        s.legSize = legs;
                        s.controls = controls;
                        s.courseNumber = course;
                        all.push_back(s);
                    }
    return all;
}

} // namespace

TEST(CourseCode, EveryCombinationOfSettingsAndSeedsComesBack)
{
    std::vector<CourseSettings> all = everyCombination();
    ASSERT_EQ(all.size(), 3u * 3 * 3 * 3 * 17);
    CourseSettings extremes;
    for (uint32_t seed : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu})
        for (uint32_t course : {0u, 1u, coursecode::kMaxCourseNumber}) {
            extremes.seed = seed;
            extremes.courseNumber = course;
            all.push_back(extremes);
        }
    for (const CourseSettings& s : all) {
        const std::string code = encode(s);
        ASSERT_EQ(code.size(), 14u) << code;
        EXPECT_EQ(code[4], '-');
        EXPECT_EQ(code[9], '-');
        coursecode::Decoded back = decode(code);
        ASSERT_TRUE(back.ok) << code << ": " << back.error;
        EXPECT_EQ(back.settings, s) << code;

        // As a person may type it: lower case, no hyphens, O for 0, l for 1.
        std::string typed;
        for (char c : code)
            if (c != '-')
                typed += c == '0' ? 'O' : c == '1' ? 'l' : static_cast<char>(std::tolower(c));
        back = decode(" " + typed + " ");
        ASSERT_TRUE(back.ok) << typed << ": " << back.error;
        EXPECT_EQ(back.settings, s) << typed;
    }
}

TEST(CourseCode, EveryTypoAndEverySwapOfNeighboursIsRefused)
{
    const std::vector<CourseSettings> all = everyCombination();
    for (size_t n = 0; n < all.size(); n += 7) {
        const std::string code = encode(all[n]);
        for (size_t i = 0; i < code.size(); ++i) {
            if (code[i] == '-')
                continue;
            for (const char* c = kCodeCharacters; *c; ++c) {
                if (*c == code[i])
                    continue;
                std::string typo = code;
                typo[i] = *c;
                const coursecode::Decoded d = decode(typo);
                ASSERT_FALSE(d.ok) << code << " -> " << typo;
                EXPECT_EQ(d.error, "Check failed: a typo?") << typo;
            }
            for (char c : {'U', 'u', '*', '#'}) {
                std::string typo = code;
                typo[i] = c;
                EXPECT_EQ(decode(typo).error, std::string("Bad character: ") + c) << typo;
            }
        }
        for (size_t i = 0; i + 1 < code.size(); ++i) {
            std::string swapped = code;
            std::swap(swapped[i], swapped[i + 1]);
            const coursecode::Decoded d = decode(swapped);
            if (swapped == code || code[i] == '-' || code[i + 1] == '-') {
                // Hyphens only group: moving one names the same course.
                ASSERT_TRUE(d.ok) << swapped;
                EXPECT_EQ(d.settings, all[n]);
            } else {
                ASSERT_FALSE(d.ok) << code << " -> " << swapped;
                EXPECT_EQ(d.error, "Check failed: a typo?");
            }
        }
    }
}

TEST(CourseCode, WhatIsNotACodeIsRefusedSayingWhy)
{
    CourseSettings s;
    s.seed = 987654321;
    const std::string code = encode(s);

    // A code whose check holds but whose data is foreign: the one check
    // character of the 32 that passes is found by trying them all.
    auto withValidCheck = [&](char first) {
        std::string text = code;
        text[0] = first;
        for (const char* c = kCodeCharacters; *c; ++c) {
            text.back() = *c;
            if (decode(text).error != "Check failed: a typo?")
                return text;
        }
        return std::string();
    };
    CourseSettings later = s;
    later.version = 2;

    const struct {
        std::string text;
        const char* why;
    } cases[] = {
        {"", "Too short: 0 of 12"},
        {code.substr(0, 13), "Too short: 11 of 12"},
        {code + "7", "Too long: 13 of 12"},
        {"ABCD-EFGH-IJKU", "Bad character: U"},
        {"ABCD_EFGH-IJKM", "Bad character: _"},
        {"ABCD-\xC3\xA9" "FGH-IJKM", "Bad character: ?"},
        {encode(later), "Unknown version 2"},
        {withValidCheck('0'), "Unknown version 0"},
        {withValidCheck('7'), "Settings out of range"},  // version 1, settings index 1536 and up
    };
    for (const auto& c : cases) {
        const coursecode::Decoded d = decode(c.text);
        EXPECT_FALSE(d.ok) << c.text;
        EXPECT_EQ(d.error, c.why) << c.text;
        EXPECT_LE(d.error.size(), 22u) << "the reason must fit the menu item";
    }

    // Settings that no code can carry give no code.
    const CourseSettings bad[] = {
        {1, 5, 300, 2, 2, 8, 1, 0}, {1, 5, 256, 0, 2, 8, 1, 0}, {1, 5, 256, 2, 4, 8, 1, 0},
        {1, 5, 256, 2, 2, 3, 1, 0}, {1, 5, 256, 2, 2, 21, 1, 0}, {1, 5, 256, 2, 2, 8, 0, 0},
        {1, 5, 256, 2, 2, 8, 1, coursecode::kMaxCourseNumber + 1}, {0, 5, 256, 2, 2, 8, 1, 0},
    };
    for (const CourseSettings& b : bad)
        EXPECT_EQ(encode(b), "") << b.mapSize << " " << b.controls << " " << b.courseNumber;
}
