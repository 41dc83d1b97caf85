#pragma once

#include <QList>
#include <QString>

namespace ZeltraLib {

// Second look at the ends the byte splitter found, on the paragraph's characters:
// - closing quotes and brackets of every width stay with the sentence they close
//   (with the one space after them); a mark closing a book title (《谁？》) is no end;
// - a quotation ending in a mark is no end before a lower-case word, nor (after "!"
//   or "?") before a reporting clause ("Yes!" I said.);
// - an abbreviation's dot before a space is an end or not by what follows: titles
//   never end ("Dr. Li"), place names and initials end before a word that starts
//   sentences ("the U.K. Prof. Li"), other abbreviations end before a capital
//   ("5 a.m. The sun") and not before a lower-case word or a number ("Inc. in").
class SentenceBoundaries
{
public:
    // ends: ascending inclusive UTF-16 ends, the last one the paragraph's last unit.
    // Returns ends of the same shape.
    static QList<int> refine(const QString &paragraph, const QList<int> &ends);
};

} // namespace ZeltraLib
