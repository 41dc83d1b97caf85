#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>

class CustomTextEditor;

// Search and replace on the editor's document for the search and replace windows.
// Replacements go through the editor's replaceSelection, so tracked ranges outside the
// replaced text stay where they are.
class TextSearch
{
public:
    // Finds `text` from the editor's cursor (backward with FindBackward); a hit becomes
    // the editor's selection. With `wrapped`, a search that finds nothing before the end
    // (the start, backward) goes on from the other end, and *wrapped tells whether it did.
    // False when there is no hit at all (the cursor stays).
    static bool findNext(CustomTextEditor *editor, const QString &text, QTextDocument::FindFlags flags,
                         bool *wrapped = nullptr);
    // Replaces the current selection when it equals `text` ignoring case; true if it did.
    static bool replaceSelected(CustomTextEditor *editor, const QString &text, const QString &replacement);
    // Replaces every occurrence from the start of the document, forward and without
    // wrapping, each search going on behind the previous replacement: ends even when the
    // replacement contains the text. One edit block. Returns a cursor over each
    // replacement; with `replaced`, the text each one replaced.
    static QList<QTextCursor> replaceAll(CustomTextEditor *editor, const QString &text, const QString &replacement,
                                         QTextDocument::FindFlags flags, QStringList *replaced = nullptr);
};
