#include "tools/mapgen/map_files.h"

#include "map/map_image.h"
#include "map/png_file.h"
#include "terrain/course.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool fail(const std::string& path, std::string& error)
{
    error = "cannot write " + path + ": " + std::strerror(errno ? errno : EIO);
    return false;
}

} // namespace

bool writePng(const std::string& path, const MapImage& image, std::string& error)
{
    return writeRgbPng(path, image.pixels(), image.width(), image.height(), error);
}

bool writeBytes(const std::string& path, const uint8_t* values, size_t count, std::string& error)
{
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return fail(path, error);
    const bool written = std::fwrite(values, 1, count, file) == count;
    if (std::fclose(file) != 0 || !written)
        return fail(path, error);
    return true;
}

bool writeFloats(const std::string& path, const float* values, size_t count, std::string& error)
{
    std::string bytes(count * 4, '\0');
    for (size_t i = 0; i < count; ++i) {
        uint32_t bits = 0;
        std::memcpy(&bits, &values[i], 4);
        for (int b = 0; b < 4; ++b)
            bytes[i * 4 + b] = static_cast<char>(bits >> (8 * b));
    }
    return writeBytes(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), error);
}

bool writeCourseCsv(const std::string& path, const Course& course, int count, std::string& error)
{
    std::string text = "index,x,y\n";
    char line[96];
    for (int i = 0; i < count; ++i) {
        const Control* c = course.controlAt(i);
        if (!c)
            break;
        std::snprintf(line, sizeof line, "%d,%.9g,%.9g\n", i, c->x, c->y);
        text += line;
    }
    return writeBytes(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), error);
}
