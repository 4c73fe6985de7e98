#include "render/strip_mesh.h"

#include "app/render_state.h"

#include <GL/gl.h>

namespace {

// The driver keeps one locked range at a time; locking twice or unlocking
// nothing is a GL error, so the lock's holder is remembered.
const StripMesh* g_lockedMesh = nullptr;

void unlockAny()
{
    const RenderState& rs = renderState();
    if (g_lockedMesh && rs.hasCompiledArrays && rs.unlockArrays)
        rs.unlockArrays();
    g_lockedMesh = nullptr;
}

} // namespace

StripMesh::StripMesh(int stripCount, int verticesPerStrip)
{
    if (stripCount <= 0 || verticesPerStrip <= 0 || int64_t(stripCount) * verticesPerStrip > kMaxVertices)
        return;
    stripCount_ = stripCount;
    verticesPerStrip_ = verticesPerStrip;
    vertexCount_ = stripCount * verticesPerStrip;
    positions_.resize(size_t(vertexCount_) * 3);
    texCoords_.resize(size_t(vertexCount_) * 2);
}

void StripMesh::beginBuild()
{
    writeIndex_ = 0;
    currentStrip_ = 0;
    unlockAny();
}

void StripMesh::addVertex(const float position[3], float s, float t)
{
    if (writeIndex_ < 0 || writeIndex_ >= verticesPerStrip_)
        return;
    size_t slot = size_t(currentStrip_) * verticesPerStrip_ + writeIndex_;
    for (int i = 0; i < 3; ++i)
        positions_[slot * 3 + i] = position[i];
    texCoords_[slot * 2] = s;
    texCoords_[slot * 2 + 1] = t;
    ++writeIndex_;
}

void StripMesh::nextStrip()
{
    if (writeIndex_ >= 0 && currentStrip_ < stripCount_ - 1) {
        ++currentStrip_;
        writeIndex_ = 0;
    }
}

void StripMesh::endBuild()
{
    if (writeIndex_ == -1)
        return;
    writeIndex_ = -1;
    const RenderState& rs = renderState();
    if (rs.hasCompiledArrays && rs.lockArrays && vertexCount_ > 0) {
        unlockAny();
        bindArrays();
        rs.lockArrays(0, vertexCount_);
        g_lockedMesh = this;
    }
}

StripMesh::~StripMesh()
{
    if (g_lockedMesh == this)
        unlockAny();
}

void StripMesh::bindArrays()
{
    if (positions_.empty() || writeIndex_ != -1)
        return;
    glVertexPointer(3, GL_FLOAT, 0, positions_.data());
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void StripMesh::draw()
{
    // Arrays bound for some other mesh (or none) must never be drawn from.
    if (positions_.empty() || writeIndex_ != -1)
        return;
    bindArrays();
    glColor4f(1, 1, 1, 1);
    for (int i = 0; i < stripCount_; ++i)
        glDrawArrays(GL_TRIANGLE_STRIP, i * verticesPerStrip_, verticesPerStrip_);
}
