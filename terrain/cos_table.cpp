#include "terrain/cos_table.h"

#include <cmath>
#include <cstdint>

namespace {

const CosTable* g_active = nullptr;

const CosTable& activeTable()
{
    if (!g_active) {
        static CosTable fallback;
        fallback.fill();
    }
    return *g_active;
}

} // namespace

CosTable::~CosTable()
{
    if (g_active == this)
        g_active = nullptr;
}

void CosTable::fill()
{
    for (int i = 0; i < kEntries; ++i) {
        const float angle = static_cast<float>(i * 0.1 * 0.0174533);
        entries[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
    g_active = this;
}

float tableCos(float a)
{
    // The index is formed in extended precision: the one rounding of the
    // product decides which tenth of a degree a boundary value falls into.
    long double tenths = static_cast<long double>(a) * 57.29578 * 10;
    if (!std::isfinite(tenths))
        tenths = 0;
    else if (!(std::fabs(tenths) < 1e15L))
        tenths = std::fmod(tenths, static_cast<long double>(CosTable::kEntries));
    int64_t i = static_cast<int64_t>(tenths) % CosTable::kEntries;
    if (i < 0)
        i += CosTable::kEntries;
    return activeTable().entries[i];
}

float tableSin(float a)
{
    return tableCos(static_cast<float>(static_cast<long double>(a) - 1.5708));
}
