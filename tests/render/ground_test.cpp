#include "render/ground.h"

#include "render/camera.h"
#include "render/gl_state.h"
#include "support/bmp_builder.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <GL/gl.h>

#include <functional>

using testsupport::Capture;
using testsupport::Rgb;

namespace {

// A terrain of `side` cells whose stored heights come from `height` (x, y).
void shapeTerrain(Terrain& t, int side, const std::function<float(int, int)>& height)
{
    g_mapSize = side;
    t.allocateGrids();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            t.heightmap[size_t(t.cellIndex(x, y))] = height(x, y);
}

struct Vertex {
    float x, y, z, s, t;
};

Vertex vertexOf(const StripMesh& mesh, int strip, int v)
{
    const size_t i = size_t(strip * mesh.verticesPerStrip() + v);
    const float* p = mesh.positions() + 3 * i;
    const float* st = mesh.texCoords() + 2 * i;
    return {p[0], p[1], p[2], st[0], st[1]};
}

} // namespace

TEST(GroundBuild, PatchesTileTheMapAndSampleHeightsClampedAtItsEdge)
{
    WorldGlobalsGuard guard;
    Terrain t;
    shapeTerrain(t, 128, [](int x, int y) { return float(x) * 0.01f + float(y); });
    Ground& g = t.ground;
    g.build(t, 128);
    ASSERT_EQ(g.patchesPerSide, 4);
    ASSERT_EQ(g.patchCount, 16);
    ASSERT_EQ(g.patches.size(), 16u);

    // Column 3, row 0 is element 3 and covers x 96 to 128, z 0 to 32.
    const GroundPatch& p = g.patches[3];
    EXPECT_EQ(p.owner, &g);
    EXPECT_EQ(p.x0, 96);
    EXPECT_EQ(p.z0, 0);
    ASSERT_TRUE(p.mesh);
    const StripMesh& m = *p.mesh;
    EXPECT_EQ(m.stripCount(), 32);
    EXPECT_EQ(m.verticesPerStrip(), 66);
    EXPECT_TRUE(m.finished());
    const GroundPatch& p9 = g.patches[9];  // column 1, row 2
    EXPECT_EQ(p9.x0, 32);
    EXPECT_EQ(p9.z0, 64);

    struct Case {
        int strip, vertex;
        Vertex expected;
    };
    const float scale = g_heightScale;
    const Case cases[] = {
        // Row z = 0 starts at x0 with t = 0, its far vertex at z + 1.
        {0, 0, {96, 0.96f * scale, 0, 0, 0}},
        {0, 1, {96, (0.96f + 1) * scale, 1, 1, 0}},
        {0, 2, {97, 0.97f * scale, 0, 0, 1}},
        // The last column samples x = 128, which takes the heights of cell 127.
        {0, 64, {128, 1.27f * scale, 0, 0, 0}},
        {0, 65, {128, 2.27f * scale, 1, 1, 0}},
        // 33 columns flip t an odd number of times: the next row starts at t = 1.
        {1, 0, {96, (0.96f + 1) * scale, 1, 0, 1}},
        {31, 65, {128, (1.27f + 32) * scale, 32, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "strip " << c.strip << " vertex " << c.vertex);
        const Vertex v = vertexOf(m, c.strip, c.vertex);
        EXPECT_EQ(v.x, c.expected.x);
        EXPECT_NEAR(v.y, c.expected.y, 1e-4);
        EXPECT_EQ(v.z, c.expected.z);
        EXPECT_EQ(v.s, c.expected.s);
        EXPECT_EQ(v.t, c.expected.t);
    }
    g.release();
}

TEST(GroundBuild, CullingCubesEncloseEachPatch)
{
    WorldGlobalsGuard guard;
    struct Case {
        const char* what;
        std::function<float(int, int)> height;
        int patch;
        float centreY, half;
    };
    // HeightScale is 0.75 at 128 cells.
    const Case cases[] = {
        {"flat", [](int, int) { return 4.0f; }, 5, 3, 16},
        {"a ramp rising 24 units over the patch is still narrower than it is wide",
         [](int, int y) { return y < 32 ? 0.0f : y <= 64 ? float(y - 32) : 32.0f; }, 4, 12, 16},
        {"heights spanning 40 units", [](int x, int) { return x == 40 ? 160 / 3.0f : 0.0f; }, 1, 20, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Terrain t;
        shapeTerrain(t, 128, c.height);
        t.ground.build(t, 128);
        const GroundPatch& p = t.ground.patches[size_t(c.patch)];
        EXPECT_EQ(p.centreX, p.x0 + 16);
        EXPECT_EQ(p.centreZ, p.z0 + 16);
        EXPECT_NEAR(p.centreY, c.centreY, 1e-4);
        EXPECT_NEAR(p.half, c.half, 1e-4);
        t.ground.release();
    }
}

TEST(GroundBuild, ReleaseLeavesNothingAndHeightsFallToZero)
{
    WorldGlobalsGuard guard;
    Terrain t;
    shapeTerrain(t, 128, [](int, int) { return 8.0f; });
    Ground& g = t.ground;
    EXPECT_EQ(g.heightAt(3, 3), 0) << "no terrain yet";
    g.build(t, 128);
    EXPECT_EQ(g.heightAt(3, 3), 6);
    EXPECT_EQ(g.heightAt(-4, 500), 6) << "the terrain clamps onto the map";
    g.release();
    EXPECT_TRUE(g.patches.empty());
    EXPECT_EQ(g.patchCount, 0);
    EXPECT_EQ(g.mapSize, -1);
    EXPECT_EQ(g.terrain, nullptr);
    EXPECT_EQ(g.grassTexture, -1);
    EXPECT_EQ(g.heightAt(3, 3), 0);
    EXPECT_EQ(g.draw(), 0);
}

namespace {

class GroundDrawing : public testsupport::GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        platform().assetFolder = folder.path();
        std::vector<testbmp::Colour> pixels(16 * 16, {40, 160, 40});
        ASSERT_TRUE(testbmp::writeFile(folder.subfolder("Images") + "grass.bmp", testbmp::rgb24File(16, 16, pixels)));
    }

    // The player camera: culling against 120 units, drawing out to 1000.
    void look(const float eye[3], float heading)
    {
        setPerspective(120);
        updateCamera(eye, heading);
        setPerspective(1000);
    }

    testsupport::TempFolder folder;
    WorldGlobalsGuard guard;
};

const Rgb kGrass{40, 160, 40};
const Rgb kFogColour{166, 204, 255};

Rgb mix(Rgb a, Rgb b, float f)
{
    return {int(a.r * f + b.r * (1 - f)), int(a.g * f + b.g * (1 - f)), int(a.b * f + b.b * (1 - f))};
}

} // namespace

