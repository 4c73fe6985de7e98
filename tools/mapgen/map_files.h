#pragma once
// Writers of the files fernhollow-mapgen produces. Each returns false with
// a one-line reason in error when the file cannot be written.
#include <cstdint>
#include <string>

class MapImage;
struct Course;

// An 8-bit RGB PNG of the canvas, row 0 at the top.
bool writePng(const std::string& path, const MapImage& image, std::string& error);
// The values as little-endian float32.
bool writeFloats(const std::string& path, const float* values, size_t count, std::string& error);
// One byte per value.
bool writeBytes(const std::string& path, const uint8_t* values, size_t count, std::string& error);
// "index,x,y", then one line for each of the first count points.
bool writeCourseCsv(const std::string& path, const Course& course, int count, std::string& error);
