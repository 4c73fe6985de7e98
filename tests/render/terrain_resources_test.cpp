// The GL resources a Terrain holds for play: the map texture, the grass
// texture and the models' lists and textures, replaced by every game start
// and deleted by the release.
#include "app/random.h"
#include "support/gl_test.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <GL/gl.h>

#include <set>

namespace {

class TerrainResources : public testsupport::GlTest {
protected:
    WorldGlobalsGuard guard;
};

std::vector<uint8_t> textureLevel(GLuint texture, int level, int& side)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &side);
    std::vector<uint8_t> pixels(size_t(side) * size_t(side) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

struct Names {
    std::set<GLuint> textures, lists;
};

Names namesHeldBy(const Terrain& t)
{
    Names n;
    if (t.mapTexture > 0)
        n.textures.insert(GLuint(t.mapTexture));
    if (t.ground.grassTexture > 0)
        n.textures.insert(GLuint(t.ground.grassTexture));
    for (const auto& slot : t.objects.slots)
        if (slot)
            for (const ModelPart& part : slot->parts) {
                n.lists.insert(part.list);
                if (part.texture > 0)
                    n.textures.insert(GLuint(part.texture));
            }
    return n;
}

// Every name of `before` that `now` does not hold again is gone.
void expectReleased(const Names& before, const Names& now)
{
    for (GLuint texture : before.textures)
        if (!now.textures.count(texture)) {
            EXPECT_FALSE(glIsTexture(texture)) << "texture " << texture;
        }
    for (GLuint list : before.lists)
        if (!now.lists.count(list)) {
            EXPECT_FALSE(glIsList(list)) << "list " << list;
        }
}

} // namespace

TEST_F(TerrainResources, TheMapTextureHoldsTheMapAtEverySize)
{
    struct Case {
        int mapSize;
        int level0Side;   // the double image up to 256 cells, else the map itself
        int mapLevel;     // the level that is the map image exactly
    };
    const Case cases[] = {{128, 256, 1}, {256, 512, 1}, {512, 512, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mapSize);
        g_mapSize = c.mapSize;
        g_nControls = 6;
        rng::seed(99);
        Terrain t;
        t.generateAll(2, 2);
        ASSERT_GT(t.mapTexture, 0);
        int side = 0;
        textureLevel(GLuint(t.mapTexture), 0, side);
        EXPECT_EQ(side, c.level0Side);
        const std::vector<uint8_t> level = textureLevel(GLuint(t.mapTexture), c.mapLevel, side);
        ASSERT_EQ(side, c.mapSize);
        EXPECT_TRUE(std::equal(level.begin(), level.end(), t.mapImage.pixels())) << "row 0 is texture row 0";

        // A new course redraws the map into a new texture and deletes the old one.
        const GLuint first = GLuint(t.mapTexture);
        t.newCourse();
        ASSERT_GT(t.mapTexture, 0);
        if (GLuint(t.mapTexture) != first) {
            EXPECT_FALSE(glIsTexture(first));
        }
        const GLuint second = GLuint(t.mapTexture);
        t.release();
        EXPECT_EQ(t.mapTexture, -1);
        EXPECT_FALSE(glIsTexture(second));
    }
}

TEST_F(TerrainResources, GameAfterGameLeavesNothingBehind)
{
    g_mapSize = 128;
    g_nControls = 6;
    rng::seed(5);
    Terrain t;
    Names before;
    for (int game = 0; game < 4; ++game) {
        SCOPED_TRACE(game);
        if (game % 2 == 0) {
            t.quickPrepare(2, 2);
        } else {
            t.newCourse();  // the menu's "New Course", then "Start!"
            t.prepareForPlay(2, 2);
        }
        t.loadObjectModels();
        Names now = namesHeldBy(t);
        EXPECT_GT(now.textures.size(), 3u);
        EXPECT_EQ(now.lists.size(), before.lists.empty() ? now.lists.size() : before.lists.size());
        EXPECT_EQ(t.ground.patchCount, 16);
        expectReleased(before, now);
        before = now;
    }
    t.release();
    expectReleased(before, Names{});
    EXPECT_EQ(t.ground.mapSize, -1);
    for (const auto& slot : t.objects.slots)
        EXPECT_EQ(slot, nullptr);
    for (const platform::RecordedBox& box : platform().boxes)
        ADD_FAILURE() << box.caption << ": " << box.text;
}
