#include "postgresconnection.h"

#include "postgresquery.h"

#include <libpq-fe.h>

#include <stdexcept>

namespace PennovaServer {

namespace {
constexpr std::size_t MaxPrepared = 500;

void quiet(void *, const char *)
{
    // Notices ("already exists, skipping") are no news to the operator.
}

std::string errorOf(pg_conn *conn, const PGresult *result)
{
    std::string message = result ? PQresultErrorMessage(result) : PQerrorMessage(conn);
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? std::string("unknown error") : message;
}
} // namespace

PostgresConnection::PostgresConnection(const std::string &conninfo)
    : m_conn(PQconnectdb(conninfo.c_str()))
{
    if (!m_conn || PQstatus(m_conn) != CONNECTION_OK) {
        const std::string message = m_conn ? errorOf(m_conn, nullptr) : std::string("out of memory");
        PQfinish(m_conn);
        m_conn = nullptr;
        throw std::runtime_error("cannot connect to PostgreSQL: " + message);
    }
    PQsetNoticeProcessor(m_conn, quiet, nullptr);
    if (PQsetClientEncoding(m_conn, "UTF8") != 0) {
        PQfinish(m_conn);
        m_conn = nullptr;
        throw std::runtime_error("PostgreSQL: cannot use UTF-8");
    }
}

PostgresConnection::~PostgresConnection()
{
    PQfinish(m_conn);
}

std::unique_ptr<SqlQuery> PostgresConnection::prepare(const char *sql)
{
    return std::make_unique<PostgresQuery>(*this, sql);
}

pg_result *PostgresConnection::execute(const std::string &sql, const std::vector<unsigned> &types,
                                       const std::vector<const char *> &values)
{
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        if (m_prepared.size() >= MaxPrepared) {
            command("DEALLOCATE ALL");
            m_prepared.clear();
        }
        const std::string name = "q" + std::to_string(m_prepared.size());
        std::vector<Oid> oids(types.begin(), types.end());
        PGresult *prepared = PQprepare(m_conn, name.c_str(), sql.c_str(), int(oids.size()), oids.data());
        const bool ok = prepared && PQresultStatus(prepared) == PGRES_COMMAND_OK;
        const std::string message = ok ? std::string() : errorOf(m_conn, prepared);
        PQclear(prepared);
        if (!ok)
            throw std::runtime_error("PostgreSQL: " + message);
        it = m_prepared.emplace(sql, name).first;
    }
    PGresult *result = PQexecPrepared(m_conn, it->second.c_str(), int(values.size()), values.data(), nullptr,
                                      nullptr, 0);
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        m_failedState = state ? state : "";
        const std::string message = errorOf(m_conn, result);
        PQclear(result);
        throw std::runtime_error("PostgreSQL: " + message);
    }
    m_answered = true;
    return result;
}

void PostgresConnection::command(const char *sql)
{
    PGresult *result = PQexec(m_conn, sql);
    const bool ok = result && PQresultStatus(result) == PGRES_COMMAND_OK;
    const std::string message = ok ? std::string() : errorOf(m_conn, result);
    PQclear(result);
    if (!ok)
        throw std::runtime_error("PostgreSQL: " + message);
    m_answered = true;
}

bool PostgresConnection::failedTransiently() const
{
    return m_failedState == "40P01" || m_failedState == "40001";
}

bool PostgresConnection::broken() const
{
    return PQstatus(m_conn) != CONNECTION_OK;
}

bool PostgresConnection::answeredSince()
{
    const bool answered = m_answered;
    m_answered = false;
    m_failedState.clear();
    return answered;
}

bool PostgresConnection::usable()
{
    if (PQstatus(m_conn) == CONNECTION_OK && PQconsumeInput(m_conn) == 1 && PQstatus(m_conn) == CONNECTION_OK)
        return true;
    PQreset(m_conn);
    m_prepared.clear(); // a new session knows none of them
    return PQstatus(m_conn) == CONNECTION_OK;
}

} // namespace PennovaServer
