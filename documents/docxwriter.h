#pragma once

#include <QByteArray>
#include <QString>

class QXmlStreamWriter;

// Writes text as a minimal .docx package (content types, relationships, document,
// styles): one paragraph per line, tabs kept.
class DocxWriter
{
public:
    static bool write(const QString &path, const QString &text, QString *error);
    // The main document part for `text`.
    static QByteArray documentXml(const QString &text);
    // Writes `text` (no line breaks expected beyond '\n', which become w:br) as the
    // content of one run: w:t pieces, w:tab and w:br; characters XML cannot hold are dropped.
    static void writeRunContent(QXmlStreamWriter &writer, const QString &wordNamespace,
                                const QString &text);
    // Text that XML 1.0 can hold: other control characters, non-characters and lone
    // surrogates are dropped.
    static QString xmlSafe(const QString &text);
};
