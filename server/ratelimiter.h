#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace PennovaServer {

// At most `limit` events per key (an address) within windowSeconds, the window starting
// with the key's first event. The table is bounded: past maxKeys the expired keys go,
// and if that is not enough every new key is refused until some expire.
class RateLimiter
{
public:
    RateLimiter(int limit, int windowSeconds, std::size_t maxKeys = 100000);

    // Counts one event; false, counting nothing, when the key has used its events.
    bool take(const std::string &key, std::int64_t now);

private:
    struct Window
    {
        std::int64_t start = 0;
        int used = 0;
    };

    int m_limit;
    int m_window;
    std::size_t m_maxKeys;
    std::mutex m_mutex;
    std::unordered_map<std::string, Window> m_windows;
};

} // namespace PennovaServer
