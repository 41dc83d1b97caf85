#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextCursor>

// The texts a replace-all put in, for undo and redo as one step: a cursor over each
// replacement (cursors follow later edits elsewhere), the text each one replaced and
// the replacement.
class TextReplacement
{
public:
    // ranges: cursors selecting each replacement as it stands now; before: the text each
    // one replaced (same order).
    TextReplacement(const QList<QTextCursor> &ranges, const QStringList &before, const QString &after);

    // Puts the replaced texts back (toBefore) or the replacement again, in one edit block.
    void swap(bool toBefore);
    int size() const { return int(m_ranges.size()); }

private:
    QList<QTextCursor> m_ranges;
    QStringList m_before;
    QString m_after;
};
