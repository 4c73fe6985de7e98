#include "game/route_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The game's glyph cells: 16 pixels square, 12 apart, 18 from line to line.
constexpr int kGlyph = 16, kAdvance = 12, kRow = 18;
constexpr int kPad = 16;
constexpr int kGapCharacters = 2;
constexpr uint32_t kPanelColour = 0x101810;
constexpr uint32_t kTextColour = 0xFFFFFF;
constexpr uint32_t kDimTextColour = 0xC0C0C0;
constexpr uint32_t kCourseColour = 0xFF5555;  // the course's red as the map blends it on white

// Pixel writes clipped to the picture.
class Canvas {
public:
    explicit Canvas(AnalysisPicture& picture) : p_(picture) {}

    void put(int x, int y, uint32_t c)
    {
        if (x < 0 || y < 0 || x >= p_.width || y >= p_.height)
            return;
        uint8_t* at = &p_.rgb[(static_cast<size_t>(y) * p_.width + x) * 3];
        at[0] = static_cast<uint8_t>(c >> 16);
        at[1] = static_cast<uint8_t>(c >> 8);
        at[2] = static_cast<uint8_t>(c);
    }

    void fill(int x0, int y0, int x1, int y1, uint32_t c)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                put(x, y, c);
    }

    // The pixels whose centres lie within r of (cx, cy).
    void disc(float cx, float cy, float r, uint32_t c)
    {
        for (int y = static_cast<int>(std::floor(cy - r)); y <= static_cast<int>(std::ceil(cy + r)); ++y)
            for (int x = static_cast<int>(std::floor(cx - r)); x <= static_cast<int>(std::ceil(cx + r)); ++x) {
                const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
                if (dx * dx + dy * dy <= r * r)
                    put(x, y, c);
            }
    }

    // A line r either side of the segment, with round ends.
    void line(float x0, float y0, float x1, float y1, float r, uint32_t c)
    {
        const float length = std::hypot(x1 - x0, y1 - y0);
        if (!std::isfinite(length))
            return;
        const int steps = std::max(1, static_cast<int>(std::ceil(length * 2)));
        for (int i = 0; i <= steps; ++i) {
            const float t = static_cast<float>(i) / steps;
            disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, r, c);
        }
    }

    // The font's glyphs tinted by `colour` as the game draws them: the key
    // colour is left out, every other font pixel is multiplied by `colour`.
    void text(int x, int y, const std::string& s, uint32_t colour, const RgbImage& font)
    {
        const int channels[3] = {static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                                 static_cast<int>(colour & 0xFF)};
        for (unsigned char ch : s) {
            if (ch >= 32 && ch <= 126 && font.width == 256 && font.height == 256) {
                const int cell = ch - 32, left = 16 * (cell % 16), top = 16 * (cell / 16);
                for (int gy = 0; gy < kGlyph; ++gy)
                    for (int gx = 0; gx < kGlyph; ++gx) {
                        // The font picture is stored bottom row first.
                        const uint8_t* f = &font.pixels[(static_cast<size_t>(255 - top - gy) * 256 + left + gx) * 3];
                        if (f[0] == 0x0A && f[1] == 0x0A && f[2] == 0x0A)
                            continue;
                        uint32_t tinted = 0;
                        for (int k = 0; k < 3; ++k)
                            tinted = tinted << 8 | static_cast<uint32_t>(f[k] * channels[k] / 255);
                        put(x + gx, y + gy, tinted);
                    }
            }
            x += kAdvance;
        }
    }

private:
    AnalysisPicture& p_;
};

// One line of the panel: text, or a swatch and text.
struct PanelLine {
    std::string text;
    uint32_t colour = kTextColour;
    enum Swatch { None, Line, PaceScale } swatch = None;
    uint32_t swatchColour = 0;
};

constexpr int kSwatchWidth = 48;

std::string finishedLine(const results::Run& run)
{
    if (run.id <= 0)
        return "Run not stored";
    std::string line = "Run " + std::to_string(run.id);
    if (run.finishedUtc.size() >= 16)
        line += ", " + run.finishedUtc.substr(0, 10) + " " + run.finishedUtc.substr(11, 5) + " UTC";
    return line;
}

// Everything beside the map, top to bottom; the table's rows are left to drawTable.
std::vector<PanelLine> headLines(const AnalysisSubject& s)
{
    std::vector<PanelLine> lines;
    lines.push_back({"Route analysis"});
    lines.push_back({"Course " + (s.run.courseCode.empty() ? std::string("without a code") : s.run.courseCode),
                     kDimTextColour});
    lines.push_back({finishedLine(s.run), kDimTextColour});
    lines.push_back({"Time " + results::formatRaceTime(s.run.totalMs, true)});
    return lines;
}

std::vector<PanelLine> keyLines()
{
    std::vector<PanelLine> lines;
    lines.push_back({"Fastest routes", kTextColour, PanelLine::Line, kFastestRouteColour});
    lines.push_back({"Course", kTextColour, PanelLine::Line, kCourseColour});
    lines.push_back({"Your route by pace", kTextColour, PanelLine::PaceScale, 0});
    const int fast = static_cast<int>(std::lround(kFastPace)), slow = static_cast<int>(std::lround(kSlowPace));
    lines.push_back({std::to_string(fast) + " fast .. " + std::to_string(slow) + " slow", kDimTextColour});
    lines.push_back({"(seconds per 100 units)", kDimTextColour});
    return lines;
}

int linesWidth(const std::vector<PanelLine>& lines)
{
    int width = 0;
    for (const PanelLine& l : lines)
        width = std::max(width, static_cast<int>(l.text.size()) * kAdvance +
                                    (l.swatch == PanelLine::None ? 0 : kSwatchWidth + kAdvance));
    return width;
}

