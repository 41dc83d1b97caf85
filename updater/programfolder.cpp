#include "programfolder.h"

#include "programlayout.h"
#include "updatefileentry.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

ProgramFolder::ProgramFolder(const QString &path)
    : m_path(QDir::cleanPath(QDir(path).absolutePath()))
{
}

bool ProgramFolder::isWritable() const
{
    if (ZeltraLib::ProgramLayout(m_path).isInstalled())
        return false;
    QTemporaryFile probe(m_path + QStringLiteral("/.update-probe-XXXXXX"));
    return probe.open();
}

QString ProgramFolder::target(const ZeltraLib::UpdateFileEntry &entry) const
{
    if (!entry.hasSafePath() || entry.name.endsWith(QLatin1String(".old")) || entry.name.endsWith(QLatin1String(".new")))
        return {};
    const QString relative = entry.relativePath();
    if (relative == QLatin1String("ver.dat") || relative == journalName())
        return {};
    const QString root = QFileInfo(m_path).canonicalFilePath();
    if (root.isEmpty())
        return {};
    // Every part that exists must stay inside the folder once links are resolved; the
    // parts that do not exist yet are plain names (checked above).
    QString place = m_path;
    for (const QString &part : relative.split(QLatin1Char('/'))) {
        place += QLatin1Char('/') + part;
        const QFileInfo info(place);
        if (!info.exists() && !info.isSymLink())
            break;
        const QString resolved = info.canonicalFilePath();
        if (resolved.isEmpty() || !resolved.startsWith(root + QLatin1Char('/')))
            return {};
    }
    return m_path + QLatin1Char('/') + relative;
}
