#include "usagelogstore.h"

#include "sqldatabase.h"
#include "sqlstatement.h"

#include <algorithm>
#include <ctime>
#include <tuple>
#include <set>

namespace PennovaServer {

UsageLogStore::UsageLogStore(SqlDatabase &db)
    : UsageLogStore(db, Limits())
{
}

UsageLogStore::UsageLogStore(SqlDatabase &db, Limits limits)
    : m_db(db)
    , m_limits(limits)
{
}

std::int64_t UsageLogStore::rowsOf(SqlConnection &db, const char *sql, std::int64_t userId)
{
    SqlStatement count(db, sql);
    return count.bind(1, userId).step() ? count.integer(0) : 0;
}

void UsageLogStore::addOrInsert(SqlStatement &add, SqlStatement &insert, std::int64_t *rows, std::int64_t maxRows)
{
    // A row beyond the user's share is dropped: usage data is statistics, not the user's work.
    if (add.run() == 0 && *rows < maxRows) {
        insert.run();
        ++*rows;
    }
    add.reset();
    insert.reset();
}

void UsageLogStore::addCounts(std::int64_t userId, const std::string &group, const std::string &version,
                              const std::vector<Count> &counts)
{
    // Rows are written in one order, so that concurrent uploads (the anonymous ones of
    // many clients share their rows) cannot deadlock on a shared database.
    std::vector<Count> sorted = counts;
    std::sort(sorted.begin(), sorted.end(), [](const Count &a, const Count &b) { return a.name < b.name; });
    m_db.transaction([&](SqlConnection &db) {
        std::int64_t rows = rowsOf(db, "SELECT COUNT(*) FROM usage_counts WHERE user_id = ?1", userId);
        SqlStatement add(db, "UPDATE usage_counts SET count = count + ?5 "
                             "WHERE user_id = ?1 AND grp = ?2 AND name = ?3 AND version = ?4");
        SqlStatement insert(db, "INSERT INTO usage_counts(user_id, grp, name, version, count) "
                                "VALUES(?1, ?2, ?3, ?4, ?5) "
                                "ON CONFLICT(user_id, grp, name, version) DO UPDATE SET count = usage_counts.count + excluded.count");
        for (const Count &c : sorted) {
            for (SqlStatement *q : {&add, &insert})
                q->bind(1, userId).bind(2, group).bind(3, c.name).bind(4, version).bind(5, c.count);
            addOrInsert(add, insert, &rows, m_limits.countRows);
        }
    });
}

bool UsageLogStore::isAnonymousEvent(const std::string &name)
{
    // What the login window counts before anyone has logged in.
    static const std::set<std::string> names = {
        "Login_Close", "Login_ForgetPwd", "Login_Login", "Login_Proxy", "Login_Regester", "Login_Succ",
        "Proxy_Test", "Proxy_Type_Http", "Proxy_Type_Socks", "Proxy_Type_System"};
    return names.count(name) > 0;
}

void UsageLogStore::addAnonymousCounts(const std::string &version, const std::vector<Count> &counts, int maxRows)
{
    std::vector<Count> known;
    for (const Count &c : counts) {
        if (isAnonymousEvent(c.name))
            known.push_back(c);
    }
    if (known.empty())
        return;
    const bool full = m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "SELECT COUNT(*) FROM usage_counts WHERE user_id = 0 AND grp = 'event' AND version = ?1");
        q.bind(1, version);
        if (q.step() && q.integer(0) > 0)
            return false; // a version already kept
        SqlStatement all(db, "SELECT COUNT(*) FROM usage_counts WHERE user_id = 0");
        return all.step() && all.integer(0) >= maxRows;
    });
    addCounts(0, "event", full ? std::string("other") : version, known);
}

