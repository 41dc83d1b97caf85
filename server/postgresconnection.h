#pragma once

#include "sqlconnection.h"

#include <string>
#include <unordered_map>
#include <vector>

struct pg_conn;
struct pg_result;

namespace PennovaServer {

// One libpq connection; each distinct SQL text is prepared on it once and reused.
class PostgresConnection : public SqlConnection
{
public:
    // Connects (conninfo: "postgresql://..."); throws std::runtime_error with the reason.
    explicit PostgresConnection(const std::string &conninfo);
    ~PostgresConnection() override;
    PostgresConnection(const PostgresConnection &) = delete;
    PostgresConnection &operator=(const PostgresConnection &) = delete;

    std::unique_ptr<SqlQuery> prepare(const char *sql) override;

    // Runs a prepared statement; the result (owned by the caller, PQclear), or throws.
    pg_result *execute(const std::string &sql, const std::vector<unsigned> &types,
                       const std::vector<const char *> &values);
    // A statement without parameters or rows (BEGIN, COMMIT ...); throws on failure.
    void command(const char *sql);
    // False when the connection is gone (the server restarted, the network failed) and
    // cannot be restored; reading what the server sent tells an idle one apart.
    bool usable();
    // Whether the connection failed (and nothing has restored it yet).
    bool broken() const;
    // Whether any statement was answered since the last call (a failure before that
    // means the server saw nothing of the work).
    bool answeredSince();
    // Whether the last failure was a deadlock or serialization failure: the transaction
    // was rolled back whole and may simply run again.
    bool failedTransiently() const;

private:
    pg_conn *m_conn = nullptr;
    std::unordered_map<std::string, std::string> m_prepared; // SQL -> statement name
    bool m_answered = false;
    std::string m_failedState; // SQLSTATE of the last failed statement
};

} // namespace PennovaServer
