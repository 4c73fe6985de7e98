#include "render/strip_mesh.h"

#include "app/render_state.h"
#include "render/texture.h"
#include "support/gl_test.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

int g_locks = 0, g_unlocks = 0, g_lockedCount = 0;
void fakeLock(int first, int count)
{
    ++g_locks;
    g_lockedCount = first + count;
}
void fakeUnlock() { ++g_unlocks; }

class StripMeshFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        renderState() = RenderState{};
        renderState().lockArrays = fakeLock;
        renderState().unlockArrays = fakeUnlock;
        g_locks = g_unlocks = 0;
    }
};

float xOf(const StripMesh& mesh, int index) { return mesh.positions()[index * 3]; }

} // namespace

TEST_F(StripMeshFill, FullStripsDropFurtherVertices)
{
    StripMesh mesh(2, 3);
    ASSERT_EQ(mesh.vertexCount(), 6);
    mesh.beginBuild();
    for (int i = 0; i < 5; ++i) {
        const float p[3] = {float(i), 0, 0};
        mesh.addVertex(p, float(i), 0);
    }
    mesh.nextStrip();
    for (int i = 10; i < 13; ++i) {
        const float p[3] = {float(i), 0, 0};
        mesh.addVertex(p, 0, float(i));
    }
    // On the last strip nextStrip does nothing, so these go nowhere.
    mesh.nextStrip();
    const float extra[3] = {99, 99, 99};
    mesh.addVertex(extra, 9, 9);
    mesh.endBuild();
    EXPECT_TRUE(mesh.finished());
    const float expected[] = {0, 1, 2, 10, 11, 12};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(xOf(mesh, i), expected[i]) << i;
    EXPECT_EQ(mesh.texCoords()[1 * 2], 1);
    EXPECT_EQ(mesh.texCoords()[4 * 2 + 1], 11);
}

TEST_F(StripMeshFill, VerticesOutsideABuildAreIgnored)
{
    StripMesh mesh(1, 2);
    const float p[3] = {5, 5, 5};
    mesh.addVertex(p, 0, 0);
    mesh.beginBuild();
    const float q[3] = {1, 2, 3};
    mesh.addVertex(q, 0, 0);
    mesh.endBuild();
    mesh.addVertex(p, 0, 0);
    EXPECT_EQ(xOf(mesh, 0), 1);
    EXPECT_TRUE(mesh.finished());

    StripMesh empty(0, 10);
    EXPECT_EQ(empty.vertexCount(), 0);
    empty.beginBuild();
    empty.addVertex(p, 0, 0);
    empty.endBuild();
    StripMesh absurd(1 << 20, 1 << 20);
    EXPECT_EQ(absurd.vertexCount(), 0);
}

TEST_F(StripMeshFill, NoExtensionCallsWithoutTheExtension)
{
    StripMesh mesh(1, 1);
    mesh.beginBuild();
    mesh.endBuild();
    EXPECT_EQ(g_locks + g_unlocks, 0);
}

namespace {
class StripMeshDraw : public testsupport::GlTest {};
} // namespace

TEST_F(StripMeshDraw, DrawsEveryStripFromItsOwnStartAndLocksOnce)
{
    renderState().hasCompiledArrays = true;
    renderState().lockArrays = fakeLock;
    renderState().unlockArrays = fakeUnlock;
    g_locks = g_unlocks = 0;

    // Two strips of 4 vertices, each a square: left and right of the middle.
    StripMesh mesh(2, 4);
    mesh.beginBuild();
    for (float x0 : {-0.8f, 0.2f}) {
        const float quad[4][3] = {{x0, -0.3f, 0}, {x0, 0.3f, 0}, {x0 + 0.6f, -0.3f, 0}, {x0 + 0.6f, 0.3f, 0}};
        for (const auto& p : quad)
            mesh.addVertex(p, 0, 0);
        mesh.nextStrip();
    }
    mesh.endBuild();
    mesh.endBuild();
    EXPECT_EQ(g_unlocks, 0) << "nothing was locked yet";
    EXPECT_EQ(g_locks, 1);
    EXPECT_EQ(g_lockedCount, 8);
    {
        // Refilling another mesh first releases this one's lock.
        StripMesh other(1, 3);
        other.beginBuild();
        EXPECT_EQ(g_unlocks, 1);
        other.endBuild();
        EXPECT_EQ(g_locks, 2);
        EXPECT_EQ(g_lockedCount, 3);
    }
    EXPECT_EQ(g_unlocks, 2) << "a locked mesh unlocks when it goes";

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    bindTexture(-1);
    mesh.draw();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    testsupport::Capture c = captureAndSave("strip_mesh_two_strips");
    // Clip x -0.8..-0.2 is pixels 64..256, 0.2..0.8 is 384..576; y +-0.3 is 168..312.
    EXPECT_GT(shareNear(c, 70, 175, 250, 305, {255, 255, 255}, 0), 0.99);
    EXPECT_GT(shareNear(c, 390, 175, 570, 305, {255, 255, 255}, 0), 0.99);
    EXPECT_EQ(shareNear(c, 262, 175, 378, 305, {255, 255, 255}, 0), 0);
}

TEST_F(StripMeshDraw, AnUnfinishedMeshDrawsNothing)
{
    StripMesh mesh(1, 4);
    mesh.beginBuild();
    const float quad[4][3] = {{-1, -1, 0}, {-1, 1, 0}, {1, -1, 0}, {1, 1, 0}};
    for (const auto& p : quad)
        mesh.addVertex(p, 0, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    bindTexture(-1);
    mesh.draw();
    testsupport::Capture c = testsupport::captureBackBuffer();
    EXPECT_EQ(shareNear(c, 0, 0, 640, 480, {255, 255, 255}, 0), 0);
}

TEST_F(StripMeshDraw, TheDriversLockTakesSeveralMeshesWithoutErrors)
{
    if (!renderState().hasCompiledArrays)
        GTEST_SKIP() << "the driver offers no compiled vertex arrays";
    bindTexture(-1);
    StripMesh first(1, 4), second(2, 4);
    for (StripMesh* mesh : {&first, &second, &first}) {
        mesh->beginBuild();
        for (int i = 0; i < 8; ++i) {
            const float p[3] = {float(i % 2), float(i / 2 % 2), 0};
            mesh->addVertex(p, 0, 0);
            if (i == 3)
                mesh->nextStrip();
        }
        mesh->endBuild();
    }
    first.draw();
    second.draw();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
