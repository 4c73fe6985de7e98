#pragma once
// Every texture of the game is made, bound and deleted here. A creator
// returns the new texture name, or 0 when its image cannot be read (the
// reader has told the player why); -1 means "no texture", and hasTexture
// tells a name from both everywhere.
#include "app/render_state.h"

#include <cstdint>
#include <string>

// A BMP as a mipmapped RGB texture, scaled to power-of-two sides; clamped to
// its edge texels.
TextureId createMipmappedTexture(const std::string& path);
// A BMP as an RGBA texture without mipmaps or scaling (sides must be powers
// of two): pixels of exactly the colour `key` (0xRRGGBB) are transparent.
TextureId createColorKeyTexture(const std::string& path, uint32_t key);
// An RGB pixel block (rows of width x 3 bytes, no padding) as a mipmapped
// texture, modulated, clamped.
TextureId createMipmappedTextureFromPixels(const uint8_t* pixels, int width, int height);
// The map texture: level 0 is `doubleImage` (doubleSide = 2 x side), level 1
// `image` (side, a power of two), and every smaller level a downscale of the
// level above, down to 1 x 1. Row 0 of the images is texture row t = 0.
TextureId createMapTexture(const uint8_t* doubleImage, int doubleSide, const uint8_t* image, int side);

// -1 turns texturing off; anything else turns it on and binds that name.
void bindTexture(TextureId id);
void deleteTexture(TextureId id);
// Repeat wrapping in S and T for the bound texture (the mipmapped creators
// leave theirs clamped).
void setWrapRepeat();
// Clamping to the edge texels in S and T for the bound texture (every creator
// leaves the texture it made bound).
void setWrapClampToEdge();
