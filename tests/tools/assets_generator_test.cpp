// The generator as a program (deterministic, quick, failing loudly) and the
// pieces whose mistakes the finished files would not show.
#include "tests/tools/assets_readers.h"
#include "tools/assetgen/bmp_encoder.h"
#include "tools/assetgen/model_builder.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/wav_encoder.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <set>

using namespace assets_test;
using namespace assetgen;

namespace {

std::set<std::string> listFolder(const std::string& dir)
{
    std::set<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.')
                names.insert(e->d_name);
        closedir(d);
    }
    return names;
}

std::string makeTempFolder()
{
    char pattern[] = "/tmp/fernhollow-assets-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "";
}

void removeFolder(const std::string& dir)
{
    for (const char* sub : {"Images", "Models", "sounds"}) {
        const std::string path = dir + "/" + sub;
        for (const std::string& name : listFolder(path))
            std::remove((path + "/" + name).c_str());
        rmdir(path.c_str());
    }
    rmdir(dir.c_str());
}

int runGenerator(const std::string& arguments)
{
    const std::string command =
        std::string("'") + FERNHOLLOW_ASSETGEN + "' " + arguments + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr double kSecondsAllowed = 40;
#else
constexpr double kSecondsAllowed = 10;
#endif

} // namespace

TEST(AssetGenerator, WritesTheSameBytesAgainQuickly)
{
    const std::string dir = makeTempFolder();
    ASSERT_FALSE(dir.empty());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runGenerator("'" + dir + "'"), 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, kSecondsAllowed);
    for (const char* sub : {"Images", "Models", "sounds"}) {
        const std::set<std::string> fresh = listFolder(dir + "/" + sub);
        EXPECT_EQ(fresh, listFolder(assetRoot() + "/" + sub)) << sub;
        for (const std::string& name : fresh)
            EXPECT_TRUE(readFile(dir + "/" + sub + "/" + name) ==
                        readFile(assetRoot() + "/" + sub + "/" + name))
                << sub << "/" << name << " differs between two runs";
    }
    removeFolder(dir);
}

TEST(AssetGenerator, FailsAndWritesNothingWithoutItsFont)
{
    const std::string dir = makeTempFolder();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(runGenerator("'" + dir + "' /nonexistent/font.ttf"), 0);
    for (const char* sub : {"Images", "Models", "sounds"})
        EXPECT_TRUE(listFolder(dir + "/" + sub).empty()) << sub;
    EXPECT_NE(runGenerator(""), 0) << "no output folder";
    removeFolder(dir);
}

TEST(AssetGeneratorParts, KeyedBmpMakesOnlyUncoveredPixelsTheKey)
{
    // Width 3 gives rows of 9 bytes padded to 12.
    Image image(3, 2, Colour{1, 0, 0});
    image.coverage(1, 0) = 1;
    image.at(1, 0) = rgb(0x0A0A0A);
    image.coverage(2, 1) = 0.6f;
    image.coverage(0, 1) = 0.4f;
    const Bmp bmp = parseBmp(encodeKeyedBmp(image, 0x0A0A0A));
    ASSERT_TRUE(bmp.ok) << bmp.problem;
    struct Case {
        int x, rowFromTop;
        unsigned expected;
    };
    const Case cases[] = {{0, 0, 0x0A0A0A}, {1, 0, 0x0A0A0B}, {2, 0, 0x0A0A0A},
                          {0, 1, 0x0A0A0A}, {1, 1, 0x0A0A0A}, {2, 1, 0xFF0000}};
    for (const Case& c : cases)
        EXPECT_EQ(bmp.pixelFromTop(c.x, c.rowFromTop), c.expected) << c.x << ", " << c.rowFromTop;
}

TEST(AssetGeneratorParts, ModelPartsAreSplitForTheReadersScratchSpace)
{
    ModelBuilder model;
    auto corner = [](double x, double s) { return TexturedPoint{{x, 1.5, -x}, s, 1 - s}; };
    for (int i = 0; i < 700; ++i)
        model.addTriangle("a.bmp", {1, 1, 1}, corner(i, 0), corner(i + 0.5, 0.5), corner(i + 0.25, 1));
    model.addTriangle("b.bmp", {0.5f, 0.5f, 0.5f}, corner(0, 0), corner(1, 1), corner(2, 0.5));
    const std::string text = model.vrText();
    const VrModel read = parseVr(text);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.objectWords, static_cast<int>(read.objects.size()));
    int triangles = 0;
    for (const VrObject& o : read.objects) {
        EXPECT_LE(o.polygons, 333);
        EXPECT_EQ(o.vertices, 3 * o.polygons);
        EXPECT_EQ(o.vertexEntries, o.vertices);
        EXPECT_EQ(o.coordinateEntries, o.vertices);
        triangles += o.polygons;
    }
    EXPECT_EQ(triangles, 701);
    EXPECT_EQ(model.triangleCount(), 701);
    ASSERT_EQ(read.objects.size(), 4u);
    EXPECT_EQ(read.objects[3].texture, "b.bmp");
    EXPECT_FLOAT_EQ(read.objects[3].diffuse[0], 0.5f);
    EXPECT_NEAR(read.objects[2].xyz[0], 660, 1e-4);
    EXPECT_EQ(text.find(" \n"), std::string::npos) << "a trailing space could be read as a keyword";
}

TEST(AssetGeneratorParts, PeriodicNoiseTiles)
{
    const GradientNoise noise(7);
    for (double x : {0.0, 0.3, 2.7, 5.99})
        for (double y : {0.0, 1.1, 4.5}) {
            EXPECT_NEAR(noise.periodic(x, y, 6, 6), noise.periodic(x + 6, y, 6, 6), 1e-9);
            EXPECT_NEAR(noise.periodic(x, y, 6, 6), noise.periodic(x, y + 6, 6, 6), 1e-9);
            EXPECT_NEAR(noise.periodicFbm(x, y, 6, 4, 4), noise.periodicFbm(x + 6, y + 4, 6, 4, 4), 1e-9);
        }
}

TEST(AssetGeneratorParts, WavSamplesClipAndRoundTrip)
{
    const Wav wav = parseWav(encodeWav({0.0f, 0.5f, -0.5f, 2.0f, -2.0f}, 22050));
    ASSERT_TRUE(wav.ok) << wav.problem;
    EXPECT_EQ(wav.rate, 22050);
    EXPECT_EQ(wav.channels, 1);
    const float expected[] = {0.0f, 0.5f, -0.5f, 32767 / 32768.0f, -32767 / 32768.0f};
    ASSERT_EQ(wav.samples.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(wav.samples[i], expected[i], 1.0 / 32768) << i;
}
