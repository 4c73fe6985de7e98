#include "game/split_table.h"

#include "app/overlay.h"
#include "app/text.h"
#include "render/texture.h"
#include "results/results.h"

#include <algorithm>

namespace {

constexpr float kAdvance = 12.0f;  // glyph advance at scale 1
constexpr int kGapCharacters = 2;
constexpr float kMargin = 4.0f;

} // namespace

int SplitTable::legCount() const { return columns.empty() ? 0 : static_cast<int>(columns[0].cells.size()); }

void SplitTable::addColumn(SplitColumn column)
{
    if (!columns.empty())
        column.cells.resize(static_cast<size_t>(legCount()));
    columns.push_back(std::move(column));
}

int SplitTable::columnWidth(int c) const
{
    const SplitColumn& column = columns[static_cast<size_t>(c)];
    size_t width = column.title.size();
    for (const SplitCell& cell : column.cells)
        width = std::max(width, cell.text.size());
    return static_cast<int>(width);
}

SplitTable makeSplitTable(const std::vector<int64_t>& splitMs)
{
    SplitTable table;
    table.caption = "Splits (Tab hides)";
    SplitColumn legs{"Leg", {}, false}, times{"Time", {}, true}, totals{"Total", {}, true};
    int64_t previous = 0;
    for (size_t i = 0; i < splitMs.size(); ++i) {
        std::string from = i == 0 ? "S" : std::to_string(i);
        legs.cells.push_back({from + "-" + std::to_string(i + 1)});
        times.cells.push_back({results::formatRaceTime(splitMs[i] - previous, false)});
        totals.cells.push_back({results::formatRaceTime(splitMs[i], false)});
        previous = splitMs[i];
    }
    table.addColumn(std::move(legs));
    table.addColumn(std::move(times));
    table.addColumn(std::move(totals));
    return table;
}

float splitTableHeight(const SplitTable& table, float scale)
{
    const float rowHeight = 16.0f * scale + 2.0f;
    return (table.legCount() + 2 + static_cast<float>(table.footer.size())) * rowHeight + 2 * kMargin;
}

float drawSplitTable(const SplitTable& table, float x, float y, float scale)
{
    const float advance = kAdvance * scale;
    const float rowHeight = 16.0f * scale + 2.0f;
    const float margin = kMargin;
    std::vector<float> columnX;
    std::vector<int> widths;
    float width = 0;
    for (int c = 0; c < static_cast<int>(table.columns.size()); ++c) {
        columnX.push_back(width);
        widths.push_back(table.columnWidth(c));
        width += (widths.back() + kGapCharacters) * advance;
    }
    width = std::max(width - kGapCharacters * advance, static_cast<float>(table.caption.size()) * advance);
    for (const std::string& line : table.footer)
        width = std::max(width, static_cast<float>(line.size()) * advance);
    const float height = splitTableHeight(table, scale);

    bindTexture(-1);
    drawRect(x, y, x + width + 2 * margin, y + height, 0x101810);
    beginOverlay();
    float top = y + margin;
    drawTextString(x + margin, top, scale, 1.0f, 0xFFFFFF, table.caption);
    top += rowHeight;
    for (int row = -1; row < table.legCount(); ++row) {
        for (size_t c = 0; c < table.columns.size(); ++c) {
            const SplitColumn& column = table.columns[c];
            const std::string& text = row < 0 ? column.title : column.cells[static_cast<size_t>(row)].text;
            uint32_t colour = row < 0 ? 0xC0C0C0 : column.cells[static_cast<size_t>(row)].colour;
            float shift = column.alignRight ? (widths[c] - text.size()) * advance : 0;
            drawTextString(x + margin + columnX[c] + shift, top, scale, 1.0f, colour, text);
        }
        top += rowHeight;
    }
    for (const std::string& line : table.footer) {
        drawTextString(x + margin, top, scale, 1.0f, 0xC0C0C0, line);
        top += rowHeight;
    }
    endOverlay();
    return height;
}
