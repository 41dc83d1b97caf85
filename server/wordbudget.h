#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace PennovaServer {

// Words a session may have checked or polished per minute (a window that starts with
// the first request after the previous one ran out).
class WordBudget
{
public:
    explicit WordBudget(int wordsPerMinute);

    // Takes `words` from the session's budget at time `now` (seconds); false, taking
    // nothing, when that would exceed the budget.
    bool take(const std::string &sessionKey, int words, std::int64_t now);

    // Words of a UTF-8 text, counted by the client's own word counter.
    static int countWords(const std::string &utf8);

private:
    struct Window
    {
        std::int64_t start = 0;
        int used = 0;
    };

    int m_limit;
    std::mutex m_mutex;
    std::unordered_map<std::string, Window> m_windows;
};

} // namespace PennovaServer
