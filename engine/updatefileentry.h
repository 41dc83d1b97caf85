#pragma once

#include <QList>
#include <QString>

namespace ZeltraLib {

// One entry of the version service's file list:
//   name | version | download URL | folder (may be empty) | SHA-256 of the file (hex)
// Clients that read four fields ignore the fifth.
struct UpdateFileEntry
{
    QString name;
    int version = 0;
    QString url;
    QString folder;
    QString sha256; // lower-case hex, 64 digits

    // The place below the program folder: "folder/name" or "name".
    QString relativePath() const;

    // False for fewer than five fields, a version that is not a number, an empty name,
    // a URL or a hash that is missing or malformed.
    static bool parse(const QString &text, UpdateFileEntry *entry);
    QString toText() const;

    // The text a release signs for version `versionId`: every entry's name, version,
    // folder and hash, in list order. Download addresses are left out: a service may
    // serve the files from its own public address or a mirror, and each file is pinned
    // by its hash.
    static QByteArray signedText(int versionId, const QList<UpdateFileEntry> &entries);

    // Name and folder as a safe relative path: no absolute path, no ".." or "." part, no
    // empty part, no backslash, no NUL or other control character, no "/" in the name.
    bool hasSafePath() const;
};

} // namespace ZeltraLib
