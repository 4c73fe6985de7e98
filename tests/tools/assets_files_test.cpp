// Structural checks of the files the build generates into Images, Models and
// sounds: what the game's readers and its drawing code rely on.
#include "tests/tools/assets_readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

using namespace assets_test;

namespace {

Bmp loadImage(const std::string& name)
{
    Bmp bmp = parseBmp(readAsset("Images", name));
    EXPECT_TRUE(bmp.ok) << name << ": " << bmp.problem;
    return bmp;
}

Wav loadSound(const std::string& name)
{
    Wav wav = parseWav(readAsset("sounds", name));
    EXPECT_TRUE(wav.ok) << name << ": " << wav.problem;
    return wav;
}

VrModel loadModel(const std::string& name)
{
    const std::vector<uint8_t> bytes = readAsset("Models", name);
    VrModel model = parseVr(std::string(bytes.begin(), bytes.end()));
    EXPECT_TRUE(model.ok) << name << ": " << model.problem;
    return model;
}

int countPixels(const Bmp& bmp, unsigned colour)
{
    int n = 0;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            n += bmp.pixel(x, y) == colour;
    return n;
}

double luminance(unsigned c) { return 0.3 * (c >> 16) + 0.59 * ((c >> 8) & 255) + 0.11 * (c & 255); }

double rms(const std::vector<float>& s, size_t first, size_t count)
{
    double sum = 0;
    for (size_t i = first; i < first + count && i < s.size(); ++i)
        sum += s[i] * s[i];
    return std::sqrt(sum / std::max<size_t>(count, 1));
}

const char* const kModels[] = {"tree1.vr", "tree2.vr", "tree3.vr", "bush1.vr",
                               "bush2.vr", "bush3.vr", "baliza.vr"};

const char* const kAnimalSounds[] = {"owl1.wav",   "bird1.wav",  "bird2.wav", "bird3.wav", "bird4.wav",
                                     "bird5.wav",  "bird6.wav",  "bird7.wav", "bird8.wav", "bird9.wav",
                                     "bird10.wav", "bird11.wav", "fly1.wav"};

} // namespace

TEST(AssetFiles, ImagesAreBmpsOfTheShapesTheGameNeeds)
{
    struct Case {
        const char* name;
        int width, height; // 0: any power of two
    };
    // The colour-keyed pictures are uploaded unscaled and must have
    // power-of-two sides; the mipmapped ones are too, so GLU need not
    // rescale (and blur) them.
    const Case cases[] = {{"font.bmp", 256, 256}, {"Cursor.bmp", 64, 64}, {"Compass.bmp", 128, 128},
                          {"Sky.bmp", 0, 0},      {"grass.bmp", 0, 0},    {"earth.bmp", 0, 0}};
    for (const Case& c : cases) {
        const Bmp bmp = loadImage(c.name);
        if (!bmp.ok)
            continue;
        EXPECT_TRUE(isPowerOfTwo(bmp.width) && isPowerOfTwo(bmp.height)) << c.name;
        if (c.width) {
            EXPECT_EQ(bmp.width, c.width) << c.name;
            EXPECT_EQ(bmp.height, c.height) << c.name;
        }
    }
    const Bmp earth = loadImage("earth.bmp");
    EXPECT_EQ(earth.width, 2 * earth.height) << "an equirectangular globe spans 360 by 180 degrees";
}

TEST(AssetFiles, ColourKeysCutOutExactlyTheBackground)
{
    struct Case {
        const char* name;
        unsigned key;
        int keyX, keyRow;     // a texel that must be transparent
        int solidX, solidRow; // one that must not be
    };
    // Rows are in stored order: row 0 is texture t = 0, which the overlay
    // quads put at the top of the screen. The cursor's tip must be there,
    // at the pointer; the compass is round with see-through corners.
    const Case cases[] = {{"font.bmp", 0x0A0A0A, 0, 0, -1, -1},
                          {"Cursor.bmp", 0x00FF00, 63, 63, 1, 1},
                          {"Compass.bmp", 0xFF00FF, 0, 0, 64, 64}};
    for (const Case& c : cases) {
        const Bmp bmp = loadImage(c.name);
        if (!bmp.ok)
            continue;
        const int keyed = countPixels(bmp, c.key);
        EXPECT_GT(keyed, 0) << c.name;
        EXPECT_LT(keyed, bmp.width * bmp.height) << c.name;
        EXPECT_EQ(bmp.pixel(c.keyX, c.keyRow), c.key) << c.name;
        EXPECT_EQ(bmp.pixel(bmp.width - 1, 0), c.key) << c.name << " far corner";
        if (c.solidX >= 0) {
            EXPECT_NE(bmp.pixel(c.solidX, c.solidRow), c.key) << c.name;
        }
    }
    // The pointer occupies the corner at the tip and nothing far from it.
    const Bmp cursor = loadImage("Cursor.bmp");
    for (int y = 0; y < cursor.height; ++y)
        for (int x = 0; x < cursor.width; ++x)
            if (cursor.pixel(x, y) != 0x00FF00) {
                ASSERT_TRUE(x < 40 && y < 48) << "cursor pixel at " << x << ", " << y;
            }
}

