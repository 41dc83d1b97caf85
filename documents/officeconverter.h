#pragma once

#include <QString>

// Converts documents with LibreOffice in headless mode (optional: without it, .doc, .odt
// and .rtf cannot be opened and .doc not saved). Each conversion runs in a private
// temporary folder, with its own LibreOffice profile, under a time limit.
class OfficeConverter
{
public:
    // `program` empty: "soffice" (or "libreoffice") from the PATH, or the program named
    // by PENNOVA_SOFFICE. A program that is not executable counts as not installed.
    explicit OfficeConverter(const QString &program = QString(),
                             int timeoutMs = defaultTimeoutMs());

    bool isAvailable() const { return !m_program.isEmpty(); }
    QString program() const { return m_program; }

    // Writes `input` converted to `format` ("docx", "doc") to `output` (replaced
    // crash-safely). False with the reason when LibreOffice is missing, fails or overruns.
    bool convert(const QString &input, const QString &format, const QString &output, QString *error) const;

    static int defaultTimeoutMs();

private:
    QString m_program;
    int m_timeoutMs;
};
