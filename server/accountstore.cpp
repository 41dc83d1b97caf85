#include "accountstore.h"

#include "passwordhasher.h"
#include "sqldatabase.h"
#include "sqlstatement.h"

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

AccountStore::AccountStore(SqlDatabase &db, PasswordHasher &hasher)
    : m_db(db)
    , m_hasher(hasher)
{
}

std::string AccountStore::key(const std::string &nameOrEmail)
{
    std::string out = nameOrEmail;
    for (char &ch : out) {
        if (ch >= 'A' && ch <= 'Z')
            ch = char(ch - 'A' + 'a');
    }
    return out;
}

bool AccountStore::nameExists(const std::string &name)
{
    return m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "SELECT 1 FROM users WHERE name_key = ?1");
        q.bind(1, key(name));
        return q.step();
    });
}

bool AccountStore::emailExists(const std::string &email)
{
    if (email.empty())
        return false;
    return m_db.locked([&](SqlConnection &db) {
        SqlStatement q(db, "SELECT 1 FROM users WHERE email_key = ?1");
        q.bind(1, key(email));
        return q.step();
    });
}

std::optional<AccountStore::User> AccountStore::findByName(const std::string &name)
{
    return m_db.locked([&](SqlConnection &db) -> std::optional<User> {
        SqlStatement q(db, "SELECT id, name, email, provider FROM users WHERE name_key = ?1");
        q.bind(1, key(name));
        if (!q.step())
            return std::nullopt;
        return userFrom(q);
    });
}

AccountStore::CreateResult AccountStore::create(const std::string &name, const std::string &email,
                                                const std::string &protocolHash,
                                                const std::string &provider)
{
    // Hash before taking a connection: it is the slow part.
    const std::string stored = m_hasher.hash(protocolHash);
    return m_db.transaction([&](SqlConnection &db) {
        // The unique keys decide between concurrent registrations of one name, on any
        // number of servers: exactly one insert takes effect.
        SqlStatement insert(db, "INSERT INTO users(name, name_key, email, email_key, password, provider, created) "
                                "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7) ON CONFLICT DO NOTHING");
        insert.bind(1, name).bind(2, key(name)).bind(3, email).bind(4, key(email)).bind(5, stored).bind(6, provider);
        insert.bind(7, std::int64_t(std::time(nullptr)));
        if (insert.run() > 0)
            return CreateResult::Created;
        SqlStatement q(db, "SELECT 1 FROM users WHERE name_key = ?1");
        q.bind(1, key(name));
        return q.step() ? CreateResult::NameTaken : CreateResult::EmailTaken;
    });
}

bool AccountStore::setPassword(const std::string &name, const std::string &protocolHash)
{
    const std::string stored = m_hasher.hash(protocolHash);
    return m_db.transaction([&](SqlConnection &db) {
        SqlStatement q(db, "UPDATE users SET password = ?1 WHERE name_key = ?2");
        q.bind(1, stored).bind(2, key(name));
        if (q.run() == 0)
            return false;
        // Whoever logged in with the old password is logged out.
        SqlStatement end(db, "DELETE FROM session_keys WHERE user_id = (SELECT id FROM users WHERE name_key = ?1)");
        end.bind(1, key(name));
        end.run();
        return true;
    });
}

AccountStore::LoginResult AccountStore::login(const std::string &name, const std::string &protocolHash,
                                              User *user)
{
    std::string stored;
    const std::optional<User> found = m_db.locked([&](SqlConnection &db) -> std::optional<User> {
        SqlStatement q(db, "SELECT id, name, email, provider, password FROM users WHERE name_key = ?1");
        q.bind(1, key(name));
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
