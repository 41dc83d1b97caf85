#include "loginthrottle.h"

#include "accountstore.h"
#include "sqldatabase.h"
#include "sqlstatement.h"

#include <algorithm>

namespace PennovaServer {

namespace {
// What a row of login_failures counts.
enum Kind : std::int64_t { PerPair = 0, PerAddress = 1, PerName = 2 };

std::string pairKey(const std::string &nameKey, const std::string &address)
{
    return address + '\n' + nameKey;
}
} // namespace

LoginThrottle::LoginThrottle(SqlDatabase &db, int maxFailures, int windowSeconds, int maxDelaySeconds,
                             int addressFailures)
    : m_db(db)
    , m_maxFailures(std::max(1, maxFailures))
    , m_window(std::max(1, windowSeconds))
    , m_maxDelay(std::max(1, maxDelaySeconds))
    , m_addressFailures(addressFailures > 0 ? addressFailures : 5 * std::max(1, maxFailures))
{
}

std::string LoginThrottle::nameKey(const std::string &name)
{
    return AccountStore::key(name);
}

bool LoginThrottle::current(const Record &record, std::int64_t now) const
{
    return record.failures > 0 && now - record.start < m_window && now >= record.start;
}

std::int64_t LoginThrottle::waitFor(const Record &record, int freeFailures, std::int64_t now) const
{
    if (!current(record, now))
        return 0;
    const int over = record.failures - freeFailures;
    if (over < 0)
        return 0;
    const std::int64_t delay = std::min<std::int64_t>(m_maxDelay, std::int64_t(1) << std::min(over, 20));
    return std::max<std::int64_t>(0, record.last + delay - now);
}

std::int64_t LoginThrottle::wait(const std::string &name, const std::string &address, std::int64_t now)
{
    const std::string key = nameKey(name);
    Record records[3];
    m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "SELECT kind, first_at, last_at, failures FROM login_failures "
                           "WHERE (kind = 0 AND subject = ?1) OR (kind = 1 AND subject = ?2) OR (kind = 2 AND subject = ?3)");
        q.bind(1, pairKey(key, address)).bind(2, address).bind(3, key);
        while (q.step()) {
            const std::int64_t kind = q.integer(0);
            if (kind >= PerPair && kind <= PerName)
                records[kind] = Record{q.integer(1), q.integer(2), int(std::min<std::int64_t>(q.integer(3), 1 << 30))};
        }
    });
    std::int64_t wait = std::max(waitFor(records[PerPair], m_maxFailures, now),
                                 waitFor(records[PerAddress], m_addressFailures, now));
    // The count per name slows only the addresses that failed for it themselves.
    if (current(records[PerPair], now))
        wait = std::max(wait, waitFor(records[PerName], 10 * m_maxFailures, now));
    return wait;
}

void LoginThrottle::failed(const std::string &name, const std::string &address, std::int64_t now)
{
    const std::string key = nameKey(name);
    // Each statement stands alone (one row each): concurrent failures on several servers
    // never wait for one another's transactions.
    m_db.locked([&](SqlConnection &db) {
        // Counts whose window has passed go, so that the table holds one window's failures.
        SqlStatement(db, "DELETE FROM login_failures WHERE first_at <= ?1").bind(1, now - m_window).run();
        SqlStatement count(db, "INSERT INTO login_failures(kind, subject, first_at, last_at, failures) "
                               "VALUES(?1, ?2, ?3, ?3, 1) ON CONFLICT(kind, subject) DO UPDATE SET "
                               "first_at = CASE WHEN ?3 - login_failures.first_at >= ?4 OR ?3 < login_failures.first_at "
                               "  THEN ?3 ELSE login_failures.first_at END, "
                               "failures = CASE WHEN ?3 - login_failures.first_at >= ?4 OR ?3 < login_failures.first_at "
                               "  THEN 1 ELSE login_failures.failures + 1 END, "
                               "last_at = ?3");
        const std::pair<std::int64_t, std::string> rows[] = {
            {PerPair, pairKey(key, address)}, {PerAddress, address}, {PerName, key}};
        for (const auto &row : rows) {
            count.bind(1, row.first).bind(2, row.second).bind(3, now).bind(4, std::int64_t(m_window));
            count.run();
            count.reset();
        }
    });
}

void LoginThrottle::succeeded(const std::string &name, const std::string &address)
{
    m_db.locked([&](SqlConnection &db) {
        SqlStatement(db, "DELETE FROM login_failures WHERE kind = 0 AND subject = ?1")
            .bind(1, pairKey(nameKey(name), address))
            .run();
    });
}

} // namespace PennovaServer
