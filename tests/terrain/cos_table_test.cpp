#include "terrain/cos_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(CosTable, EntriesAreCosinesOfTenthsOfADegree)
{
    CosTable table;
    table.fill();
    for (int i = 0; i < CosTable::kEntries; i += 7)
        EXPECT_NEAR(table.entries[i], std::cos(i * 0.1 * M_PI / 180), 1e-5) << "entry " << i;
    EXPECT_EQ(table.entries[0], 1.0f);
}

TEST(CosTable, LookupsPickTheTruncatedTenth)
{
    CosTable table;
    table.fill();
    struct Case {
        float radians;
        int entry;
    };
    const Case cases[] = {
        {0.0f, 0},
        {-0.0001f, 0},       // -0.057 tenths truncates to 0
        {-0.1f, 3543},       // -57.3 tenths -> -57 -> wraps
        {1.0f, 572},         // 572.9578 tenths
        {6.2832f, 0},        // 3600.0085 tenths: one turn
        {100.0f, 3295},      // 57295.78 tenths, many turns
        {-100.0f, 305},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tableCos(c.radians), table.entries[c.entry]) << "radians " << c.radians;
    EXPECT_EQ(tableSin(0), table.entries[2700]);
    EXPECT_NEAR(tableSin(0), 0.0f, 1e-4);
    EXPECT_NEAR(tableSin(1.5708f), 1.0f, 1e-6);
    EXPECT_EQ(tableCos(std::numeric_limits<float>::quiet_NaN()), 1.0f);
    EXPECT_EQ(tableCos(std::numeric_limits<float>::infinity()), 1.0f);
}

TEST(CosTable, LookupsReadTheTableFilledLast)
{
    const float before = tableCos(1.0f);
    {
        CosTable table;
        table.fill();
        table.entries[572] = 42.0f;
        EXPECT_EQ(tableCos(1.0f), 42.0f);
    }
    // The table is gone: lookups fall back to a private table of their own.
    EXPECT_EQ(tableCos(1.0f), before);
}
