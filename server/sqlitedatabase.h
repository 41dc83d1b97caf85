#pragma once

#include "sqlstatement.h"

#include <mutex>
#include <string>
#include <type_traits>

struct sqlite3;

namespace PennovaServer {

// The server's SQLite database: one connection in WAL mode shared by all worker
// threads behind a mutex. Creates or upgrades the schema on open.
class SqliteDatabase
{
public:
    // Opens (creating when missing) the database file; throws std::runtime_error.
    explicit SqliteDatabase(const std::string &path);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    // Runs f(sqlite3*) with the connection locked.
    template<typename F>
    auto locked(F &&f)
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        return f(m_db);
    }

    // Runs f(sqlite3*) inside one transaction; an exception rolls it back and propagates.
    template<typename F>
    auto transaction(F &&f)
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        exec("BEGIN IMMEDIATE");
        try {
            if constexpr (std::is_void_v<decltype(f(m_db))>) {
                f(m_db);
                exec("COMMIT");
            } else {
                auto result = f(m_db);
                exec("COMMIT");
                return result;
            }
        } catch (...) {
            exec("ROLLBACK");
            throw;
        }
    }

private:
    void exec(const char *sql);
    void createSchema();

    sqlite3 *m_db = nullptr;
    std::mutex m_mutex;
};

} // namespace PennovaServer
