#pragma once

#include <QTextCharFormat>

class QTextDocument;

// The character format for text written into the document by a program (a correction,
// a paste, an undo step): that of the text before the place, so that it keeps the
// sentence highlight, without a finding's underline or tint.
class InsertFormat
{
public:
    static QTextCharFormat at(const QTextDocument *document, int position);
};
