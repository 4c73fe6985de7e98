#pragma once
// A machine-readable stand-in for the game's font: each glyph cell of the
// 256 x 256 font picture holds its character code as a pattern of 4 x 4
// blocks inside the 12 units the pen advances, on the font's key colour, so
// text drawn with it can be read back from a captured frame.
#include "capture.h"

#include <string>
#include <vector>

namespace testsupport {

// The font as a 24-bit BMP file (key colour 0x0A0A0A around the blocks).
std::vector<uint8_t> patternFontBmp();

// Reads `count` glyphs drawn at scale 1 from pen position (x, y) in a capture
// of the 640 x 480 overlay; '?' where a glyph cannot be read, ' ' where none
// is drawn. Bright blocks on a dark background.
std::string readPatternText(const Capture& capture, int x, int y, int count);

} // namespace testsupport
