#pragma once
// The ground: the relief as grass-textured triangle strips, cut into square
// patches of 32 x 32 cells that are built once per terrain and culled per
// frame against the view frustum. Lives in the Terrain; starts at zero, as
// the zero-filled Game expects.
#include "app/render_state.h"
#include "render/strip_mesh.h"

#include <memory>
#include <vector>

struct Terrain;
struct Ground;

constexpr int kPatchSize = 32;

struct GroundPatch {
    Ground* owner = nullptr;
    float x0 = 0, z0 = 0;       // corner, in cells
    int width = 0, depth = 0;   // kPatchSize each
    std::unique_ptr<StripMesh> mesh;
    float centreX = 0, centreY = 0, centreZ = 0;  // centre of the culling cube
    float half = 0;                               // half side of the culling cube

    // One strip per row of cells, two vertices per column; the texture's t
    // flips after every column and is never reset per row, so neighbouring
    // cells mirror the grass. Then the culling cube round the patch's heights.
    void build();
};

struct Ground {
    std::vector<GroundPatch> patches;
    int patchesPerSide = 0;  // mapSize / 32
    int patchCount = 0;
    TextureId grassTexture = 0;       // "Images\\grass.bmp"; 0 none loaded
    const Terrain* terrain = nullptr; // heights come from here; null when released
    int mapSize = 0;                  // at build time; -1 once released

    // Builds every patch of `terrain` for `size` cells a side and loads the
    // grass texture (with a GL context only); a built ground is released first.
    void build(const Terrain& terrain, int size);
    // Draws the patches whose cube may be in the frustum (after the camera
    // update); returns how many it drew.
    int draw();
    // Draws the cells that may show this frame (within the frustum's planes
    // and the sky's radius), patches nearest the eye first and in each the
    // rows nearest it first, one multi-draw per patch; the caller binds the
    // texture. Each run is the part of a row's strip from its first to its
    // last such cell, so it draws exactly the triangles the whole strip draws
    // there. Needs RenderState::hasVertexBuffers; returns the runs drawn.
    // With `fogFreeWithin` positive (the linear fog starts beyond it, and is
    // on), the cells wholly within that distance of the eye are drawn first
    // with the fog off: it would change nothing there, and costs the
    // rasteriser per pixel.
    int drawVisibleRuns(float fogFreeWithin = 0) const;
    // Whether the eye is so clearly above the ground round it that every
    // back-facing ground triangle lies behind a front-facing one.
    bool eyeAboveGround() const;
    // Frees every mesh and the texture; mapSize -1, terrain null.
    void release();
    // The terrain's height, clamped onto the map by the terrain; 0 without one.
    float heightAt(float x, float z) const;

private:
    // Scratch of drawVisibleRuns: the runs to draw, and where each patch's
    // end (patch, end of its runs).
    struct Runs {
        std::vector<int> firsts, counts;
        std::vector<std::pair<int, size_t>> ends;
    };
    mutable std::vector<std::pair<float, int>> nearestPatches_;
    mutable Runs fogFree_, fogged_;
};
