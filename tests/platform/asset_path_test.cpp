#include "platform/asset_path.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class AssetPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::path(FERNHOLLOW_TEST_OUTPUT) / "asset-path" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root);
        fs::create_directories(root / "bin" / "Images");
        fs::create_directories(root / "share" / "fernhollow" / "Models");
        std::ofstream(root / "bin" / "Images" / "Sky.bmp") << "x";
        std::ofstream(root / "share" / "fernhollow" / "Models" / "tree1.vr") << "x";
        script.assetFolder = (root / "bin").string() + "/";
        platform::setCurrent(&script);
    }
    void TearDown() override { platform::setCurrent(nullptr); }

    fs::path root;
    platform::ScriptedPlatform script;
};

} // namespace

TEST_F(AssetPathTest, WindowsNamesResolveCaseInsensitively)
{
    const std::string sky = (root / "bin" / "Images" / "Sky.bmp").string();
    for (const char* name : {"images\\Sky.bmp", "Images\\sky.BMP", "IMAGES/SKY.BMP", "Images\\\\Sky.bmp"})
        EXPECT_EQ(platform::assetPath(name), sky) << name;
}

TEST_F(AssetPathTest, FallsBackToTheInstalledShareFolders)
{
    // A Debian game lives in /usr/games with its data in /usr/share/games;
    // share/fernhollow still comes first.
    fs::create_directories(root / "share" / "games" / "fernhollow" / "Models");
    fs::create_directories(root / "share" / "games" / "fernhollow" / "sounds");
    std::ofstream(root / "share" / "games" / "fernhollow" / "Models" / "tree1.vr") << "x";
    std::ofstream(root / "share" / "games" / "fernhollow" / "sounds" / "fly1.wav") << "x";
    std::string found = platform::assetPath("Models\\TREE1.vr");
    EXPECT_TRUE(fs::equivalent(found, root / "share" / "fernhollow" / "Models" / "tree1.vr")) << found;
    found = platform::assetPath("sounds\\fly1.wav");
    EXPECT_TRUE(fs::equivalent(found, root / "share" / "games" / "fernhollow" / "sounds" / "fly1.wav")) << found;
}

TEST_F(AssetPathTest, MissingFileGivesTheNameBesideTheExecutable)
{
    EXPECT_EQ(platform::assetPath("sounds\\owl1.wav"), (root / "bin" / "sounds" / "owl1.wav").string());
    EXPECT_EQ(platform::resolveIn(script.assetFolder, "Images\\nothing.bmp"), "");
}
