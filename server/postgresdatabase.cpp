#include "postgresdatabase.h"

#include "postgresconnection.h"
#include "schemamigrations.h"

#include <algorithm>

namespace PennovaServer {

PostgresDatabase::PostgresDatabase(const std::string &url, int maxConnections)
    : m_url(url)
    , m_maxConnections(std::size_t(std::max(1, maxConnections)))
{
    SchemaMigrations::apply(*this);
}

PostgresDatabase::~PostgresDatabase() = default;

bool PostgresDatabase::isUrl(const std::string &text)
{
    return text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0;
}

std::unique_ptr<PostgresConnection> PostgresDatabase::acquire()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_freed.wait(lock, [this] { return !m_idle.empty() || m_open < m_maxConnections; });
    if (!m_idle.empty()) {
        std::unique_ptr<PostgresConnection> connection = std::move(m_idle.back());
        m_idle.pop_back();
        return connection;
    }
    ++m_open;
    lock.unlock();
    try {
        return std::make_unique<PostgresConnection>(m_url);
    } catch (...) {
        lock.lock();
        --m_open;
        m_freed.notify_one();
        throw;
    }
}

void PostgresDatabase::release(std::unique_ptr<PostgresConnection> connection)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (connection && connection->healthy())
        m_idle.push_back(std::move(connection));
    else
        --m_open; // a lost connection is replaced by a new one when needed
    m_freed.notify_one();
}

void PostgresDatabase::withConnection(bool transaction, const std::function<void(SqlConnection &)> &body)
{
    std::unique_ptr<PostgresConnection> connection = acquire();
    try {
        if (transaction) {
            connection->command("BEGIN");
            try {
                body(*connection);
                connection->command("COMMIT");
            } catch (...) {
                try {
                    connection->command("ROLLBACK");
                } catch (...) {
                    // the connection is gone; release() replaces it
                }
                throw;
            }
        } else {
            body(*connection);
        }
    } catch (...) {
        release(std::move(connection));
        throw;
    }
    release(std::move(connection));
}

} // namespace PennovaServer
