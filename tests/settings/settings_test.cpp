// The settings file on real files in a folder of the test's own.
#include "settings/settings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

bool zeroOrOne(int v) { return v == 0 || v == 1; }
bool mapSide(int v) { return v == 128 || v == 256 || v == 512; }

const std::vector<settings::Key> kKeys = {
    {"options", "compass", zeroOrOne}, {"new_course", "map_size", mapSide}, {"new_course", "legs", zeroOrOne}};

size_t entriesIn(const std::string& folder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(Settings, ValuesRoundTripAndEntriesOfOtherKeysSurvive)
{
    testsupport::TempFolder home;
    // A folder that does not exist yet, and a key of a later version.
    const std::string path = home.path() + "config/fernhollow/settings.ini";
    settings::SettingsFile first(path, kKeys);
    EXPECT_EQ(first.load(), "") << "a missing file is no fault";
    EXPECT_FALSE(first.get("options", "compass"));
    first.set("options", "compass", 0);
    first.set("new_course", "map_size", 512);
    std::string error;
    ASSERT_TRUE(first.save(error)) << error;
    testsupport::writeText(path, testsupport::fileText(path) + "[later]\nghost = 1\n");

    settings::SettingsFile second(path, kKeys);
    EXPECT_EQ(second.load(), "");
    EXPECT_EQ(second.get("options", "compass"), 0);
    EXPECT_EQ(second.get("new_course", "map_size"), 512);
    EXPECT_FALSE(second.get("new_course", "legs"));
    second.set("new_course", "legs", 1);
    ASSERT_TRUE(second.save(error)) << error;
    EXPECT_NE(testsupport::fileText(path).find("ghost = 1"), std::string::npos) << testsupport::fileText(path);
    EXPECT_EQ(entriesIn(home.path() + "config/fernhollow"), 1u) << "no temporary file left behind";

    // A settings file kept elsewhere and linked stays linked.
    const std::string kept = home.path() + "dotfiles/settings.ini";
    testsupport::writeText(kept, testsupport::fileText(path));
    fs::remove(path);
    fs::create_symlink(kept, path);
    ASSERT_TRUE(second.save(error)) << error;
    EXPECT_TRUE(fs::is_symlink(path));
}

TEST(Settings, ACorruptFileGivesWhatCanBeReadAndStaysByteForByte)
{
    const struct {
        const char* text;
        bool compassRead;  // compass = 0 is on a good line of its own
    } cases[] = {
        {"[options]\ncompass = 0\n[new_course]\nmap_size = 300\n", true},
        {"[options]\ncompass = 0\nlegs\n[new_course\nmap_size = 256\n", true},
        {"[options]\ncompass = 0x1\n", false},
        {"\x7f" "ELF\x02\x01\x01\x00\x00\xff\xfe\n\n[\x01]=\x80\n", false},
    };
    for (const auto& c : cases) {
        testsupport::TempFolder home;
        const std::string path = home.path() + "settings.ini";
        testsupport::writeText(path, c.text);
        settings::SettingsFile file(path, kKeys);
        const std::string problem = file.load();
        EXPECT_NE(problem, "") << c.text;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
        EXPECT_NE(problem.find(path), std::string::npos) << problem;
        EXPECT_EQ(file.get("options", "compass").has_value(), c.compassRead) << c.text;
        EXPECT_FALSE(file.get("new_course", "map_size").has_value()) << c.text;
        EXPECT_EQ(testsupport::fileText(path), c.text);
        file.set("new_course", "legs", 1);
        std::string error;
        ASSERT_TRUE(file.save(error)) << error;
        settings::SettingsFile again(path, kKeys);
        EXPECT_EQ(again.load(), "") << "a change rewrites it readable: " << testsupport::fileText(path);
        EXPECT_EQ(again.get("new_course", "legs"), 1);
    }
}

TEST(Settings, AFileThatCannotBeReadOrWrittenIsReportedAndLeftAlone)
{
    testsupport::TempFolder home;
    std::string error;
    // The settings "file" is a folder: nothing can be read, and it cannot be replaced.
    const std::string folderPath = home.subfolder("a") + "settings.ini";
    fs::create_directories(folderPath);
    settings::SettingsFile notAFile(folderPath, kKeys);
    EXPECT_NE(notAFile.load().find("cannot read " + folderPath), std::string::npos);
    notAFile.set("options", "compass", 1);
    EXPECT_FALSE(notAFile.save(error));
    EXPECT_NE(error.find(folderPath), std::string::npos) << error;
    EXPECT_EQ(entriesIn(home.path() + "a"), 1u) << "no temporary file left behind";

    // The settings folder cannot be made: a file stands where it would go.
    testsupport::writeText(home.path() + "b/fernhollow", "not a folder");
    settings::SettingsFile noFolder(home.path() + "b/fernhollow/settings.ini", kKeys);
    EXPECT_NE(noFolder.load(), "");
    noFolder.set("options", "compass", 1);
    EXPECT_FALSE(noFolder.save(error));
    EXPECT_NE(error.find(home.path() + "b/fernhollow"), std::string::npos) << error;
    EXPECT_EQ(testsupport::fileText(home.path() + "b/fernhollow"), "not a folder");
}
