#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace PennovaServer {

class SqlConnection;
class SqlDatabase;

// At most `limit` events per key (an address) within windowSeconds, the window starting
// with the key's first event. The windows live in the shared store under `scope`, so
// that every server process counts the same events. The table is bounded: past maxKeys
// the expired keys go, and if that is not enough every new key is refused until some
// expire.
class RateLimiter
{
public:
    // db is borrowed.
    RateLimiter(SqlDatabase &db, std::string scope, int limit, int windowSeconds, std::size_t maxKeys = 100000);

    // Counts one event; false, counting nothing, when the key has used its events.
    bool take(const std::string &key, std::int64_t now);

private:
    // Read queries, finished on return.
    bool known(SqlConnection &db, const std::string &key) const;
    std::size_t count(SqlConnection &db) const;

    SqlDatabase &m_db;
    std::string m_scope;
    int m_limit;
    int m_window;
    std::size_t m_maxKeys;
};

} // namespace PennovaServer
