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
    std::unique_ptr<PostgresConnection> connection;
    if (!m_idle.empty()) {
        connection = std::move(m_idle.back());
        m_idle.pop_back();
    } else {
        ++m_open;
    }
    lock.unlock();
    // A connection idle across a restart of the database is renewed before use, so that
    // no request fails for it.
    if (connection && connection->usable())
        return connection;
    connection.reset();
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
    const bool keep = connection && connection->usable();
    std::lock_guard<std::mutex> guard(m_mutex);
    if (keep)
        m_idle.push_back(std::move(connection));
    else
        --m_open; // a lost connection is replaced by a new one when needed
    m_freed.notify_one();
}

void PostgresDatabase::withConnection(bool transaction, const std::function<void(SqlConnection &)> &body)
{
    for (int attempt = 0;; ++attempt) {
        std::unique_ptr<PostgresConnection> connection = acquire();
        connection->answeredSince();
        try {
            if (transaction) {
                connection->command("BEGIN");
                try {
                    body(*connection);
                    connection->command("COMMIT");
                } catch (...) {
                    if (!connection->broken())
                        connection->command("ROLLBACK");
                    throw;
                }
            } else {
                body(*connection);
            }
        } catch (...) {
            // A connection that turns out dead at its first statement (the database
            // restarted while it was idle) did nothing: the work is tried once more. So is
            // a transaction the server rolled back to break a deadlock.
            const bool transient = transaction && attempt < 3 && connection->failedTransiently();
            const bool retry = transient || (attempt == 0 && connection->broken() && !connection->answeredSince());
            release(std::move(connection));
            if (!retry)
                throw;
            continue;
        }
        release(std::move(connection));
        return;
    }
}

} // namespace PennovaServer
