#include "tools/assetgen/bmp_encoder.h"

namespace assetgen {
namespace {

void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(v & 255);
    out.push_back((v >> 8) & 255);
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Writes the headers, then asks `pixelBytes` for every pixel, bottom row first.
template <class PixelBytes> std::vector<uint8_t> encode(const Image& image, PixelBytes pixelBytes)
{
    const int w = image.width(), h = image.height();
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes) * h;
    std::vector<uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + dataSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(w));
    put32(out, static_cast<uint32_t>(h));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, dataSize);
    // 2835 pixels per metre is 72 dots per inch.
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            uint8_t r, g, b;
            pixelBytes(x, y, r, g, b);
            out.push_back(b);
            out.push_back(g);
            out.push_back(r);
        }
        for (int pad = w * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

} // namespace

std::vector<uint8_t> encodeBmp(const Image& image)
{
    return encode(image, [&](int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) {
        const Colour& c = image.at(x, y);
        r = toByte(c.r);
        g = toByte(c.g);
        b = toByte(c.b);
    });
}

std::vector<uint8_t> encodeKeyedBmp(const Image& image, unsigned key)
{
    const uint8_t kr = (key >> 16) & 255, kg = (key >> 8) & 255, kb = key & 255;
    return encode(image, [&](int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) {
        if (image.coverage(x, y) < 0.5f) {
            r = kr;
            g = kg;
            b = kb;
            return;
        }
        const Colour& c = image.at(x, y);
        r = toByte(c.r);
        g = toByte(c.g);
        b = toByte(c.b);
        if (r == kr && g == kg && b == kb)
            b = kb < 128 ? kb + 1 : kb - 1;
    });
}

} // namespace assetgen
