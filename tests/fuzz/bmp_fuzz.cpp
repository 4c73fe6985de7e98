// libFuzzer target for the BMP decoder: any bytes must decode to a picture
// of exactly its size, or be refused; never crash, overrun or hang.
#include "render/bmp_decoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RgbImage image;
    if (decodeBmp(data, size, image) != BmpError::None)
        return 0;
    if (image.width <= 0 || image.height <= 0 || image.width > kBmpMaxSide || image.height > kBmpMaxSide ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * 3)
        std::abort();
    return 0;
}
