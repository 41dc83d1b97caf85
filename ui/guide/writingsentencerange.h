#pragma once

#include "keywordrange.h"
#include "sentencepair.h"

#include <QList>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>

// One sentence of a detailed template as shown in the English and translation views.
class WritingSentenceRange
{
public:
    QTextCursor englishRange;
    QTextCursor translationRange;
    ZeltraLib::SentencePair pair;
    QList<KeywordRange> englishKeywords;
    QList<KeywordRange> translationKeywords;

    // Finds the key words in both ranges again and colours them.
    void findKeyWords();
    bool hasKeyWord(const QString &key) const;
    // Appends the English keys not yet in *keys, in text order.
    void collectKeys(QStringList *keys) const;
    // Shows `value` in every occurrence of `key` (the key itself when value is empty).
    void setKeyWord(const QString &key, const QString &value);
    // A paragraph mark only, which is never hovered, replaced or dropped on.
    bool isBreak() const { return pair.content.endsWith(QLatin1Char('\n')); }

    static QTextCharFormat keyWordFormat();
    // Replaces the text of `range` so that afterwards it spans exactly `text`: inserted at
    // its end first, then the old characters removed from its start.
    static void setRangeText(QTextCursor &range, const QString &text, const QTextCharFormat &format = {});
};