int drawLines(Canvas& canvas, const std::vector<PanelLine>& lines, int x, int y, const RgbImage& font)
{
    for (const PanelLine& l : lines) {
        int textX = x;
        const int middle = y + kGlyph / 2;
        if (l.swatch == PanelLine::Line) {
            canvas.line(static_cast<float>(x + 3), middle, static_cast<float>(x + kSwatchWidth - 3), middle, 2.5f,
                        l.swatchColour);
        } else if (l.swatch == PanelLine::PaceScale) {
            canvas.fill(x, middle - 4, x + kSwatchWidth, middle + 4, 0x000000);
            for (int i = 1; i < kSwatchWidth - 1; ++i) {
                const float pace = kFastPace + (kSlowPace - kFastPace) * (i - 1) / (kSwatchWidth - 3);
                canvas.fill(x + i, middle - 3, x + i + 1, middle + 3, paceColour(pace));
            }
        }
        if (l.swatch != PanelLine::None)
            textX += kSwatchWidth + kAdvance;
        canvas.text(textX, y, l.text, l.colour, font);
        y += kRow;
    }
    return y;
}

int tableWidth(const SplitTable& table)
{
    int characters = 0;
    for (int c = 0; c < static_cast<int>(table.columns.size()); ++c)
        characters += table.columnWidth(c) + kGapCharacters;
    characters = std::max(characters - kGapCharacters, static_cast<int>(table.caption.size()));
    for (const std::string& line : table.footer)
        characters = std::max(characters, static_cast<int>(line.size()));
    return characters * kAdvance;
}

// The table as the finish screen lays it out, at full glyph size.
int drawTable(Canvas& canvas, const SplitTable& table, int x, int y, const RgbImage& font)
{
    canvas.text(x, y, table.caption, kTextColour, font);
    y += kRow;
    for (int row = -1; row < table.legCount(); ++row) {
        int columnX = x;
        for (size_t c = 0; c < table.columns.size(); ++c) {
            const SplitColumn& column = table.columns[c];
            const int width = table.columnWidth(static_cast<int>(c));
            const bool title = row < 0;
            const std::string& text = title ? column.title : column.cells[static_cast<size_t>(row)].text;
            const uint32_t colour = title ? kDimTextColour : column.cells[static_cast<size_t>(row)].colour;
            const int shift = column.alignRight ? (width - static_cast<int>(text.size())) * kAdvance : 0;
            canvas.text(columnX + shift, y, text, colour, font);
            columnX += (width + kGapCharacters) * kAdvance;
        }
        y += kRow;
    }
    for (const std::string& line : table.footer) {
        canvas.text(x, y, line, kDimTextColour, font);
        y += kRow;
    }
    return y;
}

// The run's route from its start through its samples, each stretch in the
// colour of the pace at its end, on a dark rim that reads on every map colour.
void drawRunRoute(Canvas& canvas, const results::Route& route)
{
    std::vector<float> xz = {route.startX, route.startZ};
    xz.insert(xz.end(), route.xz.begin(), route.xz.end());
    const std::vector<float> pace = routePace(route.xz, route.intervalMs / 1000.0f);
    const int points = static_cast<int>(xz.size() / 2);
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 1; i < points; ++i) {
            const uint32_t colour = pass == 0 ? 0x000000 : paceColour(pace[static_cast<size_t>(i - 1)]);
            canvas.line(2 * xz[2 * i - 2], 2 * xz[2 * i - 1], 2 * xz[2 * i], 2 * xz[2 * i + 1], pass == 0 ? 2.2f : 1.3f,
                        colour);
        }
}

} // namespace

AnalysisPicture drawAnalysisPicture(const AnalysisSubject& s, const RgbImage& font)
{
    SplitTable table = makeSplitTable(s.run.splitMs);
    table.caption = "Splits";
    if (!s.legs.empty())
        addRouteColumns(table, s.legs, s.run.splitMs);
    const std::vector<PanelLine> head = headLines(s), key = keyLines();

    const int mapSide = s.map && s.map->pixels() ? s.map->width() : 0;
    const int mapHeight = s.map && s.map->pixels() ? s.map->height() : 0;
    const int panelWidth = std::max({linesWidth(head), linesWidth(key), tableWidth(table)}) + 2 * kPad;
    const int rows = static_cast<int>(head.size() + key.size() + table.footer.size()) + table.legCount() + 2 + 2;
    AnalysisPicture picture;
    picture.width = mapSide + panelWidth;
    picture.height = std::max(mapHeight, rows * kRow + 2 * kPad);
    picture.rgb.assign(static_cast<size_t>(picture.width) * picture.height * 3, 0);
    Canvas canvas(picture);
    canvas.fill(0, 0, picture.width, picture.height, kPanelColour);

    for (int y = 0; y < mapHeight; ++y)
        std::memcpy(&picture.rgb[static_cast<size_t>(y) * picture.width * 3],
                    s.map->pixels() + static_cast<size_t>(y) * mapSide * 3, static_cast<size_t>(mapSide) * 3);
    for (const LegRoute& leg : s.legs)
        for (size_t i = 1; i < leg.path.size(); ++i)
            canvas.line(2 * leg.path[i - 1].x, 2 * leg.path[i - 1].z, 2 * leg.path[i].x, 2 * leg.path[i].z, 3.0f,
                        kFastestRouteColour);
    drawRunRoute(canvas, s.run.route);

    const int x = mapSide + kPad;
    int y = drawLines(canvas, head, x, kPad, font) + kRow;
    y = drawTable(canvas, table, x, y, font) + kRow;
    drawLines(canvas, key, x, y, font);
    return picture;
}
