#pragma once
// Reads BMP files for the texture builders, reporting every failure to the
// player in a box captioned "Error".
#include "render/rgb_image.h"

#include <optional>
#include <string>

// Reads and decodes the BMP at `path`: an asset name written Windows-style
// ("Images\\font.bmp", found beside the executable) or an absolute path.
// Returns nothing after reporting why the file could not be used.
std::optional<RgbImage> loadBmpImage(const std::string& path);

// Files larger than this are refused as out of memory without being read.
constexpr long kBmpMaxFileBytes = 256L << 20;
