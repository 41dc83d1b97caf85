#include "sessionstore.h"

#include "sqldatabase.h"
#include "sqlstatement.h"

#include <sodium.h>

#include <ctime>

namespace PennovaServer {

std::string SessionStore::newKey()
{
    unsigned char bytes[16];
    randombytes_buf(bytes, sizeof bytes);
    static const char digits[] = "0123456789ABCDEF";
    std::string key;
    key.reserve(32);
    for (unsigned char b : bytes) {
        key += digits[b >> 4];
        key += digits[b & 15];
    }
    return key;
}

// A stolen database opens no session.
std::string SessionStore::keyHash(const std::string &key)
{
    unsigned char digest[crypto_generichash_BYTES];
    crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char *>(key.data()), key.size(),
                       nullptr, 0);
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * sizeof digest);
    for (unsigned char b : digest) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

SessionStore::SessionStore(SqlDatabase &db, int lifetimeSeconds, Clock clock)
    : m_db(db)
    , m_lifetime(lifetimeSeconds > 0 ? lifetimeSeconds : 1)
    , m_clock(std::move(clock))
{
}

std::int64_t SessionStore::now() const
{
    return m_clock ? m_clock() : std::int64_t(std::time(nullptr));
}

std::string SessionStore::open(std::int64_t userId)
{
    purgeExpired();
    const std::string key = newKey();
    const std::int64_t t = now();
    m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "INSERT INTO session_keys(key_hash, user_id, created, expires) VALUES(?1, ?2, ?3, ?4)");
        q.bind(1, keyHash(key)).bind(2, userId).bind(3, t).bind(4, t + m_lifetime);
        q.run();
    });
    return key;
}

std::optional<SessionStore::Session> SessionStore::find(const std::string &key)
{
    if (key.empty())
        return std::nullopt;
    const std::int64_t t = now();
    return m_db.locked([&](SqlConnection &db) -> std::optional<Session> {
        const std::string hash = keyHash(key);
        Session session;
        std::int64_t expires = 0;
        {
            SqlStatement q(db, "SELECT s.user_id, u.name, s.expires FROM session_keys s JOIN users u ON u.id = s.user_id "
                               "WHERE s.key_hash = ?1 AND s.expires > ?2");
            q.bind(1, hash).bind(2, t);
            if (!q.step())
                return std::nullopt;
            session = Session{q.integer(0), q.text(1)};
            expires = q.integer(2);
        }
        // A session in use never expires under its user: every authenticated request
        // renews it (written only when the clock has moved on since the last renewal).
        if (expires < t + m_lifetime) {
            SqlStatement renew(db, "UPDATE session_keys SET expires = ?1 WHERE key_hash = ?2");
            renew.bind(1, t + m_lifetime).bind(2, hash);
            renew.run();
        }
        return session;
    });
}

bool SessionStore::activate(const std::string &key)
{
    if (key.empty())
        return false;
    const std::int64_t t = now();
    return m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "UPDATE session_keys SET expires = ?1 WHERE key_hash = ?2 AND expires > ?3");
        q.bind(1, t + m_lifetime).bind(2, keyHash(key)).bind(3, t);
        return q.run() > 0;
    });
}

bool SessionStore::close(const std::string &key)
{
    if (key.empty())
        return false;
    const std::int64_t t = now();
    return m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "DELETE FROM session_keys WHERE key_hash = ?1 AND expires > ?2");
        q.bind(1, keyHash(key)).bind(2, t);
        return q.run() > 0;
    });
}

int SessionStore::closeAll(std::int64_t userId)
{
    return m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "DELETE FROM session_keys WHERE user_id = ?1");
        q.bind(1, userId);
        return int(q.run());
    });
}

void SessionStore::purgeExpired()
{
    const std::int64_t t = now();
    m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "DELETE FROM session_keys WHERE expires <= ?1");
        q.bind(1, t);
        q.run();
    });
}

} // namespace PennovaServer
