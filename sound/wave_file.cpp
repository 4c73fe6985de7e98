#include "sound/wave_file.h"

namespace {

uint16_t littleEndian16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

uint32_t littleEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

WaveFile::~WaveFile() { close(); }

WaveResult WaveFile::open(const char* path)
{
    format_.reset();
    size_ = 0;
    if (!path)
        return kWaveInvalidArgument;
    if (!file_.openFile(path))
        return kWaveFailed;
    return openOpened();
}

WaveResult WaveFile::openMemory(const uint8_t* data, size_t size)
{
    format_.reset();
    size_ = 0;
    if (!data)
        return kWaveInvalidArgument;
    if (!file_.openMemory(data, size))
        return kWaveFailed;
    return openOpened();
}

WaveResult WaveFile::openOpened()
{
    if (!readHeader() || !findSamples()) {
        format_.reset();
        close();
        return kWaveFailed;
    }
    return kWaveOk;
}

bool WaveFile::readHeader()
{
    if (!file_.descend(riffChunk_, nullptr))
        return false;
    if (riffChunk_.id != fourCC("RIFF") || riffChunk_.formType != fourCC("WAVE"))
        return false;
    ChunkInfo fmt;
    if (!file_.descend(fmt, &riffChunk_, fourCC("fmt ")) || fmt.size < 16)
        return false;
    uint8_t head[16];
    if (file_.read(head, sizeof head) != sizeof head)
        return false;

    auto format = std::make_unique<WaveFormat>();
    format->formatTag = littleEndian16(head);
    format->channels = littleEndian16(head + 2);
    format->samplesPerSecond = littleEndian32(head + 4);
    format->averageBytesPerSecond = littleEndian32(head + 8);
    format->blockAlign = littleEndian16(head + 12);
    format->bitsPerSample = littleEndian16(head + 14);
    // PCM needs nothing beyond the 16 bytes, whatever size the chunk claims.
    if (format->formatTag != kWaveFormatPcm) {
        uint8_t extraSize[2];
        if (file_.read(extraSize, sizeof extraSize) != sizeof extraSize)
            return false;
        format->extraSize = littleEndian16(extraSize);
        format->extra.resize(format->extraSize);
        if (file_.read(format->extra.data(), format->extra.size()) != format->extra.size())
            return false;
    }
    if (!file_.ascend(fmt))
        return false;
    format_ = std::move(format);
    return true;
}

bool WaveFile::findSamples()
{
    if (!file_.seek(riffChunk_.dataOffset + 4))
        return false;
    if (!file_.descend(dataChunk_, &riffChunk_, fourCC("data")))
        return false;
    // A chunk claiming more than the file holds would make the caller
    // allocate for bytes that never arrive.
    const uint64_t present = file_.length() > dataChunk_.dataOffset ? file_.length() - dataChunk_.dataOffset : 0;
    if (dataChunk_.size > present)
        dataChunk_.size = uint32_t(present);
    size_ = dataChunk_.size;
    return true;
}

WaveResult WaveFile::read(uint8_t* buffer, uint32_t count, uint32_t* bytesRead)
{
    if (!file_.isOpen())
        return kWaveNotInitialised;
    if (!buffer || !bytesRead)
        return kWaveInvalidArgument;
    *bytesRead = 0;
    if (count > dataChunk_.size)
        count = dataChunk_.size;
    dataChunk_.size -= count;
    if (file_.read(buffer, count) != count)
        return kWaveOk;
    *bytesRead = count;
    return kWaveOk;
}

void WaveFile::close() { file_.close(); }
