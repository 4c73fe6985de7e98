// Time of storing one finished run (a 10-minute route, 19 controls) in a
// database that already holds 1,000 runs, and of the `--results` listing
// over 10,000 stored runs, all and for one course. The databases are made
// once in a temporary folder (FERNHOLLOW_BENCH_DIR keeps them elsewhere).
// Storing syncs the disk, so that figure is the disk's as much as ours.
#include "results/results.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

results::Run makeRun(int i, int minutes)
{
    results::Run run;
    char code[32];
    std::snprintf(code, sizeof code, "BENCH-%03d", i % 200);
    run.courseCode = code;
    run.totalMs = minutes * 60000 + (i * 7919) % 60000;
    for (int c = 1; c <= 19; ++c)
        run.splitMs.push_back(run.totalMs * c / 19);
    int samples = static_cast<int>((run.totalMs - 1000) / 225) + 1;
    for (int s = 0; s < samples; ++s) {
        run.route.xz.push_back(100.0f + s * 0.01f);
        run.route.xz.push_back(200.0f - s * 0.02f);
    }
    run.gameVersion = "bench";
    return run;
}

std::string benchFolder()
{
    static std::string folder;
    if (folder.empty()) {
        const char* kept = std::getenv("FERNHOLLOW_BENCH_DIR");
        if (kept && *kept) {
            folder = std::string(kept) + "/";
            std::filesystem::create_directories(folder);
        } else {
            std::string pattern = (std::filesystem::temp_directory_path() / "fernhollow-bench-XXXXXX").string();
            folder = std::string(mkdtemp(pattern.data())) + "/";
            std::atexit([] { std::filesystem::remove_all(folder); });
        }
    }
    return folder;
}

void fail(const std::string& why)
{
    std::fprintf(stderr, "%s\n", why.c_str());
    std::exit(1);
}

// A database of `count` runs of about three minutes on 200 courses, made
// once: 200 runs stored as the game stores them, the rest copied from them
// in one transaction (storing each costs a disk sync).
std::string databaseWith(int count)
{
    std::string path = benchFolder() + "results-" + std::to_string(count) + ".db";
    std::vector<results::HistoryEntry> have;
    std::string error;
    results::ResultsStore store(path);
    if (store.history("", have, error) && static_cast<int>(have.size()) >= count)
        return path;
    std::filesystem::remove(path);
    for (int i = 0; i < 200; ++i) {
        results::Run run = makeRun(i, 3);
        results::Standing standing;
        if (!store.store(run, standing, error))
            fail(error);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        fail(sqlite3_errmsg(db));
    std::string copy = "BEGIN;";
    for (int i = 200; i < count; i += 200) {
        int base = i;
        copy += "INSERT INTO runs (id, course_code, finished_utc, total_ms, game_version) SELECT id + " +
                std::to_string(base) + ", course_code, finished_utc, total_ms + " + std::to_string(i % 7000) +
                ", game_version FROM runs WHERE id <= 200;" +
                "INSERT INTO splits SELECT run_id + " + std::to_string(base) +
                ", control, at_ms FROM splits WHERE run_id <= 200;" + "INSERT INTO routes SELECT run_id + " +
                std::to_string(base) +
                ", start_x, start_z, first_sample_ms, interval_ms, samples FROM routes WHERE run_id <= 200;";
    }
    copy += "COMMIT;";
    if (sqlite3_exec(db, copy.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sqlite3_errmsg(db));
    sqlite3_close(db);
    return path;
}

void storeFinishedRun(benchmark::State& state)
{
    std::string path = databaseWith(1000);
    results::ResultsStore store(path);
    results::Run prototype = makeRun(7, 10);
    for (auto _ : state) {
        results::Run run = prototype;
        results::Standing standing;
        std::string error;
        if (!store.store(run, standing, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(standing.rank);
    }
}

void listHistory(benchmark::State& state, const std::string& code)
{
    std::string path = databaseWith(10000);
    for (auto _ : state) {
        std::ostringstream out, err;
        if (results::printResultsHistory(path, code, out, err) != 0)
            state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(out.str().size());
    }
}

} // namespace

BENCHMARK(storeFinishedRun)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK_CAPTURE(listHistory, all, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(listHistory, oneCourse, std::string("BENCH-042"))->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
