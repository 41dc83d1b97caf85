#include "versionfile.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace ZeltraLib {

VersionFile::VersionFile(const QString &path)
    : m_path(path)
{
}

QString VersionFile::defaultPath(const QString &programFolder)
{
    return programFolder + QStringLiteral("/ver.dat");
}

bool VersionFile::exists() const
{
    return QFile::exists(m_path);
}

bool VersionFile::load()
{
    m_versionId = 0;
    m_files.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return false;
    QXmlStreamReader xml(&file);
    int versionId = 0;
    QList<FileVersion> files;
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("config"))
        return false;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("VersionId")) {
            versionId = xml.readElementText().trimmed().toInt();
        } else if (xml.name() == QLatin1String("File")) {
            FileVersion entry;
            entry.name = xml.attributes().value(QLatin1String("name")).toString();
            entry.folder = xml.attributes().value(QLatin1String("folder")).toString();
            entry.version = xml.readElementText().trimmed().toInt();
            if (!entry.name.isEmpty())
                files.append(entry);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        return false;
    m_versionId = versionId;
    m_files = files;
    return true;
}

int VersionFile::fileVersion(const QString &folder, const QString &name) const
{
    for (const FileVersion &entry : m_files) {
        if (entry.name == name && entry.folder == folder)
            return entry.version;
    }
    return 0;
}

void VersionFile::setFileVersion(const QString &folder, const QString &name, int version)
{
    for (FileVersion &entry : m_files) {
        if (entry.name == name && entry.folder == folder) {
            entry.version = version;
            return;
        }
    }
    m_files.append({name, folder, version});
}

bool VersionFile::save() const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("config"));
    xml.writeTextElement(QStringLiteral("VersionId"), QString::number(m_versionId));
    for (const FileVersion &entry : m_files) {
        xml.writeStartElement(QStringLiteral("File"));
        xml.writeAttribute(QStringLiteral("name"), entry.name);
        xml.writeAttribute(QStringLiteral("folder"), entry.folder);
        xml.writeCharacters(QString::number(entry.version));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError() && file.commit();
}

} // namespace ZeltraLib
