#pragma once

#include "sqldatabase.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace PennovaServer {

class PostgresConnection;

// The shared backend: a PostgreSQL server that several pennova-server processes use
// at once. Keeps a pool of up to maxConnections connections; a thread waits for a free
// one. Brings the schema up to date on open.
class PostgresDatabase : public SqlDatabase
{
public:
    // url: "postgresql://user@host:port/database"; throws std::runtime_error when the
    // server cannot be reached or its schema is newer than this server knows.
    PostgresDatabase(const std::string &url, int maxConnections);
    ~PostgresDatabase() override;

    Dialect dialect() const override { return Dialect::Postgres; }

    static bool isUrl(const std::string &text);

protected:
    void withConnection(bool transaction, const std::function<void(SqlConnection &)> &body) override;

private:
    std::unique_ptr<PostgresConnection> acquire();
    void release(std::unique_ptr<PostgresConnection> connection);

    std::string m_url;
    std::size_t m_maxConnections;
    std::mutex m_mutex;
    std::condition_variable m_freed;
    std::vector<std::unique_ptr<PostgresConnection>> m_idle;
    std::size_t m_open = 0; // idle and in use
};

} // namespace PennovaServer
