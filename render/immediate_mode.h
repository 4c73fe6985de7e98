#pragma once
// One-line immediate-mode shortcuts for code that emits a few primitives.
#include <GL/gl.h>

inline void beginTriangleStrip() { glBegin(GL_TRIANGLE_STRIP); }
inline void beginTriangles() { glBegin(GL_TRIANGLES); }
inline void beginQuads() { glBegin(GL_QUADS); }
inline void endPrimitive() { glEnd(); }
// p is a 3-float point.
inline void vertex(const float* p) { glVertex3f(p[0], p[1], p[2]); }
inline void colouredVertex(const float* p, float r, float g, float b, float a)
{
    glColor4f(r, g, b, a);
    glVertex3f(p[0], p[1], p[2]);
}
inline void texturedVertex(const float* p, float s, float t)
{
    glTexCoord2f(s, t);
    glVertex3f(p[0], p[1], p[2]);
}
