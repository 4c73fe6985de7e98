#include "app/course_making.h"
#include "map/map_image.h"
#include "support/game_fixture.h"
#include "support/temp_folder.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"
#include "tools/mapgen/mapgen.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args)
{
    args.insert(args.begin(), "fernhollow-mapgen");
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out;
    std::ostringstream err;
    const int status = runMapgen(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

std::string readFile(const fs::path& path) { return testsupport::fileText(path.string()); }

// A fresh, empty folder under the test output.
fs::path scratchFolder(const std::string& name)
{
    const fs::path dir = fs::path(FERNHOLLOW_TEST_OUTPUT) / "mapgen" / name;
    fs::remove_all(dir);
    return dir;
}

// The RGB rows of a PNG, top row first; empty when it cannot be read.
std::vector<uint8_t> readPng(const fs::path& path, int& width, int& height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

std::vector<uint8_t> bytesOf(const MapImage& image)
{
    return {image.pixels(), image.pixels() + image.width() * image.height() * 3};
}

// The files in dir hold exactly the terrain: heights, classes, objects, the
// course's first `points` points and the map.
void expectFilesHold(const fs::path& dir, const Terrain& t, int points)
{
    const size_t cells = t.heightmap.size();
    const std::string heights = readFile(dir / "height.f32");
    ASSERT_EQ(heights.size(), cells * 4);
    EXPECT_EQ(std::memcmp(heights.data(), t.heightmap.data(), heights.size()), 0) << "heights";
    std::vector<uint8_t> classes(t.classes.begin(), t.classes.end());
    EXPECT_TRUE(readFile(dir / "classes.u8") == std::string(classes.begin(), classes.end())) << "classes";
    EXPECT_TRUE(readFile(dir / "objects.u8") == std::string(t.objectKinds.begin(), t.objectKinds.end())) << "objects";
    std::string csv = "index,x,y\n";
    char line[96];
    for (int i = 0; i < points; ++i) {
        std::snprintf(line, sizeof line, "%d,%.9g,%.9g\n", i, t.course.controls[i].x, t.course.controls[i].y);
        csv += line;
    }
    EXPECT_EQ(readFile(dir / "course.csv"), csv);
    int w = 0;
    int h = 0;
    EXPECT_TRUE(readPng(dir / "map.png", w, h) == bytesOf(t.mapImage)) << "map";
}

} // namespace

TEST(Mapgen, OptionsOverrideTheDefaults)
{
    const struct {
        std::vector<const char*> args;
        MapgenOptions expected;
    } cases[] = {
        {{"--out", "d"}, {1, 256, 2, 2, 8, 1, "d", false}},
        {{"--seed", "4294967295", "--size", "512", "--out", "x"}, {4294967295u, 512, 2, 2, 8, 1, "x", false}},
        {{"--open=high", "--dense", "low", "--out=o"}, {1, 256, 1, 3, 8, 1, "o", false}},
        {{"--controls", "20", "--legs", "mixed", "--out", "o", "--size", "128"}, {1, 128, 2, 2, 20, 3, "o", false}},
        {{"--controls=4", "--legs=big", "--seed=0", "--out", "o"}, {0, 256, 2, 2, 4, 2, "o", false}},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"fernhollow-mapgen"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        MapgenOptions o;
        std::string error;
        ASSERT_TRUE(parseMapgenOptions(static_cast<int>(argv.size()), argv.data(), o, error)) << error;
        EXPECT_EQ(o.seed, c.expected.seed);
        EXPECT_EQ(o.size, c.expected.size);
        EXPECT_EQ(o.openAreas, c.expected.openAreas);
        EXPECT_EQ(o.denseAreas, c.expected.denseAreas);
        EXPECT_EQ(o.controls, c.expected.controls);
        EXPECT_EQ(o.legSize, c.expected.legSize);
        EXPECT_EQ(o.outDir, c.expected.outDir);
    }
}

TEST(Mapgen, BadUseGetsOneLineAndStatusTwo)
{
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--size", "300", "--out", "o"}, "--size must be 128, 256 or 512"},
        {{"--size", "2x6", "--out", "o"}, "--size must be"},
        {{"--open", "some", "--out", "o"}, "--open must be high, medium or low"},
        {{"--dense", "", "--out", "o"}, "--dense must be"},
        {{"--controls", "3", "--out", "o"}, "--controls must be a whole number from 4 to 20"},
        {{"--controls", "21", "--out", "o"}, "--controls must be"},
        {{"--legs", "long", "--out", "o"}, "--legs must be small, big or mixed"},
        {{"--seed", "-1", "--out", "o"}, "--seed must be"},
        {{"--seed", "4294967296", "--out", "o"}, "--seed must be"},
        {{"--colour", "red", "--out", "o"}, "unknown option --colour"},
        {{"--out", "o", "--size"}, "--size needs a value"},
        {{"o"}, "unexpected argument"},
        {{"--seed", "5"}, "missing --out"},
        {{"--out", ""}, "--out needs a folder name"},
        {{"--out", "o", "-s", "128"}, "unknown option -s"},
        {{"--course", "59P0-0000-001Z", "--out", "o"}, "is not a course code: Check failed"},
        {{"--course=59P0", "--out", "o"}, "is not a course code: Too short"},
        {{"--course", "59P0-0000-001Y", "--size", "128", "--out", "o"}, "--course already fixes"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--seed", "--size", "--open", "--dense", "--controls", "--legs", "--out", "--help"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

TEST(Mapgen, AnUnwritableFolderFailsWithStatusOne)
{
    WorldGlobalsGuard guard;
    const fs::path dir = scratchFolder("unwritable");
    fs::create_directories(dir);
    std::ofstream(dir / "file") << "x";
    for (const fs::path& out : {dir / "file" / "sub", dir / "file"}) {
        const Outcome r = run({"--size", "128", "--out", out.string()});
        EXPECT_EQ(r.status, 1) << out;
        EXPECT_NE(r.err.find(out.string()), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

TEST(Mapgen, FilesHoldWhatTheGeneratorMade)
{
    WorldGlobalsGuard guard;
    for (int32_t size : {128, 512}) {
        const fs::path dir = scratchFolder("size" + std::to_string(size));
        // A double map left by an earlier run must not survive at 512.
        fs::create_directories(dir);
        std::ofstream(dir / "map2x.png") << "old";
        const Outcome r = run({"--seed", "77", "--size", std::to_string(size), "--controls", "11", "--legs", "mixed",
                               "--open", "high", "--out", dir.string()});
        ASSERT_EQ(r.status, 0) << r.err;

        MapgenOptions options;
        options.seed = 77;
        options.size = size;
        options.controls = 11;
        options.legSize = kLegsMixed;
        options.openAreas = 1;
        Terrain t;
        MapImage twice;
        generatePrintableMap(options, t, twice);
        const size_t cells = static_cast<size_t>(size) * size;

        const std::string heights = readFile(dir / "height.f32");
        ASSERT_EQ(heights.size(), cells * 4);
        EXPECT_EQ(std::memcmp(heights.data(), t.heightmap.data(), heights.size()), 0);  // little-endian host

        const std::string classes = readFile(dir / "classes.u8");
        ASSERT_EQ(classes.size(), cells);
        for (size_t i = 0; i < cells; ++i)
            ASSERT_EQ(static_cast<uint8_t>(classes[i]), t.classes[i]) << i;
        const std::string objects = readFile(dir / "objects.u8");
        ASSERT_EQ(objects.size(), cells);
        EXPECT_EQ(std::memcmp(objects.data(), t.objectKinds.data(), cells), 0);

        std::istringstream csv(readFile(dir / "course.csv"));
        std::string line;
        std::getline(csv, line);
        EXPECT_EQ(line, "index,x,y");
        int index = 0;
        while (std::getline(csv, line)) {
            int i = -1;
            float x = 0;
            float y = 0;
            ASSERT_EQ(std::sscanf(line.c_str(), "%d,%f,%f", &i, &x, &y), 3) << line;
            EXPECT_EQ(i, index);
            EXPECT_EQ(x, t.course.controls[index].x) << line;
            EXPECT_EQ(y, t.course.controls[index].y) << line;
            ++index;
        }
        EXPECT_EQ(index, 11);

        int w = 0;
        int h = 0;
        EXPECT_EQ(readPng(dir / "map.png", w, h), bytesOf(t.mapImage));
        EXPECT_EQ(w, size);
        EXPECT_EQ(h, size);
        if (size <= 256) {
            EXPECT_EQ(readPng(dir / "map2x.png", w, h), bytesOf(twice));
            EXPECT_EQ(w, 2 * size);
        } else {
            EXPECT_FALSE(fs::exists(dir / "map2x.png"));
        }
    }
}

TEST(Mapgen, TheExecutableReportsItsStatus)
{
    const std::string tool = FERNHOLLOW_MAPGEN;
    const std::string dir = scratchFolder("executable").string();
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {"--help", 0},
        {"--version", 0},
        {"--size 100 --out " + dir, 2},
        {"--size 128 --out " + dir, 0},
    };
    for (const auto& c : cases) {
        const int raw = std::system((tool + " " + c.args + " >/dev/null 2>&1").c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << c.args;
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << c.args;
    }
    EXPECT_TRUE(fs::exists(fs::path(dir) / "map.png"));
}

// What the game makes and runs (Generate Map, New Course, a typed code, then
// the vegetation of Start!) is what the map tool writes for the same seed or
// code.
class MapgenAndGame : public GameTest {};

TEST_F(MapgenAndGame, MakeTheSameCourseFromASeedOrACode)
{
    WorldGlobalsGuard guard;
    Terrain& t = g().terrain;
    g_mapSize = 128;
    g_nControls = 9;
    t.course.legSize = kLegsMixed;
    g().nOpenAreas = 1;
    g().nDenseAreas = 3;
    script.seeds = {4000000123u};
    makeFreshTerrain(g());
    t.prepareForPlay(g().nOpenAreas, g().nDenseAreas);
    ASSERT_TRUE(g().madeCourse);
    EXPECT_EQ(g().madeCourse->seed, 4000000123u);
    const fs::path first = scratchFolder("game-seed");
    Outcome r = run({"--seed", "4000000123", "--size", "128", "--open", "high", "--dense", "low", "--controls", "9",
                     "--legs", "mixed", "--out", first.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Course code: " + coursecode::encode(*g().madeCourse) + "\n");
    expectFilesHold(first, t, 9);

    // Two presses of New Course, the count changed between them.
    makeNextCourse(g());
    g_nControls = 5;
    makeNextCourse(g());
    t.prepareForPlay(g().nOpenAreas, g().nDenseAreas);
    EXPECT_EQ(g().madeCourse->courseNumber, 2u);
    const std::string code = coursecode::encode(*g().madeCourse);
    const fs::path second = scratchFolder("game-code");
    r = run({"--course", code, "--out", second.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Course code: " + code + "\n");
    expectFilesHold(second, t, 5);

    // The same code typed into a game that has made nothing yet.
    t.release();
    g().madeCourse.reset();
    g_mapSize = 512;
    g_nControls = 20;
    makeCourseOf(g(), coursecode::decode(code).settings);
    t.prepareForPlay(g().nOpenAreas, g().nDenseAreas);
    expectFilesHold(second, t, 5);

    // QuickStart, on the settings left over.
    script.seeds = {77u};
    quickPrepareFresh(g());
    const fs::path third = scratchFolder("game-quickstart");
    ASSERT_EQ(run({"--course", coursecode::encode(*g().madeCourse), "--out", third.string()}).status, 0);
    expectFilesHold(third, t, 5);
}
