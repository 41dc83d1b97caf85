// pennova-vocbuild: writes voc.dat (vocabulary levels) from the shipped word lists.
#include "pennovapaths.h"
#include "vocabularybuilder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds voc.dat from the word lists."));
    parser.addHelpOption();
    const QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Word-list folder."),
                                        QStringLiteral("DIR"),
                                        QStringLiteral(PENNOVA_SOURCE_DIR "/tools/vocbuild/data"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("File to write."),
                                       QStringLiteral("FILE"), QStringLiteral("voc.dat"));
    const QCommandLineOption maxRankOption(QStringLiteral("max-rank"),
                                           QStringLiteral("Frequency ranks that still get a level."),
                                           QStringLiteral("N"), QStringLiteral("30000"));
    parser.addOption(dataOption);
    parser.addOption(outOption);
    parser.addOption(maxRankOption);
    parser.process(app);

    QTextStream err(stderr);
    bool rankOk = false;
    VocabularyBuilder builder;
    builder.maxRank = parser.value(maxRankOption).toInt(&rankOk);
    if (!rankOk || builder.maxRank < 0) {
        err << "pennova-vocbuild: --max-rank needs a number\n";
        return 1;
    }
    const QDir data(parser.value(dataOption));
    QString error;
    if (!builder.addCefrList(data.filePath(QStringLiteral("cefrj-vocabulary.tsv")), &error)
        || !builder.addCefrList(data.filePath(QStringLiteral("octanove-c1c2.tsv")), &error)
        || !builder.addIrregularForms(data.filePath(QStringLiteral("irregular.tsv")), &error)
        || !builder.addFrequencyList(data.filePath(QStringLiteral("frequency-top.txt")), &error)
        || !builder.addKnownWords(data.filePath(QStringLiteral("contractions.txt")), &error)) {
        err << "pennova-vocbuild: " << error << '\n';
        return 1;
    }
    const ZeltraLib::Vocabulary vocabulary = builder.build();
    if (!vocabulary.save(parser.value(outOption), &error)) {
        err << "pennova-vocbuild: " << error << '\n';
        return 1;
    }
    QTextStream(stdout) << "voc.dat: " << vocabulary.levels().size() << " words with levels, "
                        << vocabulary.forms().size() << " forms, " << vocabulary.knownWords().size()
                        << " known words\n";
    return 0;
}
