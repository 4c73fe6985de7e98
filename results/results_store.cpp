#include "results/results.h"
#include "results/sqlite_db.h"
#include "settings/user_folder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace results {

namespace {

// Raised with every change of the tables; older files are migrated up to it
// in the first write transaction that finds them.
constexpr int kSchemaVersion = 1;

const char* const kCreateSchema = R"(
CREATE TABLE runs (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    course_code TEXT NOT NULL,
    finished_utc TEXT NOT NULL,
    total_ms INTEGER NOT NULL,
    game_version TEXT NOT NULL
);
CREATE INDEX runs_by_course_time ON runs (course_code, total_ms, id);
CREATE TABLE splits (
    run_id INTEGER NOT NULL REFERENCES runs (id),
    control INTEGER NOT NULL,
    at_ms INTEGER NOT NULL,
    PRIMARY KEY (run_id, control)
) WITHOUT ROWID;
CREATE TABLE routes (
    run_id INTEGER PRIMARY KEY REFERENCES runs (id),
    start_x REAL NOT NULL,
    start_z REAL NOT NULL,
    first_sample_ms INTEGER NOT NULL,
    interval_ms INTEGER NOT NULL,
    samples BLOB NOT NULL
);
PRAGMA user_version = 1;
)";

enum class Access { Read, Write };

bool fileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string folderOf(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// A reason a player can act on, from SQLite's result code.
std::string describe(int rc, const SqliteDb& db, const std::string& path, bool existed)
{
    std::string why;
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        why = "the results file is locked by another program";
        break;
    case SQLITE_READONLY:
        why = rc == SQLITE_READONLY_DIRECTORY ? "the results folder is read-only" : "the results file is read-only";
        break;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        why = existed ? "cannot write the results file or its journal beside it"
                      : "cannot create the results file in its folder";
        break;
    case SQLITE_NOTADB:
        why = "the results file is not a database";
        break;
    case SQLITE_CORRUPT:
        why = "the results file is damaged";
        break;
    case SQLITE_FULL:
        why = "the disk is full";
        break;
    case SQLITE_IOERR:
        why = "the results file could not be read or written (" + db.message() + ")";
        break;
    default:
        why = db.message();
        break;
    }
    return why + ": " + path;
}

// Opens the file; checkSchema, in the transaction, then says what it holds.
// Writing creates the folder and the file; reading never creates anything
// and reports a missing file as `missing`.
bool openStore(SqliteDb& db, const std::string& path, Access access, int busyTimeoutMs, bool& missing,
               std::string& error)
{
    missing = false;
    bool existed = fileExists(path);
    if (access == Access::Read && !existed) {
        missing = true;
        return true;
    }
    if (access == Access::Write && !existed) {
        std::error_code ec;
        std::filesystem::create_directories(folderOf(path), ec);
        if (ec) {
            error = "cannot create the results folder " + folderOf(path) + ": " + ec.message();
            return false;
        }
    }
    int flags = access == Access::Write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
    int rc = db.open(path, flags, busyTimeoutMs);
    if (rc != SQLITE_OK) {
        error = describe(rc, db, path, existed);
        return false;
    }
    // SQLite opens a write-protected file read-only without a word.
    if (access == Access::Write && db.readOnly()) {
        error = describe(SQLITE_READONLY, db, path, existed);
        return false;
    }
    return true;
}

// Inside a transaction: refuses files of a newer schema or of another
// program, and (for writing) lays out the tables of a new file.
bool checkSchema(SqliteDb& db, const std::string& path, Access access, int& version, std::string& error)
{
    Statement pragma(db, "PRAGMA user_version");
    int rc = pragma.step();
    if (rc != SQLITE_ROW) {
        error = describe(rc, db, path, true);
        return false;
    }
    version = static_cast<int>(pragma.int64At(0));
    if (version > kSchemaVersion) {
        error = "the results file was written by a newer Fernhollow (schema " + std::to_string(version) +
                ", this one knows " + std::to_string(kSchemaVersion) + "): " + path;
        return false;
    }
    if (version == kSchemaVersion)
        return true;
    Statement tables(db, "SELECT COUNT(*) FROM sqlite_master");
    rc = tables.step();
    if (rc != SQLITE_ROW) {
        error = describe(rc, db, path, true);
        return false;
    }
    if (tables.int64At(0) != 0) {
        error = "the file is not a Fernhollow results database: " + path;
        return false;
    }
    if (access == Access::Read)
        return true;
    rc = db.exec(kCreateSchema);
    if (rc != SQLITE_OK) {
        error = describe(rc, db, path, true);
        return false;
    }
    version = kSchemaVersion;
    return true;
}

