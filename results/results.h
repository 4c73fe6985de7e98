#pragma once
// Finished runs kept on disk: every run's course code, finish time, split
// times and route in one SQLite database, with the queries the game and the
// command line ask. No window, no GL: the game draws what these return.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace results {

// Where a run went: x, z pairs sampled from `firstSampleMs` after the start,
// then every `intervalMs`, starting at (startX, startZ) at time 0.
struct Route {
    float startX = 0, startZ = 0;
    int firstSampleMs = 1000;
    int intervalMs = 225;
    std::vector<float> xz;

    int sampleCount() const { return static_cast<int>(xz.size() / 2); }
    // The position `ms` after the start, interpolated between samples; the
    // last sample from then on, the start when there is none.
    void positionAt(double ms, float& x, float& z) const;
    // How many samples had been taken `ms` after the start.
    int samplesBy(double ms) const;
};

// One finished run.
struct Run {
    int64_t id = 0;              // its number in the database, stable; 0 until stored
    std::string courseCode;
    std::string finishedUtc;     // "YYYY-MM-DDTHH:MM:SSZ"; store() fills it when empty
    int64_t totalMs = 0;
    std::vector<int64_t> splitMs;  // from the start to each control in order; the last is totalMs
    Route route;
    std::string gameVersion;
};

// Where a run stands among the runs on its course.
struct Standing {
    int rank = 0;                 // 1 the fastest; equal times share a rank
    int runsOnCourse = 0;         // this one included
    int64_t bestMs = 0;           // the personal best on the course, this run included
    int64_t bestRunId = 0;
    int64_t previousBestMs = -1;  // the best before this run was stored; -1 none
};

// One line of the history.
struct HistoryEntry {
    int64_t id = 0;
    std::string finishedUtc;
    std::string courseCode;
    int64_t totalMs = 0;
    int rank = 0;
    int runsOnCourse = 0;
};

// $XDG_DATA_HOME/fernhollow/results.db, or ~/.local/share/fernhollow/results.db
// when XDG_DATA_HOME is unset or not an absolute path.
std::string defaultDatabasePath();

// The time now as a run's finish time is written, "YYYY-MM-DDTHH:MM:SSZ".
std::string utcNow();

// The results database at one path. Each operation opens the file, works in
// one transaction and closes it, so several game processes can share it.
// Nothing here deletes, truncates or rewrites a file that is not a results
// database of a schema this build knows: such a file is reported and left
// alone. Failures return false with a reason a player can read.
class ResultsStore {
public:
    explicit ResultsStore(std::string path);

    const std::string& path() const { return path_; }
    // How long an operation waits for another process's transaction.
    void setBusyTimeout(int ms) { busyTimeoutMs_ = ms; }

    // Stores `run` (creating the folder, the file and the tables when
    // missing), sets its id and finish time, and gives its standing.
    bool store(Run& run, Standing& standing, std::string& error);
    // The fastest run on a course (the earliest of equal times), with its
    // splits and route; empty when the course has no run or no file exists.
    bool bestRun(const std::string& courseCode, std::optional<Run>& best, std::string& error);
    // Run number `id` with its splits and route; empty when there is none.
    bool runById(int64_t id, std::optional<Run>& run, std::string& error);
    // Every run, or those on one course when `courseCode` is not empty, in
    // the order they were stored, each with its rank on its course.
    bool history(const std::string& courseCode, std::vector<HistoryEntry>& entries, std::string& error);

private:
    std::string path_;
    int busyTimeoutMs_ = 2000;
};

// "m:ss", or "m:ss.t" with tenths; truncated, never rounded up.
std::string formatRaceTime(int64_t ms, bool tenths);
// The history as an aligned table with a header line.
std::string formatHistoryTable(const std::vector<HistoryEntry>& entries);

// The command `fernhollow --results [CODE]` on the database at `path`:
// prints the history (or a line saying there is none) to `out` and returns
// 0, or prints why it cannot be read to `err` and returns 1.
int printResultsHistory(const std::string& path, const std::string& courseCode, std::ostream& out,
                        std::ostream& err);

} // namespace results
