#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace PennovaServer {

class SqlDatabase;

// Session keys: 128 random bits from libsodium as 32 upper-case hex digits; the database
// keeps only a hash of each. A session expires when it is neither activated nor used
// within the lifetime.
class SessionStore
{
public:
    using Clock = std::function<std::int64_t()>; // seconds since the epoch

    struct Session
    {
        std::int64_t userId = 0;
        std::string userName;
    };

    // db is borrowed. An empty clock means the system time.
    SessionStore(SqlDatabase &db, int lifetimeSeconds, Clock clock = {});

    std::string open(std::int64_t userId);
    // The live session of a key, renewed for another lifetime; an expired one is gone.
    std::optional<Session> find(const std::string &key);
    // Extends a live session; false for an unknown or expired key.
    bool activate(const std::string &key);
    // Ends a session; false when there was none.
    bool close(const std::string &key);
    // Ends every session of a user (after a password change); how many there were.
    int closeAll(std::int64_t userId);

    std::int64_t now() const;

    // What the table keeps instead of a key (hex of a BLAKE2b hash).
    static std::string keyHash(const std::string &key);
    // 128 random bits as 32 upper-case hex digits.
    static std::string newKey();

private:
    void purgeExpired();

    SqlDatabase &m_db;
    int m_lifetime;
    Clock m_clock;
};

} // namespace PennovaServer