// Route samples as little-endian float32 x, z pairs, whatever the host.
std::vector<unsigned char> encodeSamples(const std::vector<float>& xz)
{
    std::vector<unsigned char> bytes(xz.size() * 4);
    for (size_t i = 0; i < xz.size(); ++i) {
        uint32_t bits;
        std::memcpy(&bits, &xz[i], 4);
        for (int b = 0; b < 4; ++b)
            bytes[4 * i + b] = static_cast<unsigned char>(bits >> (8 * b));
    }
    return bytes;
}

bool decodeSamples(const void* data, int bytes, std::vector<float>& xz)
{
    if (bytes < 0 || bytes % 8 != 0)
        return false;
    const unsigned char* in = static_cast<const unsigned char*>(data);
    xz.resize(static_cast<size_t>(bytes) / 4);
    for (size_t i = 0; i < xz.size(); ++i) {
        uint32_t bits = 0;
        for (int b = 0; b < 4; ++b)
            bits |= static_cast<uint32_t>(in[4 * i + b]) << (8 * b);
        std::memcpy(&xz[i], &bits, 4);
    }
    return true;
}

bool queryStanding(SqliteDb& db, const std::string& path, int64_t id, Standing& s, std::string& error)
{
    Statement q(db, R"(
        SELECT (SELECT COUNT(*) FROM runs o WHERE o.course_code = r.course_code AND o.total_ms < r.total_ms) + 1,
               (SELECT COUNT(*) FROM runs o WHERE o.course_code = r.course_code),
               (SELECT o.id FROM runs o WHERE o.course_code = r.course_code ORDER BY o.total_ms, o.id LIMIT 1),
               (SELECT MIN(o.total_ms) FROM runs o WHERE o.course_code = r.course_code),
               (SELECT MIN(o.total_ms) FROM runs o WHERE o.course_code = r.course_code AND o.id < r.id)
        FROM runs r WHERE r.id = ?)");
    q.bind(1, id);
    int rc = q.step();
    if (rc == SQLITE_DONE) {
        error = "there is no run " + std::to_string(id) + " in " + path;
        return false;
    }
    if (rc != SQLITE_ROW) {
        error = describe(rc, db, path, true);
        return false;
    }
    s.rank = static_cast<int>(q.int64At(0));
    s.runsOnCourse = static_cast<int>(q.int64At(1));
    s.bestRunId = q.int64At(2);
    s.bestMs = q.int64At(3);
    s.previousBestMs = q.nullAt(4) ? -1 : q.int64At(4);
    return true;
}

// Run `id` with its splits and route, inside a read or write transaction.
bool readRun(SqliteDb& db, const std::string& path, int64_t id, std::optional<Run>& out, std::string& error)
{
    out.reset();
    Statement q(db, R"(
        SELECT r.course_code, r.finished_utc, r.total_ms, r.game_version,
               t.start_x, t.start_z, t.first_sample_ms, t.interval_ms, t.samples
        FROM runs r LEFT JOIN routes t ON t.run_id = r.id WHERE r.id = ?)");
    q.bind(1, id);
    int rc = q.step();
    if (rc == SQLITE_DONE)
        return true;
    if (rc != SQLITE_ROW) {
        error = describe(rc, db, path, true);
        return false;
    }
    Run run;
    run.id = id;
    run.courseCode = q.textAt(0);
    run.finishedUtc = q.textAt(1);
    run.totalMs = q.int64At(2);
    run.gameVersion = q.textAt(3);
    if (!q.nullAt(4)) {
        run.route.startX = static_cast<float>(q.doubleAt(4));
        run.route.startZ = static_cast<float>(q.doubleAt(5));
        run.route.firstSampleMs = static_cast<int>(q.int64At(6));
        run.route.intervalMs = static_cast<int>(q.int64At(7));
        int bytes = 0;
        const void* data = q.blobAt(8, bytes);
        if (!decodeSamples(data, bytes, run.route.xz) || run.route.intervalMs <= 0) {
            error = "the route of run " + std::to_string(id) + " is damaged: " + path;
            return false;
        }
    }
    Statement splits(db, "SELECT at_ms FROM splits WHERE run_id = ? ORDER BY control");
    splits.bind(1, id);
    while ((rc = splits.step()) == SQLITE_ROW)
        run.splitMs.push_back(splits.int64At(0));
    if (rc != SQLITE_DONE) {
        error = describe(rc, db, path, true);
        return false;
    }
    out = std::move(run);
    return true;
}

