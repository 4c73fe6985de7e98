// The generator as a program (deterministic, quick, failing loudly) and the
// pieces whose mistakes the finished files would not show.
#include "tests/tools/assets_readers.h"
#include "tools/assetgen/bmp_encoder.h"
#include "tools/assetgen/model_builder.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random_source.h"
#include "tools/assetgen/shapes.h"
#include "tools/assetgen/wav_encoder.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
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

} // namespace

TEST(AssetGenerator, WritesTheSameBytesAgain)
{
    const std::string dir = makeTempFolder();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(runGenerator("'" + dir + "'"), 0);
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

TEST(AssetGeneratorParts, ShadeStepsSnapToTheirLevels)
{
    struct Case {
        ShadeSteps steps;
        double brightness, expected;
    };
    const Case cases[] = {{{0.34, 1.0, 3}, 0.1, 0.34}, {{0.34, 1.0, 3}, 0.5, 0.34},
                          {{0.34, 1.0, 3}, 0.6, 0.67}, {{0.34, 1.0, 3}, 0.9, 1.0},
                          {{0.34, 1.0, 3}, 1.7, 1.0},  {{0.7, 1.0, 3}, 0.8, 0.85},
                          {{0.4, 0.8, 1}, 0.45, 0.8},  {{0.4, 0.8, 1}, 2.0, 0.8}};
    for (const Case& c : cases)
        EXPECT_NEAR(c.steps.snap(c.brightness), c.expected, 1e-9)
            << c.steps.darkest << " ... " << c.steps.brightest << " in " << c.steps.count << ": "
            << c.brightness;
}

TEST(AssetGeneratorParts, ClumpsAreClosedAndShadedInTheirSteps)
{
    // A closed surface of sphere's shape: every edge between exactly two
    // faces, no face without area, and V - E + F = 2.
    const std::vector<ProfileRing> column = {{-1.1, 0}, {-0.6, 0.85}, {0.05, 1}, {0.55, 0.7}, {1, 0}};
    struct Case {
        const char* what;
        const std::vector<ProfileRing>* profile;
        int sides, steps;
    };
    const Case cases[] = {{"round, 3 sides", &kRoundClump, 3, 3}, {"round, 5 sides", &kRoundClump, 5, 3},
                          {"flat pad", &kFlatPad, 6, 3},          {"column", &column, 6, 2},
                          {"column, 1 step", &column, 7, 1}};
    for (const Case& c : cases) {
        reseed(7);
        ModelBuilder model;
        addClump(model, "a.bmp", {1, 1, 1}, {0.5, 2, -1}, {0.8, 1.2, 0.6}, *c.profile, c.sides, 0.2, 0.9,
                 ShadeSteps{0.34, 0.94, c.steps});
        const VrModel read = parseVr(model.vrText());
        ASSERT_TRUE(read.ok) << c.what << ": " << read.problem;
        EXPECT_LE(static_cast<int>(read.objects.size()), c.steps) << c.what;
        using Point = std::array<float, 3>;
        std::set<Point> points;
        std::map<std::pair<Point, Point>, int> edges;
        int faces = 0;
        for (const VrObject& o : read.objects)
            for (size_t i = 0; i + 8 < o.xyz.size(); i += 9, ++faces) {
                Point p[3];
                for (int k = 0; k < 3; ++k) {
                    p[k] = {o.xyz[i + 3 * k], o.xyz[i + 3 * k + 1], o.xyz[i + 3 * k + 2]};
                    points.insert(p[k]);
                }
                const float ux = p[1][0] - p[0][0], uy = p[1][1] - p[0][1], uz = p[1][2] - p[0][2];
                const float vx = p[2][0] - p[0][0], vy = p[2][1] - p[0][1], vz = p[2][2] - p[0][2];
                const float area = std::hypot(uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx);
                EXPECT_GT(area, 1e-3f) << c.what << ": face " << faces;
                for (int k = 0; k < 3; ++k)
                    ++edges[std::minmax(p[k], p[(k + 1) % 3])];
            }
        for (const auto& [edge, count] : edges)
            EXPECT_EQ(count, 2) << c.what << ": an edge of " << count << " faces";
        EXPECT_EQ(static_cast<int>(points.size()) - static_cast<int>(edges.size()) + faces, 2) << c.what;
    }
}

TEST(AssetGeneratorParts, TubesEndInPointsWithoutEmptyFaces)
{
    struct Case {
        std::vector<double> radii;
        int sides, triangles;
    };
    const Case cases[] = {
        {{0.2, 0.1}, 5, 10}, {{0.2, 0.1, 0.05}, 5, 20}, {{0.1, 0}, 3, 3}, {{0.2, 0.1, 0}, 4, 12}};
    for (const Case& c : cases) {
        std::vector<Vec3> spine;
        for (size_t i = 0; i < c.radii.size(); ++i)
            spine.push_back({0.1 * i, 1.0 * i, 0});
        ModelBuilder model;
        addTube(model, "a.bmp", {1, 1, 1}, spine, c.radii, c.sides, 0, 1);
        const VrModel read = parseVr(model.vrText());
        ASSERT_TRUE(read.ok) << read.problem;
        ASSERT_EQ(read.objects.size(), 1u) << "a tube is one colour";
        EXPECT_EQ(model.triangleCount(), c.triangles) << c.radii.size() << " rings of " << c.sides;
        const std::vector<float>& p = read.objects[0].xyz;
        for (size_t i = 0; i + 8 < p.size(); i += 9) {
            const bool sameAB = p[i] == p[i + 3] && p[i + 1] == p[i + 4] && p[i + 2] == p[i + 5];
            const bool sameBC = p[i + 3] == p[i + 6] && p[i + 4] == p[i + 7] && p[i + 5] == p[i + 8];
            const bool sameCA = p[i + 6] == p[i] && p[i + 7] == p[i + 1] && p[i + 8] == p[i + 2];
            EXPECT_FALSE(sameAB || sameBC || sameCA) << "triangle " << i / 9 << " has no area";
        }
    }
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
