#include "render/ground.h"

#include "render/frustum.h"
#include "render/texture.h"
#include "terrain/terrain.h"

#include <algorithm>

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
}

int Ground::draw()
{
    bindTexture(grassTexture);
    int drawn = 0;
    for (GroundPatch& patch : patches) {
        if (patch.mesh && cubeInFrustum(patch.centreX, patch.centreY, patch.centreZ, patch.half) == 1) {
            setWrapRepeat();
            patch.mesh->draw();
            ++drawn;
        }
    }
    bindTexture(-1);
    return drawn;
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
