#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace PennovaServer {

// Slows password guessing: after maxFailures wrong passwords for one user name within
// windowSeconds, further logins of that name are refused unchecked until the window
// has passed. Names compare without regard to ASCII case, as accounts do.
class LoginThrottle
{
public:
    LoginThrottle(int maxFailures, int windowSeconds);

    bool allowed(const std::string &name, std::int64_t now);
    void failed(const std::string &name, std::int64_t now);
    void succeeded(const std::string &name);

private:
    struct Record
    {
        std::int64_t start = 0;
        int failures = 0;
    };

    static std::string key(const std::string &name);

    int m_maxFailures;
    int m_window;
    std::mutex m_mutex;
    std::unordered_map<std::string, Record> m_records;
};

} // namespace PennovaServer
