#include "wordbudget.h"

#include "sentencesplitter.h"

#include <QString>

namespace PennovaServer {

namespace {
constexpr std::int64_t WindowSeconds = 60;
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
    // The client's own counter, so that what it lets through passes here too.
    return ZeltraLib::countWords(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

} // namespace PennovaServer
