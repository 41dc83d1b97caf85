#include "sqlstatement.h"

#include <sqlite3.h>

#include <stdexcept>

namespace PennovaServer {

namespace {
[[noreturn]] void fail(sqlite3 *db, const char *what)
{
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}
} // namespace

SqlStatement::SqlStatement(sqlite3 *db, const char *sql)
    : m_db(db)
{
    if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
        fail(db, "prepare");
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

SqlStatement &SqlStatement::bind(int index, const std::string &text)
{
    if (sqlite3_bind_text(m_stmt, index, text.data(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

SqlStatement &SqlStatement::bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

SqlStatement &SqlStatement::bindNull(int index)
{
    if (sqlite3_bind_null(m_stmt, index) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

bool SqlStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(m_db, "step");
}

void SqlStatement::run()
{
    while (step()) {
    }
}

void SqlStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::int64_t SqlStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string SqlStatement::text(int column) const
{
    const unsigned char *data = sqlite3_column_text(m_stmt, column);
    if (!data)
        return {};
    return std::string(reinterpret_cast<const char *>(data), size_t(sqlite3_column_bytes(m_stmt, column)));
}

bool SqlStatement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

} // namespace PennovaServer
