#include "model/model.h"

#include "model/closed_surfaces.h"
#include "model/vr_reader.h"
#include "render/asset_file.h"
#include "render/texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string readWholeFile(const std::string& path)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    std::string text;
    if (!file)
        return text;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, n);
    return text;
}

void emitPolygons(GLenum mode, const std::vector<VrVertex>& vertices, const VrObject& object)
{
    if (vertices.empty())
        return;
    const float* t = object.translation;
    glBegin(mode);
    for (const VrVertex& v : vertices) {
        if (object.textured)
            glTexCoord2f(v.s, v.t);
        glVertex3f(v.x + t[0], v.y + t[1], v.z + t[2]);
    }
    glEnd();
}

float widestFrom(float widest, const std::vector<VrVertex>& vertices, const float translation[3])
{
    for (const VrVertex& v : vertices)
        widest = std::max(widest, std::hypot(v.x + translation[0], v.z + translation[2]));
    return widest;
}

// Where the display list places the vertex: translated.
std::array<float, 3> placed(const VrVertex& v, const VrObject& object)
{
    const float* t = object.translation;
    return {v.x + t[0], v.y + t[1], v.z + t[2]};
}

// Appends the vertex as the display list places it; untextured ones get
// texture coordinates 0, which nothing reads with texturing off.
void appendVertex(std::vector<float>& out, const VrVertex& v, const VrObject& object)
{
    const std::array<float, 3> p = placed(v, object);
    out.insert(out.end(), {p[0], p[1], p[2], object.textured ? v.s : 0, object.textured ? v.t : 0});
}

// The corners of every triangle of the objects read, placed, in order.
std::vector<float> triangleCorners(const std::vector<VrObject>& objects)
{
    std::vector<float> corners;
    for (const VrObject& object : objects) {
        if (!object.read)
            break;
        for (const VrVertex& v : object.triangles) {
            const std::array<float, 3> p = placed(v, object);
            corners.insert(corners.end(), p.begin(), p.end());
        }
    }
    return corners;
}

} // namespace

void ModelPart::destroy()
{
    if (hasTexture(texture))
        deleteTexture(texture);
    // The list is this part's alone; leaving it would leak one per course.
    if (list != 0)
        glDeleteLists(list, 1);
    *this = ModelPart{};
}

void Model::load(const std::string& path)
{
    const std::string text = readWholeFile(resolveAssetFile(path));
    if (text.empty())
        return;
    std::vector<VrObject> objects = readVrObjects(text.data(), text.size());
    parts.assign(objects.size(), ModelPart{});
    std::map<std::string, TextureId> texturesByName;
    std::vector<float> arrays;
    ranges.assign(objects.size(), PartRange{});
    bool bounded = false;
    const std::vector<Facing> facing = classifyTriangles(triangleCorners(objects));
    size_t triangle = 0;  // of the whole model, indexing `facing`
    for (size_t i = 0; i < objects.size(); ++i) {
        const VrObject& object = objects[i];
        if (!object.read)
            break;
        footprint = widestFrom(widestFrom(footprint, object.triangles, object.translation), object.quads,
                               object.translation);
        ModelPart& part = parts[i];
        part.red = object.colour[0];
        part.green = object.colour[1];
        part.blue = object.colour[2];
        if (!object.textureName.empty()) {
            auto known = texturesByName.find(object.textureName);
            if (known != texturesByName.end()) {
                part.texture = known->second;
            } else {
                part.texture = createMipmappedTexture("Images\\" + object.textureName);
                // Made clamped, and just bound: models repeat theirs. Set once
                // here rather than on whatever texture happens to be bound when
                // a model is drawn, which may be the sky's or the map's.
                if (hasTexture(part.texture))
                    setWrapRepeat();
                texturesByName.emplace(object.textureName, part.texture);
            }
        }
        part.list = glGenLists(1);
        glNewList(part.list, GL_COMPILE);
        emitPolygons(GL_TRIANGLES, object.triangles, object);
        emitPolygons(GL_QUADS, object.quads, object);
        glEndList();

        PartRange& range = ranges[i];
        range.first = int(arrays.size()) / VertexBuffer::kFloatsPerVertex;
        range.triangles = int(object.triangles.size());
        range.quads = int(object.quads.size());
        // Triangles open to view first, then those of closed surfaces, by
        // the way they face.
        for (Facing kind : {Facing::kOpen, Facing::kClockwiseOut, Facing::kAnticlockwiseOut}) {
            int vertices = 0;
            for (size_t k = 0; k + 2 < object.triangles.size(); k += 3)
                if (facing[triangle + k / 3] == kind) {
                    for (size_t c = k; c < k + 3; ++c)
                        appendVertex(arrays, object.triangles[c], object);
                    vertices += 3;
                }
            if (kind == Facing::kClockwiseOut)
                range.clockwiseOut = vertices;
            else if (kind == Facing::kAnticlockwiseOut)
                range.anticlockwiseOut = vertices;
        }
        triangle += object.triangles.size() / 3;
        for (const VrVertex& v : object.quads)
            appendVertex(arrays, v, object);
        bool partBounded = false;
        for (const std::vector<VrVertex>* list : {&object.triangles, &object.quads})
            for (const VrVertex& v : *list) {
                const std::array<float, 3> p = placed(v, object);
                for (size_t k = 0; k < 3; ++k) {
                    lower[k] = bounded ? std::min(lower[k], p[k]) : p[k];
                    upper[k] = bounded ? std::max(upper[k], p[k]) : p[k];
                    range.lower[k] = partBounded ? std::min(range.lower[k], p[k]) : p[k];
                    range.upper[k] = partBounded ? std::max(range.upper[k], p[k]) : p[k];
                }
                bounded = partBounded = true;
            }
    }
    if (!vertices.upload(arrays.data(), arrays.size() * sizeof(float)))
        ranges.clear();
}

