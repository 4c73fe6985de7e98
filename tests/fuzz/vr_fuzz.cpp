// libFuzzer target for the .vr model reader: any text must read into objects
// within the scratch limits; never crash, overrun or hang.
#include "model/vr_reader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<VrObject> objects = readVrObjects(reinterpret_cast<const char*>(data), size);
    for (const VrObject& o : objects) {
        if (o.triangles.size() % 3 || o.quads.size() % 4 || o.triangles.size() > 3 * size_t(kMaxTriangles) ||
            o.quads.size() > 4 * size_t(kMaxQuads) || o.textureName.size() > kMaxTextureName)
            std::abort();
        if (!o.read && (!o.triangles.empty() || !o.quads.empty()))
            std::abort();
    }
    return 0;
}
