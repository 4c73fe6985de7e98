#pragma once
// The picture generators, one per file (the model textures as a set).
#include "tools/assetgen/glyph_rasteriser.h"
#include "tools/assetgen/image.h"

#include <string>
#include <vector>

namespace assetgen {

// Colour keys the game applies to these pictures.
constexpr unsigned kFontKey = 0x0A0A0A;
constexpr unsigned kCursorKey = 0x00FF00;
constexpr unsigned kCompassKey = 0xFF00FF;

// 256 x 256: 16 x 16 cells of white outlined glyphs for codes 32 ... 126.
Image makeFontImage(const GlyphRasteriser& font);
// 64 x 64 arrow pointer.
Image makeCursorImage();
// 128 x 128 compass rose with its needle.
Image makeCompassImage(const GlyphRasteriser& font);
// Daylight sky for the inside of the sky cylinder.
Image makeSkyImage();
// Forest floor for one terrain cell.
Image makeGrassImage();
// Equirectangular globe.
Image makeEarthImage();

struct NamedImage {
    std::string name;
    Image image;
};
// The textures the models name: barks, foliage, fern, flag cloth, stake.
std::vector<NamedImage> makeModelTextures();

} // namespace assetgen
