#include "insertformat.h"

#include <QTextCursor>
#include <QTextDocument>

QTextCharFormat InsertFormat::at(const QTextDocument *document, int position)
{
    QTextCursor at(const_cast<QTextDocument *>(document));
    at.setPosition(qBound(0, position, document->characterCount() - 1));
    QTextCharFormat format = at.charFormat();
    format.setUnderlineStyle(QTextCharFormat::NoUnderline);
    format.clearProperty(QTextFormat::TextUnderlineColor);
    format.clearBackground();
    return format;
}
