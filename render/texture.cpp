#include "render/texture.h"

#include "render/bmp_reader.h"
#include "render/texture_pixels.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

// GL_CLAMP mixes the border colour into the edge texels under linear
// filtering: a dark seam where the sky's texture turns back and a dark fringe
// round the map. Clamping to the edge texel is what these textures need.
constexpr GLint kClamp = GL_CLAMP_TO_EDGE;

GLuint newTexture(GLint minFilter, GLint wrap)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    return name;
}

void uploadRgbLevel(int level, int side, const uint8_t* pixels)
{
    glTexImage2D(GL_TEXTURE_2D, level, 3, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
}

} // namespace

TextureId createMipmappedTexture(const std::string& path)
{
    std::optional<RgbImage> image = loadBmpImage(path);
    if (!image)
        return 0;
    GLuint name = newTexture(GL_LINEAR_MIPMAP_NEAREST, kClamp);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                      image->pixels.data());
    return TextureId(name);
}

TextureId createColorKeyTexture(const std::string& path, uint32_t key)
{
    std::optional<RgbImage> image = loadBmpImage(path);
    if (!image)
        return 0;
    std::vector<uint8_t> rgba = applyColorKey(*image, key);
    GLuint name = newTexture(GL_LINEAR, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, image->width, image->height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return TextureId(name);
}

TextureId createMipmappedTextureFromPixels(const uint8_t* pixels, int width, int height)
{
    if (!pixels || width <= 0 || height <= 0)
        return 0;
    GLuint name = newTexture(GL_LINEAR, kClamp);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return TextureId(name);
}

TextureId createMapTexture(const uint8_t* doubleImage, int doubleSide, const uint8_t* image, int side)
{
    if (!doubleImage || !image || !isPowerOfTwo(side) || doubleSide != 2 * side)
        return 0;
    // Each level is scaled from the one above so a far zoom shows the whole
    // map, not a corner of a larger level.
    std::vector<std::vector<uint8_t>> smaller = squareMipmapChain(image, side);
    GLuint name = newTexture(GL_LINEAR_MIPMAP_LINEAR, kClamp);
    uploadRgbLevel(0, doubleSide, doubleImage);
    uploadRgbLevel(1, side, image);
    int levelSide = side;
    for (size_t i = 0; i < smaller.size(); ++i) {
        levelSide /= 2;
        uploadRgbLevel(int(i) + 2, levelSide, smaller[i].data());
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return TextureId(name);
}

void bindTexture(TextureId id)
{
    if (!hasTexture(id)) {
        glDisable(GL_TEXTURE_2D);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, GLuint(id));
}

void deleteTexture(TextureId id)
{
    GLuint name = GLuint(id);
    glDeleteTextures(1, &name);
}

void setWrapRepeat()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void setWrapClampToEdge()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, kClamp);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, kClamp);
}
