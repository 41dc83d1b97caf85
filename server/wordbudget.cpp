#include "wordbudget.h"

#include "sentencesplitter.h"
#include "sqldatabase.h"
#include "sqlstatement.h"

#include <QString>

#include <algorithm>

namespace PennovaServer {

namespace {
// Tokens are counted in word-seconds (a word is 60 of them), so that the refill of
// limit words per 60 s is a whole limit tokens a second.
constexpr std::int64_t TokensPerWord = 60;
} // namespace

WordBudget::WordBudget(SqlDatabase &db, int wordsPerMinute)
    : m_db(db)
    , m_limit(std::max(0, wordsPerMinute))
{
}

bool WordBudget::take(const std::string &owner, int words, std::int64_t now)
{
    const std::int64_t capacity = 2 * m_limit * TokensPerWord;
    const std::int64_t need = std::int64_t(words) * TokensPerWord;
    if (words < 0 || need > capacity)
        return false;
    return m_db.locked([&](SqlConnection &db) {
        SqlStatement(db, "INSERT INTO word_budgets(owner, tokens, updated) VALUES(?1, ?2, ?3) "
                         "ON CONFLICT(owner) DO NOTHING")
            .bind(1, owner)
            .bind(2, capacity)
            .bind(3, now)
            .run();
        // One statement refills and takes, so that no other request comes in between;
        // a clock that went back refills nothing.
        SqlStatement take(db, "UPDATE word_budgets SET "
                              "tokens = (CASE WHEN tokens + (CASE WHEN ?2 > updated THEN ?2 - updated ELSE 0 END) * ?3 > ?4 "
                              "  THEN ?4 ELSE tokens + (CASE WHEN ?2 > updated THEN ?2 - updated ELSE 0 END) * ?3 END) - ?5, "
                              "updated = CASE WHEN ?2 > updated THEN ?2 ELSE updated END "
                              "WHERE owner = ?1 AND (CASE WHEN tokens + (CASE WHEN ?2 > updated THEN ?2 - updated ELSE 0 END) * ?3 > ?4 "
                              "  THEN ?4 ELSE tokens + (CASE WHEN ?2 > updated THEN ?2 - updated ELSE 0 END) * ?3 END) >= ?5");
        take.bind(1, owner).bind(2, now).bind(3, m_limit).bind(4, capacity).bind(5, need);
        return take.run() == 1;
    });
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
