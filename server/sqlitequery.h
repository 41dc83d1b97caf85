#pragma once

#include "sqlquery.h"

struct sqlite3;
struct sqlite3_stmt;

namespace PennovaServer {

// A prepared SQLite statement; finalized on destruction.
class SqliteQuery : public SqlQuery
{
public:
    SqliteQuery(sqlite3 *db, const char *sql); // db is borrowed
    ~SqliteQuery() override;
    SqliteQuery(const SqliteQuery &) = delete;
    SqliteQuery &operator=(const SqliteQuery &) = delete;

    void bind(int index, const std::string &text) override;
    void bind(int index, std::int64_t value) override;
    void bindNull(int index) override;
    bool step() override;
    std::int64_t run() override;
    void reset() override;
    std::int64_t integer(int column) const override;
    std::string text(int column) const override;
    bool isNull(int column) const override;

private:
    sqlite3 *m_db = nullptr; // not owned
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace PennovaServer