TEST_F(GroundDrawing, AGroundPatchShowsTheGrassUnderFog)
{
    Terrain t;
    shapeTerrain(t, 128, [](int, int) { return 0.0f; });
    t.ground.build(t, 128);
    ASSERT_GT(t.ground.grassTexture, 0);
    EXPECT_TRUE(platform().boxes.empty());

    // Thirty units above flat ground, looking level along -z from the map's
    // edge: a screen row d units ahead lies 240 * (30 / d) / tan 30 rows
    // below the middle.
    const float eye[3] = {64, 30, 127.5f};
    look(eye, 0);
    setClearColor(0.65f, 0.8f, 1.0f);
    clearFrame(kFogColour);
    enableFog(90, 120);
    EXPECT_GT(t.ground.draw(), 0);
    Capture c = captureAndSave("ground_fog");
    auto rowAt = [](float d) { return int(240 + 240 * (30 / d) / 0.57735f + 0.5f); };

    EXPECT_GT(shareNear(c, 0, 470, 640, 480, kGrass, 6), 0.95) << "about 52 units ahead: no fog";
    EXPECT_GT(shareNear(c, 300, rowAt(80), 340, rowAt(80) + 1, kGrass, 6), 0.9) << "before the fog starts";
    EXPECT_TRUE(near(c.at(320, rowAt(100)), mix(kGrass, kFogColour, 2 / 3.0f), 10)) << "a third of the way in";
    EXPECT_TRUE(near(c.at(320, rowAt(110)), mix(kGrass, kFogColour, 1 / 3.0f), 10)) << "two thirds of the way in";
    EXPECT_TRUE(near(c.at(320, rowAt(124)), kFogColour, 6)) << "past the fog's end";
    EXPECT_TRUE(near(c.at(320, rowAt(127.5f) - 4), kFogColour, 1)) << "beyond the map";
    disableFog();
    t.ground.release();
}

TEST_F(GroundDrawing, OnlyPatchesThatMayBeSeenAreDrawn)
{
    Terrain t;
    shapeTerrain(t, 128, [](int, int) { return 0.0f; });
    t.ground.build(t, 128);

    struct Case {
        const char* what;
        float eye[3];
        float heading;
        int least, most;  // patches drawn
    };
    const Case cases[] = {
        {"beyond the map, looking away from it", {64, 1.25f, 300}, 180, 0, 0},
        {"in a corner patch, looking out of the map", {4, 1.25f, 4}, 315, 1, 1},
        {"in the middle, looking along -z: rows behind are skipped", {64, 1.25f, 70}, 0, 5, 10},
        {"at the map's edge, looking across it", {64, 1.25f, 127}, 0, 10, 16},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        look(k.eye, k.heading);
        clearFrame();
        const int drawn = t.ground.draw();
        EXPECT_GE(drawn, k.least);
        EXPECT_LE(drawn, k.most);
    }

    // The ground under the eye's own patch shows at the bottom of the view.
    const float eye[3] = {80, 1.25f, 95};
    look(eye, 0);
    clearFrame();
    t.ground.draw();
    Capture c = testsupport::captureBackBuffer();
    EXPECT_GT(shareNear(c, 0, 470, 640, 480, kGrass, 6), 0.95);
    t.ground.release();
}

TEST_F(GroundDrawing, ABuildReplacesTheGroundBefore)
{
    Terrain t;
    shapeTerrain(t, 128, [](int, int) { return 0.0f; });
    t.ground.build(t, 128);
    const GLuint first = GLuint(t.ground.grassTexture);
    ASSERT_TRUE(glIsTexture(first));

    g_mapSize = 256;
    t.allocateGrids();
    t.ground.build(t, 256);
    EXPECT_EQ(t.ground.patchCount, 64);
    EXPECT_EQ(t.ground.mapSize, 256);
    EXPECT_GT(t.ground.grassTexture, 0);
    if (GLuint(t.ground.grassTexture) != first) {
        EXPECT_FALSE(glIsTexture(first)) << "the first grass texture is deleted";
    }
    const GLuint second = GLuint(t.ground.grassTexture);
    t.release();
    EXPECT_FALSE(glIsTexture(second));
    EXPECT_EQ(t.ground.mapSize, -1);
}
