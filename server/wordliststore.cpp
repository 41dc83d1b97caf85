#include "wordliststore.h"

#include "sqlitedatabase.h"

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

bool WordListStore::add(std::int64_t userId, const std::vector<std::string> &words)
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
        return false;
    }
    return true;
}

} // namespace PennovaServer
