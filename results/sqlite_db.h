#pragma once
// A thin owner of an SQLite connection and its statements, private to the
// results subsystem: handles are released by destructors, and failures come
// back as result codes with SQLite's own message at hand.
#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace results {

class SqliteDb {
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // sqlite3_open_v2 with `flags`; the result code. The handle exists even
    // on failure, so message() can say why.
    int open(const std::string& path, int flags, int busyTimeoutMs);
    // Runs SQL without results; the result code.
    int exec(const char* sql);
    sqlite3* handle() const { return db_; }
    // SQLite's message for the last failure on this connection.
    std::string message() const;
    bool readOnly() const;

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(SqliteDb& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, int64_t value);
    void bind(int index, double value);
    void bind(int index, const std::string& text);
    void bindBlob(int index, const void* data, int bytes);
    // SQLITE_ROW, SQLITE_DONE or an error code: the one from preparing it
    // when that failed.
    int step();
    void reset();

    bool nullAt(int column) const;
    int64_t int64At(int column) const;
    double doubleAt(int column) const;
    std::string textAt(int column) const;
    const void* blobAt(int column, int& bytes) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    int prepareCode_ = SQLITE_ERROR;
};

// BEGIN IMMEDIATE, so a writer waits its turn at the start instead of
// failing at its first write; rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(SqliteDb& db) : db_(db) {}
    ~WriteTransaction();
    int begin();
    int commit();

private:
    SqliteDb& db_;
    bool open_ = false;
};

} // namespace results
