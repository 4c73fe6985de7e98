#include "tools/assetgen/asset_list.h"

#include "tools/assetgen/bmp_encoder.h"
#include "tools/assetgen/image_makers.h"

namespace assetgen {

void addImages(AssetList& out, const std::string& fontFile)
{
    const GlyphRasteriser font(fontFile);
    // Without the font there is no font picture and no compass letters; the
    // run then fails rather than write half a set.
    if (!font.ok())
        return;
    out.push_back({"Images", "font.bmp", encodeKeyedBmp(makeFontImage(font), kFontKey)});
    out.push_back({"Images", "Cursor.bmp", encodeKeyedBmp(makeCursorImage(), kCursorKey)});
    out.push_back({"Images", "Compass.bmp", encodeKeyedBmp(makeCompassImage(font), kCompassKey)});
    out.push_back({"Images", "Sky.bmp", encodeBmp(makeSkyImage())});
    out.push_back({"Images", "grass.bmp", encodeBmp(makeGrassImage())});
    out.push_back({"Images", "earth.bmp", encodeBmp(makeEarthImage())});
    for (const NamedImage& texture : makeModelTextures())
        out.push_back({"Images", texture.name, encodeBmp(texture.image)});
}

} // namespace assetgen
