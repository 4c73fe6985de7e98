#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Platform* g_current = nullptr;
}

Platform& current()
{
    if (!g_current) {
        std::fprintf(stderr, "platform: used before it was set\n");
        std::abort();
    }
    return *g_current;
}

void setCurrent(Platform* p) { g_current = p; }

} // namespace platform
