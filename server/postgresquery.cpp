#include "postgresquery.h"

#include "postgresconnection.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <stdexcept>

namespace PennovaServer {

namespace {
constexpr unsigned Int8Oid = 20;
constexpr unsigned TextOid = 25;
} // namespace

void PostgresQuery::ResultDeleter::operator()(pg_result *result) const
{
    PQclear(result);
}

PostgresQuery::PostgresQuery(PostgresConnection &connection, std::string sql)
    : m_connection(connection)
    , m_sql(postgresPlaceholders(sql))
{
}

PostgresQuery::~PostgresQuery() = default;

std::string PostgresQuery::postgresPlaceholders(const std::string &sql)
{
    std::string out;
    out.reserve(sql.size());
    bool quoted = false;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char ch = sql[i];
        if (ch == '\'')
            quoted = !quoted;
        const bool placeholder = !quoted && ch == '?' && i + 1 < sql.size() && sql[i + 1] >= '0' && sql[i + 1] <= '9';
        out += placeholder ? '$' : ch;
    }
    return out;
}

void PostgresQuery::set(int index, std::optional<std::string> value, unsigned type)
{
    if (index < 1 || index > 100)
        throw std::runtime_error("bind: no parameter " + std::to_string(index));
    if (m_values.size() < std::size_t(index)) {
        m_values.resize(std::size_t(index));
        m_types.resize(std::size_t(index), 0);
    }
    m_values[std::size_t(index - 1)] = std::move(value);
    m_types[std::size_t(index - 1)] = type;
}

void PostgresQuery::bind(int index, const std::string &text)
{
    // libpq sends parameters as C strings: a NUL would silently cut the text short.
    if (text.find('\0') != std::string::npos)
        throw std::runtime_error("bind: text with a NUL character");
    set(index, text, TextOid);
}

void PostgresQuery::bind(int index, std::int64_t value)
{
    set(index, std::to_string(value), Int8Oid);
}

void PostgresQuery::bindNull(int index)
{
    set(index, std::nullopt, 0);
}

void PostgresQuery::execute()
{
    std::vector<const char *> values;
    for (const auto &value : m_values)
        values.push_back(value ? value->c_str() : nullptr);
    m_result.reset(m_connection.execute(m_sql, m_types, values));
    m_row = -1;
}

bool PostgresQuery::step()
{
    if (!m_result)
        execute();
    if (m_row + 1 >= PQntuples(m_result.get()))
        return false;
    ++m_row;
    return true;
}

std::int64_t PostgresQuery::run()
{
    execute();
    return std::strtoll(PQcmdTuples(m_result.get()), nullptr, 10);
}

void PostgresQuery::reset()
{
    m_result.reset();
    m_values.clear();
    m_types.clear();
    m_row = -1;
}

std::int64_t PostgresQuery::integer(int column) const
{
    if (!m_result || m_row < 0 || PQgetisnull(m_result.get(), m_row, column))
        return 0;
    return std::strtoll(PQgetvalue(m_result.get(), m_row, column), nullptr, 10);
}

std::string PostgresQuery::text(int column) const
{
    if (!m_result || m_row < 0 || PQgetisnull(m_result.get(), m_row, column))
        return {};
    return std::string(PQgetvalue(m_result.get(), m_row, column), std::size_t(PQgetlength(m_result.get(), m_row, column)));
}

bool PostgresQuery::isNull(int column) const
{
    return !m_result || m_row < 0 || PQgetisnull(m_result.get(), m_row, column);
}

} // namespace PennovaServer
