#pragma once

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace PennovaServer {

// One prepared statement; finalized on destruction. Parameters are bound by
// position (1-based); text is UTF-8. Errors throw std::runtime_error.
class SqlStatement
{
public:
    SqlStatement(sqlite3 *db, const char *sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    SqlStatement &bind(int index, const std::string &text);
    SqlStatement &bind(int index, std::int64_t value);
    SqlStatement &bindNull(int index);

    // Advances one row: true while a row is available, false when done.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    // Makes the statement ready for new bindings.
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

private:
    sqlite3 *m_db = nullptr;    // not owned
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace PennovaServer
