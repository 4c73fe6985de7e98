#pragma once
// A vertex buffer object filled once and drawn from many times: x, y, z, s,
// t floats per vertex. Needs the GL context and RenderState::hasVertexBuffers
// for every call except empty(); the destructor makes no GL calls, so owners
// release it while the context lives.
#include <cstddef>

class VertexBuffer {
public:
    static constexpr int kFloatsPerVertex = 5;

    // Uploads `bytes` bytes, replacing an earlier upload; false (and empty)
    // when the driver has no buffer objects.
    bool upload(const void* data, size_t bytes);
    // Makes it the array buffer and points the vertex and texture-coordinate
    // arrays into it, both enabled.
    void bindArrays() const;
    // Back to client-side arrays.
    static void unbind();
    // Deletes the buffer object.
    void release();
    bool empty() const { return name_ == 0; }

private:
    unsigned name_ = 0;
};
