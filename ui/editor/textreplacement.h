#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextCursor>

#include <memory>

class QTextDocument;

// Text edits that one step of the undo history swaps back and forth: a cursor over each
// edited place (cursors follow later edits elsewhere), the text each place held before
// and the text it holds after. A replace-all has many places, a typed edit one.
class TextReplacement
{
public:
    // ranges: cursors selecting each replacement as it stands now; before: the text each
    // one replaced (same order).
    TextReplacement(const QList<QTextCursor> &ranges, const QStringList &before, const QString &after);
    // One edit already made in `document`: at `position`, `before` became `after`.
    static std::shared_ptr<TextReplacement> edit(QTextDocument *document, int position, const QString &before,
                                                 const QString &after);

    // Puts the replaced texts back (toBefore) or the replacement again, in one edit block.
    // Places that no longer hold what the step left there were edited since: nothing is
    // written over them. False when no place could be swapped.
    bool swap(bool toBefore);
    int size() const { return int(m_ranges.size()); }
    // The end of the first place: where the caret goes after a swap.
    int caretPosition() const;

    // Takes a following one-character edit into this step when it goes on typing, or
    // deleting backwards or forwards, at this step's place within one word (a step ends
    // where white space gives way to a word). False leaves both as they are.
    bool absorb(int position, const QString &before, const QString &after);

private:
    QList<QTextCursor> m_ranges;
    QStringList m_before;
    QString m_after;
    int m_place = -1; // where the last absorbed edit ended (typed edits only)
};