// Runs `query(db)` on one snapshot of the file: opened read-only, in one
// read transaction (closing the connection ends it), schema checked first.
// Nothing to read, no file or no tables, is a success without a query.
template <typename Query>
bool readSnapshot(const std::string& path, int busyTimeoutMs, std::string& error, Query query)
{
    SqliteDb db;
    bool missing = false;
    if (!openStore(db, path, Access::Read, busyTimeoutMs, missing, error))
        return false;
    if (missing)
        return true;
    int rc = db.exec("BEGIN");
    if (rc != SQLITE_OK) {
        error = describe(rc, db, path, true);
        return false;
    }
    int version = 0;
    if (!checkSchema(db, path, Access::Read, version, error))
        return false;
    return version == 0 || query(db);
}

} // namespace

void Route::positionAt(double ms, float& x, float& z) const
{
    int n = sampleCount();
    auto blend = [&](float x0, float z0, float x1, float z1, double f) {
        x = static_cast<float>(x0 + (x1 - x0) * f);
        z = static_cast<float>(z0 + (z1 - z0) * f);
    };
    if (n == 0 || ms <= 0) {
        x = startX;
        z = startZ;
        return;
    }
    if (ms < firstSampleMs) {
        blend(startX, startZ, xz[0], xz[1], ms / firstSampleMs);
        return;
    }
    double k = intervalMs > 0 ? (ms - firstSampleMs) / intervalMs : n;
    if (k >= n - 1) {
        x = xz[2 * (n - 1)];
        z = xz[2 * (n - 1) + 1];
        return;
    }
    int i = static_cast<int>(k);
    blend(xz[2 * i], xz[2 * i + 1], xz[2 * i + 2], xz[2 * i + 3], k - i);
}

int Route::samplesBy(double ms) const
{
    int count = ms < firstSampleMs ? 0 : static_cast<int>((ms - firstSampleMs) / intervalMs) + 1;
    return std::min(count, sampleCount());
}

std::string defaultDatabasePath()
{
    std::string base = settings::userFolder("XDG_DATA_HOME", ".local/share");
    if (base.empty()) // no home at all: somewhere writable rather than nowhere
        base = "/tmp/.local/share";
    return base + "/fernhollow/results.db";
}

std::string utcNow()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

ResultsStore::ResultsStore(std::string path) : path_(std::move(path)) {}

