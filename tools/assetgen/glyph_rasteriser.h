#pragma once
// Renders glyphs of a TrueType font into coverage bitmaps with FreeType.
#include <string>
#include <vector>

namespace assetgen {

struct GlyphBitmap {
    int width = 0, height = 0;
    // Offset of the bitmap's top-left corner from the pen on the baseline,
    // y growing upwards as in FreeType.
    int left = 0, top = 0;
    std::vector<float> coverage; // width x height, top row first
};

class GlyphRasteriser {
  public:
    // Opens `fontFile`; ok() tells whether that worked.
    explicit GlyphRasteriser(const std::string& fontFile);
    ~GlyphRasteriser();
    GlyphRasteriser(const GlyphRasteriser&) = delete;
    GlyphRasteriser& operator=(const GlyphRasteriser&) = delete;

    bool ok() const { return face_ != nullptr; }
    // Renders character `code` at `pixelSize`, squeezed horizontally by
    // `xScale` (1 keeps the font's shape).
    GlyphBitmap render(unsigned code, int pixelSize, double xScale = 1.0) const;

  private:
    void* library_ = nullptr;
    void* face_ = nullptr;
};

} // namespace assetgen
