#pragma once

#include <QString>

namespace ZeltraLib {

// The word count of a whole text as a check counts it: the text is cut into
// paragraphs and those into titles and sentences (as DetectSentenceThread
// does), and each unit's words are counted as countWords counts them. The
// editor's word count, the report and `pennova-cli check` all use it, so a
// line break separates words and one file gives one count everywhere.
int countTextWords(const QString &text);

// The words of one title or sentence (countWords on its UTF-8 bytes).
int countUnitWords(const QString &unit);

} // namespace ZeltraLib
