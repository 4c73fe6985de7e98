// Writes the BMP fuzzer's seed corpus: one small file of each variant the
// decoder reads, so mutations start from every code path.
#include "support/bmp_builder.h"

#include <cstdio>

using testbmp::BmpFile;
using testbmp::packRows;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 1;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const std::vector<testbmp::Colour> palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    std::vector<std::pair<std::string, BmpFile>> seeds;
    auto add = [&](const std::string& name, int bits, uint32_t compression, int w, int h,
                   std::vector<uint8_t> pixels) {
        BmpFile f;
        f.bitCount = uint16_t(bits), f.compression = compression, f.width = w, f.height = h;
        if (bits <= 8)
            f.palette = palette, f.colorsUsed = 4;
        f.pixels = std::move(pixels);
        seeds.emplace_back(name, f);
        return &seeds.back().second;
    };
    add("rgb24", 24, 0, 3, 2, packRows(3, 2, 24, {1, 2, 3, 4, 5, 6}));
    add("pal8", 8, 0, 3, 2, packRows(3, 2, 8, {0, 1, 2, 3, 2, 1}));
    add("pal4", 4, 0, 5, 2, packRows(5, 2, 4, {0, 1, 2, 3, 2, 1, 0, 1, 2, 3}));
    add("pal1", 1, 0, 9, 2, packRows(9, 2, 1, {0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 0, 1, 0, 1, 1, 0, 1}));
    add("rgb16", 16, 0, 2, 2, packRows(2, 2, 16, {0x7C00, 0x03E0, 0x001F, 0x7FFF}));
    add("rgb32", 32, 0, 2, 2, packRows(2, 2, 32, {0xFF0000, 0xFF00, 0xFF, 0xFFFFFF}));
    add("bitfields16", 16, 3, 2, 1, packRows(2, 1, 16, {0xF800, 0x07E0}))->masks = {0xF800, 0x07E0, 0x001F};
    add("bitfields32", 32, 3, 2, 1, packRows(2, 1, 32, {0xFF, 0xFF00}))->masks = {0xFF, 0xFF00, 0xFF0000};
    add("topdown", 24, 0, 2, -2, packRows(2, 2, 24, {1, 2, 3, 4}));
    add("rle8", 8, 1, 4, 3, {1, 1, 0, 3, 2, 3, 0, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 0, 0, 1});
    add("rle4", 4, 2, 5, 2, {2, 0x12, 0, 3, 0x30, 0x10, 0, 0, 5, 0x21, 0, 1});
    add("noheader", 8, 0, 2, 2, packRows(2, 2, 8, {0, 1, 2, 3}))->fileHeader = false;
    BmpFile* core = add("core", 8, 0, 2, 2, packRows(2, 2, 8, {3, 2, 1, 0}));
    core->headerSize = 12, core->palette.resize(256);

    int written = 0;
    for (const auto& [name, file] : seeds)
        written += testbmp::writeFile(folder + name + ".bmp", testbmp::encode(file));
    return written == int(seeds.size()) ? 0 : 1;
}
