#include "vocabularystatistics.h"

#include "sentencesplitter.h"

namespace ZeltraLib {

VocabularyStatistics VocabularyStatistics::compute(const QStringList &sentences,
                                                   const Vocabulary &vocabulary)
{
    VocabularyStatistics stats;
    stats.sentenceCount = int(sentences.size());
    for (const QString &sentence : sentences) {
        const QList<QByteArray> words = splitWordBytes(sentence.toUtf8());
        stats.wordCount += int(words.size());
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString word = QString::fromUtf8(words.at(i));
            if (vocabulary.lookup(word, stats.levelCounts) || i != 0)
                continue;
            const QString lower = word.toLower();
            if (lower != word)
                vocabulary.lookup(lower, stats.levelCounts);
        }
    }
    return stats;
}

QMap<int, int> VocabularyStatistics::checkCounts() const
{
    return {{0, sentenceCount}, {1, wordCount}};
}

QMap<int, int> VocabularyStatistics::levelCountMap() const
{
    QMap<int, int> map;
    for (int level = 0; level < VocabularyLevelCount; ++level)
        map.insert(level, levelCounts[size_t(level)]);
    return map;
}

} // namespace ZeltraLib
