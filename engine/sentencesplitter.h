#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ZeltraLib {

// True when the paragraph holds sentence punctuation: . ? ! or the Chinese
// marks U+3002, U+FF1F, U+FF01. Paragraphs without any are titles.
bool isSentenceParagraph(const QString &paragraph);

// Splits one paragraph into sentences. Returns the ascending end offsets
// (UTF-16 indexes into the paragraph, inclusive): sentence k runs from one past
// end k-1 (0 for the first) up to and including end k. An end is the last
// UTF-16 unit of its character, so surrogate pairs stay whole; the last end is
// the paragraph's last unit. The splitting itself looks at the GB18030 bytes
// (see splitSentenceBytes); SentenceBoundaries then settles closing quotes,
// quotations and abbreviations on the characters. Empty paragraph: empty list.
QList<int> splitSentences(const QString &paragraph);

// Number of words: pieces between single spaces that keep at least one
// letter, digit or non-ASCII character once trimmed of other bytes.
int countWords(const QString &text);

// The words countWords counts, taken from already encoded bytes in which every
// byte of a non-ASCII character is 0x80 or more (UTF-8). GB18030 bytes give the
// right count, but a word may lose a last trail byte that looks like ASCII.
QList<QByteArray> splitWordBytes(const QByteArray &bytes);

// The splitter on 8-bit bytes (steps before the conversion to characters):
// ascending inclusive end offsets in bytes. Exposed for tests and benchmarks.
QList<int> splitSentenceBytes(const QByteArray &bytes);

// GB18030 conversion used by the splitter and the word counter.
QByteArray toLocal8Bit(const QString &text);

} // namespace ZeltraLib
