#pragma once

#include <QList>
#include <QString>

namespace ZeltraLib {

// "ver.dat" in the program folder: the installed version and the version of every file
// the updater installed, as a settings-style XML document:
//   <config><VersionId>930</VersionId><File name="Pennova" folder="">930</File>...</config>
// (file names are not XML names, so each file is one "File" element with attributes).
class VersionFile
{
public:
    struct FileVersion
    {
        QString name;
        QString folder;
        int version = 0;
    };

    static constexpr qint64 MaxFileSize = 1024 * 1024;

    explicit VersionFile(const QString &path);

    static QString defaultPath(const QString &programFolder);

    // False (and nothing kept) when the file is missing, too large or not well-formed.
    bool load();
    bool exists() const;
    // Written to a temporary file that is synced and renamed over the old one.
    bool save() const;

    int versionId() const { return m_versionId; }
    void setVersionId(int id) { m_versionId = id; }
    // 0 when the file is not recorded.
    int fileVersion(const QString &folder, const QString &name) const;
    void setFileVersion(const QString &folder, const QString &name, int version);
    const QList<FileVersion> &files() const { return m_files; }

private:
    QString m_path;
    int m_versionId = 0;
    QList<FileVersion> m_files;
};

} // namespace ZeltraLib
