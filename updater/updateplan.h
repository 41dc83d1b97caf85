#pragma once

#include "updatefileentry.h"

#include <QList>
#include <QString>
#include <QStringList>

class ProgramFolder;
class ReleaseVerifier;

namespace ZeltraLib {
class VersionFile;
}

// What to install from a file-list reply. The whole list is refused (and nothing
// installed) when any entry is malformed or duplicated, when a name or folder is unsafe
// for the program folder, or when the signature does not match the list of `versionId`.
struct UpdatePlan
{
    struct Item
    {
        ZeltraLib::UpdateFileEntry entry;
        QString target; // absolute
    };

    QList<Item> needed; // missing on disk, or recorded in "ver.dat" with a lower version
    QString error;      // why the list was refused (for the log); empty when accepted
    QString note;       // the same for the user, in Chinese

    bool accepted() const { return error.isEmpty(); }

    static constexpr int MaxEntries = 10000;

    static UpdatePlan build(const QStringList &reply, int versionId, const QByteArray &signature,
                            const ReleaseVerifier &verifier, const ProgramFolder &folder,
                            const ZeltraLib::VersionFile &installed);
};
