#include "sqlitedatabase.h"

#include <sqlite3.h>

#include <stdexcept>

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
    "CREATE TABLE IF NOT EXISTS sessions("
    " key TEXT PRIMARY KEY,"
    " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
    " created INTEGER NOT NULL,"
    " expires INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE INDEX IF NOT EXISTS sessions_expires ON sessions(expires)",
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
} // namespace

SqliteDatabase::SqliteDatabase(const std::string &path)
{
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
