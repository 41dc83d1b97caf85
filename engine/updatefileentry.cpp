#include "updatefileentry.h"

#include <QStringList>

namespace ZeltraLib {

namespace {
bool isHexDigest(const QString &text)
{
    if (text.size() != 64)
        return false;
    for (QChar ch : text) {
        if (!((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || (ch >= QLatin1Char('a') && ch <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

bool isSafePart(const QString &part)
{
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
        return false;
    for (QChar ch : part) {
        if (ch.unicode() < 0x20 || ch == QLatin1Char('\\') || ch.unicode() == 0x7f)
            return false;
    }
    return true;
}
} // namespace

QString UpdateFileEntry::relativePath() const
{
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

bool UpdateFileEntry::parse(const QString &text, UpdateFileEntry *entry)
{
    const QStringList fields = text.split(QLatin1Char('|'));
    if (fields.size() < 5)
        return false;
    bool isNumber = false;
    const int version = fields[1].trimmed().toInt(&isNumber);
    if (!isNumber || version < 0 || fields[0].isEmpty() || fields[2].trimmed().isEmpty())
        return false;
    const QString digest = fields[4].trimmed().toLower();
    if (!isHexDigest(digest))
        return false;
    entry->name = fields[0];
    entry->version = version;
    entry->url = fields[2].trimmed();
    entry->folder = fields[3];
    entry->sha256 = digest;
    return true;
}

QString UpdateFileEntry::toText() const
{
    return name + QLatin1Char('|') + QString::number(version) + QLatin1Char('|') + url + QLatin1Char('|') + folder
           + QLatin1Char('|') + sha256;
}

QByteArray UpdateFileEntry::signedText(int versionId, const QList<UpdateFileEntry> &entries)
{
    QByteArray text = "Pennova file list\nversion=" + QByteArray::number(versionId) + "\n";
    for (const UpdateFileEntry &entry : entries) {
        text += entry.name.toUtf8() + '|' + QByteArray::number(entry.version) + '|' + entry.folder.toUtf8() + '|'
                + entry.sha256.toLatin1() + '\n';
    }
    return text;
}

bool UpdateFileEntry::hasSafePath() const
{
    if (!isSafePart(name) || name.contains(QLatin1Char('/')))
        return false;
    if (folder.isEmpty())
        return true;
    if (folder.startsWith(QLatin1Char('/')))
        return false;
    const QStringList parts = folder.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (!isSafePart(part))
            return false;
    }
    return true;
}

} // namespace ZeltraLib
