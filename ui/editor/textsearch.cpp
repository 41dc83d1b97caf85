#include "textsearch.h"

#include "customtexteditor.h"

#include <QTextCursor>

bool TextSearch::findNext(CustomTextEditor *editor, const QString &text, QTextDocument::FindFlags flags,
                          bool *wrapped)
{
    if (wrapped)
        *wrapped = false;
    if (text.isEmpty())
        return false;
    QTextCursor hit = editor->document()->find(text, editor->textCursor(), flags);
    if (hit.isNull() && wrapped) {
        QTextCursor end(editor->document());
        end.movePosition(flags.testFlag(QTextDocument::FindBackward) ? QTextCursor::End : QTextCursor::Start);
        hit = editor->document()->find(text, end, flags);
        *wrapped = !hit.isNull();
    }
    if (hit.isNull())
        return false;
    editor->setTextCursor(hit);
    editor->ensureCursorVisible();
    return true;
}

bool TextSearch::replaceSelected(CustomTextEditor *editor, const QString &text, const QString &replacement)
{
    const QTextCursor selection = editor->textCursor();
    if (!selection.hasSelection() || selection.selectedText().compare(text, Qt::CaseInsensitive) != 0)
        return false;
    editor->replaceSelection(selection, replacement);
    return true;
}

QList<QTextCursor> TextSearch::replaceAll(CustomTextEditor *editor, const QString &text,
                                          const QString &replacement, QTextDocument::FindFlags flags,
                                          QStringList *replaced)
{
    QList<QTextCursor> ranges;
    if (text.isEmpty())
        return ranges;
    flags &= ~QTextDocument::FindBackward;
    QTextDocument *document = editor->document();
    QTextCursor block(document);
    block.beginEditBlock();
    int from = 0;
    // Each search starts behind the last replacement and never wraps, so the loop ends
    // at the end of the document whatever the replacement holds.
    for (;;) {
        const QTextCursor hit = document->find(text, from, flags);
        if (hit.isNull())
            break;
        const int start = hit.selectionStart();
        if (replaced)
            replaced->append(hit.selectedText());
        editor->replaceSelection(hit, replacement);
        from = start + int(replacement.size());
        QTextCursor range(document);
        range.setPosition(start);
        range.setPosition(from, QTextCursor::KeepAnchor);
        ranges.append(range);
    }
    block.endEditBlock();
    return ranges;
}
