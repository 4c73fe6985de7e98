// The results database on real files in a temporary folder: what is stored
// comes back, files it cannot use are reported and left exactly as they
// were, and two writers at once both keep their runs.
#include "results/results.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

namespace {

using results::ResultsStore;
using results::Standing;

results::Run makeRun(const std::string& code, int64_t totalMs, float seed = 0)
{
    results::Run run;
    run.courseCode = code;
    run.totalMs = totalMs;
    run.splitMs = {totalMs / 3, totalMs / 2, totalMs};
    run.route.startX = 10.5f + seed;
    run.route.startZ = 20.25f;
    for (int i = 0; i < 50; ++i) {
        run.route.xz.push_back(seed + i * 0.3f);
        run.route.xz.push_back(100.0f - i * 0.7f);
    }
    run.gameVersion = "test";
    return run;
}

bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Root passes every permission check; while this lives, this thread's file
// access obeys the permission bits as anyone else's would.
class PermissionBitsApply {
public:
    PermissionBitsApply() { setOverride(false); }
    ~PermissionBitsApply() { setOverride(true); }

private:
    static void setOverride(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2];
        if (syscall(SYS_capget, &header, data) != 0)
            return;
        uint32_t bits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        data[0].effective = on ? data[0].effective | (bits & data[0].permitted) : data[0].effective & ~bits;
        syscall(SYS_capset, &header, data);
    }
};

} // namespace

TEST(ResultsStore, WritesAndReadsBackRunsWithTheirStanding)
{
    testsupport::TempFolder folder;
    const std::string path = folder.path() + "deep/er/results.db";
    ResultsStore store(path);

    std::optional<results::Run> none;
    std::string error;
    ASSERT_TRUE(store.bestRun("AAAA", none, error)) << error;
    EXPECT_FALSE(none);
    EXPECT_FALSE(exists(path)) << "reading never creates the file";

    struct Step {
        const char* code;
        int64_t ms;
        int rank, runs;
        int64_t previousBest;
    } steps[] = {
        {"AAAA", 5000, 1, 1, -1}, {"AAAA", 3000, 1, 2, 5000}, {"BBBB", 9000, 1, 1, -1},
        {"AAAA", 4000, 2, 3, 3000}, {"AAAA", 3000, 1, 4, 3000},
    };
    std::vector<results::Run> stored;
    for (const Step& s : steps) {
        results::Run run = makeRun(s.code, s.ms, static_cast<float>(stored.size()));
        Standing standing;
        ASSERT_TRUE(store.store(run, standing, error)) << error;
        EXPECT_EQ(standing.rank, s.rank) << s.ms;
        EXPECT_EQ(standing.runsOnCourse, s.runs) << s.ms;
        EXPECT_EQ(standing.previousBestMs, s.previousBest) << s.ms;
        EXPECT_FALSE(run.finishedUtc.empty());
        if (!stored.empty()) {
            EXPECT_GT(run.id, stored.back().id) << "run numbers only grow";
        }
        stored.push_back(run);
    }

    std::optional<results::Run> best;
    ASSERT_TRUE(store.bestRun("AAAA", best, error)) << error;
    ASSERT_TRUE(best);
    EXPECT_EQ(best->id, stored[1].id) << "the earlier of two equal times is the best";
    for (const results::Run& want : stored) {
        std::optional<results::Run> got;
        ASSERT_TRUE(store.runById(want.id, got, error)) << error;
        ASSERT_TRUE(got);
        EXPECT_EQ(got->courseCode, want.courseCode);
        EXPECT_EQ(got->finishedUtc, want.finishedUtc);
        EXPECT_EQ(got->totalMs, want.totalMs);
        EXPECT_EQ(got->splitMs, want.splitMs);
        EXPECT_EQ(got->route.xz, want.route.xz) << "route samples come back bit for bit";
        EXPECT_EQ(got->route.startX, want.route.startX);
        EXPECT_EQ(got->gameVersion, want.gameVersion);
    }

    std::vector<results::HistoryEntry> history;
    ASSERT_TRUE(store.history("", history, error)) << error;
    ASSERT_EQ(history.size(), stored.size());
    std::vector<int> ranks;
    for (const auto& e : history)
        ranks.push_back(e.rank);
    EXPECT_EQ(ranks, (std::vector<int>{4, 1, 1, 3, 1}));
    ASSERT_TRUE(store.history("BBBB", history, error)) << error;
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].id, stored[2].id);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* version = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &version, nullptr);
    ASSERT_EQ(sqlite3_step(version), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(version, 0), 1) << "the schema version is recorded for migrations";
    sqlite3_finalize(version);
    sqlite3_close(db);
}

