#pragma once

#include <QString>

// The crash backup of the editor text ("backup.ini" in the settings directory). Written
// whole into a temporary file that replaces the old one only when complete, so a crash
// while writing keeps the previous copy; UTF-8 with a byte-order mark, so any text
// survives any locale. Older files in the local 8-bit encoding (GB18030) still read.
class CrashBackup
{
public:
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    // directory ends in "/".
    explicit CrashBackup(const QString &directory);

    QString path() const { return m_path; }
    // False on any failure; the previous backup is then untouched.
    bool write(const QString &text) const;
    // False when the file is missing, unreadable, too large or not text in either encoding.
    bool read(QString *text) const;
    // After an orderly end or a sign-out: nothing of this text may come back later.
    void remove() const;

    // UTF-8 (with or without a byte-order mark) when the bytes are valid UTF-8, else
    // GB18030; false when neither decodes.
    static bool decode(const QByteArray &bytes, QString *text);

private:
    QString m_path;
};
