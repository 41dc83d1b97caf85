#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Plain text files: read by byte-order mark (UTF-8, UTF-16), else as UTF-8 when the bytes
// are valid UTF-8, else as GB18030 (Chinese Windows files); written as UTF-8.
class PlainTextFile
{
public:
    // False (with the reason in *error) when the bytes are no text in any of those.
    static bool decode(const QByteArray &bytes, QString *text, QString *error = nullptr);
    // False when the file cannot be read, is too large or is no text.
    static bool read(const QString &path, QString *text, QString *error = nullptr);
    // Replaces the file crash-safely: the old content stays until the new one is complete.
    // `permissions` are set on the new file when not empty.
    static bool write(const QString &path, const QString &text, QString *error = nullptr,
                      QFileDevice::Permissions permissions = {});
};
