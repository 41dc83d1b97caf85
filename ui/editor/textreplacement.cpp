#include "textreplacement.h"

#include "insertformat.h"

#include <QTextDocument>

namespace {

// Whether a step joining `left` and `right` (in text order) would cross into a new word.
bool startsWord(const QString &left, const QString &right)
{
    return !left.isEmpty() && !right.isEmpty() && left.back().isSpace() && !right.front().isSpace();
}

} // namespace

TextReplacement::TextReplacement(const QList<QTextCursor> &ranges, const QStringList &before, const QString &after)
    : m_ranges(ranges)
    , m_before(before)
    , m_after(after)
{
}

std::shared_ptr<TextReplacement> TextReplacement::edit(QTextDocument *document, int position, const QString &before,
                                                       const QString &after)
{
    QTextCursor range(document);
    range.setPosition(position);
    range.setPosition(position + int(after.size()), QTextCursor::KeepAnchor);
    auto step = std::make_shared<TextReplacement>(QList<QTextCursor>{range}, QStringList{before}, after);
    step->m_place = position + int(after.size());
    return step;
}

bool TextReplacement::swap(bool toBefore)
{
    if (m_ranges.isEmpty() || m_ranges.first().isNull())
        return false;
    bool swapped = false;
    QTextCursor block(m_ranges.first().document());
    block.beginEditBlock();
    for (qsizetype i = 0; i < m_ranges.size(); ++i) {
        QTextCursor &range = m_ranges[i];
        const QString text = toBefore ? m_before.value(i) : m_after;
        if (range.selectedText() != (toBefore ? m_after : m_before.value(i)))
            continue;
        // Behind the old text first, then the old text removed: other cursors on this
        // place keep selecting it.
        const int start = range.selectionStart();
        const int end = range.selectionEnd();
        QTextCursor edit(range.document());
        edit.setPosition(end);
        edit.insertText(text, InsertFormat::at(range.document(), end));
        edit.setPosition(start);
        edit.setPosition(end, QTextCursor::KeepAnchor);
        edit.removeSelectedText();
        range.setPosition(start);
        range.setPosition(start + int(text.size()), QTextCursor::KeepAnchor);
        swapped = true;
    }
    block.endEditBlock();
    return swapped;
}

int TextReplacement::caretPosition() const
{
    return m_ranges.isEmpty() ? 0 : m_ranges.first().selectionEnd();
}

bool TextReplacement::absorb(int position, const QString &before, const QString &after)
{
    if (m_ranges.size() != 1 || m_place < 0 || before.size() + after.size() != 1)
        return false;
    QTextCursor &range = m_ranges.first();
    const int start = range.selectionStart();
    QString &removed = m_before.first();
    if (!after.isEmpty()) {
        // Typing on behind the text this step typed.
        if (position != m_place || startsWord(m_after, after))
            return false;
        m_after += after;
        m_place = position + 1;
        range.setPosition(start);
        range.setPosition(m_place, QTextCursor::KeepAnchor);
        return true;
    }
    if (!m_after.isEmpty())
        return false;
    if (position + 1 == m_place && !startsWord(before, removed)) {
        removed.prepend(before); // Backspace
    } else if (position == m_place && !startsWord(removed, before)) {
        removed.append(before); // Delete
    } else {
        return false;
    }
    m_place = position;
    range.setPosition(position);
    return true;
}