TEST(AssetFiles, FontHasOneOutlinedGlyphPerPrintableCell)
{
    const Bmp font = loadImage("font.bmp");
    ASSERT_TRUE(font.ok);
    for (int code = 32; code < 32 + 256; ++code) {
        const int col = (code - 32) % 16, row = (code - 32) / 16;
        int white = 0, dark = 0, border = 0, inkLeft = 16, inkRight = -1;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const unsigned p = font.pixelFromTop(col * 16 + x, row * 16 + y);
                if (p == 0x0A0A0A)
                    continue;
                // Linear filtering reads one texel into the neighbouring
                // cell, so a cell's outermost ring must stay transparent.
                border += x == 0 || y == 0 || x == 15 || y == 15;
                if (luminance(p) > 200) {
                    ++white;
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                } else if (luminance(p) < 60) {
                    ++dark;
                }
            }
        EXPECT_EQ(border, 0) << "code " << code;
        if (code == 32 || code > 126) {
            EXPECT_EQ(white + dark, 0) << "code " << code << " should be empty";
            continue;
        }
        EXPECT_GT(white, 0) << "code " << code;
        EXPECT_GT(dark, white / 2) << "code " << code << " needs its dark outline";
        EXPECT_LE(inkRight - inkLeft + 1, 12) << "code " << code << " is wider than the 12-unit advance";
    }
}

