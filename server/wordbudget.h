#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaServer {

// Words an account may have checked or polished per minute (a window that starts with
// the first request after the previous one ran out).
class WordBudget
{
public:
    explicit WordBudget(int wordsPerMinute);

    // Takes `words` from the budget of `owner` (the account) at time `now` (seconds); false, taking
    // nothing, when that would exceed the budget.
    bool take(const std::string &owner, int words, std::int64_t now);

    // Words of a UTF-8 text, counted by the client's own word counter.
    static int countWords(const std::string &utf8);
    // Words of the parts joined without separator (as the client counts its text, where
    // a paragraph break is no space), counted part by part so that no joined copy is
    // made; stops early once the count exceeds stopAbove (the result is then above it).
    static int countJoinedWords(const std::vector<const std::string *> &parts, int stopAbove);

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
