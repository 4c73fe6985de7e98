#include "render/bmp_decoder.h"

#include <array>
#include <new>
#include <utility>

namespace {

constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitfields = 3;

// Bounds-checked little-endian reads over the whole file.
struct Bytes {
    const uint8_t* data;
    size_t size;

    bool has(uint64_t offset, uint64_t length) const { return offset <= size && length <= size - offset; }
    uint16_t u16(size_t at) const { return uint16_t(data[at] | data[at + 1] << 8); }
    uint32_t u32(size_t at) const
    {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    }
    int32_t s32(size_t at) const { return int32_t(u32(at)); }
};

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

// One colour channel of a packed pixel: where it sits and how wide it is.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    uint8_t extract(uint32_t pixel) const
    {
        if (max == 0)
            return 0;
        uint32_t v = (pixel & mask) >> shift;
        return uint8_t((uint64_t(v) * 255 + max / 2) / max);
    }
};

// Only runs of adjacent bits make sense as a channel.
bool makeChannel(uint32_t mask, Channel& channel)
{
    channel = Channel{};
    if (mask == 0)
        return true;
    int shift = 0;
    while (!(mask >> shift & 1))
        ++shift;
    uint32_t max = mask >> shift;
    if ((uint64_t(max) & (uint64_t(max) + 1)) != 0)
        return false;
    channel = {mask, shift, max};
    return true;
}

struct Dib {
    int64_t width = 0;
    int64_t height = 0;  // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kCompressionRgb;
    std::array<Rgb, 256> palette{};
    uint32_t paletteSize = 0;  // entries present, at most 256 of them kept
    std::array<Channel, 3> channels{};
    uint64_t pixelOffset = 0;
};

