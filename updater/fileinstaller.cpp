#include "fileinstaller.h"

#include "programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString OldSuffix = QStringLiteral(".old");
const QString NewSuffix = QStringLiteral(".new");
constexpr qint64 MaxJournalBytes = 4 * 1024 * 1024;

// Removes `path` when it exists (a link itself, never what it points to).
bool removeIfPresent(const QString &path)
{
    const QFileInfo info(path);
    return (!info.exists() && !info.isSymLink()) || QFile::remove(path);
}
} // namespace

FileInstaller::FileInstaller(const QString &programFolder)
    : m_folder(programFolder)
{
}

QString FileInstaller::journalPath() const
{
    return m_folder + QLatin1Char('/') + ProgramFolder::journalName();
}

bool FileInstaller::writeJournal(int versionId, const QList<Placed> &places) const
{
    QByteArray text = "version " + QByteArray::number(versionId) + '\n';
    for (const Placed &place : places)
        text += (place.hadOriginal ? "1\t" : "0\t") + QDir(m_folder).relativeFilePath(place.target).toUtf8() + '\n';
    QSaveFile file(journalPath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text);
    return file.commit();
}

bool FileInstaller::readJournal(int *versionId, QList<Placed> *places) const
{
    QFile file(journalPath());
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxJournalBytes)
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || !lines[0].startsWith("version "))
        return false;
    bool isNumber = false;
    *versionId = lines[0].mid(8).toInt(&isNumber);
    if (!isNumber)
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        if (line.isEmpty())
            continue;
        const QString relative = QString::fromUtf8(line.mid(2));
        // Only places inside the folder, as the installer wrote them.
        if (line.size() < 3 || line[1] != '\t' || (line[0] != '0' && line[0] != '1') || relative.startsWith(QLatin1Char('/'))
            || relative.split(QLatin1Char('/')).contains(QStringLiteral("..")))
            return false;
        places->append({m_folder + QLatin1Char('/') + relative, line[0] == '1'});
    }
    return true;
}

bool FileInstaller::place(const Item &item, bool hadOriginal) const
{
    const QString fresh = item.target + NewSuffix;
    if (!QDir().mkpath(QFileInfo(item.target).path()) || !removeIfPresent(fresh) || !QFile::copy(item.source, fresh))
        return false;
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (hadOriginal)
        permissions = QFileInfo(item.target).permissions();
    if (!QFile::setPermissions(fresh, permissions))
        return false;
    if (hadOriginal && !QFile::rename(item.target, item.target + OldSuffix))
        return false;
    return QFile::rename(fresh, item.target);
}

bool FileInstaller::install(const QList<Item> &items, int versionId, const std::function<bool()> &commit,
                            QString *error)
{
    QList<Placed> places;
    for (const Item &item : items) {
        const QFileInfo info(item.target);
        places.append({item.target, info.exists() || info.isSymLink()});
        // A ".old" beside a target is a copy an earlier, finished installation left.
        if (!removeIfPresent(item.target + OldSuffix)) {
            *error = QStringLiteral("cannot clear ") + item.target + OldSuffix;
            return false;
        }
    }
    if (!writeJournal(versionId, places)) {
        *error = QStringLiteral("cannot write ") + journalPath();
        return false;
    }
    for (int i = 0; i < items.size(); ++i) {
        if (!place(items[i], places[i].hadOriginal)) {
            *error = QStringLiteral("cannot install ") + items[i].target;
            rollBack(places);
            return false;
        }
        if (m_placedHook)
            m_placedHook(i);
    }
    if (!commit()) {
        *error = QStringLiteral("cannot record the new version");
        rollBack(places);
        return false;
    }
    QFile::remove(journalPath());
    discardBackups(places);
    return true;
}

bool FileInstaller::rollBack(const QList<Placed> &places) const
{
    bool restored = true;
    for (const Placed &place : places) {
        removeIfPresent(place.target + NewSuffix);
        const QString old = place.target + OldSuffix;
        const QFileInfo backup(old);
        if (place.hadOriginal) {
            // Without a ".old" the original was never moved and is still in place.
            if (backup.exists() || backup.isSymLink())
                restored = removeIfPresent(place.target) && QFile::rename(old, place.target) && restored;
        } else {
            restored = removeIfPresent(place.target) && restored;
        }
    }
    if (restored)
        QFile::remove(journalPath());
    return restored;
}

void FileInstaller::discardBackups(const QList<Placed> &places) const
{
    for (const Placed &place : places)
        removeIfPresent(place.target + OldSuffix);
}

FileInstaller::Recovery FileInstaller::recover(const std::function<int()> &installedVersion)
{
    if (!QFileInfo::exists(journalPath()))
        return Recovery::Nothing;
    int versionId = 0;
    QList<Placed> places;
    if (!readJournal(&versionId, &places))
        return Recovery::Failed;
    if (installedVersion() == versionId) {
        // "ver.dat" was written: the installation is complete, only the clean-up is missing.
        QFile::remove(journalPath());
        discardBackups(places);
        return Recovery::Completed;
    }
    return rollBack(places) ? Recovery::RolledBack : Recovery::Failed;
}
