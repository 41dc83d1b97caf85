#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "officeconverter.h"

// Reads and writes the documents the user opens and saves, by file type: .docx natively,
// .doc (and, for reading, .odt and .rtf) through LibreOffice, anything else as plain text.
// A ".doc" that is really a .docx package is read and filled natively.
class DocumentFiles
{
public:
    explicit DocumentFiles(const OfficeConverter &converter = OfficeConverter(),
                           int parseTimeoutMs = defaultParseTimeoutMs());

    // Every failure comes with a reason in *error, in Chinese, fit for a message box.
    bool read(const QString &path, QString *text, QString *error = nullptr) const;
    bool write(const QString &path, const QString &text, QString *error = nullptr) const;
    // Fills bookmark "b<i>" with values[blanks[i]] for every i whose value is not empty,
    // and saves the document in place. True when every such bookmark was filled.
    bool fillBookmarks(const QString &path, const QStringList &blanks, const QHash<QString, QString> &values,
                       QString *error = nullptr) const;

    // Word-processor files: read through the Word reader, not as plain text.
    static bool isWordDocument(const QString &path);
    static int defaultParseTimeoutMs();

private:
    bool readDocx(const QString &path, QString *text, QString *error) const;
    bool fillDocx(const QString &path, const QHash<QString, QString> &values, QString *error) const;

    OfficeConverter m_converter;
    int m_parseTimeoutMs;
};
