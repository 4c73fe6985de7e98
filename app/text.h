#pragma once
// The bitmap font: a 256 x 256 picture of 16 x 16 glyph cells for the codes
// 32 to 126, drawn 16 units square with a 12-unit advance in the 640 x 480
// overlay space. Text is drawn between beginOverlay and endOverlay.
#include <cstdint>
#include <string>
#include <vector>

// Loads "Images\\font.bmp" (key colour 0x0A0A0A) into RenderState.fontTexture;
// without it texts draw as blocks of their colour.
void loadFont();

// One glyph: corners top-left, bottom-left, bottom-right, top-right in
// overlay units with their font texture coordinates.
struct GlyphQuad {
    int16_t x[4];
    int16_t y[4];
    float s[4];
    float t[4];
};

// The quads `text` makes from (x, y) at `scale`: a line feed returns to x and
// moves down 16 x scale, other codes outside 32..126 draw nothing.
std::vector<GlyphQuad> layoutText(float x, float y, float scale, const std::string& text);

// Formatted text (at most 255 characters) with glyphs 16 x scale units,
// opacity alpha 0..1 and colour 0xRRGGBB; a null format draws nothing.
void drawText(float x, float y, float scale, float alpha, uint32_t colour, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
// Formatted white opaque text at scale 1.
void drawPlainText(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
// Draws `text` as it is, without formatting it.
void drawTextString(float x, float y, float scale, float alpha, uint32_t colour, const std::string& text);
