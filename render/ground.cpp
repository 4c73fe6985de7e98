#include "render/ground.h"

#include "render/camera.h"
#include "render/frustum.h"
#include "render/sky.h"
#include "render/texture.h"
#include "render/vertex_buffer.h"
#include "terrain/terrain.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// The sky's cylinder (drawn with depth) hides every cell lying wholly
// farther away; a unit more leaves room for rounding.
constexpr float kSkyReach = kSkyRadius + 1;
// Room for rounding in the plane tests.
constexpr float kPlaneSlack = 0.01f;

// The cells [x, x + 1] of the row [z, z + 1], heights within [low, high],
// that may show, as the range [first, last] of x; empty when first > last.
// A cell is dropped only when its whole box lies outside one of the six
// frustum planes or beyond the sky's reach.
void visibleSpan(float z, float low, float high, float& first, float& last)
{
    const RenderState& rs = renderState();
    first = -1e30f;
    last = 1e30f;
    for (const float* plane : rs.planes) {
        const float a = plane[0], b = plane[1], c = plane[2];
        // The box's largest distance from the plane is a * x + k at its best corner.
        const float k = b * (b > 0 ? high : low) + c * (c > 0 ? z + 1 : z) + plane[3] + kPlaneSlack;
        if (a > 0)
            first = std::max(first, -k / a - 1);
        else if (a < 0)
            last = std::min(last, -k / a);
        else if (k < 0)
            last = -1e30f;
    }
    const float* eye = cameraPosition();
    const float dz = eye[2] < z ? z - eye[2] : eye[2] > z + 1 ? eye[2] - z - 1 : 0;
    if (dz >= kSkyReach) {
        last = -1e30f;
        return;
    }
    const float half = std::sqrt(kSkyReach * kSkyReach - dz * dz);
    first = std::max(first, eye[0] - half - 1);
    last = std::min(last, eye[0] + half);
}

} // namespace

void GroundPatch::build()
{
    mesh = std::make_unique<StripMesh>(depth, 2 * width + 2);
    mesh->beginBuild();
    bool toggle = false;
    float top = -1000, bottom = 1000;
    for (int z = int(z0); z < int(z0) + depth; ++z) {
        for (int x = int(x0); x <= int(x0) + width; ++x) {
            const float fx = float(x), fz = float(z);
            const float h0 = owner->heightAt(fx, fz);
            const float h1 = owner->heightAt(fx, fz + 1);
            const float t = toggle ? 1.0f : 0.0f;
            const float front[3] = {fx, h0, fz};
            const float back[3] = {fx, h1, fz + 1};
            mesh->addVertex(front, 0, t);
            mesh->addVertex(back, 1, t);
            toggle = !toggle;
            top = std::max({top, h0, h1});
            bottom = std::min({bottom, h0, h1});
        }
        mesh->nextStrip();
    }
    mesh->endBuild();
    centreX = x0 + float(width) / 2;
    centreZ = z0 + float(depth) / 2;
    centreY = (top + bottom) / 2;
    half = std::max({float(width) / 2, (top - bottom) / 2, float(depth) / 2});
}

void Ground::build(const Terrain& from, int size)
{
    if (!patches.empty() || hasTexture(grassTexture))
        release();
    terrain = &from;
    mapSize = size;
    patchesPerSide = std::max(size, 0) / kPatchSize;
    patchCount = patchesPerSide * patchesPerSide;
    patches = std::vector<GroundPatch>(size_t(patchCount));
    for (int j = 0; j < patchesPerSide; ++j)
        for (int i = 0; i < patchesPerSide; ++i) {
            GroundPatch& patch = patches[size_t(i + j * patchesPerSide)];
            patch.owner = this;
            patch.x0 = float(kPatchSize * i);
            patch.z0 = float(kPatchSize * j);
            patch.width = patch.depth = kPatchSize;
            patch.build();
        }
    // Headless tools and tests build terrains without a GL context.
    grassTexture = renderState().hasContext ? createMipmappedTexture("Images\\grass.bmp") : 0;
    // The grass repeats (filtering at its edges wraps round), set once: the
    // new texture is still bound and nothing else binds it.
    if (hasTexture(grassTexture))
        setWrapRepeat();
}

int Ground::draw()
{
    bindTexture(grassTexture);
    int drawn = 0;
    for (GroundPatch& patch : patches) {
        if (patch.mesh && cubeInFrustum(patch.centreX, patch.centreY, patch.centreZ, patch.half) == 1) {
            patch.mesh->draw();
            ++drawn;
        }
    }
    bindTexture(-1);
    return drawn;
}

