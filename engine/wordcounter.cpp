#include "wordcounter.h"

#include "detectsentencethread.h"
#include "plaintextparagraphsource.h"
#include "sentencesplitter.h"

namespace ZeltraLib {

int countUnitWords(const QString &unit)
{
    return int(splitWordBytes(unit.toUtf8()).size());
}

int countTextWords(const QString &text)
{
    int words = 0;
    const PlainTextParagraphSource source(text);
    for (const ParagraphBlock &block : source.blocks()) {
        const QString &paragraph = block.text;
        if (paragraph.trimmed().isEmpty())
            continue;
        const bool title = !isSentenceParagraph(paragraph);
        if (title) {
            words += countUnitWords(paragraph);
            continue;
        }
        int from = 0;
        for (const int end : DetectSentenceThread::paragraphBoundaries(paragraph, false)) {
            words += countUnitWords(paragraph.mid(from, end + 1 - from));
            from = end + 1;
        }
    }
    return words;
}

} // namespace ZeltraLib
