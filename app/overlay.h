#pragma once
// 2D drawing over the 3D view in the virtual 640 x 480 screen (origin top-
// left, y down) whatever the window size. The quads set up and restore their
// own projection, so they work inside or outside beginOverlay/endOverlay,
// and all of them leave the depth test on.
#include "app/render_state.h"

#include <cstdint>

// Enters the 640 x 480 mode the text functions draw in.
void beginOverlay();
// Leaves it, restoring both matrices and the texture and enable state.
void endOverlay();

// The texture (-1: a white rectangle) over x - 1 ... x - 1 + width and
// y - 1 ... y - 1 + height, turned clockwise by `angle` degrees about its
// centre; texture coordinate t = 0 is on the top edge.
void drawImage(float x, float y, float width, float height, TextureId texture, float angle);
// As drawImage, turned about (pivotX, pivotY) measured from the top-left corner.
void drawImagePivot(float x, float y, float width, float height, TextureId texture, float angle, float pivotX,
                    float pivotY);
// A filled box of colour 0xRRGGBB centred on (centreX - 1, centreY - 1); the
// texture state is the caller's.
void drawBox(float centreX, float centreY, float width, float height, uint32_t colour);
// A filled rectangle of colour 0xRRGGBB; the texture state is the caller's.
void drawRect(float left, float top, float right, float bottom, uint32_t colour);
// 3-unit points at the (x, y) pairs; the point size stays 3.
void drawPoints(const float* points, int count, uint32_t colour);
// Sets the GL colour to 0xRRGGBB, fully opaque, for the caller's own drawing.
void setColour(uint32_t colour);

// The mouse cursor's picture (RenderState.cursorTexture).
void setCursorTexture(TextureId texture);
// The cursor as a 64 x 64 image at the pointer position (x, y) in overlay units.
void drawCursor(int pointerX, int pointerY);
