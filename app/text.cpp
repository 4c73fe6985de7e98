#include "app/text.h"

#include "app/render_state.h"
#include "render/texture.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>

namespace {

constexpr int kMaxTextLength = 255;

// Truncates toward zero, saturating so absurd scales cannot overflow.
int truncate(float v)
{
    if (!(v > -32768.0f))
        return -32768;
    if (v > 32767.0f)
        return 32767;
    return int(v);
}

std::string formatText(const char* format, va_list args)
{
    char buffer[kMaxTextLength + 1];
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    return n < 0 ? std::string() : std::string(buffer);
}

} // namespace

void loadFont() { renderState().fontTexture = createColorKeyTexture("Images\\font.bmp", 0x0A0A0A); }

std::vector<GlyphQuad> layoutText(float x, float y, float scale, const std::string& text)
{
    std::vector<GlyphQuad> quads;
    const int x0 = truncate(x), y0 = truncate(y);
    const float size = 16 * scale;
    const int advance = truncate(12 * scale), lineHeight = truncate(16 * scale);
    int penX = x0, penY = y0;
    for (unsigned char c : text) {
        if (c == '\n') {
            penX = x0;
            penY = truncate(float(penY) + float(lineHeight));
            continue;
        }
        if (c < 32 || c > 126)
            continue;
        const int i = c - 32;
        const float u = 16.0f * (i % 16), v = 256.0f - 16.0f * (i / 16);
        const int16_t left = int16_t(penX), top = int16_t(penY);
        const int16_t right = int16_t(truncate(penX + size)), bottom = int16_t(truncate(penY + size));
        GlyphQuad q = {{left, left, right, right},
                       {top, bottom, bottom, top},
                       {u / 256, u / 256, (u + 16) / 256, (u + 16) / 256},
                       {v / 256, (v - 16) / 256, (v - 16) / 256, v / 256}};
        quads.push_back(q);
        penX = truncate(float(penX) + float(advance));
    }
    return quads;
}

void drawTextString(float x, float y, float scale, float alpha, uint32_t colour, const std::string& text)
{
    std::vector<GlyphQuad> quads = layoutText(x, y, scale, text.substr(0, kMaxTextLength));
    bindTexture(renderState().fontTexture);
    float a = alpha < 0 ? 0 : alpha > 1 ? 1 : alpha;
    glColor4ub(GLubyte(colour >> 16), GLubyte(colour >> 8), GLubyte(colour), GLubyte(a * 255));
    glBegin(GL_QUADS);
    for (const GlyphQuad& q : quads)
        for (int k = 0; k < 4; ++k) {
            glTexCoord2f(q.s[k], q.t[k]);
            glVertex3s(q.x[k], q.y[k], 0);
        }
    glEnd();
}

void drawText(float x, float y, float scale, float alpha, uint32_t colour, const char* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    std::string text = formatText(format, args);
    va_end(args);
    drawTextString(x, y, scale, alpha, colour, text);
}

void drawPlainText(int x, int y, const char* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    std::string text = formatText(format, args);
    va_end(args);
    drawTextString(float(x), float(y), 1, 1, 0xFFFFFF, text);
}
