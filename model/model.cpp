#include "model/model.h"

#include "model/vr_reader.h"
#include "render/asset_file.h"
#include "render/texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
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
            part.texture = createMipmappedTexture("Images\\" + object.textureName);
            // Made clamped, and just bound: models repeat theirs. Set once
            // here rather than on whatever texture happens to be bound when
            // a model is drawn, which may be the sky's or the map's.
            if (hasTexture(part.texture))
                setWrapRepeat();
        }
        part.list = glGenLists(1);
        glNewList(part.list, GL_COMPILE);
        emitPolygons(GL_TRIANGLES, object.triangles, object);
        emitPolygons(GL_QUADS, object.quads, object);
        glEndList();
    }
}

void Model::draw(const float* position, const float* rotation, const float* scale) const
{
    glPushMatrix();
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
    for (ModelPart& part : parts)
        part.destroy();
    parts.clear();
    footprint = 0;
}
