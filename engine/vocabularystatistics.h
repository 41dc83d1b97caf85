#pragma once

#include "vocabulary.h"

#include <QMap>
#include <QStringList>

namespace ZeltraLib {

// Sentence, word and vocabulary-level counts of the sentences of one check.
struct VocabularyStatistics
{
    int sentenceCount = 0;
    int wordCount = 0;
    LevelCounts levelCounts{};

    // Counts `sentences`: words as the word counter cuts them (on the UTF-8
    // bytes); each sentence's first word is looked up as written and, when
    // that finds nothing, in lower case; the other words as written.
    static VocabularyStatistics compute(const QStringList &sentences, const Vocabulary &vocabulary);

    // Usage-log group "check": 0 sentences, 1 words.
    QMap<int, int> checkCounts() const;
    // Usage-log group "level": level number -> count, all six levels.
    QMap<int, int> levelCountMap() const;
};

} // namespace ZeltraLib
