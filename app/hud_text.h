#pragma once
// The lines and labels a frame collects before drawing them in one go over
// the 3D view. Plain data: a new or zero-filled HudText is empty.
#include <cstdint>

// A positioned text; a reset label is (0, 0, "", 0, 0xFFFFFF).
struct HudLabel {
    float x = 0;
    float y = 0;
    char text[64] = {};
    float scale = 0;
    int32_t colour = 0;  // 0xRRGGBB
};

struct HudText {
    static constexpr int kMaxLines = 28;
    static constexpr int kMaxLabels = 8;
    static constexpr int kTextSize = 64;  // 63 characters and the NUL

    char lines[kMaxLines][kTextSize] = {};
    int32_t lineCount = 0;
    HudLabel labels[kMaxLabels] = {};
    int32_t labelCount = 0;

    // Stores the formatted line (cut to 63 characters): 1, or 0 for a null
    // format or when all lines are used (the line is then ignored).
    int addLine(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Stores a label at (x, y) with its scale and colour 0xRRGGBB: 1, or 0 for
    // a null format or when all labels are used.
    int addLabel(float x, float y, float scale, int32_t colour, const char* format, ...)
        __attribute__((format(printf, 6, 7)));
    // Empties the lines, keeping the labels.
    void clearLines();
    // Empties the lines and resets every label.
    void clearAll();
    // Line i at (10, 16 x (i + 1)) in plain text, then the labels; texts are
    // drawn as stored, not formatted again. Between beginOverlay and endOverlay.
    void draw() const;
};
