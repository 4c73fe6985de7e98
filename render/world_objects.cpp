#include "render/world_objects.h"

#include "app/random.h"
#include "render/camera.h"
#include "render/frustum.h"
#include "render/sky.h"
#include "terrain/course.h"
#include "terrain/terrain.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

struct ModelFile {
    int slot;
    const char* name;
};

constexpr ModelFile kModelFiles[] = {
    {0, "Models\\tree1.vr"}, {1, "Models\\tree2.vr"}, {2, "Models\\tree3.vr"}, {5, "Models\\bush1.vr"},
    {6, "Models\\bush2.vr"}, {7, "Models\\bush3.vr"}, {10, "Models\\baliza.vr"},
};

constexpr int kBlockHalf = 5;
constexpr float kViewReach = 120;
constexpr float kCullRadius = 10;
constexpr float kTooCloseSquared = 4;
constexpr float kFlagHalfSizeSquared = 400;

float squaredDistance(const float a[3], const float b[3])
{
    const float dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
    return dx * dx + dy * dy + dz * dz;
}

// Whether any of a model standing at p with this footprint can show: the sky
// hides whatever lies beyond its cylinder, and the side, near and far planes
// are vertical (the camera never tilts), so a footprint wholly outside one of
// them leaves the whole model outside.
bool mayShow(const float p[3], float footprint)
{
    const float* eye = cameraPosition();
    const float dx = p[0] - eye[0], dz = p[2] - eye[2];
    const float reach = kSkyRadius + footprint;
    return dx * dx + dz * dz <= reach * reach && sphereInFrustumSides(p, footprint) != 0;
}

// The model that draws `object`, or null where its slot holds none or, with
// cullUnseen, where it cannot show.
const Model* modelToDraw(const WorldObjects& objects, const PlacedObject& object, bool cullUnseen)
{
    if (object.slot < 0 || object.slot >= WorldObjects::kSlotCount)
        return nullptr;
    const Model* model = objects.slots[size_t(object.slot)].get();
    if (!model || (cullUnseen && !mayShow(object.position, model->footprint * object.scale)))
        return nullptr;
    return model;
}

// Keeps what a ModelDrawer culling the unseen would draw.
class VisibleCollector : public ObjectSink {
public:
    VisibleCollector(const WorldObjects& objects, std::vector<PlacedObject>& out) : objects_(objects), out_(out) {}

    void place(const PlacedObject& object) override
    {
        if (modelToDraw(objects_, object, true))
            out_.push_back(object);
    }

private:
    const WorldObjects& objects_;
    std::vector<PlacedObject>& out_;
};

class ModelDrawer : public ObjectSink {
public:
    // cullUnseen: skip models that cannot show, which the coarse cell test
    // with its 10-unit margin lets through by the hundred in a dense forest;
    // the driver would transform and clip them only to throw them away.
    ModelDrawer(const WorldObjects& objects, bool cullUnseen) : objects_(objects), cullUnseen_(cullUnseen) {}

    void place(const PlacedObject& object) override
    {
        const Model* model = modelToDraw(objects_, object, cullUnseen_);
        if (!model)
            return;
        const float rotation[3] = {0, object.turn, 0};
        const float scale[3] = {object.scale, object.scale, object.scale};
        model->draw(object.position, rotation, scale);
        ++drawn;
    }

    int drawn = 0;

private:
    const WorldObjects& objects_;
    bool cullUnseen_;
};

} // namespace

VegetationBounds vegetationBounds(const float eye[3], float heading, int mapSize)
{
    const int cx = int(eye[0]);
    const int cz = int(eye[2]);
    VegetationBounds b;
    b.minX = float(std::max(cx - kBlockHalf, 0));
    b.maxX = float(std::min(cx + kBlockHalf, mapSize));
    b.minZ = float(std::max(cz - kBlockHalf, 0));
    b.maxZ = float(std::min(cz + kBlockHalf, mapSize));
    for (float side : {-45.0f, 45.0f}) {
        const float angle = (heading + 90 + side) * kDegreesToRadians;
        const float px = float(cx) - std::cos(angle) * kViewReach;
        const float pz = float(cz) - std::sin(angle) * kViewReach;
        b.minX = std::min(b.minX, px);
        b.maxX = std::max(b.maxX, px);
        b.minZ = std::min(b.minZ, pz);
        b.maxZ = std::max(b.maxZ, pz);
    }
    return b;
}

