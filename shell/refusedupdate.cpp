#include "refusedupdate.h"

#include "configstore.h"

#include <QDir>

namespace {
const QString FileName = QStringLiteral("update.ini");
const QString Key = QStringLiteral("refused_version");
} // namespace

int RefusedUpdate::read(const QString &settingsDirectory)
{
    ConfigStore store(settingsDirectory, FileName);
    bool isNumber = false;
    const int version = store.value(Key).toInt(&isNumber);
    return isNumber && version > 0 ? version : 0;
}

bool RefusedUpdate::remember(const QString &settingsDirectory, int versionId)
{
    QDir().mkpath(settingsDirectory);
    ConfigStore store(settingsDirectory, FileName);
    store.setValue(Key, QString::number(versionId));
    return store.save();
}
