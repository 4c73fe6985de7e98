#pragma once
// The models in the world: the trees and bushes the ObjectGrid asks for
// around and ahead of the runner, and a control flag at every course point.
// Vegetation is never stored as a list: each frame scans the cells in view
// and re-seeds the shared generator from each cell's index, so a tree keeps
// its turn, size and offset from frame to frame. Lives in the Terrain.
#include "model/model.h"

#include <array>
#include <memory>
#include <vector>

struct Terrain;

// One model to draw this frame.
struct PlacedObject {
    int slot = 0;             // model slot, 0 ... 10
    float position[3] = {};   // world position of the model's origin
    float turn = 0;           // degrees about +Y
    float scale = 1;          // the same on all three axes
};

// Receives the objects of a frame in drawing order.
class ObjectSink {
public:
    virtual ~ObjectSink() = default;
    virtual void place(const PlacedObject& object) = 0;
};

// The cells a frame scans: a 10 x 10 block round the eye's cell, clamped to
// the map, widened (unclamped) to the points 120 units away at 45 degrees
// either side of `heading`.
struct VegetationBounds {
    float minX = 0, maxX = 0, minZ = 0, maxZ = 0;
};
VegetationBounds vegetationBounds(const float eye[3], float heading, int mapSize);

struct WorldObjects {
    static constexpr int kSlotCount = 11;
    static constexpr int kFlagSlot = 10;
    // Object code k of the ObjectGrid selects slot k - 1; 3, 4, 8 and 9 stay empty.
    std::array<std::unique_ptr<Model>, kSlotCount> slots;
    const Terrain* terrain = nullptr;  // heights, object codes and course come from here

    // Forgets every model without GL calls (for a context that is gone).
    void clear();
    // Keeps `from` and loads the tree, bush and flag models, releasing those
    // of an earlier call first. Needs the GL context (without one it loads
    // nothing).
    void loadModels(const Terrain& from);
    // Destroys every model (display lists and textures) and empties the slots.
    void release();
    // The vegetation, then the control flags; after the ground and the camera
    // update. `heading` is the runner's, in degrees.
    void draw(float heading) const;
    // The two halves of draw. Vegetation that cannot show (beyond the sky's
    // cylinder, or wholly outside the view by its model's footprint) is
    // placed, and draws its numbers, but is not handed to the driver.
    // Returns how many models it drew.
    int drawVegetation(float heading) const;
    void drawControlFlags() const;

    // What draw draws, in order, handed to `sink` instead. Vegetation
    // re-seeds the shared generator for every cell scanned and leaves it as
    // the last cell left it.
    void placeVegetation(float heading, ObjectSink& sink) const;
    // A flag at every course point in use, the start included, full size at
    // the eye and half size 20 units away; never culled.
    void placeControlFlags(ObjectSink& sink) const;
    // The vegetation drawVegetation hands to the driver, in its order,
    // appended to `out` (cleared first); draws the same numbers from the
    // shared generator.
    void collectVegetation(float heading, std::vector<PlacedObject>& out) const;
};