TEST(AssetFiles, GrassTilesWithoutShowingTheCellGrid)
{
    const Bmp grass = loadImage("grass.bmp");
    ASSERT_TRUE(grass.ok);
    const int w = grass.width, h = grass.height;
    // Repeat wrapping blends opposite edges, and every cell's neighbour is
    // its mirror image: opposite edges must match like neighbouring columns.
    auto columnDiff = [&](int a, int b) {
        double d = 0;
        for (int y = 0; y < h; ++y)
            d += std::fabs(luminance(grass.pixel(a, y)) - luminance(grass.pixel(b, y)));
        return d / h;
    };
    auto rowDiff = [&](int a, int b) {
        double d = 0;
        for (int x = 0; x < w; ++x)
            d += std::fabs(luminance(grass.pixel(x, a)) - luminance(grass.pixel(x, b)));
        return d / w;
    };
    double neighbourCols = 0, neighbourRows = 0;
    for (int i = 0; i + 1 < w; ++i)
        neighbourCols += columnDiff(i, i + 1) / (w - 1);
    for (int i = 0; i + 1 < h; ++i)
        neighbourRows += rowDiff(i, i + 1) / (h - 1);
    EXPECT_LT(columnDiff(0, w - 1), 1.5 * neighbourCols);
    EXPECT_LT(rowDiff(0, h - 1), 1.5 * neighbourRows);

    // No brightness drift across the picture: mirrored cells would repeat
    // it as a checkerboard.
    double quarter[4] = {0, 0, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            quarter[(x < w / 2) + 2 * (y < h / 2)] += luminance(grass.pixel(x, y));
    const double lo = *std::min_element(quarter, quarter + 4), hi = *std::max_element(quarter, quarter + 4);
    EXPECT_LT((hi - lo) / hi, 0.05);
}

TEST(AssetFiles, SkyMeetsTheFogColourAtTheHorizon)
{
    const Bmp sky = loadImage("Sky.bmp");
    ASSERT_TRUE(sky.ok);
    // The fog is (0.65, 0.8, 1.0); the cylinder's t = 0.48 is about 0 world
    // height seen from 120 units away, the lowest the horizon gets.
    const unsigned fog = 0xA6CCFF;
    for (int row : {0, sky.height / 4, static_cast<int>(sky.height * 0.46)})
        for (int x = 0; x < sky.width; x += sky.width / 16) {
            const unsigned p = sky.pixel(x, row);
            for (int shift : {16, 8, 0})
                EXPECT_NEAR(static_cast<int>((p >> shift) & 255), static_cast<int>((fog >> shift) & 255), 3)
                    << "row " << row << " x " << x;
        }
    // Higher up the sky turns a deeper blue (clouds aside: the median).
    std::vector<int> reds;
    for (int x = 0; x < sky.width; ++x)
        reds.push_back(static_cast<int>(sky.pixel(x, sky.height - 1) >> 16));
    std::nth_element(reds.begin(), reds.begin() + reds.size() / 2, reds.end());
    EXPECT_LT(reds[reds.size() / 2], 0xA6 - 40);
}

TEST(AssetFiles, ModelsStayWithinTheReaderLimits)
{
    struct Case {
        const char* name;
        double minHeight, maxHeight; // in units, at every scale the game draws it
        double largestScale;         // plants 1.00 ... 1.24; a flag at most 1
    };
    const Case cases[] = {{"tree1.vr", 6, 12, 1.24},  {"tree2.vr", 6, 12, 1.24},  {"tree3.vr", 6, 12, 1.24},
                          {"bush1.vr", 0.8, 2, 1.24}, {"bush2.vr", 0.8, 2, 1.24}, {"bush3.vr", 0.8, 2, 1.24},
                          {"baliza.vr", 0.8, 1.3, 1.0}};
    for (const Case& c : cases) {
        const VrModel model = loadModel(c.name);
        if (!model.ok)
            continue;
        EXPECT_EQ(model.objectWords, static_cast<int>(model.objects.size())) << c.name;
        ASSERT_FALSE(model.objects.empty()) << c.name;
        double top = -1e9, bottom = 1e9, footX = 0, footZ = 0, footCount = 0;
        for (const VrObject& o : model.objects) {
            // Scratch room: 1000 triangle and 200 quad vertices per object.
            ASSERT_GT(o.polygons, 0) << c.name;
            const bool triangleList = o.vertices == 3 * o.polygons && o.vertices <= 999;
            const bool quadList = o.vertices == 4 * o.polygons && o.vertices <= 200;
            EXPECT_TRUE(triangleList || quadList) << c.name << ": P " << o.polygons << " V " << o.vertices;
            EXPECT_EQ(o.vertexEntries, o.vertices) << c.name;
            ASSERT_FALSE(o.texture.empty()) << c.name << ": untextured objects upset later textured ones";
            EXPECT_LT(o.texture.size(), 128u) << c.name;
            EXPECT_EQ(o.texture.find("object"), std::string::npos) << c.name;
            EXPECT_EQ(o.coordinateEntries, o.vertices) << c.name << " needs s, t for every vertex";
            for (float v : o.st)
                EXPECT_TRUE(v >= 0 && v <= 1) << c.name << ": textures are clamped";
            for (float d : o.diffuse)
                EXPECT_TRUE(d >= 0 && d <= 1) << c.name;
            for (size_t i = 0; i + 2 < o.xyz.size(); i += 3) {
                top = std::max<double>(top, o.xyz[i + 1]);
                bottom = std::min<double>(bottom, o.xyz[i + 1]);
                if (o.xyz[i + 1] < 0.3) {
                    footX += o.xyz[i];
                    footZ += o.xyz[i + 2];
                    ++footCount;
                }
            }
        }
        EXPECT_GE(top, c.minHeight) << c.name;
        EXPECT_LE(top * c.largestScale, c.maxHeight) << c.name;
        // Standing on the ground at the origin: it reaches y = 0 (or into
        // the ground, for slopes) and its foot is centred there.
        EXPECT_LE(bottom, 0) << c.name;
        EXPECT_GE(bottom, -1) << c.name;
        ASSERT_GT(footCount, 0) << c.name;
        EXPECT_LT(std::hypot(footX / footCount, footZ / footCount), 0.35) << c.name;
    }
}

TEST(AssetFiles, ModelsKeepToTheirDrawingBudget)
{
    // Dense forest puts some 430 models in a frame: each triangle costs the
    // driver its setup, each part a texture bind and a list call.
    struct Case {
        const char* name;
        int maxTriangles, maxParts;
    };
    const Case cases[] = {{"tree1.vr", 140, 4}, {"tree2.vr", 140, 4}, {"tree3.vr", 140, 4},
                          {"bush1.vr", 70, 4},  {"bush2.vr", 70, 4},  {"bush3.vr", 70, 4},
                          {"baliza.vr", 30, 4}};
    for (const Case& c : cases) {
        const VrModel model = loadModel(c.name);
        int triangles = 0;
        std::set<std::string> looks;
        for (const VrObject& o : model.objects) {
            triangles += o.vertices == 3 * o.polygons ? o.polygons : 2 * o.polygons;
            // Faces of one texture and colour belong in one part.
            char colour[64];
            std::snprintf(colour, sizeof colour, " %.3f %.3f %.3f", o.diffuse[0], o.diffuse[1], o.diffuse[2]);
            EXPECT_TRUE(looks.insert(o.texture + colour).second) << c.name << ": " << o.texture << colour;
        }
        EXPECT_LE(triangles, c.maxTriangles) << c.name;
        EXPECT_LE(static_cast<int>(model.objects.size()), c.maxParts) << c.name;
    }
}

TEST(AssetFiles, ModelTexturesExistAsPowerOfTwoBmps)
{
    std::set<std::string> textures;
    for (const char* name : kModels)
        for (const VrObject& o : loadModel(name).objects)
            textures.insert(o.texture);
    EXPECT_GE(textures.size(), 5u);
    for (const std::string& t : textures) {
        const Bmp bmp = loadImage(t);
        EXPECT_TRUE(bmp.ok && isPowerOfTwo(bmp.width) && isPowerOfTwo(bmp.height)) << t;
    }
}

TEST(AssetFiles, SoundsArePcmWavesOfTheirLengths)
{
    struct Case {
        const char* name;
        double minSeconds, maxSeconds;
    };
    std::vector<Case> cases = {
        {"fly1.wav", 1.5, 5}, {"awoods1.wav", 20, 40}, {"awoods2.wav", 20, 40}, {"run_grass.wav", 1.5, 4}};
    for (const char* name : kAnimalSounds)
        if (std::string(name) != "fly1.wav")
            cases.push_back({name, 0.8, 6});
    for (const Case& c : cases) {
        const Wav wav = loadSound(c.name);
        if (!wav.ok)
            continue;
        EXPECT_EQ(wav.formatTag, 1) << c.name;
        EXPECT_EQ(wav.bits, 16) << c.name;
        EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << c.name;
        EXPECT_TRUE(wav.channels == 1 || wav.channels == 2) << c.name;
        EXPECT_GE(wav.seconds(), c.minSeconds) << c.name;
        EXPECT_LE(wav.seconds(), c.maxSeconds) << c.name;
        float peak = 0;
        for (float s : wav.samples)
            peak = std::max(peak, std::fabs(s));
        EXPECT_GT(peak, 0.2f) << c.name << " is nearly silent";
        EXPECT_LT(peak, 0.99f) << c.name << " clips";
    }
}

TEST(AssetFiles, AnimalSoundsAreAllDifferent)
{
    std::map<std::vector<float>, std::string> seen;
    for (const char* name : kAnimalSounds) {
        const Wav wav = loadSound(name);
        const auto [it, fresh] = seen.emplace(wav.samples, name);
        EXPECT_TRUE(fresh) << name << " repeats " << it->second;
    }
}

TEST(AssetFiles, ForestBackgroundsFadeInAndOut)
{
    for (const char* name : {"awoods1.wav", "awoods2.wav"}) {
        const Wav wav = loadSound(name);
        if (!wav.ok)
            continue;
        const size_t n = wav.samples.size(), edge = wav.rate / 20;
        const double middle = rms(wav.samples, n / 4, n / 2);
        EXPECT_LT(rms(wav.samples, 0, edge), middle / 10) << name;
        EXPECT_LT(rms(wav.samples, n - edge, edge), middle / 10) << name;
    }
}

TEST(AssetFiles, FootstepsLoopEvenlyAtARunningPace)
{
    const Wav wav = loadSound("run_grass.wav");
    ASSERT_TRUE(wav.ok);
    // Energy in 10 ms frames; a step is a rise through half the loudest.
    const size_t frame = wav.rate / 100, frames = wav.samples.size() / frame;
    std::vector<double> level(frames);
    for (size_t i = 0; i < frames; ++i)
        level[i] = rms(wav.samples, i * frame, frame);
    const double threshold = *std::max_element(level.begin(), level.end()) / 2;
    std::vector<size_t> onsets;
    for (size_t i = 0; i < frames; ++i)
        if (level[i] >= threshold && level[(i + frames - 1) % frames] < threshold)
            onsets.push_back(i);
    const double perSecond = onsets.size() / wav.seconds();
    EXPECT_GE(perSecond, 2.5);
    EXPECT_LE(perSecond, 3.0);
    // The game restarts the sound as soon as it ends: the gap across the
    // join must be one more step interval like the others.
    ASSERT_GE(onsets.size(), 2u);
    const double mean = static_cast<double>(frames) / onsets.size();
    for (size_t i = 0; i < onsets.size(); ++i) {
        const double gap =
            static_cast<double>((onsets[(i + 1) % onsets.size()] + frames - onsets[i]) % frames);
        EXPECT_NEAR(gap, mean, 0.15 * mean) << "step " << i;
    }
    EXPECT_LT(std::fabs(wav.samples.back() - wav.samples.front()), 0.1f);
}
