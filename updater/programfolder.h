#pragma once

#include <QString>

namespace ZeltraLib {
struct UpdateFileEntry;
}

// The folder the programs are installed in (the folder of the running executable), and
// where an update entry may be written in it.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QString &path);

    QString path() const { return m_path; }
    // Whether `update` may write here: false for an installed tree (a package's, or
    // cmake --install), which its installer keeps current, and for a folder the user
    // cannot write.
    bool isWritable() const;

    // The absolute place of `entry`, or empty when the entry is refused: an unsafe name or
    // folder, a name the updater keeps for itself, or a place that resolves outside the
    // folder through a symbolic link.
    QString target(const ZeltraLib::UpdateFileEntry &entry) const;

    static QString journalName() { return QStringLiteral("update.journal"); }

private:
    QString m_path;
};
