#include "capture.h"

#include <GL/gl.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace testsupport {

Rgb Capture::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {};
    const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

Capture captureBackBuffer()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    Capture c;
    c.width = viewport[2];
    c.height = viewport[3];
    std::vector<uint8_t> bottomUp(size_t(c.width) * c.height * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, c.width, c.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    c.rgb.resize(bottomUp.size());
    const size_t stride = size_t(c.width) * 3;
    for (int y = 0; y < c.height; ++y)
        std::copy_n(&bottomUp[(c.height - 1 - y) * stride], stride, &c.rgb[y * stride]);
    return c;
}

bool savePng(const Capture& capture, const std::string& name)
{
#ifdef FERNHOLLOW_TEST_OUTPUT
    const std::string folder = FERNHOLLOW_TEST_OUTPUT;
#else
    const std::string folder = "test-output";
#endif
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = folder + "/" + name + ".png";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    volatile bool ok = false;
    if (png && info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, capture.width, capture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < capture.height; ++y)
            png_write_row(png, const_cast<png_bytep>(&capture.rgb[size_t(y) * capture.width * 3]));
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}

Capture readPng(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Capture c;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return c;
    image.format = PNG_FORMAT_RGB;
    c.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, c.rgb.data(), 0, nullptr))
        return Capture{};
    c.width = static_cast<int>(image.width);
    c.height = static_cast<int>(image.height);
    return c;
}

bool near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

double shareNear(const Capture& capture, int x0, int y0, int x1, int y1, Rgb colour, int tolerance)
{
    long total = 0, matching = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++total)
            matching += near(capture.at(x, y), colour, tolerance);
    return total ? double(matching) / total : 0;
}

double shareDiffering(const Capture& a, const Capture& b, int tolerance)
{
    if (a.width != b.width || a.height != b.height)
        return 1;
    long differing = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            differing += !near(a.at(x, y), b.at(x, y), tolerance);
    long total = long(a.width) * a.height;
    return total ? double(differing) / total : 0;
}

} // namespace testsupport
