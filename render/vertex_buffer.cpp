#include "render/vertex_buffer.h"

#include "app/render_state.h"

#include <GL/gl.h>
#include <GL/glext.h>

bool VertexBuffer::upload(const void* data, size_t bytes)
{
    const RenderState& rs = renderState();
    release();
    if (!rs.hasVertexBuffers || !rs.hasContext || bytes == 0)
        return false;
    rs.genBuffers(1, &name_);
    rs.bindBuffer(GL_ARRAY_BUFFER, name_);
    rs.bufferData(GL_ARRAY_BUFFER, std::ptrdiff_t(bytes), data, GL_STATIC_DRAW);
    rs.bindBuffer(GL_ARRAY_BUFFER, 0);
    return true;
}

void VertexBuffer::bindArrays() const
{
    constexpr GLsizei stride = kFloatsPerVertex * sizeof(float);
    renderState().bindBuffer(GL_ARRAY_BUFFER, name_);
    glVertexPointer(3, GL_FLOAT, stride, nullptr);
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void VertexBuffer::unbind()
{
    const RenderState& rs = renderState();
    if (rs.hasVertexBuffers)
        rs.bindBuffer(GL_ARRAY_BUFFER, 0);
}

void VertexBuffer::release()
{
    const RenderState& rs = renderState();
    if (name_ != 0 && rs.hasVertexBuffers && rs.hasContext)
        rs.deleteBuffers(1, &name_);
    name_ = 0;
}
