#include "credentialstore.h"

#include "configstore.h"
#include "secretstore.h"

namespace {
const QString HashKey = QStringLiteral("str_pwd");
const QString UserKey = QStringLiteral("str_user");
} // namespace

CredentialStore::CredentialStore(ConfigStore &preferences, SecretStore *secrets)
    : m_preferences(preferences)
    , m_secrets(secrets && secrets->isAvailable() ? secrets : nullptr)
{
}

bool CredentialStore::usesSecretStore() const
{
    return m_secrets != nullptr;
}

QString CredentialStore::keyOf(const QString &userName)
{
    return QStringLiteral("password-hash:") + userName;
}

QString CredentialStore::passwordHash(const QString &userName)
{
    if (userName.isEmpty())
        return QString();
    QString hash;
    if (m_secrets && m_secrets->read(keyOf(userName), &hash) && !hash.isEmpty())
        return hash;
    // Written while no secret store ran, or by an older client.
    return m_preferences.value(UserKey) == userName ? m_preferences.value(HashKey) : QString();
}

void CredentialStore::remember(const QString &userName, const QString &hash)
{
    if (m_secrets && !userName.isEmpty() && m_secrets->write(keyOf(userName), hash)) {
        m_preferences.setValue(HashKey, QString());
        return;
    }
    m_preferences.setValue(HashKey, hash);
}

void CredentialStore::forget(const QString &userName)
{
    if (m_secrets && !userName.isEmpty())
        m_secrets->remove(keyOf(userName));
    m_preferences.setValue(HashKey, QString());
}

bool CredentialStore::migrate()
{
    const QString user = m_preferences.value(UserKey);
    const QString hash = m_preferences.value(HashKey);
    if (!m_secrets || user.isEmpty() || hash.isEmpty())
        return false;
    if (!m_secrets->write(keyOf(user), hash))
        return false;
    m_preferences.setValue(HashKey, QString());
    m_preferences.save();
    return true;
}
