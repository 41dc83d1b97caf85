#include "ratelimiter.h"

#include <algorithm>

namespace PennovaServer {

RateLimiter::RateLimiter(int limit, int windowSeconds, std::size_t maxKeys)
    : m_limit(std::max(0, limit))
    , m_window(std::max(1, windowSeconds))
    , m_maxKeys(std::max<std::size_t>(1, maxKeys))
{
}

bool RateLimiter::take(const std::string &key, std::int64_t now)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    auto it = m_windows.find(key);
    if (it == m_windows.end()) {
        if (m_windows.size() >= m_maxKeys) {
            for (auto old = m_windows.begin(); old != m_windows.end();)
                old = now - old->second.start >= m_window || now < old->second.start ? m_windows.erase(old)
                                                                                      : std::next(old);
            if (m_windows.size() >= m_maxKeys)
                return false;
        }
        it = m_windows.emplace(key, Window{now, 0}).first;
    }
    Window &window = it->second;
    if (now - window.start >= m_window || now < window.start)
        window = Window{now, 0};
    if (window.used >= m_limit)
        return false;
    ++window.used;
    return true;
}

} // namespace PennovaServer
