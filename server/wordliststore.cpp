#include "wordliststore.h"

#include "sqlitedatabase.h"
#include "utf8text.h"

#include <sqlite3.h>

#include <ctime>

namespace PennovaServer {

WordListStore::WordListStore(SqliteDatabase &db)
    : m_db(db)
{
}

std::vector<std::string> WordListStore::words(std::int64_t userId)
{
    return m_db.locked([&](sqlite3 *db) {
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
    return m_db.locked([&](sqlite3 *db) {
        SqlStatement q(db, "SELECT COUNT(*) FROM user_words WHERE user_id = ?1");
        q.bind(1, userId);
        return q.step() ? std::size_t(q.integer(0)) : std::size_t(0);
    });
}

WordListStore::AddResult WordListStore::add(std::int64_t userId, const std::vector<std::string> &words)
{
    struct Overflow {};
    try {
        m_db.transaction([&](sqlite3 *db) {
            SqlStatement insert(db, "INSERT OR IGNORE INTO user_words(user_id, word, added) VALUES(?1, ?2, ?3)");
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
    m_db.transaction([&](sqlite3 *db) {
        SqlStatement del(db, "DELETE FROM user_words WHERE user_id = ?1 AND word = ?2");
        for (const std::string &word : words) {
            del.bind(1, userId).bind(2, word);
            del.run();
            removed += std::size_t(sqlite3_changes(db));
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
