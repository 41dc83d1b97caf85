#pragma once

#include <QString>

class ConfigStore;
class SecretStore;

// The remembered password hash of "记住密码". It lives in the desktop's secret store when
// one is available, and in the preference file (readable by its owner only) as
// "str_pwd" only when none is. A hash found in the file while a secret store is
// available moves into it (migrate()).
class CredentialStore
{
public:
    // Neither is owned; both outlive this object. `secrets` may be null: the file only.
    CredentialStore(ConfigStore &preferences, SecretStore *secrets);

    // The remembered hash of `userName`; empty when there is none.
    QString passwordHash(const QString &userName);
    // Keeps the hash of `userName` (the preference file is saved by the caller).
    void remember(const QString &userName, const QString &hash);
    // Drops any hash of `userName`, from both places.
    void forget(const QString &userName);
    // Moves a hash of "str_user" from the preference file into the secret store, and
    // saves the file without it. True when something moved.
    bool migrate();

    // Whether hashes go to the secret store.
    bool usesSecretStore() const;

private:
    static QString keyOf(const QString &userName);

    ConfigStore &m_preferences;
    SecretStore *m_secrets = nullptr; // not owned; null when unavailable
};
