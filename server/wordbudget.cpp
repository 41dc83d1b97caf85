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

bool WordBudget::take(const std::string &owner, int words, std::int64_t now)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_windows.size() > 10000) {
        for (auto it = m_windows.begin(); it != m_windows.end();)
            it = now - it->second.start >= WindowSeconds ? m_windows.erase(it) : std::next(it);
    }
    Window &window = m_windows[owner];
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

namespace {
constexpr std::size_t EdgeBytes = 64;

// Up to EdgeBytes of the text's start or end, cut at a character boundary.
std::string edge(const std::string &utf8, bool atEnd)
{
    if (utf8.size() <= EdgeBytes)
        return utf8;
    std::size_t cut = atEnd ? utf8.size() - EdgeBytes : EdgeBytes;
    while (cut > 0 && cut < utf8.size() && (static_cast<unsigned char>(utf8[cut]) & 0xc0) == 0x80)
        atEnd ? ++cut : --cut;
    return atEnd ? utf8.substr(cut) : utf8.substr(0, cut);
}
} // namespace

int WordBudget::countJoinedWords(const std::vector<const std::string *> &parts, int stopAbove)
{
    int total = 0;
    const std::string *before = nullptr;
    for (const std::string *part : parts) {
        if (part->empty())
            continue;
        total += countWords(*part);
        if (before) {
            // Joining may run the last word of one part into the first of the next.
            const std::string tail = edge(*before, true);
            const std::string head = edge(*part, false);
            if (countWords(tail + head) < countWords(tail) + countWords(head))
                --total;
        }
        before = part;
        if (total > stopAbove)
            break;
    }
    return total;
}

} // namespace PennovaServer
