#pragma once
// The world of a frame of play drawn the fast way. The picture is the one
// Sky::draw, Ground::draw and WorldObjects::draw make one after another;
// the work a software rasteriser does for it is much smaller:
// - the nearest trees and bushes first and the ground after them, so the
//   depth test throws away what they hide before it is shaded;
// - then the depth buffer is read back once (only the part of the view the
//   further models may cover), and every further model whose box, or part
//   whose box, lies wholly behind it is left out;
// - the rest nearest first, texture by texture from buffer objects, one
//   bind per texture;
// - the sky last, where nothing stands in front of it;
// - no blending (every surface of the world is opaque);
// - the faces of closed surfaces (model/closed_surfaces.h) turned away from
//   the eye culled, where the eye is outside them: they lie behind faces of
//   the same surface turned towards it;
// - what lies wholly nearer than the fog starts (linear fog leaves it
//   exactly as it is) drawn with the fog off, which is cheaper per pixel.
// Each model keeps the transform WorldObjects::draw gives it, bit for bit,
// and draws its parts in their order; surfaces at equal depth tie as before
// with the ground, the sky and the flags. The vegetation draws the same
// numbers from the shared generator as WorldObjects::draw.
#include "render/world_objects.h"

#include <cstdint>
#include <vector>

struct Ground;

class WorldRenderer {
public:
    enum Layer { kSky = 1, kGround = 2, kVegetation = 4, kFlags = 8, kAllLayers = 15 };

    // Draws the chosen layers after the camera update (the sky only if
    // Sky::draw left it pending). Returns false, having drawn nothing, when
    // the driver or the models lack buffer objects.
    bool draw(const Ground& ground, const WorldObjects& objects, float heading, int layers = kAllLayers);

    // Of the last draw: models handed to the driver, and models left out as
    // hidden behind the depth read back.
    int modelsDrawn = 0;
    int modelsHidden = 0;

private:
    struct Instance {
        const Model* model = nullptr;
        int slot = 0;                // of WorldObjects::slots
        float distanceSquared = 0;  // from the eye, on the ground plane
        float modelview[16] = {};   // as Model::draw would load it
        uint32_t hiddenParts = 0;   // bit i: part i is wholly hidden
        bool cullBackFaces = false; // of its closed surfaces
        bool fogFree = false;       // wholly nearer than the fog starts
    };
    // A texture's turn in a band: the parts first..end-1 of one model, those
    // with a display list drawn with it.
    struct Pass {
        const Model* model = nullptr;
        int slot = 0;
        int texture = -1;
        size_t first = 0, end = 0;
    };
    // Where a box may show: the squares of the read-back its window
    // rectangle touches (none when it is off the screen), and its nearest
    // window depth.
    struct Footprint {
        bool tested = false;  // false: a corner lies too near the eye to judge
        int c0 = 0, c1 = -1, r0 = 0, r1 = -1;
        double nearest = 0;
    };
    // The footprint of the box `lower`..`upper`, `clipFromModel` taking its
    // points to clip space.
    Footprint footprintOf(const double* clipFromModel, const float* lower, const float* upper) const;

    void preparePasses(const WorldObjects& objects);
    enum Fog { kAnyFog, kFogFree, kFogged };
    // The models begin..end-1 (those `fog` admits) with the state as it is.
    void drawBand(size_t begin, size_t end, Fog fog);
    // The same, those untouched by the fog drawn first with the fog off.
    void drawBandByFog(size_t begin, size_t end);
    // Reads back the depth of the squares c0..c1 (columns) by r0..r1 (rows,
    // from the bottom) into coarseDepth_.
    void readDepth(int c0, int c1, int r0, int r1);
    bool mayShow(const Footprint& footprint) const;
    void hideOccluded(size_t begin);

    std::vector<PlacedObject> placed_;
    std::vector<Instance> instances_;
    std::vector<Pass> passes_;
    std::vector<size_t> bySlot_;  // scratch of drawBand
    // The depth read back (scaled to 32 bits) and the farthest of each
    // square of the viewport, all squares not read back farthest of all.
    std::vector<uint32_t> depth_, coarseDepth_;
    std::vector<double> clipFromModel_;
    std::vector<Footprint> footprints_;
    int viewport_[4] = {};
    double fogFreeWithin_ = 0;  // of this frame; 0: no fog-free drawing
    int columns_ = 0, rows_ = 0;
};
