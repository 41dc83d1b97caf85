#include "ratelimiter.h"

#include "sqldatabase.h"
#include "sqlstatement.h"

#include <algorithm>

namespace PennovaServer {

RateLimiter::RateLimiter(SqlDatabase &db, std::string scope, int limit, int windowSeconds, std::size_t maxKeys)
    : m_db(db)
    , m_scope(std::move(scope))
    , m_limit(std::max(0, limit))
    , m_window(std::max(1, windowSeconds))
    , m_maxKeys(std::max<std::size_t>(1, maxKeys))
{
}

bool RateLimiter::known(SqlConnection &db, const std::string &key) const
{
    SqlStatement query(db, "SELECT 1 FROM rate_windows WHERE scope = ?1 AND subject = ?2");
    return query.bind(1, m_scope).bind(2, key).step();
}

std::size_t RateLimiter::count(SqlConnection &db) const
{
    SqlStatement size(db, "SELECT COUNT(*) FROM rate_windows WHERE scope = ?1");
    return size.bind(1, m_scope).step() ? std::size_t(size.integer(0)) : 0;
}

bool RateLimiter::take(const std::string &key, std::int64_t now)
{
    if (m_limit == 0)
        return false;
    return m_db.locked([&](SqlConnection &db) {
        // Each reading statement is finished before the next write: an open one keeps the
        // connection's read snapshot, and SQLite refuses to write on it at once (without
        // waiting) once another process has written since.
        if (!known(db, key)) {
            SqlStatement(db, "DELETE FROM rate_windows WHERE scope = ?1 AND (first_at <= ?2 OR first_at > ?3)")
                .bind(1, m_scope)
                .bind(2, now - m_window)
                .bind(3, now)
                .run();
            if (count(db) >= m_maxKeys)
                return false;
            SqlStatement(db, "INSERT INTO rate_windows(scope, subject, first_at, used) VALUES(?1, ?2, ?3, 0) "
                             "ON CONFLICT(scope, subject) DO NOTHING")
                .bind(1, m_scope)
                .bind(2, key)
                .bind(3, now)
                .run();
        }
        // One statement starts a new window or counts in the current one, so that
        // concurrent events on several servers cannot pass the limit together.
        SqlStatement counted(db, "UPDATE rate_windows SET "
                                 "first_at = CASE WHEN ?3 - first_at >= ?4 OR ?3 < first_at THEN ?3 ELSE first_at END, "
                                 "used = CASE WHEN ?3 - first_at >= ?4 OR ?3 < first_at THEN 1 ELSE used + 1 END "
                                 "WHERE scope = ?1 AND subject = ?2 AND (?3 - first_at >= ?4 OR ?3 < first_at OR used < ?5)");
        counted.bind(1, m_scope).bind(2, key).bind(3, now).bind(4, std::int64_t(m_window)).bind(5, std::int64_t(m_limit));
        return counted.run() == 1;
    });
}

} // namespace PennovaServer
