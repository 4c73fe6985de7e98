#include "tests/tools/assets_readers.h"

#include <dirent.h>
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace assets_test {
namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

} // namespace

std::string assetRoot() { return FERNHOLLOW_ASSET_ROOT; }

std::vector<uint8_t> readFile(const std::string& path)
{
    std::vector<uint8_t> out;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return out;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.insert(out.end(), buf, buf + n);
    std::fclose(f);
    return out;
}

std::vector<uint8_t> readAsset(const std::string& folder, const std::string& name)
{
    const std::string dir = assetRoot() + "/" + folder;
    DIR* d = opendir(dir.c_str());
    if (!d)
        return {};
    std::string found;
    while (dirent* e = readdir(d))
        if (strcasecmp(e->d_name, name.c_str()) == 0)
            found = e->d_name;
    closedir(d);
    return found.empty() ? std::vector<uint8_t>{} : readFile(dir + "/" + found);
}

unsigned Bmp::pixel(int x, int storedRow) const
{
    const size_t i = (static_cast<size_t>(storedRow) * width + x) * 3;
    return rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2];
}

Bmp parseBmp(const std::vector<uint8_t>& b)
{
    Bmp bmp;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        bmp.problem = "not a BMP file";
        return bmp;
    }
    const uint32_t offset = u32(b, 10), header = u32(b, 14);
    const int32_t w = static_cast<int32_t>(u32(b, 18)), h = static_cast<int32_t>(u32(b, 22));
    if (header != 40 || u16(b, 26) != 1 || u16(b, 28) != 24 || u32(b, 30) != 0) {
        bmp.problem = "not an uncompressed 24-bit BMP with a 40-byte header";
        return bmp;
    }
    if (w <= 0 || h <= 0) {
        bmp.problem = "not a bottom-up picture";
        return bmp;
    }
    const size_t rowBytes = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    if (offset + rowBytes * h > b.size() || u32(b, 2) != b.size()) {
        bmp.problem = "sizes in the header do not match the file";
        return bmp;
    }
    bmp.width = w;
    bmp.height = h;
    bmp.rgb.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t src = offset + y * rowBytes + x * 3, dst = (static_cast<size_t>(y) * w + x) * 3;
            bmp.rgb[dst] = b[src + 2];
            bmp.rgb[dst + 1] = b[src + 1];
            bmp.rgb[dst + 2] = b[src];
        }
    bmp.ok = true;
    return bmp;
}

Wav parseWav(const std::vector<uint8_t>& b)
{
    Wav wav;
    if (b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0) {
        wav.problem = "not a RIFF WAVE file";
        return wav;
    }
    if (u32(b, 4) + 8 != b.size()) {
        wav.problem = "RIFF size does not match the file";
        return wav;
    }
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t size = u32(b, at + 4);
        if (at + 8 + size > b.size()) {
            wav.problem = "chunk runs past the end";
            return wav;
        }
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && size >= 16) {
            wav.formatTag = u16(b, at + 8);
            wav.channels = u16(b, at + 10);
            wav.rate = static_cast<int>(u32(b, at + 12));
            const uint32_t byteRate = u32(b, at + 16);
            const int align = u16(b, at + 20);
            wav.bits = u16(b, at + 22);
            if (align != wav.channels * wav.bits / 8 || byteRate != static_cast<uint32_t>(wav.rate * align)) {
                wav.problem = "block align or byte rate inconsistent";
                return wav;
            }
            haveFormat = true;
        } else if (std::memcmp(&b[at], "data", 4) == 0) {
            if (!haveFormat || wav.bits != 16 || wav.channels < 1) {
                wav.problem = "data before a 16-bit format";
                return wav;
            }
            const size_t frames = size / (2 * wav.channels);
            for (size_t i = 0; i < frames; ++i)
                wav.samples.push_back(static_cast<int16_t>(u16(b, at + 8 + i * 2 * wav.channels)) / 32768.0f);
            wav.ok = true;
            return wav;
        }
        at += 8 + size + (size & 1);
    }
    wav.problem = "no data chunk";
    return wav;
}

namespace {

// Reads `count` numbers after `at`, each separated by exactly one space,
// which is how the game's reader steps from one number to the next.
bool readNumbers(const std::string& text, size_t& at, int count, float* out)
{
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != ' ')
                return false;
            ++at;
        }
        char* end = nullptr;
        out[i] = std::strtof(text.c_str() + at, &end);
        if (end == text.c_str() + at)
            return false;
        at = static_cast<size_t>(end - text.c_str());
    }
    return true;
}

bool expect(const std::string& text, size_t& at, const std::string& word, size_t limit)
{
    const size_t found = text.find(word, at);
    if (found == std::string::npos || found >= limit)
        return false;
    at = found + word.size();
    return true;
}

} // namespace

VrModel parseVr(const std::string& text)
{
    VrModel model;
    for (size_t at = text.find("object"); at != std::string::npos; at = text.find("object", at + 1))
        ++model.objectWords;
    size_t at = text.find("object");
    while (at != std::string::npos) {
        const size_t next = text.find("object", at + 6);
        const size_t limit = next == std::string::npos ? text.size() : next;
        VrObject obj;
        float translation[3], pv[2];
        if (!expect(text, at, "translation v ", limit) || !readNumbers(text, at, 3, translation)) {
            model.problem = "object without a translation";
            return model;
        }
        if (expect(text, at, "texture \"", limit)) {
            const size_t close = text.find('"', at);
            obj.texture = text.substr(at, close - at);
            at = close + 1;
        }
        if (!expect(text, at, "material", limit) || !expect(text, at, "diffuse ", limit) ||
            !readNumbers(text, at, 3, obj.diffuse) || !expect(text, at, "N_M_POLY ", limit) ||
            !readNumbers(text, at, 2, pv)) {
            model.problem = "object without material, diffuse or N_M_POLY";
            return model;
        }
        obj.polygons = static_cast<int>(pv[0]);
        obj.vertices = static_cast<int>(pv[1]);
        for (size_t v = text.find("v ", at); v < limit; v = text.find("v ", v + 2)) {
            size_t p = v + 2;
            float xyz[3];
            if (!readNumbers(text, p, 3, xyz)) {
                model.problem = "vertex without three numbers";
                return model;
            }
            obj.xyz.insert(obj.xyz.end(), xyz, xyz + 3);
            ++obj.vertexEntries;
        }
        for (size_t t = text.find("t ", at); t < limit; t = text.find("t ", t + 2)) {
            size_t p = t + 2;
            float st[2];
            if (!readNumbers(text, p, 2, st)) {
                model.problem = "texture coordinate without two numbers";
                return model;
            }
            obj.st.insert(obj.st.end(), st, st + 2);
            ++obj.coordinateEntries;
        }
        model.objects.push_back(obj);
        at = next;
    }
    model.ok = true;
    return model;
}

bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

} // namespace assets_test
