#include "app/random.h"

namespace rng {
namespace {
uint32_t g_state = 1;
}

void seed(uint32_t s) { g_state = s; }

int next()
{
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

uint32_t state() { return g_state; }

} // namespace rng
