#pragma once

#include "sqlconnection.h"
#include "sqldatabase.h"

#include <mutex>
#include <string>

struct sqlite3;

namespace PennovaServer {

// The embedded backend: one SQLite connection in WAL mode shared by all worker
// threads behind a mutex. Brings the schema up to date on open.
class SqliteDatabase : public SqlDatabase, private SqlConnection
{
public:
    // Opens (creating when missing) the database file; throws std::runtime_error.
    explicit SqliteDatabase(const std::string &path);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    Dialect dialect() const override { return Dialect::Sqlite; }

protected:
    void withConnection(bool transaction, const std::function<void(SqlConnection &)> &body) override;

private:
    std::unique_ptr<SqlQuery> prepare(const char *sql) override;
    void exec(const char *sql);

    sqlite3 *m_db = nullptr;
    std::mutex m_mutex;
};

} // namespace PennovaServer
