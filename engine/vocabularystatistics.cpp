#include "vocabularystatistics.h"

namespace ZeltraLib {

namespace {

bool isWordByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z')
           || (byte >= 'A' && byte <= 'Z');
}

} // namespace

QList<QByteArray> splitWordBytes(const QByteArray &utf8)
{
    QList<QByteArray> words;
    for (const QByteArray &piece : utf8.split(' ')) {
        const QByteArray trimmed = piece.trimmed();
        qsizetype begin = 0;
        qsizetype end = trimmed.size();
        while (begin < end && !isWordByte(trimmed.at(begin)))
            ++begin;
        while (end > begin && !isWordByte(trimmed.at(end - 1)))
            --end;
        if (end > begin)
            words.append(trimmed.mid(begin, end - begin));
    }
    return words;
}

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
