#include "textreplacement.h"

#include <QTextDocument>

TextReplacement::TextReplacement(const QList<QTextCursor> &ranges, const QStringList &before, const QString &after)
    : m_ranges(ranges)
    , m_before(before)
    , m_after(after)
{
}

void TextReplacement::swap(bool toBefore)
{
    if (m_ranges.isEmpty() || m_ranges.first().isNull())
        return;
    QTextCursor block(m_ranges.first().document());
    block.beginEditBlock();
    for (qsizetype i = 0; i < m_ranges.size(); ++i) {
        QTextCursor &range = m_ranges[i];
        const QString text = toBefore ? m_before.value(i) : m_after;
        const int start = range.selectionStart();
        range.insertText(text);
        // Select the new text again (an empty range would otherwise lose its place).
        range.setPosition(start);
        range.setPosition(start + int(text.size()), QTextCursor::KeepAnchor);
    }
    block.endEditBlock();
}