void UsageLogStore::addCorrections(std::int64_t userId, const std::vector<Correction> &corrections)
{
    std::vector<Correction> sorted = corrections;
    std::sort(sorted.begin(), sorted.end(), [](const Correction &a, const Correction &b) {
        return std::tie(a.found, a.replacement) < std::tie(b.found, b.replacement);
    });
    m_db.transaction([&](SqlConnection &db) {
        std::int64_t rows = rowsOf(db, "SELECT COUNT(*) FROM error_logs WHERE user_id = ?1", userId);
        SqlStatement add(db, "UPDATE error_logs SET count = count + ?4 WHERE user_id = ?1 AND found = ?2 AND replacement = ?3");
        SqlStatement insert(db, "INSERT INTO error_logs(user_id, found, replacement, count) VALUES(?1, ?2, ?3, ?4) "
                                "ON CONFLICT(user_id, found, replacement) DO UPDATE SET count = error_logs.count + excluded.count");
        for (const Correction &c : sorted) {
            for (SqlStatement *q : {&add, &insert})
                q->bind(1, userId).bind(2, c.found).bind(3, c.replacement).bind(4, c.count);
            addOrInsert(add, insert, &rows, m_limits.correctionRows);
        }
    });
}

void UsageLogStore::addChoices(std::int64_t userId, const std::vector<Choice> &choices)
{
    m_db.transaction([&](SqlConnection &db) {
        SqlStatement q(db, "INSERT INTO word_choices(user_id, sentence, word_idx, word_length, choose_word, created) "
                           "VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
        const std::int64_t t = std::int64_t(std::time(nullptr));
        for (const Choice &c : choices) {
            q.bind(1, userId).bind(2, c.sentence).bind(3, c.wordIdx).bind(4, c.wordLength);
            q.bind(5, c.chooseWord).bind(6, t);
            q.run();
            q.reset();
        }
        // The newest choices are kept, within the user's rows and characters.
        SqlStatement(db, "DELETE FROM word_choices WHERE id IN (SELECT id FROM ("
                         " SELECT id, ROW_NUMBER() OVER (ORDER BY id DESC) AS n,"
                         " SUM(LENGTH(sentence) + LENGTH(choose_word)) OVER (ORDER BY id DESC) AS total"
                         " FROM word_choices WHERE user_id = ?1) AS newest WHERE n > ?2 OR total > ?3)")
            .bind(1, userId)
            .bind(2, m_limits.choiceRows)
            .bind(3, m_limits.choiceCharacters)
            .run();
    });
}

std::vector<UsageLogStore::Count> UsageLogStore::counts(std::int64_t userId, const std::string &group)
{
    return m_db.locked([&](SqlConnection &db) {
        std::vector<Count> out;
        SqlStatement q(db, "SELECT name, SUM(count) FROM usage_counts WHERE user_id = ?1 AND grp = ?2 "
                           "GROUP BY name ORDER BY name");
        q.bind(1, userId).bind(2, group);
        while (q.step())
            out.push_back({q.text(0), q.integer(1)});
        return out;
    });
}

std::vector<UsageLogStore::Correction> UsageLogStore::corrections(std::int64_t userId)
{
    return m_db.locked([&](SqlConnection &db) {
        std::vector<Correction> out;
        SqlStatement q(db, "SELECT found, replacement, count FROM error_logs WHERE user_id = ?1 "
                           "ORDER BY found, replacement");
        q.bind(1, userId);
        while (q.step())
            out.push_back({q.text(0), q.text(1), q.integer(2)});
        return out;
    });
}

std::vector<UsageLogStore::Choice> UsageLogStore::choices(std::int64_t userId)
{
    return m_db.locked([&](SqlConnection &db) {
        std::vector<Choice> out;
        SqlStatement q(db, "SELECT sentence, word_idx, word_length, choose_word FROM word_choices "
                           "WHERE user_id = ?1 ORDER BY id");
        q.bind(1, userId);
        while (q.step())
            out.push_back({q.text(0), q.integer(1), q.integer(2), q.text(3)});
        return out;
    });
}

} // namespace PennovaServer
