#include "loginthrottle.h"

#include <algorithm>

namespace PennovaServer {

namespace {
constexpr std::size_t MaxRecords = 100000;
}

LoginThrottle::LoginThrottle(int maxFailures, int windowSeconds, int maxDelaySeconds, int addressFailures)
    : m_maxFailures(std::max(1, maxFailures))
    , m_window(std::max(1, windowSeconds))
    , m_maxDelay(std::max(1, maxDelaySeconds))
    , m_addressFailures(addressFailures > 0 ? addressFailures : 5 * std::max(1, maxFailures))
{
}

std::string LoginThrottle::pairKey(const std::string &name, const std::string &address)
{
    std::string out = address + '\n' + name;
    for (char &ch : out) {
        if (ch >= 'A' && ch <= 'Z')
            ch = char(ch - 'A' + 'a');
    }
    return out;
}

std::int64_t LoginThrottle::waitFor(std::unordered_map<std::string, Record> &records, const std::string &key,
                                    int freeFailures, std::int64_t now)
{
    const auto it = records.find(key);
    if (it == records.end())
        return 0;
    if (now - it->second.start >= m_window || now < it->second.start) {
        records.erase(it);
        return 0;
    }
    const int over = it->second.failures - freeFailures;
    if (over < 0)
        return 0;
    const std::int64_t delay = std::min<std::int64_t>(m_maxDelay, std::int64_t(1) << std::min(over, 20));
    return std::max<std::int64_t>(0, it->second.last + delay - now);
}

std::int64_t LoginThrottle::wait(const std::string &name, const std::string &address, std::int64_t now)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    const std::string pair = pairKey(name, address);
    std::int64_t wait = std::max(waitFor(m_pairs, pair, m_maxFailures, now),
                                 waitFor(m_addresses, address, m_addressFailures, now));
    if (m_pairs.count(pair))
        wait = std::max(wait, waitFor(m_names, nameKey(name), 10 * m_maxFailures, now));
    return wait;
}

void LoginThrottle::count(std::unordered_map<std::string, Record> &records, const std::string &key, std::int64_t now)
{
    if (records.size() > MaxRecords) {
        for (auto it = records.begin(); it != records.end();)
            it = now - it->second.start >= m_window ? records.erase(it) : std::next(it);
        if (records.size() > MaxRecords)
            records.clear(); // a flood of addresses: forget rather than grow
    }
    Record &record = records[key];
    if (record.failures == 0 || now - record.start >= m_window || now < record.start)
        record = Record{now, now, 0};
    record.last = now;
    ++record.failures;
}

void LoginThrottle::failed(const std::string &name, const std::string &address, std::int64_t now)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    count(m_pairs, pairKey(name, address), now);
    count(m_addresses, address, now);
    count(m_names, nameKey(name), now);
}

void LoginThrottle::succeeded(const std::string &name, const std::string &address)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_pairs.erase(pairKey(name, address));
}

} // namespace PennovaServer
