#include "game/run_results.h"

#include "game/player.h"
#include "terrain/terrain.h"

#include <cstdio>

namespace {

// 52 characters of the HUD's 12-unit glyphs fit the 640-unit screen from
// its 10-unit margin; longer texts go on at a word break.
constexpr size_t kLineWidth = 52;

// "1st", "2nd", "3rd", "4th", "11th", "21st", ...
std::string ordinal(int n)
{
    int tens = n % 100;
    const char* suffix = "th";
    if (tens < 11 || tens > 13) {
        if (n % 10 == 1)
            suffix = "st";
        else if (n % 10 == 2)
            suffix = "nd";
        else if (n % 10 == 3)
            suffix = "rd";
    }
    return std::to_string(n) + suffix;
}

} // namespace

void addWrapped(std::vector<std::string>& lines, const std::string& text)
{
    std::string rest = text;
    std::string indent;
    while (indent.size() + rest.size() > kLineWidth) {
        size_t room = kLineWidth - indent.size();
        size_t cut = rest.rfind(' ', room);
        if (cut == std::string::npos || cut == 0)
            cut = room;
        lines.push_back(indent + rest.substr(0, cut));
        rest.erase(0, rest[cut] == ' ' ? cut + 1 : cut);
        indent = "  ";
    }
    lines.push_back(indent + rest);
}

void RunResults::begin(const std::string& courseCode, const std::string& databasePath)
{
    // The table toggle is the player's choice and outlives the game.
    bool hidden = splitTableHidden;
    *this = RunResults{};
    splitTableHidden = hidden;
    if (courseCode.empty())
        return;
    std::string error;
    results::ResultsStore store(databasePath);
    if (!store.bestRun(courseCode, ghost, error))
        std::fprintf(stderr, "Fernhollow: no ghost of the best run: %s\n", error.c_str());
}

void RunResults::recordFinish(const Player& player, const std::string& courseCode, const std::string& databasePath)
{
    if (recorded)
        return;
    recorded = true;
    run = results::Run{};
    run.courseCode = courseCode;
    run.totalMs = player.elapsedMs();
    run.splitMs = player.splitMs;
    run.gameVersion = FERNHOLLOW_VERSION;
    if (player.terrain && player.terrain->controlAt(0)) {
        run.route.startX = player.terrain->controlAt(0)->x;
        run.route.startZ = player.terrain->controlAt(0)->y;
    }
    run.route.xz = player.trail;
    splitTable = makeSplitTable(player.splitMs);

    results::ResultsStore store(databasePath);
    saved = store.store(run, standing, notSavedWhy);
    if (!saved)
        std::fprintf(stderr, "Fernhollow: run not saved: %s\n", notSavedWhy.c_str());
}

void RunResults::placeGhost(double ms, bool shown)
{
    ghostMarker.shown = shown && ghost.has_value();
    ghostMarker.colour = kGhostColour;
    if (ghostMarker.shown)
        ghost->route.positionAt(ms, ghostMarker.x, ghostMarker.z);
}

std::vector<std::string> RunResults::finishLines() const
{
    std::vector<std::string> lines;
    if (!recorded)
        return lines;
    if (!saved) {
        addWrapped(lines, "Run not saved: " + notSavedWhy);
        return lines;
    }
    bool newBest = standing.previousBestMs < 0 || run.totalMs < standing.previousBestMs;
    if (newBest)
        lines.push_back("New personal best!");
    else
        lines.push_back("Personal best: " + results::formatRaceTime(standing.bestMs, true) + " (run " +
                        std::to_string(standing.bestRunId) + ")");
    lines.push_back("Run " + std::to_string(run.id) + " ranks " + ordinal(standing.rank) + " of " +
                    std::to_string(standing.runsOnCourse) + " on this course");
    return lines;
}
