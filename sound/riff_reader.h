#pragma once
// A reader of RIFF files: a chunk is found by descending into it and left by
// ascending out of it, the way the WAV reader walks a file. Reads either a
// file or a block of memory the caller keeps alive.
#include <cstddef>
#include <cstdint>
#include <cstdio>

// A four-character code as it lies in the file ("RIFF": 'R' in the low byte).
constexpr uint32_t fourCC(const char (&s)[5])
{
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
           uint32_t(uint8_t(s[3])) << 24;
}

// Where a chunk lies and what its header says.
struct ChunkInfo {
    uint32_t id = 0;
    uint32_t size = 0;        // bytes of data after the 8-byte header, as written
    uint32_t formType = 0;    // "RIFF" and "LIST" chunks only
    uint64_t dataOffset = 0;  // file offset of the first data byte
};

class RiffReader {
public:
    RiffReader() = default;
    ~RiffReader();
    RiffReader(const RiffReader&) = delete;
    RiffReader& operator=(const RiffReader&) = delete;

    // Opens a regular file; false when it cannot be opened.
    bool openFile(const char* path);
    // Reads `size` bytes at `data`, which must outlive the reader's use.
    bool openMemory(const uint8_t* data, size_t size);
    void close();
    bool isOpen() const { return file_ != nullptr || memory_ != nullptr; }
    // Bytes in the whole file.
    uint64_t length() const { return length_; }
    uint64_t position() const { return position_; }

    // Moves the read position; reading beyond the end then yields nothing.
    bool seek(uint64_t offset);
    // Copies up to `count` bytes from the read position; returns how many.
    size_t read(void* buffer, size_t count);

    // Reads the chunk header at the read position. With `wanted` set, skips
    // whole chunks until one with that id; with `parent` set, the search
    // ends at the parent's end. On success the read position is at the
    // chunk's data (past the form type for "RIFF" and "LIST" chunks).
    bool descend(ChunkInfo& chunk, const ChunkInfo* parent, uint32_t wanted = 0);
    // Moves the read position past the chunk and its pad byte.
    bool ascend(const ChunkInfo& chunk);

private:
    std::FILE* file_ = nullptr;
    const uint8_t* memory_ = nullptr;
    uint64_t length_ = 0;
    uint64_t position_ = 0;
};
