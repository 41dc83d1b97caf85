#pragma once

#include <QString>

// A place for secrets outside the settings files: the desktop's secret store where one
// runs, a stand-in in tests. Calls return promptly; a store that cannot answer reports
// a failure instead of blocking.
class SecretStore
{
public:
    virtual ~SecretStore() = default;

    // Whether the store can be used at all (checked without waiting on it).
    virtual bool isAvailable() = 0;
    // False when there is no secret under `key` or the store failed.
    virtual bool read(const QString &key, QString *secret) = 0;
    virtual bool write(const QString &key, const QString &secret) = 0;
    // True also when there was nothing to remove.
    virtual bool remove(const QString &key) = 0;
};
