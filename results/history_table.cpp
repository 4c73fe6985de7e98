#include "results/results.h"

#include <algorithm>
#include <cstdio>

namespace results {

namespace {

// "2025-01-02T10:11:12Z" shown as "2025-01-02 10:11"; anything else as it is.
std::string shortDate(const std::string& utc)
{
    if (utc.size() >= 16 && utc[10] == 'T')
        return utc.substr(0, 10) + " " + utc.substr(11, 5);
    return utc;
}

std::string pad(const std::string& text, size_t width, bool right)
{
    if (text.size() >= width)
        return text;
    std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

} // namespace

std::string formatRaceTime(int64_t ms, bool tenths)
{
    if (ms < 0)
        ms = 0;
    char text[32];
    long long seconds = ms / 1000;
    if (tenths)
        std::snprintf(text, sizeof text, "%lld:%02lld.%lld", seconds / 60, seconds % 60,
                      static_cast<long long>(ms % 1000) / 100);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

std::string formatHistoryTable(const std::vector<HistoryEntry>& entries)
{
    struct Column {
        const char* title;
        bool right;
        size_t width;
    };
    Column columns[] = {{"Run", true, 0}, {"Date (UTC)", false, 0}, {"Course", false, 0},
                        {"Time", true, 0}, {"Rank", false, 0}};
    std::vector<std::vector<std::string>> rows;
    rows.reserve(entries.size());
    for (const HistoryEntry& e : entries)
        rows.push_back({std::to_string(e.id), shortDate(e.finishedUtc), e.courseCode, formatRaceTime(e.totalMs, true),
                        std::to_string(e.rank) + " of " + std::to_string(e.runsOnCourse)});
    for (Column& c : columns)
        c.width = std::string(c.title).size();
    for (const auto& row : rows)
        for (size_t i = 0; i < row.size(); ++i)
            columns[i].width = std::max(columns[i].width, row[i].size());

    std::string out;
    auto addLine = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (size_t i = 0; i < cells.size(); ++i) {
            bool last = i + 1 == cells.size();
            // No trailing blanks after a left-aligned last column.
            line += last && !columns[i].right ? cells[i] : pad(cells[i], columns[i].width, columns[i].right);
            if (!last)
                line += "  ";
        }
        out += line + "\n";
    };
    std::vector<std::string> header;
    for (const Column& c : columns)
        header.push_back(c.title);
    addLine(header);
    for (const auto& row : rows)
        addLine(row);
    return out;
}

int printResultsHistory(const std::string& path, const std::string& courseCode, std::ostream& out,
                        std::ostream& err)
{
    ResultsStore store(path);
    std::vector<HistoryEntry> entries;
    std::string error;
    if (!store.history(courseCode, entries, error)) {
        err << "fernhollow: cannot read the results: " << error << "\n";
        return 1;
    }
    if (entries.empty()) {
        if (courseCode.empty())
            out << "No runs yet: finish a course and it will be listed here.\n";
        else
            out << "No runs on course " << courseCode << " yet.\n";
        return 0;
    }
    out << formatHistoryTable(entries);
    return 0;
}

} // namespace results
