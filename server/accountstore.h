#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace PennovaServer {

class PasswordHasher;
class SqlDatabase;

// Accounts: local ones (registration, command line) and the stand-ins for the social
// sign-in providers. Names and e-mail addresses compare without regard to case.
class AccountStore
{
public:
    struct User
    {
        std::int64_t id = 0;
        std::string name;     // as registered
        std::string email;
        std::string provider; // "" local, "sina", "qq"
    };

    enum class CreateResult { Created, NameTaken, EmailTaken };
    enum class LoginResult { Success, UnknownUser, WrongPassword };

    // Both are borrowed and must outlive the store.
    AccountStore(SqlDatabase &db, PasswordHasher &hasher);

    bool nameExists(const std::string &name);
    bool emailExists(const std::string &email);
    std::optional<User> findByName(const std::string &name);

    // protocolHash: the MD5 text a login sends. Input rules are the caller's business.
    CreateResult create(const std::string &name, const std::string &email,
                        const std::string &protocolHash, const std::string &provider = {});
    // Replaces the password of an existing account and ends all its sessions; false
    // when there is no such account.
    bool setPassword(const std::string &name, const std::string &protocolHash);

    LoginResult login(const std::string &name, const std::string &protocolHash, User *user);

    // What names and e-mail addresses are compared by: ASCII letters in lower case.
    static std::string key(const std::string &nameOrEmail);

private:
    SqlDatabase &m_db;
    PasswordHasher &m_hasher;
};

} // namespace PennovaServer
