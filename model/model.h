#pragma once
// A static model read from a .vr file: one display list, texture and flat
// colour per object of the file, drawn at a position, a single-axis rotation
// and a scale.
#include "app/render_state.h"
#include "render/vertex_buffer.h"

#include <string>
#include <vector>

struct ModelPart {
    unsigned list = 0;       // display list; 0 when none
    TextureId texture = -1;  // -1 for none
    float red = 0, green = 0, blue = 0;

    // Deletes the texture and the display list and resets the part to
    // (0, -1, 0, 0, 0). Needs the GL context.
    void destroy();
};

class Model {
public:
    // One entry per "object" of the file; parts the reader did not get to
    // keep list 0 and draw nothing.
    std::vector<ModelPart> parts;
    // Largest distance of a vertex from the vertical axis through the origin,
    // translations applied: what culling needs to know of the model's size.
    float footprint = 0;
    // Box round every vertex, translations applied (zero for an empty model).
    float lower[3] = {}, upper[3] = {};

    // The vertices of every part in one buffer object, where the driver has
    // them: each part's triangles then its quads, in part order. Of each
    // part's triangles, those open to view come first, then those of closed
    // surfaces (model/closed_surfaces.h) wound clockwise seen from outside,
    // then anticlockwise. Empty otherwise.
    VertexBuffer vertices;
    struct PartRange {
        int first = 0;      // first vertex in `vertices`
        int triangles = 0;  // vertices drawn as triangles, of them
        int clockwiseOut = 0, anticlockwiseOut = 0;  // on closed surfaces
        int quads = 0;      // vertices drawn as quads
        // Box round the part's vertices, translations applied.
        float lower[3] = {}, upper[3] = {};
    };
    std::vector<PartRange> ranges;  // one per part when `vertices` is filled

    int partCount() const { return int(parts.size()); }
    // Reads `path` (an asset name such as "Models\\tree1.vr", or an absolute
    // path) into this empty model and compiles its parts; textures come from
    // the Images folder and repeat, one per file name (parts naming the same
    // file share it). A missing or empty file leaves the model empty,
    // silently.
    void load(const std::string& path);
    // Draws every part. Each argument is three floats or null; of the
    // rotation (degrees about x, y, z) only the first non-zero angle is used.
    void draw(const float* position, const float* rotation, const float* scale) const;
    // The modelview transform draw applies: translation, the first non-zero
    // rotation angle, scale (each argument three floats or null).
    static void applyPlacement(const float* position, const float* rotation, const float* scale);
    // Part i from `vertices`: all of it, as its display list draws it, or the
    // triangles (and quads) open to view, or one kind of closed surface. The
    // caller has bound the arrays of `vertices`, the part's texture and its
    // colour.
    enum Faces { kAllFaces, kOpenFaces, kClockwiseOutFaces, kAnticlockwiseOutFaces };
    void drawPartArrays(size_t i, Faces faces = kAllFaces) const;
    // Destroys every part and leaves no parts. Needs the GL context; the
    // destructor makes no GL calls.
    void destroy();
};
