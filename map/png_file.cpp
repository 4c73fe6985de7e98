#include "map/png_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

// libpng reports errors by longjmp, so nothing here may need a destructor.
bool encodePng(std::FILE* file, const uint8_t* pixels, int width, int height)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, pixels + static_cast<size_t>(y) * width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool writeRgbPng(const std::string& path, const uint8_t* rgb, int width, int height, std::string& error)
{
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && rgb && width > 0 && height > 0 && encodePng(file, rgb, width, height);
    if (file && std::fclose(file) != 0)
        written = false;
    if (!written)
        error = "cannot write " + path + ": " + std::strerror(errno ? errno : EIO);
    return written;
}
