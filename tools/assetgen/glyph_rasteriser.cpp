#include "tools/assetgen/glyph_rasteriser.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace assetgen {

GlyphRasteriser::GlyphRasteriser(const std::string& fontFile)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return;
    library_ = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) == 0)
        face_ = face;
}

GlyphRasteriser::~GlyphRasteriser()
{
    if (face_)
        FT_Done_Face(static_cast<FT_Face>(face_));
    if (library_)
        FT_Done_FreeType(static_cast<FT_Library>(library_));
}

GlyphBitmap GlyphRasteriser::render(unsigned code, int pixelSize, double xScale) const
{
    GlyphBitmap out;
    if (!face_)
        return out;
    FT_Face face = static_cast<FT_Face>(face_);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    FT_Matrix squeeze = {static_cast<FT_Fixed>(xScale * 65536.0), 0, 0, 0x10000};
    FT_Set_Transform(face, &squeeze, nullptr);
    // Hinting would snap the squeezed outlines back to the unsqueezed grid.
    const FT_Int32 flags = FT_LOAD_RENDER | (xScale != 1.0 ? FT_LOAD_NO_HINTING : FT_LOAD_TARGET_LIGHT);
    if (FT_Load_Char(face, code, flags) != 0)
        return out;
    const FT_Bitmap& bm = face->glyph->bitmap;
    out.width = static_cast<int>(bm.width);
    out.height = static_cast<int>(bm.rows);
    out.left = face->glyph->bitmap_left;
    out.top = face->glyph->bitmap_top;
    out.coverage.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.coverage[x + y * out.width] = bm.buffer[x + y * bm.pitch] / 255.0f;
    return out;
}

} // namespace assetgen
