#include "wordbudget.h"

namespace PennovaServer {

namespace {
constexpr std::int64_t WindowSeconds = 60;

bool isWordByte(unsigned char b)
{
    return (b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b >= 0x80;
}
} // namespace

WordBudget::WordBudget(int wordsPerMinute)
    : m_limit(wordsPerMinute)
{
}

bool WordBudget::take(const std::string &sessionKey, int words, std::int64_t now)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_windows.size() > 10000) {
        for (auto it = m_windows.begin(); it != m_windows.end();)
            it = now - it->second.start >= WindowSeconds ? m_windows.erase(it) : std::next(it);
    }
    Window &window = m_windows[sessionKey];
    if (now - window.start >= WindowSeconds || now < window.start) {
        window.start = now;
        window.used = 0;
    }
    if (words < 0 || words > m_limit - window.used)
        return false;
    window.used += words;
    return true;
}

int WordBudget::countWords(const std::string &utf8)
{
    int count = 0;
    std::size_t pos = 0;
    while (pos <= utf8.size()) {
        std::size_t end = utf8.find(' ', pos);
        if (end == std::string::npos)
            end = utf8.size();
        // Stripping the non-word bytes also removes the white space trimming would.
        std::size_t a = pos;
        std::size_t b = end;
        while (a < b && !isWordByte(static_cast<unsigned char>(utf8[a])))
            ++a;
        while (b > a && !isWordByte(static_cast<unsigned char>(utf8[b - 1])))
            --b;
        if (b > a)
            ++count;
        pos = end + 1;
    }
    return count;
}

} // namespace PennovaServer
