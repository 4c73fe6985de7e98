#include "render/world_objects.h"

#include "app/random.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

using testsupport::Capture;
using testsupport::Rgb;

namespace {

class Recorder : public ObjectSink {
public:
    void place(const PlacedObject& object) override { placed.push_back(object); }
    std::vector<PlacedObject> placed;
};

// The cell an object was placed in (its offset is under a tenth of a cell).
int cellX(const PlacedObject& o) { return int(std::lround(o.position[0])); }
int cellZ(const PlacedObject& o) { return int(std::lround(o.position[2])); }

class WorldObjectsTest : public testsupport::GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        g_mapSize = 128;
        terrain.allocateGrids();
        std::fill(terrain.heightmap.begin(), terrain.heightmap.end(), 4.0f);  // height 3
        std::fill(terrain.objectKinds.begin(), terrain.objectKinds.end(), 0);
        terrain.objects.terrain = &terrain;
    }
    void TearDown() override
    {
        terrain.release();
        GlTest::TearDown();
    }

    void look(const float eye[3], float heading)
    {
        setPerspective(120);
        updateCamera(eye, heading);
        setPerspective(1000);
    }

    void setObject(int x, int z, int code) { terrain.objectKinds[size_t(terrain.cellIndex(x, z))] = uint8_t(code); }

    std::vector<PlacedObject> vegetation(const float eye[3], float heading)
    {
        look(eye, heading);
        Recorder r;
        terrain.objects.placeVegetation(heading, r);
        return r.placed;
    }

    WorldGlobalsGuard guard;
    Terrain terrain;
};

// The generator's rule, written out independently of app/random.
struct Lcg {
    uint32_t state;
    int next()
    {
        state = state * 214013u + 2531011u;
        return int((state >> 16) & 0x7FFF);
    }
};

} // namespace

