#pragma once
// Pictures drawn in software written as PNG files through libpng.
#include <cstdint>
#include <string>

// Writes width x height pixels of 3 bytes each (red, green, blue; rows top
// first, packed) as an 8-bit RGB PNG at `path`. False with
// "cannot write PATH: reason" in `error` when the file cannot be written.
bool writeRgbPng(const std::string& path, const uint8_t* rgb, int width, int height, std::string& error);
