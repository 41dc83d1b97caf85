#pragma once

#include <cstdint>
#include <string>

namespace PennovaServer {

class SqlDatabase;

// Slows password guessing without locking anyone out. Wrong passwords are counted per
// user name and address, per address over all names, and per name over all addresses,
// within windowSeconds. Past maxFailures of the first (addressFailures of the second,
// ten times maxFailures of the third), the next try from that address must wait, twice
// as long after every further failure (at most maxDelaySeconds). The count per name
// slows only addresses that have failed for it: a login of the name from an address
// without failures goes through at once. Names compare without regard to ASCII case, as
// accounts do. The counts live in the shared store, so that every server process
// behind a balancer sees the same failures.
class LoginThrottle
{
public:
    // db is borrowed. addressFailures: failures of one address over all names; 0 = 5 * maxFailures.
    LoginThrottle(SqlDatabase &db, int maxFailures, int windowSeconds, int maxDelaySeconds = 60, int addressFailures = 0);

    // Seconds until a login of `name` from `address` may be checked; 0 = now.
    std::int64_t wait(const std::string &name, const std::string &address, std::int64_t now);
    bool allowed(const std::string &name, const std::string &address, std::int64_t now)
    {
        return wait(name, address, now) == 0;
    }
    void failed(const std::string &name, const std::string &address, std::int64_t now);
    void succeeded(const std::string &name, const std::string &address);

private:
    struct Record
    {
        std::int64_t start = 0; // first failure of the window
        std::int64_t last = 0;  // latest failure
        int failures = 0;
    };

    static std::string nameKey(const std::string &name);
    std::int64_t waitFor(const Record &record, int freeFailures, std::int64_t now) const;
    bool current(const Record &record, std::int64_t now) const;

    SqlDatabase &m_db;
    int m_maxFailures;
    int m_window;
    int m_maxDelay;
    int m_addressFailures;
};

} // namespace PennovaServer
