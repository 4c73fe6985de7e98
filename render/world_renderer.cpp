#include "render/world_renderer.h"

#include "app/render_state.h"
#include "render/camera.h"
#include "render/ground.h"
#include "render/sky.h"
#include "render/texture.h"
#include "render/vertex_buffer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// How many of the nearest models are drawn before the depth is read back:
// enough to hide much of the forest behind them, few enough that the
// read-back still has most of the models to spare.
constexpr size_t kFirstBandMin = 24;
constexpr size_t kFirstBandShare = 10;  // a tenth of them
// Fewer remaining models than this are not worth the wait for the read-back.
constexpr size_t kWorthTesting = 32;
// The read-back depth is kept as the farthest depth of each square of this
// many pixels a side.
constexpr int kCell = 8;
// Room for rounding between this test and the rasteriser: in world units
// round a model's box, in pixels round its outline, and in depth.
constexpr float kBoxSlack = 0.01f;
constexpr double kPixelSlack = 2;
constexpr double kDepthSlack = 1e-5;
// A box reaching this close to the eye (in view depth) is never left out,
// nor are its faces turned away culled.
constexpr double kNearestTested = 0.25;
// Room between the farthest corner of a model drawn without fog and where
// the fog starts.
constexpr double kFogSlack = 0.5;

// The model's box (grown by kBoxSlack) placed by `modelview`, as the eye
// sees it: how far in front of the eye its nearest corner lies, and how far
// from the eye its farthest corner lies, straight, which is never shorter
// than along the view: a bound of the fog's distance whichever way the
// driver measures it.
struct EyeReach {
    double nearestDepth = 1e300, farthest = 0;
};

