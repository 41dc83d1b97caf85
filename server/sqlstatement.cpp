#include "sqlstatement.h"

namespace PennovaServer {

SqlStatement::SqlStatement(SqlConnection &connection, const char *sql)
    : m_query(connection.prepare(sql))
{
}

SqlStatement &SqlStatement::bind(int index, const std::string &text)
{
    m_query->bind(index, text);
    return *this;
}

SqlStatement &SqlStatement::bind(int index, std::int64_t value)
{
    m_query->bind(index, value);
    return *this;
}

SqlStatement &SqlStatement::bindNull(int index)
{
    m_query->bindNull(index);
    return *this;
}

} // namespace PennovaServer
