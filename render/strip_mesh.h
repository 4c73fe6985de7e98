#pragma once
// A vertex-array mesh of equal-length triangle strips, each vertex a position
// and one texture coordinate pair; filled once, then drawn every frame with
// one glDrawArrays per strip. Where the driver offers compiled vertex arrays
// a finished mesh is locked so the driver may keep its transformed vertices.
#include <cstddef>
#include <cstdint>
#include <vector>

class StripMesh {
public:
    // Arrays for stripCount strips of verticesPerStrip vertices (none when
    // either is not positive or the product is unreasonably large).
    StripMesh(int stripCount, int verticesPerStrip);
    // Releases the driver's lock if this mesh holds it.
    ~StripMesh();
    StripMesh(const StripMesh&) = delete;
    StripMesh& operator=(const StripMesh&) = delete;

    // Starts (re)filling at strip 0, slot 0, releasing the driver's lock.
    void beginBuild();
    // Stores the vertex in the next slot of the current strip; ignored once
    // the strip is full.
    void addVertex(const float position[3], float s, float t);
    // Moves to the next strip; does nothing on the last one.
    void nextStrip();
    // Finishes the mesh (and locks its arrays where the driver can); a
    // finished mesh ignores it.
    void endBuild();
    // Points the vertex and texture-coordinate arrays at this mesh and
    // enables both, left enabled; only for a finished mesh.
    void bindArrays();
    // Draws every strip in white; the caller binds the texture. An unfinished
    // mesh draws nothing.
    void draw();

    int stripCount() const { return stripCount_; }
    int verticesPerStrip() const { return verticesPerStrip_; }
    int vertexCount() const { return vertexCount_; }
    bool finished() const { return writeIndex_ == -1; }
    const float* positions() const { return positions_.data(); }
    const float* texCoords() const { return texCoords_.data(); }

    // Largest vertexCount a mesh accepts.
    static constexpr int64_t kMaxVertices = int64_t(1) << 24;

private:
    int stripCount_ = 0;
    int verticesPerStrip_ = 0;
    int vertexCount_ = 0;
    int writeIndex_ = -1;
    int currentStrip_ = 0;
    std::vector<float> positions_;
    std::vector<float> texCoords_;
};
