#include "wordliststore.h"

#include "sqldatabase.h"
#include "sqlstatement.h"
#include "utf8text.h"

#include <ctime>

namespace PennovaServer {

namespace {
// Changes of one user's list take turns (a row lock on PostgreSQL; SQLite's writes are
// serial anyway): concurrent adds cannot pass the limit together, nor deadlock.
void lockUser(SqlConnection &db, std::int64_t userId)
{
    SqlStatement(db, "UPDATE users SET created = created WHERE id = ?1").bind(1, userId).run();
}
} // namespace

WordListStore::WordListStore(SqlDatabase &db)
    : m_db(db)
{
}

std::vector<std::string> WordListStore::words(std::int64_t userId)
{
    return m_db.locked([&](SqlConnection &db) {
        std::vector<std::string> out;
        SqlStatement q(db, "SELECT word FROM user_words WHERE user_id = ?1 ORDER BY id");
        q.bind(1, userId);
        while (q.step())
            out.push_back(q.text(0));
        return out;
    });
}

std::size_t WordListStore::count(std::int64_t userId)
{
    return m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "SELECT COUNT(*) FROM user_words WHERE user_id = ?1");
        q.bind(1, userId);
        return q.step() ? std::size_t(q.integer(0)) : std::size_t(0);
    });
}

WordListStore::AddResult WordListStore::add(std::int64_t userId, const std::vector<std::string> &words)
{
    struct Overflow {};
    try {
        m_db.transaction([&](SqlConnection &db) {
            lockUser(db, userId);
            SqlStatement insert(db, "INSERT INTO user_words(user_id, word, added) VALUES(?1, ?2, ?3) "
                                    "ON CONFLICT(user_id, word) DO NOTHING");
            const std::int64_t t = std::int64_t(std::time(nullptr));
            for (const std::string &word : words) {
                insert.bind(1, userId).bind(2, word).bind(3, t);
                insert.run();
                insert.reset();
            }
            SqlStatement count(db, "SELECT COUNT(*) FROM user_words WHERE user_id = ?1");
            count.bind(1, userId);
            if (count.step() && std::size_t(count.integer(0)) > MaxWordsPerUser)
                throw Overflow();
        });
    } catch (const Overflow &) {
        return AddResult::TooMany;
    }
    return AddResult::Added;
}

std::size_t WordListStore::remove(std::int64_t userId, const std::vector<std::string> &words)
{
    std::size_t removed = 0;
    m_db.transaction([&](SqlConnection &db) {
        lockUser(db, userId);
        SqlStatement del(db, "DELETE FROM user_words WHERE user_id = ?1 AND word = ?2");
        for (const std::string &word : words) {
            del.bind(1, userId).bind(2, word);
            removed += std::size_t(del.run());
            del.reset();
        }
    });
    return removed;
}

bool WordListStore::acceptable(const std::string &word)
{
    if (word.empty() || word.find(';') != std::string::npos || !Utf8Text::printable(word, MaxWordBytes))
        return false;
    std::size_t chars = 0;
    for (unsigned char ch : word) {
        if ((ch & 0xC0) != 0x80)
            ++chars;
    }
    return chars <= MaxWordChars;
}

} // namespace PennovaServer
