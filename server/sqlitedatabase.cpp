#include "sqlitedatabase.h"

#include "schemamigrations.h"
#include "sqlitequery.h"

#include <sqlite3.h>

#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PennovaServer {

namespace {
// Creates the file readable by its owner only, or takes the other users' access from
// an existing one: it holds password hashes and session data.
void ownerOnly(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return; // sqlite3_open reports what is wrong with the path
    ::fchmod(fd, 0600);
    ::close(fd);
}
} // namespace

SqliteDatabase::SqliteDatabase(const std::string &path)
{
    ownerOnly(path);
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error("cannot open database " + path + ": " + message);
    }
    try {
        sqlite3_busy_timeout(m_db, 5000);
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=NORMAL");
        exec("PRAGMA foreign_keys=ON");
        SchemaMigrations::apply(*this);
        // The WAL and shared-memory files take the database's mode, but older servers
        // left them readable by everyone.
        ownerOnly(path + "-wal");
        ownerOnly(path + "-shm");
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

SqliteDatabase::~SqliteDatabase()
{
    if (m_db) {
        sqlite3_exec(m_db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }
}

std::unique_ptr<SqlQuery> SqliteDatabase::prepare(const char *sql)
{
    return std::make_unique<SqliteQuery>(m_db, sql);
}

void SqliteDatabase::withConnection(bool transaction, const std::function<void(SqlConnection &)> &body)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (!transaction)
        return body(*this);
    exec("BEGIN IMMEDIATE");
    try {
        body(*this);
        exec("COMMIT");
    } catch (...) {
        exec("ROLLBACK");
        throw;
    }
}

void SqliteDatabase::exec(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(std::string("sql: ") + message);
    }
}

} // namespace PennovaServer
