#include "accountstore.h"

#include "passwordhasher.h"
#include "sqlitedatabase.h"

#include <sqlite3.h>

#include <ctime>

namespace PennovaServer {

namespace {
AccountStore::User userFrom(const SqlStatement &row)
{
    AccountStore::User user;
    user.id = row.integer(0);
    user.name = row.text(1);
    user.email = row.text(2);
    user.provider = row.text(3);
    return user;
}
} // namespace

AccountStore::AccountStore(SqliteDatabase &db, PasswordHasher &hasher)
    : m_db(db)
    , m_hasher(hasher)
{
}

bool AccountStore::nameExists(const std::string &name)
{
    return m_db.locked([&](sqlite3 *db) {
        SqlStatement q(db, "SELECT 1 FROM users WHERE name = ?1");
        q.bind(1, name);
        return q.step();
    });
}

bool AccountStore::emailExists(const std::string &email)
{
    if (email.empty())
        return false;
    return m_db.locked([&](sqlite3 *db) {
        SqlStatement q(db, "SELECT 1 FROM users WHERE email = ?1");
        q.bind(1, email);
        return q.step();
    });
}

std::optional<AccountStore::User> AccountStore::findByName(const std::string &name)
{
    return m_db.locked([&](sqlite3 *db) -> std::optional<User> {
        SqlStatement q(db, "SELECT id, name, email, provider FROM users WHERE name = ?1");
        q.bind(1, name);
        if (!q.step())
            return std::nullopt;
        return userFrom(q);
    });
}

AccountStore::CreateResult AccountStore::create(const std::string &name, const std::string &email,
                                                const std::string &protocolHash,
                                                const std::string &provider)
{
    // Hash before taking the database lock: it is the slow part.
    const std::string stored = m_hasher.hash(protocolHash);
    return m_db.transaction([&](sqlite3 *db) {
        {
            SqlStatement q(db, "SELECT 1 FROM users WHERE name = ?1");
            q.bind(1, name);
            if (q.step())
                return CreateResult::NameTaken;
        }
        if (!email.empty()) {
            SqlStatement q(db, "SELECT 1 FROM users WHERE email = ?1");
            q.bind(1, email);
            if (q.step())
                return CreateResult::EmailTaken;
        }
        SqlStatement insert(db, "INSERT INTO users(name, email, password, provider, created) "
                                "VALUES(?1, ?2, ?3, ?4, ?5)");
        insert.bind(1, name).bind(2, email).bind(3, stored).bind(4, provider);
        insert.bind(5, std::int64_t(std::time(nullptr)));
        insert.run();
        return CreateResult::Created;
    });
}

bool AccountStore::setPassword(const std::string &name, const std::string &protocolHash)
{
    const std::string stored = m_hasher.hash(protocolHash);
    return m_db.transaction([&](sqlite3 *db) {
        SqlStatement q(db, "UPDATE users SET password = ?1 WHERE name = ?2");
        q.bind(1, stored).bind(2, name);
        q.run();
        if (sqlite3_changes(db) == 0)
            return false;
        // Whoever logged in with the old password is logged out.
        SqlStatement end(db, "DELETE FROM session_keys WHERE user_id = (SELECT id FROM users WHERE name = ?1)");
        end.bind(1, name);
        end.run();
        return true;
    });
}

AccountStore::LoginResult AccountStore::login(const std::string &name, const std::string &protocolHash,
                                              User *user)
{
    std::string stored;
    const std::optional<User> found = m_db.locked([&](sqlite3 *db) -> std::optional<User> {
        SqlStatement q(db, "SELECT id, name, email, provider, password FROM users WHERE name = ?1");
        q.bind(1, name);
        if (!q.step())
            return std::nullopt;
        stored = q.text(4);
        return userFrom(q);
    });
    if (!found)
        return LoginResult::UnknownUser;
    if (!m_hasher.verify(stored, protocolHash))
        return LoginResult::WrongPassword;
    if (user)
        *user = *found;
    return LoginResult::Success;
}

} // namespace PennovaServer
