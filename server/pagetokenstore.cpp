#include "pagetokenstore.h"

#include "sqldatabase.h"
#include "sqlstatement.h"

namespace PennovaServer {

namespace {
// A page cookie outlives no session; this only bounds how long its row is kept.
constexpr std::int64_t CookieRowSeconds = 7 * 24 * 3600;
} // namespace

PageTokenStore::PageTokenStore(SqlDatabase &db, SessionStore &sessions)
    : m_db(db)
    , m_sessions(sessions)
{
}

std::string PageTokenStore::insert(const std::string &sessionHash, Kind kind, std::int64_t expires)
{
    const std::string token = SessionStore::newKey();
    m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "INSERT INTO page_tokens(token_hash, session_hash, kind, expires) VALUES(?1, ?2, ?3, ?4)");
        q.bind(1, SessionStore::keyHash(token)).bind(2, sessionHash).bind(3, std::int64_t(kind)).bind(4, expires);
        q.run();
    });
    return token;
}

std::string PageTokenStore::issue(const std::string &sessionKey)
{
    if (!m_sessions.find(sessionKey))
        return {};
    purgeExpired();
    return insert(SessionStore::keyHash(sessionKey), OneTime, m_sessions.now() + OneTimeSeconds);
}

std::optional<std::string> PageTokenStore::redeem(const std::string &token)
{
    if (token.empty())
        return std::nullopt;
    const std::int64_t t = m_sessions.now();
    const std::string hash = SessionStore::keyHash(token);
    // Only the request whose DELETE removed the row gets the cookie, even when two
    // processes spend the same token at once.
    const std::string sessionHash = m_db.locked([&](SqlConnection &db) -> std::string {
        std::string session;
        {
            SqlStatement q(db, "SELECT p.session_hash FROM page_tokens p JOIN session_keys s ON s.key_hash = p.session_hash "
                               "WHERE p.token_hash = ?1 AND p.kind = ?2 AND p.expires > ?3 AND s.expires > ?3");
            q.bind(1, hash).bind(2, std::int64_t(OneTime)).bind(3, t);
            if (!q.step())
                return {};
            session = q.text(0);
        }
        SqlStatement spend(db, "DELETE FROM page_tokens WHERE token_hash = ?1 AND kind = ?2");
        spend.bind(1, hash).bind(2, std::int64_t(OneTime));
        return spend.run() == 1 ? session : std::string();
    });
    if (sessionHash.empty())
        return std::nullopt;
    return insert(sessionHash, Cookie, t + CookieRowSeconds);
}

std::optional<std::string> PageTokenStore::redeemSessionKey(const std::string &sessionKey)
{
    if (!m_sessions.find(sessionKey))
        return std::nullopt;
    const std::string sessionHash = SessionStore::keyHash(sessionKey);
    const std::int64_t t = m_sessions.now();
    // The row's key is derived from the session's hash, so a second use finds it taken.
    const std::string mark = SessionStore::keyHash("used:" + sessionHash);
    const bool first = m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "INSERT INTO page_tokens(token_hash, session_hash, kind, expires) VALUES(?1, ?2, ?3, ?4) "
                           "ON CONFLICT(token_hash) DO NOTHING");
        q.bind(1, mark).bind(2, sessionHash).bind(3, std::int64_t(SessionKeyUsed)).bind(4, t + CookieRowSeconds);
        return q.run() == 1;
    });
    if (!first)
        return std::nullopt;
    return insert(sessionHash, Cookie, t + CookieRowSeconds);
}

std::optional<SessionStore::Session> PageTokenStore::visitor(const std::string &cookie)
{
    if (cookie.empty())
        return std::nullopt;
    const std::int64_t t = m_sessions.now();
    return m_db.locked([&](SqlConnection &db) -> std::optional<SessionStore::Session> {
        SqlStatement q(db, "SELECT s.user_id, u.name FROM page_tokens p JOIN session_keys s ON s.key_hash = p.session_hash "
                           "JOIN users u ON u.id = s.user_id "
                           "WHERE p.token_hash = ?1 AND p.kind = ?2 AND p.expires > ?3 AND s.expires > ?3");
        q.bind(1, SessionStore::keyHash(cookie)).bind(2, std::int64_t(Cookie)).bind(3, t);
        if (!q.step())
            return std::nullopt;
        return SessionStore::Session{q.integer(0), q.text(1)};
    });
}

void PageTokenStore::purgeExpired()
{
    const std::int64_t t = m_sessions.now();
    m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "DELETE FROM page_tokens WHERE expires <= ?1");
        q.bind(1, t);
        q.run();
    });
}

} // namespace PennovaServer