TEST_F(WorldObjectsTest, OnlyCellsNearOrInViewAheadAreDrawn)
{
    struct Case {
        const char* what;
        float eye[3];
        float heading;
        int x, z;
        bool placed;
    };
    const Case cases[] = {
        {"the cell under the eye", {64.5f, 4.25f, 64.5f}, 0, 64, 64, false},
        {"two cells ahead", {64.5f, 4.25f, 64.5f}, 0, 64, 62, true},
        {"just behind, inside the block round the eye", {64.5f, 4.25f, 64.5f}, 0, 64, 67, true},
        {"far off to the side", {64.5f, 4.25f, 64.5f}, 0, 124, 44, false},
        {"84 units straight ahead", {64.5f, 4.25f, 110.5f}, 0, 64, 26, true},
        {"87 units straight ahead, past the scanned box", {64.5f, 4.25f, 110.5f}, 0, 64, 23, false},
        {"100 units ahead at heading 45", {10.5f, 4.25f, 117.5f}, 45, 80, 46, true},
        {"100 units ahead at heading 45, seen facing the other way", {10.5f, 4.25f, 117.5f}, 225, 80, 46, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::fill(terrain.objectKinds.begin(), terrain.objectKinds.end(), 0);
        setObject(c.x, c.z, 2);
        std::vector<PlacedObject> placed = vegetation(c.eye, c.heading);
        ASSERT_LE(placed.size(), 1u);
        EXPECT_EQ(placed.size() == 1, c.placed);
        if (!placed.empty()) {
            EXPECT_EQ(placed[0].slot, 1);
            EXPECT_EQ(cellX(placed[0]), c.x);
            EXPECT_EQ(cellZ(placed[0]), c.z);
            EXPECT_EQ(placed[0].position[1], 3);
        }
    }
}

TEST_F(WorldObjectsTest, EveryCellKeepsItsLookWhateverTheGeneratorHeld)
{
    const int codes[] = {1, 2, 3, 6, 7, 8};
    for (int z = 0; z < 128; ++z)
        for (int x = 0; x < 128; ++x)
            if ((x + z) % 3 == 0)
                setObject(x, z, codes[(x * 7 + z) % 6]);
    const float eye[3] = {64.5f, 4.25f, 100.5f};

    rng::seed(1);
    const std::vector<PlacedObject> first = vegetation(eye, 20);
    const uint32_t after = rng::state();
    rng::seed(987654);
    const std::vector<PlacedObject> second = vegetation(eye, 20);
    EXPECT_EQ(rng::state(), after) << "the generator goes on from the last cell scanned";
    ASSERT_GT(first.size(), 300u);
    ASSERT_EQ(first.size(), second.size());

    for (size_t i = 0; i < first.size(); ++i) {
        const PlacedObject& a = first[i];
        const PlacedObject& b = second[i];
        ASSERT_EQ(a.slot, b.slot);
        ASSERT_EQ(a.turn, b.turn);
        ASSERT_EQ(a.scale, b.scale);
        ASSERT_EQ(a.position[0], b.position[0]);
        ASSERT_EQ(a.position[2], b.position[2]);

        // Seeded with the cell's index: turn, size, x offset, z offset.
        const int x = cellX(a), z = cellZ(a);
        SCOPED_TRACE(testing::Message() << "cell " << x << ", " << z);
        EXPECT_EQ(a.slot, codes[(x * 7 + z) % 6] - 1);
        Lcg lcg{uint32_t(128 * z + x)};
        EXPECT_EQ(a.turn, float(lcg.next() % 360));
        EXPECT_NEAR(a.scale, 1 + (lcg.next() % 25) * 0.01, 1e-6);
        EXPECT_NEAR(a.position[0], x + (lcg.next() % 10) * 0.01 - 0.05, 1e-5);
        EXPECT_NEAR(a.position[2], z + (lcg.next() % 10) * 0.01 - 0.05, 1e-5);
    }
}

TEST_F(WorldObjectsTest, CellsOutsideTheMapDrawNothing)
{
    for (int z = 0; z < 128; ++z)
        for (int x = 0; x < 4; ++x)
            setObject(x, z, 1);
    // Near the west edge looking west: the scanned box reaches 80 cells off the map.
    const float eye[3] = {2.5f, 4.25f, 64.5f};
    const VegetationBounds b = vegetationBounds(eye, 270, 128);
    EXPECT_LT(b.minX, -80);
    const std::vector<PlacedObject> placed = vegetation(eye, 270);
    EXPECT_GT(placed.size(), 20u);
    for (const PlacedObject& o : placed) {
        EXPECT_GE(cellX(o), 0);
        EXPECT_LT(cellX(o), 4);
    }
}

TEST_F(WorldObjectsTest, FlagsStandAtEveryCoursePointAndShrinkWithDistance)
{
    const float eye[3] = {50, 6, 50};
    look(eye, 0);
    terrain.course.controls[0] = {50, 50, 0};  // at the eye's foot, 3 below it
    terrain.course.controls[1] = {50, 30, 1};  // 20 ahead
    terrain.course.controls[2] = {90, 50, 2};  // 40 to the side, out of view
    terrain.course.controls[3] = {50, 51, 3};  // just behind

    struct Case {
        int nControls;
        std::vector<float> scales;
    };
    const float atFoot = 400 / (9 + 400.0f);
    const float behind = 400 / (1 + 9 + 400.0f);
    const Case cases[] = {
        {0, {}},
        {2, {atFoot, 400 / (400 + 409.0f)}},
        {4, {atFoot, 400 / (400 + 409.0f), 400 / (1600 + 409.0f), behind}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nControls);
        g_nControls = c.nControls;
        Recorder r;
        terrain.objects.placeControlFlags(r);
        ASSERT_EQ(r.placed.size(), c.scales.size());
        for (size_t i = 0; i < c.scales.size(); ++i) {
            EXPECT_EQ(r.placed[i].slot, WorldObjects::kFlagSlot);
            EXPECT_EQ(r.placed[i].turn, 0);
            EXPECT_NEAR(r.placed[i].scale, c.scales[i], 1e-6);
            EXPECT_EQ(r.placed[i].position[1], 3) << "on the ground";
        }
    }
    // Exactly at the eye a flag is full size; 20 units off, half size.
    terrain.course.controls[0] = {50, 50, 0};
    terrain.course.controls[1] = {70, 50, 1};
    const float atEye[3] = {50, 3, 50};
    look(atEye, 0);
    g_nControls = 2;
    Recorder r;
    terrain.objects.placeControlFlags(r);
    ASSERT_EQ(r.placed.size(), 2u);
    EXPECT_EQ(r.placed[0].scale, 1);
    EXPECT_EQ(r.placed[1].scale, 0.5f);
}

namespace {

// A closed box of one colour standing on the origin, as .vr text.
std::string boxModel(float r, float g, float b, float half, float height)
{
    const float v[8][3] = {{-half, 0, -half}, {half, 0, -half},     {half, height, -half}, {-half, height, -half},
                           {-half, 0, half},  {half, 0, half},      {half, height, half},  {-half, height, half}};
    const int faces[6][4] = {{0, 1, 2, 3}, {5, 4, 7, 6}, {4, 0, 3, 7}, {1, 5, 6, 2}, {3, 2, 6, 7}, {4, 5, 1, 0}};
    std::ostringstream out;
    out << "object {\n translation v 0 0 0\n material { diffuse " << r << ' ' << g << ' ' << b << " }\n"
        << " N_M_POLY 6 24\n";
    for (const auto& face : faces)
        for (int i : face)
            out << " v " << v[i][0] << ' ' << v[i][1] << ' ' << v[i][2] << '\n';
    out << "}\n";
    return out.str();
}

// Window position of a world point under the current matrices, top row first.
void project(float x, float y, float z, double& wx, double& wy)
{
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wz = 0;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    wy = viewport[3] - wy;
}

struct Region {
    int count = 0;
    double meanX = 0;
    int bottom = -1;
};

Region regionOf(const Capture& c, Rgb colour)
{
    Region r;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (near(c.at(x, y), colour, 30)) {
                ++r.count;
                r.meanX += x;
                r.bottom = std::max(r.bottom, y);
            }
    if (r.count)
        r.meanX /= r.count;
    return r;
}

} // namespace

TEST_F(WorldObjectsTest, ATreeStandsWhereItsCellIs)
{
    testsupport::TempFolder folder;
    platform().assetFolder = folder.path();
    const std::string models = folder.subfolder("Models");
    std::ofstream(models + "tree1.vr") << boxModel(1, 0, 0, 0.3f, 3);
    std::ofstream(models + "bush1.vr") << boxModel(0, 0, 1, 0.3f, 1);
    terrain.objects.loadModels(terrain);
    EXPECT_EQ(terrain.objects.terrain, &terrain);
    ASSERT_TRUE(terrain.objects.slots[0] && terrain.objects.slots[0]->partCount() == 1);
    ASSERT_TRUE(terrain.objects.slots[5] && terrain.objects.slots[5]->partCount() == 1);
    EXPECT_NEAR(terrain.objects.slots[0]->footprint, std::sqrt(0.18f), 1e-5) << "the box's corner";
    EXPECT_TRUE(platform().boxes.empty()) << "missing models are silent";

    setObject(64, 60, 1);  // a tree ten cells ahead
    setObject(67, 62, 6);  // a bush ahead on the right
    setObject(61, 62, 4);  // a code with no model draws nothing
    g_nControls = 0;
    const float eye[3] = {64.5f, 4.25f, 70.5f};
    look(eye, 0);
    clearFrame();
    terrain.objects.draw(0);
    Capture c = captureAndSave("tree_in_cell");

    struct Case {
        const char* what;
        Rgb colour;
        int x, z;
    };
    const Case cases[] = {{"tree", {255, 0, 0}, 64, 60}, {"bush", {0, 0, 255}, 67, 62}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        double wx = 0, wy = 0;
        project(float(k.x), 3, float(k.z), wx, wy);
        const Region r = regionOf(c, k.colour);
        ASSERT_GT(r.count, 200);
        EXPECT_NEAR(r.meanX, wx, 4) << "over its cell";
        EXPECT_NEAR(r.bottom, wy, 5) << "standing on the ground";
    }
    EXPECT_GT(shareNear(c, 0, 0, 640, 480, {0, 0, 0}, 0), 0.9) << "nothing else";

    // Models that cannot show are placed (their numbers drawn) but not drawn.
    struct Hidden {
        const char* what;
        float eye[3];
        float heading;
        int x, z;
        int drawn;
    };
    const Hidden hidden[] = {
        {"in view", {64.5f, 4.25f, 70.5f}, 0, 64, 60, 1},
        {"two units outside the left side of the view", {64.5f, 4.25f, 70.5f}, 0, 64 - 8, 60, 0},
        {"just inside the sky's cylinder", {10.5f, 4.25f, 117.5f}, 45, 10 + 84, 117 - 84, 1},
        {"beyond the sky's cylinder", {10.5f, 4.25f, 117.5f}, 45, 10 + 87, 117 - 87, 0},
    };
    for (const Hidden& h : hidden) {
        SCOPED_TRACE(h.what);
        std::fill(terrain.objectKinds.begin(), terrain.objectKinds.end(), 0);
        setObject(h.x, h.z, 1);
        EXPECT_EQ(vegetation(h.eye, h.heading).size(), 1u);
        EXPECT_EQ(terrain.objects.drawVegetation(h.heading), h.drawn);
    }
}

TEST_F(WorldObjectsTest, LoadingAgainReleasesTheModelsBefore)
{
    // The generated models, with their textures.
    auto names = [this](std::set<GLuint>& lists, std::set<GLuint>& textures) {
        lists.clear();
        textures.clear();
        for (const auto& slot : terrain.objects.slots)
            if (slot)
                for (const ModelPart& part : slot->parts) {
                    lists.insert(part.list);
                    if (part.texture > 0)
                        textures.insert(GLuint(part.texture));
                }
    };
    std::set<GLuint> lists1, textures1, lists2, textures2;
    terrain.loadObjectModels();
    names(lists1, textures1);
    ASSERT_FALSE(lists1.empty());
    ASSERT_FALSE(textures1.empty());
    terrain.loadObjectModels();
    names(lists2, textures2);
    EXPECT_EQ(lists2.size(), lists1.size());
    for (GLuint list : lists1)
        if (!lists2.count(list)) {
            EXPECT_FALSE(glIsList(list)) << list;
        }
    for (GLuint texture : textures1)
        if (!textures2.count(texture)) {
            EXPECT_FALSE(glIsTexture(texture)) << texture;
        }

    terrain.objects.release();
    for (const auto& slot : terrain.objects.slots)
        EXPECT_EQ(slot, nullptr);
    for (GLuint list : lists2)
        EXPECT_FALSE(glIsList(list)) << list;
    for (GLuint texture : textures2)
        EXPECT_FALSE(glIsTexture(texture)) << texture;
    for (const platform::RecordedBox& box : platform().boxes)
        ADD_FAILURE() << box.caption << ": " << box.text;
}
