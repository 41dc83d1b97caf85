#include "loginthrottle.h"

namespace PennovaServer {

LoginThrottle::LoginThrottle(int maxFailures, int windowSeconds)
    : m_maxFailures(maxFailures)
    , m_window(windowSeconds)
{
}

std::string LoginThrottle::key(const std::string &name)
{
    std::string out = name;
    for (char &ch : out) {
        if (ch >= 'A' && ch <= 'Z')
            ch = char(ch - 'A' + 'a');
    }
    return out;
}

bool LoginThrottle::allowed(const std::string &name, std::int64_t now)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    const auto it = m_records.find(key(name));
    if (it == m_records.end())
        return true;
    if (now - it->second.start >= m_window || now < it->second.start) {
        m_records.erase(it);
        return true;
    }
    return it->second.failures < m_maxFailures;
}

void LoginThrottle::failed(const std::string &name, std::int64_t now)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_records.size() > 100000) {
        for (auto it = m_records.begin(); it != m_records.end();)
            it = now - it->second.start >= m_window ? m_records.erase(it) : std::next(it);
    }
    Record &record = m_records[key(name)];
    if (record.failures == 0 || now - record.start >= m_window)
        record = Record{now, 0};
    ++record.failures;
}

void LoginThrottle::succeeded(const std::string &name)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_records.erase(key(name));
}

} // namespace PennovaServer
