#include "crashbackup.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

CrashBackup::CrashBackup(const QString &directory)
    : m_path(directory + QStringLiteral("backup.ini"))
{
}

bool CrashBackup::write(const QString &text) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool CrashBackup::read(QString *text) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxBytes)
        return false;
    return decode(file.read(MaxBytes), text);
}

void CrashBackup::remove() const
{
    QFile::remove(m_path);
}

bool CrashBackup::decode(const QByteArray &bytes, QString *text)
{
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bom ? bytes.mid(3) : bytes);
    if (!utf8.hasError()) {
        *text = decoded;
        return true;
    }
    if (bom)
        return false;
    // Written by an older version in the local encoding.
    QStringDecoder local("GB18030", QStringDecoder::Flag::Stateless);
    decoded = local.decode(bytes);
    if (local.hasError() || !local.isValid())
        return false;
    *text = decoded;
    return true;
}
