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
constexpr char kCheckFailed[] = "Check failed: a typo?";

// Every combination of the settings, each with its own seed and course
// number, and the extreme seeds and course numbers.
std::vector<CourseSettings> samples()
{
    std::vector<CourseSettings> all;
    CourseSettings s;
    for (uint32_t seed : {0u, 0xFFFFFFFFu})
        for (uint32_t course : {0u, coursecode::kMaxCourseNumber}) {
            s.seed = seed;
            s.courseNumber = course;
            all.push_back(s);
        }
    for (int32_t size : {128, 256, 512})
        for (s.openAreas = 1; s.openAreas <= 3; ++s.openAreas)
            for (s.denseAreas = 1; s.denseAreas <= 3; ++s.denseAreas)
                for (s.legSize = 1; s.legSize <= 3; ++s.legSize)
                    for (s.controls = 4; s.controls <= 20; ++s.controls) {
                        s.mapSize = size;
                        s.seed = s.seed * 1664525u + 1013904223u;
                        s.courseNumber = (s.courseNumber * 7 + 3) % (coursecode::kMaxCourseNumber + 1);
                        all.push_back(s);
                    }
    return all;
}

} // namespace

TEST(CourseCode, EverySettingComesBackAsTypedByAPerson)
{
    for (const CourseSettings& s : samples()) {
        const std::string code = encode(s);
        ASSERT_EQ(code.size(), 14u);
        EXPECT_TRUE(code[4] == '-' && code[9] == '-') << code;
        // Also lower case, without hyphens, O for 0 and l for 1.
        std::string typed = " ";
        for (char c : code)
            if (c != '-')
                typed += c == '0' ? 'O' : c == '1' ? 'l' : static_cast<char>(std::tolower(c));
        for (const std::string& text : {code, typed}) {
            const coursecode::Decoded back = decode(text);
            ASSERT_TRUE(back.ok) << text << ": " << back.error;
            EXPECT_EQ(back.settings, s) << text;
        }
    }
}

TEST(CourseCode, EveryTypoAndEverySwapOfNeighboursIsRefused)
{
    const std::vector<CourseSettings> all = samples();
    for (size_t n = 0; n < all.size(); n += 7) {
        const std::string code = encode(all[n]);
        for (size_t i = 0; i < code.size(); ++i) {
            std::string changed = code;
            for (const char* c = kCodeCharacters; *c && code[i] != '-'; ++c) {
                changed[i] = *c;
                ASSERT_TRUE(*c == code[i] || decode(changed).error == kCheckFailed) << code << " -> " << changed;
            }
            changed = code;
            if (i + 1 < code.size() && code[i] != code[i + 1]) {
                std::swap(changed[i], changed[i + 1]);
                // Hyphens only group: moving one names the same course.
                const bool hyphen = code[i] == '-' || code[i + 1] == '-';
                const coursecode::Decoded d = decode(changed);
                ASSERT_EQ(d.ok, hyphen) << code << " -> " << changed;
                EXPECT_TRUE(hyphen ? d.settings == all[n] : d.error == kCheckFailed) << changed;
            }
        }
    }
}

TEST(CourseCode, WhatIsNotACodeIsRefusedSayingWhy)
{
    const std::string code = encode(CourseSettings{});
    // Foreign data under a check that holds: the one passing check character
    // of the 32 is found by trying them all.
    auto checked = [&](char first) {
        std::string text = code;
        text[0] = first;
        for (const char* c = kCodeCharacters; *c && decode(text).error == kCheckFailed; ++c)
            text.back() = *c;
        return text;
    };
    const struct {
        std::string text;
        const char* why;
    } cases[] = {
        {"", "Too short: 0 of 12"},          {code + "7", "Too long: 13 of 12"},
        {"ABCD-EFGH-JKUM", "Bad character: U"}, {"ABCD-\xC3\xA9" "FGH-JKMN", "Bad character: ?"},
        {checked('0'), "Unknown version 0"},   {checked('7'), "Settings out of range"},
    };
    for (const auto& c : cases) {
        const coursecode::Decoded d = decode(c.text);
        EXPECT_FALSE(d.ok) << c.text;
        EXPECT_EQ(d.error, c.why) << c.text;
        EXPECT_LE(d.error.size(), 22u) << "the reason must fit the menu item";
    }
    EXPECT_EQ(encode(CourseSettings{1, 5, 300, 2, 2, 8, 1, 0}), "") << "no code for a size it cannot carry";
}
