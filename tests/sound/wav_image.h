#pragma once
// RIFF WAVE file images for the sound tests, well-formed or deliberately
// not, and the folders the tests write them to.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A chunk with its 8-byte header and pad byte; `size` overrides the size
// field (-1: the data's own size).
Bytes chunk(const char* id, const Bytes& data, int64_t size = -1);
// A "RIFF" chunk of `formType` around `body`.
Bytes riff(const char* formType, const Bytes& body);
// The first 16 bytes of a format chunk, block size worked out.
Bytes formatHeader(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
// A complete PCM sound holding `samples` as sample bytes.
Bytes pcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples);
// A complete 16-bit PCM sound of these values.
Bytes wave16(uint16_t channels, uint32_t rate, const std::vector<int16_t>& values);
// offset + amplitude × sin(2π hz t), mono.
std::vector<int16_t> tone(double hz, double seconds, uint32_t rate, double amplitude, double offset = 0);

void writeFile(const std::string& path, const Bytes& bytes);
// An empty folder for the running test under the test output, ending in '/'.
std::string testFolder();

// Names of the forest sounds: the 13 animals in table order, then the two
// backgrounds and the footsteps.
extern const char* const kForestSoundFiles[16];
// Writes every forest sound as a quiet tone into `folder`/sounds, animals
// 16-bit mono at 22050 Hz, backgrounds 8-bit stereo at 11025 Hz; the file
// named `skip` is left out.
void writeForestSounds(const std::string& folder, double animalSeconds, double backgroundSeconds,
                       const std::string& skip = "");