uint32_t tableSizeForBitCount(int bitCount)
{
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

bool validBitCount(uint32_t compression, int bitCount)
{
    switch (compression) {
    case kCompressionRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
               bitCount == 32;
    case kCompressionRle8:
        return bitCount == 8;
    case kCompressionRle4:
        return bitCount == 4;
    case kCompressionBitfields:
        return bitCount == 16 || bitCount == 32;
    default:
        return false;
    }
}

BmpError readHeader(const Bytes& file, Dib& dib)
{
    size_t header = 0;
    bool fileHeader = file.size >= 2 && file.data[0] == 'B' && file.data[1] == 'M';
    if (fileHeader) {
        header = 14;
        if (!file.has(10, 4))
            return BmpError::UnknownFormat;
        dib.pixelOffset = file.u32(10);
    }
    if (!file.has(header, 4))
        return BmpError::UnknownFormat;
    uint32_t headerSize = file.u32(header);
    if ((headerSize != 12 && headerSize != 40) || !file.has(header, headerSize))
        return BmpError::UnknownFormat;

    uint32_t tableEntries = 0;
    uint32_t entrySize = 4;
    uint64_t tableStart = header + headerSize;
    if (headerSize == 12) {
        // Core header sides are unsigned 16-bit: always bottom-up.
        dib.width = file.u16(header + 4);
        dib.height = file.u16(header + 6);
        dib.bitCount = file.u16(header + 10);
        tableEntries = tableSizeForBitCount(dib.bitCount);
        entrySize = 3;
    } else {
        dib.width = file.s32(header + 4);
        dib.height = file.s32(header + 8);
        dib.bitCount = file.u16(header + 14);
        dib.compression = file.u32(header + 16);
        uint32_t colorsUsed = file.u32(header + 32);
        tableEntries = colorsUsed ? colorsUsed : tableSizeForBitCount(dib.bitCount);
    }
    if (dib.height < 0) {
        dib.height = -dib.height;
        dib.topDown = true;
    }

    if (dib.width <= 0 || dib.height == 0)
        return BmpError::ConversionError;
    if (dib.width > kBmpMaxSide || dib.height > kBmpMaxSide || dib.width * dib.height > kBmpMaxPixels)
        return BmpError::OutOfMemory;
    if (!validBitCount(dib.compression, dib.bitCount))
        return BmpError::ConversionError;
    // Run-length data is defined bottom-up only.
    if (dib.topDown && (dib.compression == kCompressionRle8 || dib.compression == kCompressionRle4))
        return BmpError::ConversionError;

    uint32_t masks[3] = {0, 0, 0};
    if (dib.compression == kCompressionBitfields) {
        if (!file.has(tableStart, 12))
            return BmpError::ConversionError;
        for (int i = 0; i < 3; ++i)
            masks[i] = file.u32(size_t(tableStart) + 4 * i);
        tableStart += 12;
    } else if (dib.bitCount == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (dib.bitCount == 32) {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    for (int i = 0; i < 3; ++i)
        if (!makeChannel(masks[i], dib.channels[i]))
            return BmpError::ConversionError;

    uint64_t tableBytes = uint64_t(tableEntries) * entrySize;
    if (!file.has(tableStart, tableBytes))
        return BmpError::ConversionError;
    dib.paletteSize = tableEntries < 256 ? tableEntries : 256;
    for (uint32_t i = 0; i < dib.paletteSize; ++i) {
        size_t at = size_t(tableStart) + size_t(i) * entrySize;
        dib.palette[i] = {file.data[at + 2], file.data[at + 1], file.data[at]};
    }
    if (!fileHeader)
        dib.pixelOffset = tableStart + tableBytes;
    return BmpError::None;
}

bool paletteColour(const Dib& dib, uint32_t index, uint8_t* out)
{
    if (index >= dib.paletteSize)
        return false;
    const Rgb& c = dib.palette[index];
    out[0] = c.r, out[1] = c.g, out[2] = c.b;
    return true;
}

bool decodeRow(const Dib& dib, const uint8_t* src, uint8_t* out)
{
    for (int64_t x = 0; x < dib.width; ++x, out += 3) {
        switch (dib.bitCount) {
        case 1:
        case 4:
        case 8: {
            int64_t bit = x * dib.bitCount;
            uint32_t byte = src[bit / 8];
            uint32_t index = byte >> (8 - dib.bitCount - bit % 8) & ((1u << dib.bitCount) - 1);
            if (!paletteColour(dib, index, out))
                return false;
            break;
        }
        case 24:
            out[0] = src[x * 3 + 2], out[1] = src[x * 3 + 1], out[2] = src[x * 3];
            break;
        case 16:
        case 32: {
            const uint8_t* p = src + x * (dib.bitCount / 8);
            uint32_t v = p[0] | p[1] << 8;
            if (dib.bitCount == 32)
                v |= uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
            for (int c = 0; c < 3; ++c)
                out[c] = dib.channels[c].extract(v);
            break;
        }
        }
    }
    return true;
}

BmpError decodeUncompressed(const Bytes& file, const Dib& dib, RgbImage& out)
{
    uint64_t stride = (uint64_t(dib.bitCount) * dib.width + 31) / 32 * 4;
    if (!file.has(dib.pixelOffset, stride * dib.height))
        return BmpError::ConversionError;
    const uint8_t* rows = file.data + dib.pixelOffset;
    size_t outStride = size_t(dib.width) * 3;
    for (int64_t r = 0; r < dib.height; ++r) {
        int64_t target = dib.topDown ? dib.height - 1 - r : r;
        if (!decodeRow(dib, rows + r * stride, out.pixels.data() + target * outStride))
            return BmpError::ConversionError;
    }
    return BmpError::None;
}

// Run-length streams: every run must stay inside its row and every row inside
// the picture; the stream must end with its end-of-bitmap mark. Pixels the
// stream skips stay black.
BmpError decodeRunLength(const Bytes& file, const Dib& dib, RgbImage& out)
{
    const bool four = dib.compression == kCompressionRle4;
    uint64_t at = dib.pixelOffset;
    int64_t x = 0, y = 0;
    auto put = [&](uint32_t index) {
        return paletteColour(dib, index, out.pixels.data() + (y * dib.width + x++) * 3);
    };
    for (;;) {
        if (!file.has(at, 2))
            return BmpError::ConversionError;
        uint32_t count = file.data[at], value = file.data[at + 1];
        at += 2;
        if (count > 0) {
            if (y >= dib.height || x + count > dib.width)
                return BmpError::ConversionError;
            for (uint32_t i = 0; i < count; ++i) {
                uint32_t index = four ? (i % 2 ? value & 15 : value >> 4) : value;
                if (!put(index))
                    return BmpError::ConversionError;
            }
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            if (++y > dib.height)
                return BmpError::ConversionError;
            break;
        case 1:
            return BmpError::None;
        case 2:
            if (!file.has(at, 2))
                return BmpError::ConversionError;
            x += file.data[at];
            y += file.data[at + 1];
            at += 2;
            if (x > dib.width || y > dib.height)
                return BmpError::ConversionError;
            break;
        default: {
            uint64_t bytes = four ? (value + 1) / 2 : value;
            bytes += bytes & 1;
            if (!file.has(at, bytes) || y >= dib.height || x + value > dib.width)
                return BmpError::ConversionError;
            for (uint32_t i = 0; i < value; ++i) {
                uint32_t byte = file.data[at + (four ? i / 2 : i)];
                uint32_t index = four ? (i % 2 ? byte & 15 : byte >> 4) : byte;
                if (!put(index))
                    return BmpError::ConversionError;
            }
            at += bytes;
            break;
        }
        }
    }
}

} // namespace

BmpError decodeBmp(const uint8_t* data, size_t size, RgbImage& out)
{
    if (!data || size == 0)
        return BmpError::Empty;
    Bytes file{data, size};
    Dib dib;
    BmpError error = readHeader(file, dib);
    if (error != BmpError::None)
        return error;

    RgbImage image;
    image.width = int32_t(dib.width);
    image.height = int32_t(dib.height);
    try {
        image.pixels.assign(size_t(dib.width * dib.height * 3), 0);
    } catch (const std::bad_alloc&) {
        return BmpError::OutOfMemory;
    }
    bool runLength = dib.compression == kCompressionRle8 || dib.compression == kCompressionRle4;
    error = runLength ? decodeRunLength(file, dib, image) : decodeUncompressed(file, dib, image);
    if (error == BmpError::None)
        out = std::move(image);
    return error;
}

const char* bmpErrorMessage(BmpError error)
{
    switch (error) {
    case BmpError::UnknownFormat:
        return "Unknown DIB file format.";
    case BmpError::OutOfMemory:
        return "Out of memory.";
    case BmpError::ConversionError:
        return "Image file conversion error.";
    case BmpError::None:
    case BmpError::Empty:
        break;
    }
    return "";
}