void WorldObjects::clear()
{
    for (std::unique_ptr<Model>& slot : slots)
        slot.reset();
}

void WorldObjects::loadModels(const Terrain& from)
{
    release();
    terrain = &from;
    if (!renderState().hasContext)
        return;
    for (const ModelFile& file : kModelFiles) {
        slots[size_t(file.slot)] = std::make_unique<Model>();
        slots[size_t(file.slot)]->load(file.name);
    }
}

void WorldObjects::release()
{
    for (std::unique_ptr<Model>& slot : slots) {
        if (slot && renderState().hasContext)
            slot->destroy();
        slot.reset();
    }
}

void WorldObjects::draw(float heading) const
{
    drawVegetation(heading);
    drawControlFlags();
}

int WorldObjects::drawVegetation(float heading) const
{
    // The player camera leaves the projection matrix selected; the models'
    // placement belongs on the modelview.
    glMatrixMode(GL_MODELVIEW);
    ModelDrawer drawer(*this, true);
    placeVegetation(heading, drawer);
    return drawer.drawn;
}

void WorldObjects::collectVegetation(float heading, std::vector<PlacedObject>& out) const
{
    out.clear();
    VisibleCollector collector(*this, out);
    placeVegetation(heading, collector);
}

void WorldObjects::drawControlFlags() const
{
    glMatrixMode(GL_MODELVIEW);
    ModelDrawer drawer(*this, false);
    placeControlFlags(drawer);
}

void WorldObjects::placeVegetation(float heading, ObjectSink& sink) const
{
    if (!terrain)
        return;
    const int mapSize = terrain->gridSide;
    const float* eye = cameraPosition();
    const VegetationBounds b = vegetationBounds(eye, heading, mapSize);
    for (int z = int(std::floor(b.minZ)); float(z) < b.maxZ; ++z) {
        for (int x = int(std::floor(b.minX)); float(x) < b.maxX; ++x) {
            rng::seed(uint32_t(mapSize * z + x));
            const int code = terrain->objectAt(float(x), float(z));
            if (code == 0)
                continue;
            PlacedObject object;
            object.slot = code - 1;
            object.position[0] = float(x);
            object.position[1] = terrain->heightAt(float(x), float(z));
            object.position[2] = float(z);
            if (squaredDistance(eye, object.position) < kTooCloseSquared)
                continue;
            if (sphereInFrustumSides(object.position, kCullRadius) == 0)
                continue;
            object.turn = float(rng::next() % 360);
            object.scale = float((rng::next() % 25) * 0.01 + 1);
            object.position[0] = float(object.position[0] + ((rng::next() % 10) * 0.01 - 0.05));
            object.position[2] = float(object.position[2] + ((rng::next() % 10) * 0.01 - 0.05));
            sink.place(object);
        }
    }
}

void WorldObjects::placeControlFlags(ObjectSink& sink) const
{
    if (!terrain)
        return;
    const float* eye = cameraPosition();
    const int count = std::min<int>(g_nControls, Course::kMaxControls);
    for (int i = 0; i < count; ++i) {
        const Control* control = terrain->controlAt(i);
        if (!control)
            break;
        PlacedObject flag;
        flag.slot = kFlagSlot;
        flag.position[0] = control->x;
        flag.position[1] = terrain->heightAt(control->x, control->y);
        flag.position[2] = control->y;
        const float d2 = squaredDistance(flag.position, eye);
        flag.scale = std::clamp(kFlagHalfSizeSquared / (d2 + kFlagHalfSizeSquared), 0.0f, 1.0f);
        sink.place(flag);
    }
}
