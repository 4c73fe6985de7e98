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
// Distance bands of the remaining models.
constexpr size_t kBands = 3;
// The read-back depth is kept as the farthest depth of each square of this
// many pixels a side.
constexpr int kCell = 8;
// Room for rounding between this test and the rasteriser: in world units
// round a model's box, in pixels round its outline, and in depth.
constexpr float kBoxSlack = 0.01f;
constexpr double kPixelSlack = 2;
constexpr double kDepthSlack = 1e-5;
// A box reaching this close to the eye (in view depth) is never left out.
constexpr double kNearestTested = 0.25;

} // namespace

void WorldRenderer::preparePasses(const WorldObjects& objects)
{
    passes_.clear();
    for (int slot = 0; slot < WorldObjects::kSlotCount; ++slot) {
        const Model* model = objects.slots[size_t(slot)].get();
        if (slot == WorldObjects::kFlagSlot || !model)
            continue;
        // Runs of parts with one texture, in part order; parts the reader
        // never filled draw nothing.
        for (size_t i = 0; i < model->parts.size(); ++i) {
            if (model->parts[i].list == 0)
                continue;
            if (passes_.empty() || passes_.back().model != model || passes_.back().texture != model->parts[i].texture)
                passes_.push_back(Pass{model, model->parts[i].texture, {}});
            passes_.back().parts.push_back(i);
        }
    }
}

void WorldRenderer::drawBand(size_t begin, size_t end)
{
    // A new colour or texture costs the driver a copy of its whole fragment
    // state, so each is set once per band: part by part, every model of the
    // band, which keeps each model's parts in their order.
    glPushMatrix();
    for (const Pass& pass : passes_) {
        bool started = false;
        for (size_t part : pass.parts) {
            bool coloured = false;
            for (size_t i = begin; i < end; ++i) {
                const Instance& instance = instances_[i];
                if (instance.model != pass.model)
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
                glLoadMatrixf(instance.modelview);
                pass.model->drawPartArrays(part);
            }
        }
    }
    glPopMatrix();
}

void WorldRenderer::hideOccluded(size_t begin)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    if (width <= 0 || height <= 0)
        return;
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    depth_.resize(size_t(width) * size_t(height));
    glReadPixels(viewport[0], viewport[1], width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth_.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);

    const int columns = (width + kCell - 1) / kCell, rows = (height + kCell - 1) / kCell;
    coarseDepth_.assign(size_t(columns) * size_t(rows), 0.0f);
    for (int y = 0; y < height; ++y) {
        const float* line = &depth_[size_t(y) * size_t(width)];
        float* cells = &coarseDepth_[size_t(y / kCell) * size_t(columns)];
        for (int x = 0; x < width; ++x)
            cells[x / kCell] = std::max(cells[x / kCell], line[x]);
    }

    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    size_t kept = begin;
    for (size_t i = begin; i < instances_.size(); ++i) {
        const Instance& instance = instances_[i];
        const Model& model = *instance.model;
        const float* m = instance.modelview;
        double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300, nearest = 1e300;
        bool tested = true;
        for (int corner = 0; corner < 8 && tested; ++corner) {
            const double p[3] = {(corner & 1) ? model.upper[0] + kBoxSlack : model.lower[0] - kBoxSlack,
                                 (corner & 2) ? model.upper[1] + kBoxSlack : model.lower[1] - kBoxSlack,
                                 (corner & 4) ? model.upper[2] + kBoxSlack : model.lower[2] - kBoxSlack};
            double eye[4], clip[4];
            for (int r = 0; r < 4; ++r)
                eye[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
            for (int r = 0; r < 4; ++r)
                clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] + projection[8 + r] * eye[2] +
                          projection[12 + r] * eye[3];
            if (clip[3] < kNearestTested) {
                tested = false;
                break;
            }
            const double x = (clip[0] / clip[3] + 1) * 0.5 * width, y = (clip[1] / clip[3] + 1) * 0.5 * height;
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
            nearest = std::min(nearest, (clip[2] / clip[3] + 1) * 0.5);
        }
        bool hidden = false;
        if (tested) {
            const int c0 = std::max(0, int(std::floor((left - kPixelSlack) / kCell)));
            const int c1 = std::min(columns - 1, int(std::floor((right + kPixelSlack) / kCell)));
            const int r0 = std::max(0, int(std::floor((bottom - kPixelSlack) / kCell)));
            const int r1 = std::min(rows - 1, int(std::floor((top + kPixelSlack) / kCell)));
            // Wholly off the screen, or behind everything drawn where it would show.
            float farthest = 0;
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c)
                    farthest = std::max(farthest, coarseDepth_[size_t(r) * size_t(columns) + size_t(c)]);
            hidden = c0 > c1 || r0 > r1 || nearest - kDepthSlack > double(farthest);
        }
        if (hidden)
            ++modelsHidden;
        else
            instances_[kept++] = instance;
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
    GLint depthFunc = GL_LEQUAL;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glDisable(GL_BLEND);

    instances_.clear();
    if (layers & kVegetation) {
        preparePasses(objects);
        objects.collectVegetation(heading, placed_);
        const float* eye = cameraPosition();
        for (const PlacedObject& object : placed_) {
            Instance instance;
            instance.model = objects.slots[size_t(object.slot)].get();
            const float dx = object.position[0] - eye[0], dz = object.position[2] - eye[2];
            instance.distanceSquared = dx * dx + dz * dz;
            const float rotation[3] = {0, object.turn, 0};
            const float scale[3] = {object.scale, object.scale, object.scale};
            glPushMatrix();
            Model::applyPlacement(object.position, rotation, scale);
            glGetFloatv(GL_MODELVIEW_MATRIX, instance.modelview);
            glPopMatrix();
            instances_.push_back(instance);
        }
        std::stable_sort(instances_.begin(), instances_.end(), [](const Instance& a, const Instance& b) {
            return a.distanceSquared < b.distanceSquared;
        });
    }
    const size_t firstBand = std::min(instances_.size(), std::max(kFirstBandMin, instances_.size() / kFirstBandShare));
    drawBand(0, firstBand);

    if (layers & kGround) {
        bindTexture(ground.grassTexture);
        setWrapRepeat();
        // Behind the models drawn already, as if drawn before them.
        glDepthFunc(GL_LESS);
        // Seen from above, each back face of the ground lies behind a front one.
        const bool cullBack = ground.eyeAboveGround();
        if (cullBack) {
            glFrontFace(GL_CCW);
            glCullFace(GL_BACK);
            glEnable(GL_CULL_FACE);
        }
        ground.drawVisibleRuns();
        if (cullBack)
            glDisable(GL_CULL_FACE);
        glDepthFunc(depthFunc);
        bindTexture(-1);
    }

    if (instances_.size() - firstBand >= kWorthTesting)
        hideOccluded(firstBand);
    const size_t rest = instances_.size() - firstBand;
    for (size_t band = 0; band < kBands; ++band)
        drawBand(firstBand + rest * band / kBands, firstBand + rest * (band + 1) / kBands);
    VertexBuffer::unbind();
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
