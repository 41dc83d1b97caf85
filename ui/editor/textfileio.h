#pragma once

#include <QString>

// Files the editor's text goes to and comes from: the documents the user opens and saves
// (plain text by byte-order mark, else UTF-8, else GB18030; Word documents through the
// documents library) and the crash backup (UTF-8, readable by the owner only).
class TextFileIo
{
public:
    // False, with the reason in *error, when the file cannot be read, is too large, is no
    // text or no readable document; *text is then left as it was.
    static bool read(const QString &path, QString *text, QString *error = nullptr);
    // Replaces the file crash-safely (the old content stays until the new is complete):
    // .docx and .doc as Word documents, anything else as UTF-8 text. False on any failure.
    static bool write(const QString &path, const QString &text, QString *error = nullptr);
};
