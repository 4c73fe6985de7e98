#include "sound/riff_reader.h"

#include <sys/stat.h>

#include <cstring>

namespace {

uint32_t littleEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Chunks start on even offsets: an odd-sized chunk is followed by a pad byte.
uint64_t chunkEnd(const ChunkInfo& chunk) { return chunk.dataOffset + chunk.size + (chunk.size & 1u); }

} // namespace

RiffReader::~RiffReader() { close(); }

bool RiffReader::openFile(const char* path)
{
    close();
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    // A folder opens for reading on Linux and then reads as nothing useful.
    struct stat st;
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    file_ = f;
    length_ = uint64_t(st.st_size);
    position_ = 0;
    return true;
}

bool RiffReader::openMemory(const uint8_t* data, size_t size)
{
    close();
    if (!data)
        return false;
    memory_ = data;
    length_ = size;
    position_ = 0;
    return true;
}

void RiffReader::close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    memory_ = nullptr;
    length_ = 0;
    position_ = 0;
}

bool RiffReader::seek(uint64_t offset)
{
    if (!isOpen())
        return false;
    if (file_) {
        if (offset > uint64_t(INT64_MAX) || fseeko(file_, off_t(offset), SEEK_SET) != 0)
            return false;
    }
    position_ = offset;
    return true;
}

size_t RiffReader::read(void* buffer, size_t count)
{
    if (!isOpen() || count == 0)
        return 0;
    size_t got = 0;
    if (file_) {
        got = std::fread(buffer, 1, count, file_);
    } else if (position_ < length_) {
        uint64_t left = length_ - position_;
        got = left < count ? size_t(left) : count;
        std::memcpy(buffer, memory_ + position_, got);
    }
    position_ += got;
    return got;
}

bool RiffReader::descend(ChunkInfo& chunk, const ChunkInfo* parent, uint32_t wanted)
{
    const uint64_t limit = parent ? chunkEnd(*parent) : UINT64_MAX;
    for (;;) {
        const uint64_t at = position_;
        if (at + 8 > limit)
            return false;
        uint8_t header[8];
        if (read(header, sizeof header) != sizeof header)
            return false;
        chunk.id = littleEndian32(header);
        chunk.size = littleEndian32(header + 4);
        chunk.formType = 0;
        chunk.dataOffset = at + 8;
        if (wanted == 0 || chunk.id == wanted)
            break;
        // Every skip moves on by at least a header, so the search ends.
        if (!seek(chunkEnd(chunk)))
            return false;
    }
    if (chunk.id == fourCC("RIFF") || chunk.id == fourCC("LIST")) {
        uint8_t type[4];
        if (read(type, sizeof type) != sizeof type)
            return false;
        chunk.formType = littleEndian32(type);
    }
    return true;
}

bool RiffReader::ascend(const ChunkInfo& chunk) { return seek(chunkEnd(chunk)); }
