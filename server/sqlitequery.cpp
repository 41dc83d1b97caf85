#include "sqlitequery.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace PennovaServer {

namespace {
// The message names the database file, so that a log line tells which disk is full.
[[noreturn]] void fail(sqlite3 *db, const char *what)
{
    const char *file = sqlite3_db_filename(db, "main");
    throw std::runtime_error(std::string("sqlite ") + what + ": " + sqlite3_errmsg(db) + " (code "
                             + std::to_string(sqlite3_extended_errcode(db)) + ", " + (file && *file ? file : "memory") + ")");
}
} // namespace

SqliteQuery::SqliteQuery(sqlite3 *db, const char *sql)
    : m_db(db)
{
    if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
        fail(db, "prepare");
}

SqliteQuery::~SqliteQuery()
{
    sqlite3_finalize(m_stmt);
}

void SqliteQuery::bind(int index, const std::string &text)
{
    if (sqlite3_bind_text(m_stmt, index, text.data(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(m_db, "bind");
}

void SqliteQuery::bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        fail(m_db, "bind");
}

void SqliteQuery::bindNull(int index)
{
    if (sqlite3_bind_null(m_stmt, index) != SQLITE_OK)
        fail(m_db, "bind");
}

bool SqliteQuery::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(m_db, "step");
}

std::int64_t SqliteQuery::run()
{
    while (step()) {
    }
    return sqlite3_changes(m_db);
}

void SqliteQuery::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::int64_t SqliteQuery::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string SqliteQuery::text(int column) const
{
    const unsigned char *data = sqlite3_column_text(m_stmt, column);
    if (!data)
        return {};
    return std::string(reinterpret_cast<const char *>(data), size_t(sqlite3_column_bytes(m_stmt, column)));
}

bool SqliteQuery::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

} // namespace PennovaServer
