#include "bmp_builder.h"

#include <cstdio>

namespace testbmp {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

std::vector<uint8_t> encode(const BmpFile& f)
{
    std::vector<uint8_t> dib;
    put32(dib, f.headerSize);
    if (f.headerSize == 12) {
        put16(dib, uint32_t(f.width));
        put16(dib, uint32_t(f.height));
        put16(dib, 1);
        put16(dib, f.bitCount);
    } else {
        put32(dib, uint32_t(f.width));
        put32(dib, uint32_t(f.height));
        put16(dib, 1);
        put16(dib, f.bitCount);
        put32(dib, f.compression);
        put32(dib, uint32_t(f.pixels.size()));
        put32(dib, 2835);
        put32(dib, 2835);
        put32(dib, f.colorsUsed);
        put32(dib, 0);
        while (dib.size() < f.headerSize)
            dib.push_back(0);
    }
    for (uint32_t m : f.masks)
        put32(dib, m);
    for (const Colour& c : f.palette) {
        dib.push_back(c.b);
        dib.push_back(c.g);
        dib.push_back(c.r);
        if (f.headerSize != 12)
            dib.push_back(0);
    }

    std::vector<uint8_t> out;
    if (f.fileHeader) {
        uint32_t offset = uint32_t(f.pixelOffsetOverride >= 0 ? f.pixelOffsetOverride : 14 + dib.size());
        out.push_back('B');
        out.push_back('M');
        put32(out, uint32_t(14 + dib.size() + f.pixels.size()));
        put32(out, 0);
        put32(out, offset);
    }
    out.insert(out.end(), dib.begin(), dib.end());
    out.insert(out.end(), f.pixels.begin(), f.pixels.end());
    return out;
}

std::vector<uint8_t> packRows(int width, int rows, int bitCount, const std::vector<uint32_t>& values)
{
    const size_t stride = (size_t(bitCount) * width + 31) / 32 * 4;
    std::vector<uint8_t> out(stride * rows, 0);
    for (int y = 0; y < rows; ++y) {
        uint8_t* row = out.data() + y * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t v = values[size_t(y) * width + x];
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                size_t bit = size_t(x) * bitCount;
                row[bit / 8] |= uint8_t(v << (8 - bitCount - bit % 8));
                break;
            }
            case 16:
                row[x * 2] = uint8_t(v), row[x * 2 + 1] = uint8_t(v >> 8);
                break;
            case 24:
                row[x * 3] = uint8_t(v), row[x * 3 + 1] = uint8_t(v >> 8), row[x * 3 + 2] = uint8_t(v >> 16);
                break;
            case 32:
                for (int k = 0; k < 4; ++k)
                    row[x * 4 + k] = uint8_t(v >> (8 * k));
                break;
            }
        }
    }
    return out;
}

std::vector<uint8_t> rgb24File(int width, int height, const std::vector<Colour>& topRowFirst)
{
    std::vector<uint32_t> values;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const Colour& c = topRowFirst[size_t(y) * width + x];
            values.push_back(uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b);
        }
    BmpFile f;
    f.width = width;
    f.height = height;
    f.pixels = packRows(width, height, 24, values);
    return encode(f);
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace testbmp