bool ResultsStore::store(Run& run, Standing& standing, std::string& error)
{
    if (run.courseCode.empty()) {
        error = "the course has no code";
        return false;
    }
    if (run.route.xz.size() % 2 != 0 || run.totalMs < 0) {
        error = "the run's record is incomplete";
        return false;
    }
    SqliteDb db;
    bool missing = false;
    if (!openStore(db, path_, Access::Write, busyTimeoutMs_, missing, error))
        return false;
    WriteTransaction transaction(db);
    int rc = transaction.begin();
    if (rc != SQLITE_OK) {
        error = describe(rc, db, path_, true);
        return false;
    }
    int version = 0;
    if (!checkSchema(db, path_, Access::Write, version, error))
        return false;

    if (run.finishedUtc.empty())
        run.finishedUtc = utcNow();
    Statement insertRun(db, "INSERT INTO runs (course_code, finished_utc, total_ms, game_version) VALUES (?, ?, ?, ?)");
    insertRun.bind(1, run.courseCode);
    insertRun.bind(2, run.finishedUtc);
    insertRun.bind(3, run.totalMs);
    insertRun.bind(4, run.gameVersion);
    rc = insertRun.step();
    if (rc != SQLITE_DONE) {
        error = describe(rc, db, path_, true);
        return false;
    }
    int64_t id = sqlite3_last_insert_rowid(db.handle());

    Statement insertSplit(db, "INSERT INTO splits (run_id, control, at_ms) VALUES (?, ?, ?)");
    for (size_t i = 0; i < run.splitMs.size() && rc == SQLITE_DONE; ++i) {
        insertSplit.reset();
        insertSplit.bind(1, id);
        insertSplit.bind(2, static_cast<int64_t>(i + 1));
        insertSplit.bind(3, run.splitMs[i]);
        rc = insertSplit.step();
    }
    if (rc != SQLITE_DONE) {
        error = describe(rc, db, path_, true);
        return false;
    }

    Statement insertRoute(db, R"(INSERT INTO routes (run_id, start_x, start_z, first_sample_ms, interval_ms, samples)
                                 VALUES (?, ?, ?, ?, ?, ?))");
    std::vector<unsigned char> samples = encodeSamples(run.route.xz);
    insertRoute.bind(1, id);
    insertRoute.bind(2, static_cast<double>(run.route.startX));
    insertRoute.bind(3, static_cast<double>(run.route.startZ));
    insertRoute.bind(4, static_cast<int64_t>(run.route.firstSampleMs));
    insertRoute.bind(5, static_cast<int64_t>(run.route.intervalMs));
    insertRoute.bindBlob(6, samples.data(), static_cast<int>(samples.size()));
    rc = insertRoute.step();
    if (rc != SQLITE_DONE) {
        error = describe(rc, db, path_, true);
        return false;
    }

    Standing placed;
    if (!queryStanding(db, path_, id, placed, error))
        return false;
    rc = transaction.commit();
    if (rc != SQLITE_OK) {
        error = describe(rc, db, path_, true);
        return false;
    }
    run.id = id;
    standing = placed;
    return true;
}

bool ResultsStore::bestRun(const std::string& courseCode, std::optional<Run>& best, std::string& error)
{
    best.reset();
    return readSnapshot(path_, busyTimeoutMs_, error, [&](SqliteDb& db) {
        Statement q(db, "SELECT id FROM runs WHERE course_code = ? ORDER BY total_ms, id LIMIT 1");
        q.bind(1, courseCode);
        int rc = q.step();
        if (rc == SQLITE_DONE)
            return true;
        if (rc != SQLITE_ROW) {
            error = describe(rc, db, path_, true);
            return false;
        }
        return readRun(db, path_, q.int64At(0), best, error);
    });
}

bool ResultsStore::runById(int64_t id, std::optional<Run>& run, std::string& error)
{
    run.reset();
    return readSnapshot(path_, busyTimeoutMs_, error,
                        [&](SqliteDb& db) { return readRun(db, path_, id, run, error); });
}

bool ResultsStore::history(const std::string& courseCode, std::vector<HistoryEntry>& entries, std::string& error)
{
    entries.clear();
    return readSnapshot(path_, busyTimeoutMs_, error, [&](SqliteDb& db) {
        Statement q(db, R"(
            SELECT id, finished_utc, course_code, total_ms,
                   RANK() OVER (PARTITION BY course_code ORDER BY total_ms),
                   COUNT(*) OVER (PARTITION BY course_code)
            FROM runs WHERE ?1 = '' OR course_code = ?1 ORDER BY id)");
        q.bind(1, courseCode);
        int rc;
        while ((rc = q.step()) == SQLITE_ROW) {
            HistoryEntry e;
            e.id = q.int64At(0);
            e.finishedUtc = q.textAt(1);
            e.courseCode = q.textAt(2);
            e.totalMs = q.int64At(3);
            e.rank = static_cast<int>(q.int64At(4));
            e.runsOnCourse = static_cast<int>(q.int64At(5));
            entries.push_back(std::move(e));
        }
        if (rc != SQLITE_DONE) {
            error = describe(rc, db, path_, true);
            return false;
        }
        return true;
    });
}

} // namespace results
