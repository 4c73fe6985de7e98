#pragma once
// The record every piece of drawing code shares. Each field has one writer
// (named beside it); anyone may read. Lives from window creation to the end
// of the process, so the reference never dangles.
#include <cstdint>

using TextureId = int;  // an OpenGL texture name; -1 none, 0 a failed creation

// Whether `id` names a texture: -1 (none) and 0 (a failed creation) do not.
inline bool hasTexture(TextureId id) { return id > 0; }

struct RenderState {
    bool hasContext = false;              // window: a GL context is current
    float eye[3] = {};                    // camera: position
    float target[3] = {};                 // camera: looked-at point
    float back[3] = {};                   // camera: unit vector against the view, y = 0
    float up[3] = {};                     // camera
    TextureId fontTexture = 0;            // text
    float frameStart = 0;                 // frame loop: clock at beginFrame, ms
    float frameTime = 0;                  // frame loop: seconds from beginFrame to the swap
    float planes[6][4] = {};              // camera: right, left, bottom, top, far, near
    float averageFps = 0;                 // frame loop
    TextureId cursorTexture = 0;          // text (set at start-up)
    bool hasMultitexture = false;         // window
    void (*multiTexCoord2f)(unsigned, float, float) = nullptr;
    void (*activeTexture)(unsigned) = nullptr;
    void (*clientActiveTexture)(unsigned) = nullptr;
    bool hasCompiledArrays = false;       // window
    void (*lockArrays)(int, int) = nullptr;
    void (*unlockArrays)() = nullptr;
    float fogEnd = 0;                     // GL state
    float fogStart = 0;                   // GL state
    int32_t windowWidth = 0;              // window: client size
    int32_t windowHeight = 0;
    float fogColor[4] = {};               // GL state; also every frame's clear colour
    bool windowActive = false;            // window: input and the cursor are ignored while clear
};

// The one RenderState; valid after createWindow has begun.
RenderState& renderState();