void Model::drawPartArrays(size_t i, Faces faces) const
{
    if (i >= ranges.size())
        return;
    const PartRange& r = ranges[i];
    const int open = r.triangles - r.clockwiseOut - r.anticlockwiseOut;
    int first = r.first, count = 0;
    switch (faces) {
    case kAllFaces: count = r.triangles; break;
    case kOpenFaces: count = open; break;
    case kClockwiseOutFaces: first += open, count = r.clockwiseOut; break;
    case kAnticlockwiseOutFaces: first += open + r.clockwiseOut, count = r.anticlockwiseOut; break;
    }
    if (count > 0)
        glDrawArrays(GL_TRIANGLES, first, count);
    if ((faces == kAllFaces || faces == kOpenFaces) && r.quads > 0)
        glDrawArrays(GL_QUADS, r.first + r.triangles, r.quads);
}

void Model::applyPlacement(const float* position, const float* rotation, const float* scale)
{
    if (position)
        glTranslatef(position[0], position[1], position[2]);
    if (rotation) {
        if (rotation[0] != 0)
            glRotatef(rotation[0], 1, 0, 0);
        else if (rotation[1] != 0)
            glRotatef(rotation[1], 0, 1, 0);
        else if (rotation[2] != 0)
            glRotatef(rotation[2], 0, 0, 1);
    }
    if (scale)
        glScalef(scale[0], scale[1], scale[2]);
}

void Model::draw(const float* position, const float* rotation, const float* scale) const
{
    glPushMatrix();
    applyPlacement(position, rotation, scale);
    for (const ModelPart& part : parts) {
        // A part the reader counted but never filled has no list; calling
        // list 0 raises a GL error on every draw.
        if (part.list == 0)
            continue;
        bindTexture(part.texture);
        glColor4f(part.red, part.green, part.blue, 1.0f);
        glCallList(part.list);
    }
    glPopMatrix();
}

void Model::destroy()
{
    // A texture shared by several parts is deleted with the first of them.
    for (size_t i = 0; i < parts.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (parts[j].texture == parts[i].texture)
                parts[i].texture = -1;
    for (ModelPart& part : parts)
        part.destroy();
    parts.clear();
    footprint = 0;
    for (int k = 0; k < 3; ++k)
        lower[k] = upper[k] = 0;
    vertices.release();
    ranges.clear();
}