EyeReach eyeReachOf(const float* m, const Model& model)
{
    EyeReach reach;
    for (int corner = 0; corner < 8; ++corner) {
        double p[3], eye[3];
        for (int k = 0; k < 3; ++k)
            p[k] = (corner >> k & 1) ? double(model.upper[k]) + kBoxSlack : double(model.lower[k]) - kBoxSlack;
        for (int r = 0; r < 3; ++r)
            eye[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
        reach.nearestDepth = std::min(reach.nearestDepth, -eye[2]);
        reach.farthest = std::max(reach.farthest, eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    }
    reach.farthest = std::sqrt(reach.farthest);
    return reach;
}

// Whether `modelview` keeps the winding of faces (no mirror turns them).
bool keepsWinding(const float* m)
{
    const double determinant = double(m[0]) * (double(m[5]) * m[10] - double(m[6]) * m[9]) -
                               double(m[4]) * (double(m[1]) * m[10] - double(m[2]) * m[9]) +
                               double(m[8]) * (double(m[1]) * m[6] - double(m[2]) * m[5]);
    return determinant > 0;
}

// How near to the eye everything is untouched by the fog: where linear fog
// starts (its factor is clamped to exactly 1 before that), with some room;
// 0 when the fog is off or of another kind.
double fogFreeDistance()
{
    if (!glIsEnabled(GL_FOG))
        return 0;
    GLint mode = 0, source = 0;
    GLfloat start = 0;
    glGetIntegerv(GL_FOG_MODE, &mode);
    glGetIntegerv(GL_FOG_COORD_SRC, &source);
    glGetFloatv(GL_FOG_START, &start);
    if (mode != GL_LINEAR || source != GL_FRAGMENT_DEPTH)
        return 0;
    return std::max(0.0, double(start) - kFogSlack);
}

} // namespace

void WorldRenderer::preparePasses(const WorldObjects& objects)
{
    passes_.clear();
    for (int slot = 0; slot < WorldObjects::kSlotCount; ++slot) {
        const Model* model = objects.slots[size_t(slot)].get();
        if (slot == WorldObjects::kFlagSlot || !model)
            continue;
        // Runs of parts with one texture, in part order; parts the reader
        // never filled draw nothing and do not end a run. Indices rather than
        // lists of parts: this runs every frame and allocates nothing.
        for (size_t i = 0; i < model->parts.size(); ++i) {
            if (model->parts[i].list == 0)
                continue;
            if (passes_.empty() || passes_.back().model != model || passes_.back().texture != model->parts[i].texture)
                passes_.push_back(Pass{model, slot, model->parts[i].texture, i, i + 1});
            else
                passes_.back().end = i + 1;
        }
    }
}

void WorldRenderer::drawBand(size_t begin, size_t end, Fog fog)
{
    // A new colour or texture costs the driver a copy of its whole fragment
    // state, so each is set once per band: part by part, every model of the
    // band, which keeps each model's parts in their order. So that each
    // part visits only its own model's instances, the band's instances are
    // first listed by slot, each slot's in the band's order.
    int starts[WorldObjects::kSlotCount + 1] = {};
    for (size_t i = begin; i < end; ++i)
        ++starts[instances_[i].slot + 1];
    for (int slot = 0; slot < WorldObjects::kSlotCount; ++slot)
        starts[slot + 1] += starts[slot];
    bySlot_.resize(end - begin);
    int filled[WorldObjects::kSlotCount] = {};
    for (size_t i = begin; i < end; ++i) {
        const int slot = instances_[i].slot;
        bySlot_[size_t(starts[slot] + filled[slot]++)] = i;
    }

    glPushMatrix();
    for (const Pass& pass : passes_) {
        bool started = false;
        for (size_t part = pass.first; part < pass.end; ++part) {
            if (pass.model->parts[part].list == 0)
                continue;
            const Model::PartRange& range = pass.model->ranges[part];
            const bool noneOpen =
                range.triangles == range.clockwiseOut + range.anticlockwiseOut && range.quads == 0;
            bool coloured = false;
            // First what is open to view (all of a model too near to cull),
            // then the closed surfaces, their faces turned away culled.
            for (Model::Faces faces :
                 {Model::kOpenFaces, Model::kClockwiseOutFaces, Model::kAnticlockwiseOutFaces}) {
                const bool closed = faces != Model::kOpenFaces;
                if ((faces == Model::kClockwiseOutFaces && range.clockwiseOut == 0) ||
                    (faces == Model::kAnticlockwiseOutFaces && range.anticlockwiseOut == 0))
                    continue;
                bool culling = false;
                for (int k = starts[pass.slot]; k < starts[pass.slot + 1]; ++k) {
                    const Instance& instance = instances_[bySlot_[size_t(k)]];
                    if ((part < 32 && (instance.hiddenParts >> part & 1)) ||
                        (fog != kAnyFog && instance.fogFree != (fog == kFogFree)) ||
                        (closed ? !instance.cullBackFaces : instance.cullBackFaces && noneOpen))
                        continue;
                    if (!started) {
                        bindTexture(pass.texture);
                        pass.model->vertices.bindArrays();
                        started = true;
                    }
                    if (!coloured) {
                        const ModelPart& p = pass.model->parts[part];
                        glColor4f(p.red, p.green, p.blue, 1.0f);
                        coloured = true;
                    }
                    if (closed && !culling) {
                        glFrontFace(faces == Model::kClockwiseOutFaces ? GL_CW : GL_CCW);
                        glCullFace(GL_BACK);
                        glEnable(GL_CULL_FACE);
                        culling = true;
                    }
                    glLoadMatrixf(instance.modelview);
                    pass.model->drawPartArrays(part, closed || instance.cullBackFaces ? faces : Model::kAllFaces);
                }
                if (culling)
                    glDisable(GL_CULL_FACE);
            }
        }
    }
    glPopMatrix();
}

void WorldRenderer::drawBandByFog(size_t begin, size_t end)
{
    if (fogFreeWithin_ <= 0) {
        drawBand(begin, end, kAnyFog);
        return;
    }
    // What the fog does not reach looks the same without it, and costs the
    // rasteriser less per pixel.
    glDisable(GL_FOG);
    drawBand(begin, end, kFogFree);
    glEnable(GL_FOG);
    drawBand(begin, end, kFogged);
}

WorldRenderer::Footprint WorldRenderer::footprintOf(const double* m, const float* lower, const float* upper) const
{
    const int width = viewport_[2], height = viewport_[3];
    // The corners in clip space: one corner and the three edges from it.
    double base[4], edge[3][4];
    const double low[3] = {double(lower[0]) - kBoxSlack, double(lower[1]) - kBoxSlack, double(lower[2]) - kBoxSlack};
    for (int r = 0; r < 4; ++r) {
        base[r] = m[r] * low[0] + m[4 + r] * low[1] + m[8 + r] * low[2] + m[12 + r];
        for (int k = 0; k < 3; ++k)
            edge[k][r] = m[4 * k + r] * (double(upper[k]) + kBoxSlack - low[k]);
    }
    Footprint f;
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300, nearest = 1e300;
    for (int corner = 0; corner < 8; ++corner) {
        double clip[4];
        for (int r = 0; r < 4; ++r)
            clip[r] = base[r] + ((corner & 1) ? edge[0][r] : 0) + ((corner & 2) ? edge[1][r] : 0) +
                      ((corner & 4) ? edge[2][r] : 0);
        if (clip[3] < kNearestTested)
            return f;
        const double x = (clip[0] / clip[3] + 1) * 0.5 * width, y = (clip[1] / clip[3] + 1) * 0.5 * height;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
        nearest = std::min(nearest, (clip[2] / clip[3] + 1) * 0.5);
    }
    const int columns = (width + kCell - 1) / kCell, rows = (height + kCell - 1) / kCell;
    f.tested = true;
    f.c0 = std::max(0, int(std::floor((left - kPixelSlack) / kCell)));
    f.c1 = std::min(columns - 1, int(std::floor((right + kPixelSlack) / kCell)));
    f.r0 = std::max(0, int(std::floor((bottom - kPixelSlack) / kCell)));
    f.r1 = std::min(rows - 1, int(std::floor((top + kPixelSlack) / kCell)));
    f.nearest = nearest;
    return f;
}

void WorldRenderer::readDepth(int c0, int c1, int r0, int r1)
{
    const int width = viewport_[2], height = viewport_[3];
    columns_ = (width + kCell - 1) / kCell, rows_ = (height + kCell - 1) / kCell;
    // Squares not read back hide nothing.
    coarseDepth_.assign(size_t(columns_) * size_t(rows_), UINT32_MAX);
    if (c0 > c1 || r0 > r1)
        return;
    const int x0 = c0 * kCell, y0 = r0 * kCell;
    const int w = std::min(width, (c1 + 1) * kCell) - x0, h = std::min(height, (r1 + 1) * kCell) - y0;
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    depth_.resize(size_t(w) * size_t(h));
    // As unsigned integers: the driver copies its depth bits almost as they
    // are, several times faster than it converts them to floats.
    glReadPixels(viewport_[0] + x0, viewport_[1] + y0, w, h, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth_.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);

    for (int r = r0; r <= r1; ++r)
        std::fill_n(&coarseDepth_[size_t(r) * size_t(columns_) + size_t(c0)], c1 - c0 + 1, 0);
    const int wholeSquares = w / kCell;
    for (int y = 0; y < h; ++y) {
        const uint32_t* line = &depth_[size_t(y) * size_t(w)];
        uint32_t* cells = &coarseDepth_[size_t(r0 + y / kCell) * size_t(columns_) + size_t(c0)];
        for (int c = 0; c < wholeSquares; ++c) {
            uint32_t farthest = cells[c];
            for (int x = 0; x < kCell; ++x)
                farthest = std::max(farthest, line[c * kCell + x]);
            cells[c] = farthest;
        }
        for (int x = wholeSquares * kCell; x < w; ++x)
            cells[wholeSquares] = std::max(cells[wholeSquares], line[x]);
    }
}

bool WorldRenderer::mayShow(const Footprint& f) const
{
    if (!f.tested)
        return true;
    // Behind everything drawn where it would show (or off the screen).
    const double threshold = (f.nearest - kDepthSlack) * double(UINT32_MAX);
    for (int r = f.r0; r <= f.r1; ++r) {
        const uint32_t* cells = &coarseDepth_[size_t(r) * size_t(columns_)];
        for (int c = f.c0; c <= f.c1; ++c)
            if (double(cells[c]) >= threshold)
                return true;
    }
    return false;
}

void WorldRenderer::hideOccluded(size_t begin)
{
    glGetIntegerv(GL_VIEWPORT, viewport_);
    const int width = viewport_[2], height = viewport_[3];
    if (width <= 0 || height <= 0)
        return;
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // Every box is placed on the screen before the depth is read back, and
    // only the squares they touch are read.
    const size_t count = instances_.size() - begin;
    clipFromModel_.resize(16 * count);
    footprints_.resize(count);
    int c0 = INT32_MAX, c1 = -1, r0 = INT32_MAX, r1 = -1;
    for (size_t i = 0; i < count; ++i) {
        const Instance& instance = instances_[begin + i];
        double* m = &clipFromModel_[16 * i];
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                m[4 * c + r] = double(projection[r]) * instance.modelview[4 * c] +
                               double(projection[4 + r]) * instance.modelview[4 * c + 1] +
                               double(projection[8 + r]) * instance.modelview[4 * c + 2] +
                               double(projection[12 + r]) * instance.modelview[4 * c + 3];
        const Footprint& f = footprints_[i] =
            footprintOf(m, instance.model->lower, instance.model->upper);
        if (f.tested && f.c0 <= f.c1 && f.r0 <= f.r1) {
            c0 = std::min(c0, f.c0), c1 = std::max(c1, f.c1);
            r0 = std::min(r0, f.r0), r1 = std::max(r1, f.r1);
        }
    }
    readDepth(c0, c1, r0, r1);

    size_t kept = begin;
    for (size_t i = 0; i < count; ++i) {
        Instance& instance = instances_[begin + i];
        const Model& model = *instance.model;
        bool shows = mayShow(footprints_[i]);
        // A model partly hidden may still have whole parts hidden (a trunk
        // behind a rise, a crown behind a nearer model).
        const size_t parts = model.ranges.size();
        if (shows && parts > 1 && parts <= 32) {
            shows = false;
            for (size_t part = 0; part < parts; ++part) {
                const Model::PartRange& range = model.ranges[part];
                if (mayShow(footprintOf(&clipFromModel_[16 * i], range.lower, range.upper)))
                    shows = true;
                else
                    instance.hiddenParts |= uint32_t(1) << part;
            }
        }
        if (shows)
            instances_[kept++] = instance;
        else
            ++modelsHidden;
    }
    instances_.resize(kept);
}

bool WorldRenderer::draw(const Ground& ground, const WorldObjects& objects, float heading, int layers)
{
    modelsDrawn = modelsHidden = 0;
    const RenderState& rs = renderState();
    if (!rs.hasVertexBuffers)
        return false;
    for (int slot = 0; slot < WorldObjects::kSlotCount; ++slot) {
        const Model* model = objects.slots[size_t(slot)].get();
        if (slot != WorldObjects::kFlagSlot && model && !model->parts.empty() && model->vertices.empty())
            return false;
    }
    glMatrixMode(GL_MODELVIEW);
    const bool blending = glIsEnabled(GL_BLEND);
    GLint depthFunc = GL_LEQUAL, frontFace = GL_CCW;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    glDisable(GL_BLEND);
    // Outlines would show the faces turned away.
    GLint polygonModes[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, polygonModes);
    const bool filled = polygonModes[0] == GL_FILL && polygonModes[1] == GL_FILL;
    fogFreeWithin_ = fogFreeDistance();

    instances_.clear();
    if (layers & kVegetation) {
        preparePasses(objects);
        objects.collectVegetation(heading, placed_);
        const float* eye = cameraPosition();
        for (const PlacedObject& object : placed_) {
            Instance instance;
            instance.model = objects.slots[size_t(object.slot)].get();
            instance.slot = object.slot;
            const float dx = object.position[0] - eye[0], dz = object.position[2] - eye[2];
            instance.distanceSquared = dx * dx + dz * dz;
            const float rotation[3] = {0, object.turn, 0};
            const float scale[3] = {object.scale, object.scale, object.scale};
            glPushMatrix();
            Model::applyPlacement(object.position, rotation, scale);
            glGetFloatv(GL_MODELVIEW_MATRIX, instance.modelview);
            glPopMatrix();
            // A box wholly beyond the near plane has the eye outside each
            // closed surface of the model, none of them cut open: their
            // faces turned away lie behind faces turned towards the eye.
            const EyeReach reach = eyeReachOf(instance.modelview, *instance.model);
            instance.cullBackFaces =
                filled && reach.nearestDepth >= kNearestTested && keepsWinding(instance.modelview);
            instance.fogFree = fogFreeWithin_ > 0 && reach.farthest <= fogFreeWithin_;
            instances_.push_back(instance);
        }
        std::stable_sort(instances_.begin(), instances_.end(), [](const Instance& a, const Instance& b) {
            return a.distanceSquared < b.distanceSquared;
        });
    }
    const size_t firstBand = std::min(instances_.size(), std::max(kFirstBandMin, instances_.size() / kFirstBandShare));
    drawBandByFog(0, firstBand);

    if (layers & kGround) {
        bindTexture(ground.grassTexture);
        // Behind the models drawn already, as if drawn before them.
        glDepthFunc(GL_LESS);
        // Seen from above, each back face of the ground lies behind a front one.
        const bool cullBack = ground.eyeAboveGround();
        if (cullBack) {
            glFrontFace(GL_CCW);
            glCullFace(GL_BACK);
            glEnable(GL_CULL_FACE);
        }
        ground.drawVisibleRuns(float(fogFreeWithin_));
        if (cullBack)
            glDisable(GL_CULL_FACE);
        glDepthFunc(depthFunc);
        bindTexture(-1);
    }

    if (instances_.size() - firstBand >= kWorthTesting)
        hideOccluded(firstBand);
    // The rest in one band: a band costs a colour and texture change per part,
    // more than the few fragments a finer near-to-far order saves behind the
    // read-back.
    drawBandByFog(firstBand, instances_.size());
    VertexBuffer::unbind();
    glFrontFace(GLenum(frontFace));
    modelsDrawn = int(instances_.size());

    if (layers & kSky) {
        // Behind whatever is drawn, as if drawn before it.
        glDepthFunc(GL_LESS);
        drawPendingSky();
        glDepthFunc(depthFunc);
    }
    if (blending)
        glEnable(GL_BLEND);
    if (layers & kFlags)
        objects.drawControlFlags();
    return true;
}
