#include "sqlitedatabase.h"

#include <sqlite3.h>

#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PennovaServer {

namespace {
constexpr int SchemaVersion = 1;

const char *const Schema[] = {
    "CREATE TABLE IF NOT EXISTS users("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " email TEXT NOT NULL DEFAULT '' COLLATE NOCASE,"
    " password TEXT NOT NULL,"            // argon2id of the protocol's MD5 text
    " provider TEXT NOT NULL DEFAULT '',"  // '' local, 'sina', 'qq'
    " created INTEGER NOT NULL)",
    "CREATE UNIQUE INDEX IF NOT EXISTS users_email ON users(email) WHERE email <> ''",
    // Sessions of older servers kept their keys in clear: they end (a new login follows).
    "DROP TABLE IF EXISTS sessions",
    "CREATE TABLE IF NOT EXISTS session_keys("
    " key_hash TEXT PRIMARY KEY,"         // BLAKE2b of the session key; the key itself is never stored
    " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
    " created INTEGER NOT NULL,"
    " expires INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE INDEX IF NOT EXISTS session_keys_expires ON session_keys(expires)",
    "CREATE INDEX IF NOT EXISTS session_keys_user ON session_keys(user_id)",
    "CREATE TABLE IF NOT EXISTS user_words("
    " id INTEGER PRIMARY KEY,"
    " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
    " word TEXT NOT NULL,"
    " added INTEGER NOT NULL,"
    " UNIQUE(user_id, word))",
    // user_id 0 holds the anonymous uploads of the login phase.
    "CREATE TABLE IF NOT EXISTS usage_counts("
    " user_id INTEGER NOT NULL,"
    " grp TEXT NOT NULL,"
    " name TEXT NOT NULL,"
    " version TEXT NOT NULL,"
    " count INTEGER NOT NULL,"
    " PRIMARY KEY(user_id, grp, name, version)) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS error_logs("
    " user_id INTEGER NOT NULL,"
    " found TEXT NOT NULL,"
    " replacement TEXT NOT NULL,"
    " count INTEGER NOT NULL,"
    " PRIMARY KEY(user_id, found, replacement)) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS word_choices("
    " id INTEGER PRIMARY KEY,"
    " user_id INTEGER NOT NULL,"
    " sentence TEXT NOT NULL,"
    " word_idx INTEGER NOT NULL,"
    " word_length INTEGER NOT NULL,"
    " choose_word TEXT NOT NULL,"
    " created INTEGER NOT NULL)",
};
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
        createSchema();
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

void SqliteDatabase::exec(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(std::string("sql: ") + message);
    }
}

void SqliteDatabase::createSchema()
{
    int current = 0;
    {
        SqlStatement version(m_db, "PRAGMA user_version");
        if (version.step())
            current = int(version.integer(0));
    }
    if (current > SchemaVersion)
        throw std::runtime_error("the database was written by a newer server");
    exec("BEGIN IMMEDIATE");
    try {
        for (const char *sql : Schema)
            exec(sql);
        exec(("PRAGMA user_version=" + std::to_string(SchemaVersion)).c_str());
        exec("COMMIT");
    } catch (...) {
        exec("ROLLBACK");
        throw;
    }
}

} // namespace PennovaServer