int Ground::drawVisibleRuns(float fogFreeWithin) const
{
    const float* eye = cameraPosition();
    std::vector<std::pair<float, int>>& order = nearestPatches_;
    order.clear();
    for (int i = 0; i < int(patches.size()); ++i) {
        const GroundPatch& p = patches[size_t(i)];
        if (cubeInFrustum(p.centreX, p.centreY, p.centreZ, p.half) != 1)
            continue;
        const float dx = p.centreX - eye[0], dz = p.centreZ - eye[2];
        order.emplace_back(dx * dx + dz * dz, i);
    }
    std::sort(order.begin(), order.end());

    // Every patch's runs, those wholly within `fogFreeWithin` and the
    // others, each patch's nearest rows first.
    for (Runs* runs : {&fogFree_, &fogged_}) {
        runs->firsts.clear();
        runs->counts.clear();
        runs->ends.clear();
    }
    for (const std::pair<float, int>& near : order) {
        const GroundPatch& p = patches[size_t(near.second)];
        if (!p.mesh || !p.mesh->finished())
            continue;
        const int perStrip = p.mesh->verticesPerStrip();
        const int eyeRow = std::clamp(int(std::floor(eye[2] - p.z0)), 0, p.depth - 1);
        for (int step = 0; step < 2 * p.depth; ++step) {
            // eyeRow, eyeRow + 1, eyeRow - 1, eyeRow + 2, ...
            const int row = step % 2 == 0 ? eyeRow + step / 2 : eyeRow - (step + 1) / 2;
            if (row < 0 || row >= p.depth)
                continue;
            float first = 0, last = 0;
            visibleSpan(p.z0 + float(row), p.centreY - p.half, p.centreY + p.half, first, last);
            // Clamped to the patch while still floats: the open ends are huge.
            const float from = std::max(first - p.x0, 0.0f), to = std::min(last - p.x0, float(p.width - 1));
            if (from > to)
                continue;
            const int a = int(std::ceil(from)), b = int(std::floor(to));
            if (a > b)
                continue;
            // The row's cells wholly within reach: those whose farthest
            // corner (at the patch's lowest or highest point) is.
            int nearA = 0, nearB = -1;
            const float z0 = p.z0 + float(row) - eye[2], y0 = p.centreY - p.half - eye[1];
            const float dz = std::max(std::fabs(z0), std::fabs(z0 + 1)),
                        dy = std::max(std::fabs(y0), std::fabs(y0 + 2 * p.half));
            const float across = fogFreeWithin * fogFreeWithin - dz * dz - dy * dy;
            if (fogFreeWithin > 0 && across > 0) {
                const float w = std::sqrt(across);
                nearA = std::max(a, int(std::ceil(eye[0] - w - p.x0)));
                nearB = std::min(b, int(std::floor(eye[0] + w - p.x0 - 1)));
            }
            // Cell c of a row is drawn by the strip's vertices 2c to 2c + 3.
            auto add = [&](Runs& runs, int from, int to) {
                if (from > to)
                    return;
                runs.firsts.push_back(row * perStrip + 2 * from);
                runs.counts.push_back(2 * (to - from) + 4);
            };
            if (nearA > nearB) {
                add(fogged_, a, b);
            } else {
                add(fogFree_, nearA, nearB);
                add(fogged_, a, nearA - 1);
                add(fogged_, nearB + 1, b);
            }
        }
        for (Runs* runs : {&fogFree_, &fogged_})
            runs->ends.emplace_back(near.second, runs->firsts.size());
    }

    glColor4f(1, 1, 1, 1);
    // The patches' arrays are the program's own memory, not a buffer's.
    VertexBuffer::unbind();
    const bool fogging = !fogFree_.firsts.empty();
    if (fogging)
        glDisable(GL_FOG);
    for (const Runs* runs : {&fogFree_, &fogged_}) {
        if (runs == &fogged_ && fogging)
            glEnable(GL_FOG);
        size_t begin = 0;
        for (const std::pair<int, size_t>& end : runs->ends) {
            if (end.second == begin)
                continue;
            patches[size_t(end.first)].mesh->bindArrays();
            renderState().multiDrawArrays(GL_TRIANGLE_STRIP, &runs->firsts[begin], &runs->counts[begin],
                                          GLsizei(end.second - begin));
            begin = end.second;
        }
    }
    return int(fogFree_.firsts.size() + fogged_.firsts.size());
}

bool Ground::eyeAboveGround() const
{
    const float* eye = cameraPosition();
    const int cx = int(std::floor(eye[0])), cz = int(std::floor(eye[2]));
    // The near plane starts a few hundredths of a unit round the eye; the
    // ground within a cell of it is no higher than its highest vertex there.
    float top = -1e30f;
    for (int z = cz - 1; z <= cz + 2; ++z)
        for (int x = cx - 1; x <= cx + 2; ++x)
            top = std::max(top, heightAt(float(x), float(z)));
    return eye[1] > top + 0.25f;
}

void Ground::release()
{
    patches = std::vector<GroundPatch>();
    patchesPerSide = patchCount = 0;
    if (hasTexture(grassTexture) && renderState().hasContext)
        deleteTexture(grassTexture);
    grassTexture = -1;
    mapSize = -1;
    terrain = nullptr;
}

float Ground::heightAt(float x, float z) const { return terrain ? terrain->heightAt(x, z) : 0; }
