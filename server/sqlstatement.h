#pragma once

#include "sqlconnection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace PennovaServer {

// A statement prepared on a connection, with chainable bindings. Parameters are bound
// by position (1-based, ?1 ... in the SQL); text is UTF-8. Errors throw std::runtime_error.
class SqlStatement
{
public:
    SqlStatement(SqlConnection &connection, const char *sql);

    SqlStatement &bind(int index, const std::string &text);
    SqlStatement &bind(int index, std::int64_t value);
    SqlStatement &bindNull(int index);

    // Advances one row: true while a row is available, false when done.
    bool step() { return m_query->step(); }
    // Runs a statement that returns no rows; the number of rows it changed.
    std::int64_t run() { return m_query->run(); }
    // Makes the statement ready for new bindings.
    void reset() { m_query->reset(); }

    std::int64_t integer(int column) const { return m_query->integer(column); }
    std::string text(int column) const { return m_query->text(column); }
    bool isNull(int column) const { return m_query->isNull(column); }

private:
    std::unique_ptr<SqlQuery> m_query;
};

} // namespace PennovaServer
