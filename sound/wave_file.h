#pragma once
// Reads the samples of a RIFF WAVE sound so the sound manager can copy them
// into a sound buffer. Used transiently: open, read the whole sample block
// once, close.
#include "sound/riff_reader.h"

#include <cstdint>
#include <memory>
#include <vector>

// COM-style results: 0 is success, anything with the top bit set a failure.
using WaveResult = int32_t;
constexpr WaveResult kWaveOk = 0;
constexpr WaveResult kWaveInvalidArgument = int32_t(0x80070057u);
constexpr WaveResult kWaveNotInitialised = int32_t(0x800401F0u);
constexpr WaveResult kWaveFailed = int32_t(0x80004005u);

// Format tag of plain PCM samples.
constexpr uint16_t kWaveFormatPcm = 1;

// The format header of a sound: the 18-byte block of the file's "fmt "
// chunk and, for formats other than PCM, the extra bytes it announces.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;      // 0 for PCM whatever the file holds
    std::vector<uint8_t> extra;  // extraSize bytes
};

class WaveFile {
public:
    WaveFile() = default;
    // Closes the file and frees the format.
    ~WaveFile();
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;

    // Opens the file at `path` and positions the reader at the first sample
    // byte. kWaveInvalidArgument for a null path, kWaveFailed for a file that
    // is missing or not a RIFF WAVE sound with a "fmt " and a "data" chunk.
    WaveResult open(const char* path);
    // The same for a file image in memory, which must outlive the reader.
    WaveResult openMemory(const uint8_t* data, size_t size);
    // Sample bytes in the "data" chunk (no more than the file holds).
    uint32_t size() const { return size_; }
    // The format, or null until a header has been read. Borrowed.
    const WaveFormat* format() const { return format_.get(); }
    // Copies up to `count` sample bytes not yet read into `buffer`.
    // kWaveNotInitialised with no open file, kWaveInvalidArgument for a null
    // buffer or bytesRead, otherwise kWaveOk. *bytesRead becomes 0 first and
    // the number of bytes copied at the end; a short read ends the call with
    // kWaveOk and *bytesRead 0.
    WaveResult read(uint8_t* buffer, uint32_t count, uint32_t* bytesRead);
    // Closes the file; the format stays until destruction.
    void close();

private:
    WaveResult openOpened();
    bool readHeader();
    bool findSamples();

    std::unique_ptr<WaveFormat> format_;
    RiffReader file_;
    ChunkInfo dataChunk_;  // its size counts down the sample bytes not yet read
    ChunkInfo riffChunk_;
    uint32_t size_ = 0;
};
