#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

class ZipPackage;

// The text of a .docx: the main document's paragraphs, table cells and text boxes in
// reading order, one line per paragraph; line breaks and tabs kept, field codes and
// deleted text dropped. Text boxes follow the paragraph that anchors them.
class DocxTextReader
{
public:
    static bool readFile(const QString &path, QString *text, QString *error,
                         QDeadlineTimer deadline);
    // Text of a WordprocessingML main document part.
    static bool extract(const QByteArray &xml, QString *text, QString *error, QDeadlineTimer deadline);
    // Name of the package's main document part, from its relationships.
    static bool mainPartName(const ZipPackage &package, QString *name, QString *error);
};
