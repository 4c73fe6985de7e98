#pragma once
// Cosine and sine in tenths of a degree from a 3600-entry table. Every angle
// of the generators goes through it, so a seed gives the same world on any
// math library.

// The table itself; the Game holds the one the program uses.
struct CosTable {
    static constexpr int kEntries = 3600;
    float entries[kEntries] = {};

    CosTable() = default;
    CosTable(const CosTable&) = delete;
    CosTable& operator=(const CosTable&) = delete;
    // Stops tableCos from reading a table that is gone.
    ~CosTable();

    // Sets entry i to cos(i tenths of a degree) and makes this the table
    // that tableCos and tableSin read from now on.
    void fill();
};

// Cosine of a radians, from the table filled last. Before any table has
// been filled it fills and reads a private one with the same entries, so
// tools and tests need no Game.
float tableCos(float a);
// tableCos(a - 1.5708).
float tableSin(float a);
