#pragma once

#include "vocabulary.h"

#include <QByteArray>
#include <QList>
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

// The words of a UTF-8 text: pieces between single spaces, trimmed, with the
// bytes that are neither ASCII letters, digits nor bytes >= 0x80 stripped from
// both ends; empty pieces dropped.
QList<QByteArray> splitWordBytes(const QByteArray &utf8);

} // namespace ZeltraLib
