#include "results/sqlite_db.h"

namespace results {

SqliteDb::~SqliteDb() { sqlite3_close_v2(db_); }

int SqliteDb::open(const std::string& path, int flags, int busyTimeoutMs)
{
    sqlite3_close_v2(db_);
    db_ = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db_, busyTimeoutMs);
        sqlite3_extended_result_codes(db_, 1);
    }
    return rc;
}

int SqliteDb::exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

std::string SqliteDb::message() const { return db_ ? sqlite3_errmsg(db_) : "out of memory"; }

bool SqliteDb::readOnly() const { return db_ && sqlite3_db_readonly(db_, "main") == 1; }

Statement::Statement(SqliteDb& db, const char* sql)
{
    prepareCode_ = sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
void Statement::bind(int index, double value) { sqlite3_bind_double(stmt_, index, value); }

void Statement::bind(int index, const std::string& text)
{
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Statement::bindBlob(int index, const void* data, int bytes)
{
    // A zero-length blob must still be a blob, not NULL.
    if (bytes == 0)
        sqlite3_bind_zeroblob(stmt_, index, 0);
    else
        sqlite3_bind_blob(stmt_, index, data, bytes, SQLITE_TRANSIENT);
}

int Statement::step()
{
    if (prepareCode_ != SQLITE_OK)
        return prepareCode_;
    return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE;
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::nullAt(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
int64_t Statement::int64At(int column) const { return sqlite3_column_int64(stmt_, column); }
double Statement::doubleAt(int column) const { return sqlite3_column_double(stmt_, column); }

std::string Statement::textAt(int column) const
{
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(stmt_, column))
                : std::string();
}

const void* Statement::blobAt(int column, int& bytes) const
{
    const void* data = sqlite3_column_blob(stmt_, column);
    bytes = sqlite3_column_bytes(stmt_, column);
    return data;
}

WriteTransaction::~WriteTransaction()
{
    if (open_)
        db_.exec("ROLLBACK");
}

int WriteTransaction::begin()
{
    int rc = db_.exec("BEGIN IMMEDIATE");
    open_ = rc == SQLITE_OK;
    return rc;
}

int WriteTransaction::commit()
{
    int rc = db_.exec("COMMIT");
    if (rc == SQLITE_OK)
        open_ = false;
    return rc;
}

} // namespace results
