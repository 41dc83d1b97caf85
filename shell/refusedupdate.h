#pragma once

#include <QString>

// The newest version whose file list the updater refused (for instance a release signed
// with another key than the one built into the updater). Kept in "update.ini" in the
// settings directory, written by the updater only, so that start-up does not offer that
// version again; a newer version is offered as usual.
class RefusedUpdate
{
public:
    // 0 when none was refused or the file is unreadable.
    static int read(const QString &settingsDirectory);
    static bool remember(const QString &settingsDirectory, int versionId);
};
