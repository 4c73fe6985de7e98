#pragma once
// The finish screen's table of split times: one row per leg and columns
// that can be added to (leg time and running total first; others may follow
// with more figures per leg), drawn by one function.
#include <cstdint>
#include <string>
#include <vector>

struct SplitCell {
    std::string text;
    uint32_t colour = 0xFFFFFF;  // 0xRRGGBB
};

struct SplitColumn {
    std::string title;
    std::vector<SplitCell> cells;  // one per leg
    bool alignRight = true;
};

struct SplitTable {
    std::string caption;  // the line above the column titles
    std::vector<SplitColumn> columns;
    std::vector<std::string> footer;  // lines under the rows, such as totals and marks explained

    // Rows: the cells of the first column.
    int legCount() const;
    // Appends a column, blank cells added or extra ones dropped to fit the legs.
    void addColumn(SplitColumn column);
    // Characters of column c: its title or its widest cell.
    int columnWidth(int c) const;
};

// The legs ("S-1", "1-2", ...), each leg's time and the running total (m:ss)
// for the times in milliseconds at which each control was reached.
SplitTable makeSplitTable(const std::vector<int64_t>& splitMs);

// Height of the panel drawSplitTable draws at `scale`.
float splitTableHeight(const SplitTable& table, float scale);
// Draws the table on a dark panel with its top-left corner at (x, y) in the
// 640 x 480 overlay, glyphs 16 x scale units; returns the panel's height.
float drawSplitTable(const SplitTable& table, float x, float y, float scale);
