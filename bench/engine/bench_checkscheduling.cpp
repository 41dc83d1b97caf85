// Figures for the check scheduling path: voc.dat loading, vocabulary statistics of a
// 10,000-word text, and result-cache lookups against a large cache.
#include "checkstorage.h"
#include "sentencechunk.h"
#include "vocabulary.h"
#include "vocabularystatistics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace ZeltraLib;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/voc.dat");

    QElapsedTimer timer;
    timer.start();
    Vocabulary vocabulary;
    QString error;
    if (!vocabulary.load(path, &error)) {
        out << "cannot load " << path << ": " << error << "\n";
        return 1;
    }
    out << "voc.dat load: " << timer.elapsed() << " ms (" << vocabulary.levels().size() << " words, "
        << vocabulary.forms().size() << " forms)\n";

    // 10,000 words in 1,000 sentences drawn from the level table.
    const QStringList words = vocabulary.levels().keys();
    QStringList sentences;
    for (int s = 0; s < 1000; ++s) {
        QStringList sentence;
        for (int w = 0; w < 10; ++w)
            sentence << words.at((s * 10 + w) * 7 % words.size());
        sentences << sentence.join(QLatin1Char(' ')) + QStringLiteral(". ");
    }
    timer.restart();
    const VocabularyStatistics stats = VocabularyStatistics::compute(sentences, vocabulary);
    out << "statistics of " << stats.wordCount << " words: " << timer.nsecsElapsed() / 1000 << " us\n";

    // Cache of 50,000 sentences; look up 1,000 of them and 1,000 unknown ones.
    CheckStorage storage;
    SentenceChunk chunk;
    for (int i = 0; i < CheckStorage::DefaultCapacity; ++i)
        storage.append(QStringLiteral("Cached sentence number %1. ").arg(i), chunk, {});
    int hits = 0;
    timer.restart();
    for (int i = 0; i < 1000; ++i) {
        hits += storage.find(QStringLiteral("Cached sentence number %1. ").arg(i * 37), chunk) ? 1 : 0;
        hits += storage.find(QStringLiteral("Unknown sentence %1. ").arg(i), chunk) ? 1 : 0;
    }
    out << "2,000 cache lookups in " << storage.size() << " entries: " << timer.nsecsElapsed() / 1000
        << " us (" << hits << " hits)\n";
    return 0;
}
