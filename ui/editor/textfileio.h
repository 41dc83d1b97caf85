#pragma once

#include <QString>

// Plain text files in the local 8-bit encoding (GB18030): documents the user opens and
// the crash backup.
class TextFileIo
{
public:
    // Larger files are refused rather than read whole.
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    // False when the file cannot be read or is too large.
    static bool read(const QString &path, QString *text);
    // Replaces the file's content; readable by the owner only. False on any failure.
    static bool write(const QString &path, const QString &text);
};
