#include "render/bmp_reader.h"

#include "platform/platform.h"
#include "render/asset_file.h"
#include "render/bmp_decoder.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

void reportError(const std::string& text)
{
    platform::current().messageBox("Error", text.c_str(), platform::MessageIcon::Error);
}

std::string openFailedMessage(const std::string& path) { return "Failed to open DIB file " + path + ".\n"; }

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::optional<RgbImage> loadBmpImage(const std::string& path)
{
    const std::string real = resolveAssetFile(path);
    // A folder opens like a file here but has no length to read.
    std::error_code ignored;
    std::unique_ptr<std::FILE, FileCloser> file(
        std::filesystem::is_regular_file(real, ignored) ? std::fopen(real.c_str(), "rb") : nullptr);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
        reportError(openFailedMessage(real));
        return std::nullopt;
    }
    long length = std::ftell(file.get());
    // An empty file cannot be mapped, so it fails like one that cannot be opened.
    if (length <= 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        reportError(openFailedMessage(real));
        return std::nullopt;
    }
    if (length > kBmpMaxFileBytes) {
        reportError(bmpErrorMessage(BmpError::OutOfMemory));
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        reportError(openFailedMessage(real));
        return std::nullopt;
    }

    RgbImage image;
    BmpError error = decodeBmp(bytes.data(), bytes.size(), image);
    if (error == BmpError::Empty) {
        reportError(openFailedMessage(real));
        return std::nullopt;
    }
    if (error != BmpError::None) {
        reportError(bmpErrorMessage(error));
        return std::nullopt;
    }
    return image;
}
