#pragma once

#include "secretstore.h"

// The desktop's Secret Service through QtKeychain. Used only while a Secret Service runs
// on the session bus; without a bus or a service it is unavailable at once, so that no
// D-Bus time-out ever holds the program. Each call waits at most timeoutMs.
class KeychainSecretStore : public SecretStore
{
public:
    explicit KeychainSecretStore(const QString &service = QStringLiteral("Pennova"), int timeoutMs = 5000);

    bool isAvailable() override;
    bool read(const QString &key, QString *secret) override;
    bool write(const QString &key, const QString &secret) override;
    bool remove(const QString &key) override;

private:
    QString m_service;
    int m_timeoutMs;
    int m_available = -1; // unknown, 0 or 1
};
