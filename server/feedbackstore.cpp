#include "feedbackstore.h"

#include "sqldatabase.h"
#include "sqlstatement.h"

namespace PennovaServer {

FeedbackStore::FeedbackStore(SqlDatabase &db)
    : m_db(db)
{
}

void FeedbackStore::add(std::int64_t userId, const Entry &entry)
{
    m_db.transaction([&](SqlConnection &db) {
        SqlStatement insert(db, "INSERT INTO feedback(user_id, text, contact, time) VALUES(?1, ?2, ?3, ?4)");
        insert.bind(1, userId).bind(2, entry.text).bind(3, entry.contact).bind(4, entry.time);
        insert.run();
        SqlStatement trim(db, "DELETE FROM feedback WHERE user_id = ?1 AND id NOT IN"
                              " (SELECT id FROM feedback WHERE user_id = ?1 ORDER BY id DESC LIMIT ?2)");
        trim.bind(1, userId).bind(2, std::int64_t(MaxPerUser));
        trim.run();
    });
}

std::vector<FeedbackStore::Entry> FeedbackStore::entries(std::int64_t userId)
{
    return m_db.locked([&](SqlConnection &db) {
        std::vector<Entry> out;
        SqlStatement q(db, "SELECT text, contact, time FROM feedback WHERE user_id = ?1 ORDER BY id DESC");
        q.bind(1, userId);
        while (q.step())
            out.push_back({q.text(0), q.text(1), q.integer(2)});
        return out;
    });
}

} // namespace PennovaServer