TEST(ResultsStore, FilesItCannotUseAreReportedAndLeftByteForByte)
{
    testsupport::TempFolder folder;
    const std::string garbage = folder.path() + "garbage.db";
    {
        std::ofstream out(garbage, std::ios::binary);
        for (int i = 0; i < 5000; ++i)
            out.put(static_cast<char>((i * 7919) % 251));
    }
    const std::string foreign = folder.path() + "foreign.db";
    {
        sqlite3* db = nullptr;
        sqlite3_open(foreign.c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('mine')", nullptr, nullptr,
                     nullptr);
        sqlite3_close(db);
    }
    for (const std::string& path : {garbage, foreign}) {
        const std::string before = testsupport::fileText(path);
        ResultsStore store(path);
        results::Run run = makeRun("AAAA", 1234);
        Standing standing;
        std::string error;
        EXPECT_FALSE(store.store(run, standing, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        std::optional<results::Run> best;
        EXPECT_FALSE(store.bestRun("AAAA", best, error));

        std::ostringstream out, err;
        EXPECT_EQ(results::printResultsHistory(path, "", out, err), 1);
        EXPECT_NE(err.str().find("not a"), std::string::npos) << err.str();
        EXPECT_EQ(testsupport::fileText(path), before) << path;
        EXPECT_FALSE(exists(path + "-journal"));
    }
}

TEST(ResultsStore, ReadOnlyFoldersAndFilesAndLocksAreReportedNotFatal)
{
    testsupport::TempFolder folder;
    std::string error;
    Standing standing;

    // A folder nobody may write to, with no file yet and with one.
    const std::string emptyFolder = folder.subfolder("empty");
    const std::string fullFolder = folder.subfolder("full");
    results::Run first = makeRun("AAAA", 4000);
    ASSERT_TRUE(ResultsStore(fullFolder + "results.db").store(first, standing, error)) << error;
    const std::string before = testsupport::fileText(fullFolder + "results.db");
    chmod(emptyFolder.c_str(), 0555);
    chmod(fullFolder.c_str(), 0555);
    {
        PermissionBitsApply asUser;
        for (const std::string& path : {emptyFolder + "results.db", emptyFolder + "sub/results.db",
                                        fullFolder + "results.db"}) {
            results::Run run = makeRun("AAAA", 3000);
            EXPECT_FALSE(ResultsStore(path).store(run, standing, error)) << path;
            EXPECT_FALSE(error.empty());
        }
        std::optional<results::Run> best;
        EXPECT_TRUE(ResultsStore(fullFolder + "results.db").bestRun("AAAA", best, error)) << error;
        EXPECT_TRUE(best) << "a read-only folder can still be read";
    }
    EXPECT_EQ(testsupport::fileText(fullFolder + "results.db"), before);
    EXPECT_FALSE(exists(emptyFolder + "results.db"));

    // A write-protected file.
    const std::string fileOnly = folder.subfolder("file") + "results.db";
    ASSERT_TRUE(ResultsStore(fileOnly).store(first, standing, error)) << error;
    chmod(fileOnly.c_str(), 0444);
    {
        PermissionBitsApply asUser;
        results::Run run = makeRun("AAAA", 3000);
        EXPECT_FALSE(ResultsStore(fileOnly).store(run, standing, error));
        EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    }

    // A database another program holds locked, then lets go of.
    const std::string locked = folder.subfolder("locked") + "results.db";
    ASSERT_TRUE(ResultsStore(locked).store(first, standing, error)) << error;
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(locked.c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    ResultsStore waiting(locked);
    waiting.setBusyTimeout(50);
    results::Run run = makeRun("AAAA", 3000);
    EXPECT_FALSE(waiting.store(run, standing, error));
    EXPECT_NE(error.find("locked"), std::string::npos) << error;
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(waiting.store(run, standing, error)) << error;
    EXPECT_EQ(standing.runsOnCourse, 2);
}

TEST(ResultsStore, TwoWritersAtOnceBothKeepTheirRuns)
{
    testsupport::TempFolder folder;
    const std::string path = folder.path() + "results.db";
    constexpr int kRuns = 25;
    std::string errors[2];
    auto writer = [&](int w) {
        ResultsStore store(path);
        for (int i = 0; i < kRuns; ++i) {
            results::Run run = makeRun(w == 0 ? "AAAA" : "BBBB", 1000 + i);
            Standing standing;
            if (!store.store(run, standing, errors[w]))
                return;
        }
    };
    std::thread a(writer, 0), b(writer, 1);
    a.join();
    b.join();
    EXPECT_EQ(errors[0], "");
    EXPECT_EQ(errors[1], "");

    std::vector<results::HistoryEntry> history;
    std::string error;
    ASSERT_TRUE(ResultsStore(path).history("", history, error)) << error;
    EXPECT_EQ(history.size(), 2u * kRuns);
    std::set<int64_t> ids;
    for (const auto& e : history) {
        ids.insert(e.id);
        EXPECT_EQ(e.runsOnCourse, kRuns);
    }
    EXPECT_EQ(ids.size(), 2u * kRuns);
}

TEST(ResultsHistory, PrintsAnAlignedTableOrAFriendlyLine)
{
    testsupport::TempFolder folder;
    const std::string path = folder.path() + "results.db";
    std::ostringstream out, err;
    EXPECT_EQ(results::printResultsHistory(path, "", out, err), 0);
    EXPECT_NE(out.str().find("No runs"), std::string::npos);
    EXPECT_FALSE(exists(path));

    std::string error;
    Standing standing;
    for (int64_t ms : {754321, 65000, 5100}) {
        results::Run run = makeRun(ms > 100000 ? "LONG-COURSE-CODE" : "AAAA", ms);
        ASSERT_TRUE(ResultsStore(path).store(run, standing, error)) << error;
    }
    out.str("");
    EXPECT_EQ(results::printResultsHistory(path, "", out, err), 0);
    std::istringstream lines(out.str());
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 4u) << out.str();
    // Right-aligned times end in the same column on every line.
    size_t end = rows[0].find("Time") + 4;
    for (const char* time : {"12:34.3", "1:05.0", "0:05.1"}) {
        bool found = false;
        for (const std::string& row : rows)
            if (row.find(time) != std::string::npos) {
                found = true;
                EXPECT_EQ(row.find(time) + std::string(time).size(), end) << out.str();
            }
        EXPECT_TRUE(found) << time << "\n" << out.str();
    }
    EXPECT_NE(rows[3].find("1 of 2"), std::string::npos) << rows[3];

    out.str("");
    EXPECT_EQ(results::printResultsHistory(path, "ZZZZ", out, err), 0);
    EXPECT_NE(out.str().find("No runs on course ZZZZ"), std::string::npos);
}

TEST(ResultsRoute, PositionFollowsTheSamplesInTime)
{
    results::Route route;
    route.startX = 0;
    route.startZ = 0;
    route.xz = {10, 0, 10, 9, 1, 9};
    float x = 0, z = 0;
    struct Case {
        double ms;
        float x, z;
    } cases[] = {
        {-5, 0, 0},     {0, 0, 0},        {500, 5, 0},     {1000, 10, 0},   {1075, 10, 3},
        {1225, 10, 9},  {1337.5, 5.5, 9}, {1450, 1, 9},    {99999, 1, 9},
    };
    for (const Case& c : cases) {
        route.positionAt(c.ms, x, z);
        EXPECT_NEAR(x, c.x, 1e-4) << c.ms;
        EXPECT_NEAR(z, c.z, 1e-4) << c.ms;
    }
}
