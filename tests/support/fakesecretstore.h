#pragma once

#include "secretstore.h"

#include <QHash>

// A secret store in memory that can be switched off or made to fail its writes.
class FakeSecretStore : public SecretStore
{
public:
    bool isAvailable() override { return available; }
    bool read(const QString &key, QString *secret) override
    {
        if (!available || !secrets.contains(key))
            return false;
        *secret = secrets.value(key);
        return true;
    }
    bool write(const QString &key, const QString &secret) override
    {
        if (!available || failWrites)
            return false;
        secrets.insert(key, secret);
        return true;
    }
    bool remove(const QString &key) override
    {
        secrets.remove(key);
        return available;
    }

    bool available = true;
    bool failWrites = false;
    QHash<QString, QString> secrets;
};
