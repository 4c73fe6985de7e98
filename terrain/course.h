#pragma once
// The orienteering course: a start followed by the controls, in running
// order. It lives for one terrain and is replaced whole by each generation.
#include <cstdint>

// Number of course points in use, the start included; the menus keep it
// within 4 ... 20. 0 means 8. Program-wide, outside the Game.
extern int32_t g_nControls;

// One course point, in cells (x is world X, y is world Z).
struct Control {
    float x = 0;
    float y = 0;
    int32_t number = 0;  // position in the course, 0 for the start
};

enum LegSize : int32_t {
    kLegsSmall = 1,
    kLegsBig = 2,
    kLegsMixed = 3,  // one long leg after every three short ones ("1B/3S")
};

struct Course {
    static constexpr int kMaxControls = 32;

    Control controls[kMaxControls] = {};
    int32_t legSize = 0;  // a LegSize; 0 means small. Written by the menu.

    // Lays out g_nControls points for a square of mapSize cells: the start
    // 10 or more cells inside, then each control one random leg on from the
    // previous point and 10 cells away from the edges. Stores back the
    // defaults it substitutes for g_nControls and legSize. Draws from the
    // shared generator.
    void generateCourse(int32_t mapSize);

    // The point in slot i, or null outside 0 ... 31.
    const Control* controlAt(int i) const;
};
