#include "support/builtfile.h"
#include "vocabulary.h"
#include "vocabularystatistics.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ZeltraLib;

Q_DECLARE_METATYPE(ZeltraLib::LevelCounts)

namespace {

Vocabulary sampleVocabulary()
{
    Vocabulary::FormTable forms;
    forms.insert(QStringLiteral("went"), {QStringLiteral("go")});
    forms.insert(QStringLiteral("leaves"), {QStringLiteral("leafy"), QStringLiteral("leaf"),
                                            QStringLiteral("leave")});
    forms.insert(QStringLiteral("runs"), {QStringLiteral("nothing")});
    forms.insert(QStringLiteral("empties"), {QStringLiteral("empty")});
    Vocabulary::LevelTable levels;
    levels.insert(QStringLiteral("go"), {0});
    levels.insert(QStringLiteral("leafy"), {});
    levels.insert(QStringLiteral("leaf"), {2});
    levels.insert(QStringLiteral("leave"), {1});
    levels.insert(QStringLiteral("bank"), {1, 1, 3});
    levels.insert(QStringLiteral("empties"), {});
    levels.insert(QStringLiteral("empty"), {4});
    levels.insert(QStringLiteral("odd"), {9, -1});
    levels.insert(QStringLiteral("The"), {5});
    levels.insert(QStringLiteral("the"), {0});
    levels.insert(QStringLiteral("cat"), {0});
    levels.insert(QStringLiteral("Cat"), {3});
    levels.insert(QStringLiteral("咖啡"), {2});
    return Vocabulary(forms, levels, {QStringLiteral("Hello"), QStringLiteral("can't")});
}

LevelCounts counts(std::initializer_list<std::pair<int, int>> list)
{
    LevelCounts c{};
    for (const auto &[level, n] : list)
        c[size_t(level)] = n;
    return c;
}

QByteArray qtContainerStream(const Vocabulary::FormTable &forms, const Vocabulary::LevelTable &levels,
                             const QStringList &known)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_8);
    out << forms << levels << known;
    return data;
}

} // namespace

class TestVocabulary : public QObject
{
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void roundTrip();
    void readsQtContainerStream();
    void corruptData_data();
    void corruptData();
    void everyTruncationIsRefused();
    void oversizedAndMissingFiles();
    void statistics_data();
    void statistics();
    void shippedVocabulary_data();
    void shippedVocabulary();
};

void TestVocabulary::lookup_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("found");
    QTest::addColumn<LevelCounts>("expected");

    QTest::newRow("known word, other case, counts nowhere") << "HELLO" << true << counts({});
    QTest::newRow("known contraction") << "Can't" << true << counts({});
    QTest::newRow("own level") << "go" << true << counts({{0, 1}});
    QTest::newRow("level listed twice counts twice") << "bank" << true << counts({{1, 2}, {3, 1}});
    QTest::newRow("form takes its base's level") << "went" << true << counts({{0, 1}});
    QTest::newRow("first base with levels wins") << "leaves" << true << counts({{2, 1}});
    QTest::newRow("form whose bases have no level") << "runs" << false << counts({});
    QTest::newRow("own empty entry does not fall back to forms") << "empties" << false << counts({});
    QTest::newRow("levels out of range are ignored") << "odd" << false << counts({});
    QTest::newRow("case-sensitive level table") << "Cat" << true << counts({{3, 1}});
    QTest::newRow("unknown word") << "zzz" << false << counts({});
    QTest::newRow("non-ASCII word") << "咖啡" << true << counts({{2, 1}});
    QTest::newRow("empty word") << "" << false << counts({});
}

void TestVocabulary::lookup()
{
    QFETCH(QString, word);
    QFETCH(bool, found);
    QFETCH(LevelCounts, expected);
    const Vocabulary vocabulary = sampleVocabulary();
    LevelCounts c{};
    QCOMPARE(vocabulary.lookup(word, c), found);
    QCOMPARE(c, expected);
}

void TestVocabulary::roundTrip()
{
    const Vocabulary original = sampleVocabulary();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("voc.dat"));
    QString error;
    QVERIFY2(original.save(path, &error), qPrintable(error));

    Vocabulary loaded;
    QVERIFY2(loaded.load(path, &error), qPrintable(error));
    QCOMPARE(loaded.forms(), original.forms());
    QCOMPARE(loaded.knownWords(), original.knownWords());
    // Out-of-range levels are dropped on reading; everything else survives.
    Vocabulary::LevelTable expectedLevels = original.levels();
    expectedLevels[QStringLiteral("odd")] = {};
    QCOMPARE(loaded.levels(), expectedLevels);
    LevelCounts c{};
    QVERIFY(loaded.lookup(QStringLiteral("hello"), c));
    QVERIFY(loaded.lookup(QStringLiteral("leaves"), c));
    QCOMPARE(c, counts({{2, 1}}));
}

void TestVocabulary::readsQtContainerStream()
{
    // A file written with Qt's own container streaming (as the original tools would)
    // reads back the same tables.
    const Vocabulary sample = sampleVocabulary();
    Vocabulary::LevelTable levels = sample.levels();
    levels.remove(QStringLiteral("odd"));
    const QByteArray data = qtContainerStream(sample.forms(), levels, sample.knownWords());
    Vocabulary read;
    QString error;
    QVERIFY2(read.read(data, &error), qPrintable(error));
    QCOMPARE(read.forms(), sample.forms());
    QCOMPARE(read.levels(), levels);
    QCOMPARE(read.knownWords(), sample.knownWords());
}

void TestVocabulary::corruptData_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray valid = sampleVocabulary().toBytes();

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text garbage") << QByteArray("this is not a data stream at all, just words");
    QTest::newRow("random bytes") << QByteArray::fromHex("deadbeef0badf00d0102030405060708090a");
    QTest::newRow("huge form count") << QByteArray::fromHex("fffffff0") + valid.mid(4);
    {
        // One form whose string claims 2 GB.
        QByteArray d = QByteArray::fromHex("00000001" "7ffffffe");
        QTest::newRow("huge string length") << d;
    }
    QTest::newRow("odd string length") << QByteArray::fromHex("00000001" "00000003" "006100");
    {
        // One form with a base-form list claiming 1e9 entries.
        QByteArray d = QByteArray::fromHex("00000001" "00000002" "0061" "3b9aca00");
        QTest::newRow("huge base-form count") << d;
    }
    {
        // No forms, one word whose level list claims 1e9 ints.
        QByteArray d = QByteArray::fromHex("00000000" "00000001" "00000002" "0061" "3b9aca00");
        QTest::newRow("huge level count") << d;
    }
    QTest::newRow("only the form table") << QByteArray::fromHex("00000000");
    QTest::newRow("cut in the known-word list") << valid.left(valid.size() - 3);
}

void TestVocabulary::corruptData()
{
    QFETCH(QByteArray, data);
    Vocabulary vocabulary = sampleVocabulary();
    QString error;
    QVERIFY(!vocabulary.read(data, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(vocabulary.isEmpty());
    LevelCounts c{};
    QVERIFY(!vocabulary.lookup(QStringLiteral("go"), c));
    QVERIFY(!vocabulary.lookup(QStringLiteral("hello"), c));
}

void TestVocabulary::everyTruncationIsRefused()
{
    const QByteArray valid = sampleVocabulary().toBytes();
    for (qsizetype length = 0; length < valid.size(); ++length) {
        Vocabulary vocabulary;
        QVERIFY2(!vocabulary.read(valid.left(length)), qPrintable(QString::number(length)));
        QVERIFY(vocabulary.isEmpty());
    }
    Vocabulary whole;
    QVERIFY(whole.read(valid));
    QVERIFY(!whole.isEmpty());
}

void TestVocabulary::oversizedAndMissingFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Vocabulary vocabulary = sampleVocabulary();
    QString error;
    QVERIFY(!vocabulary.load(dir.filePath(QStringLiteral("missing.dat")), &error));
    QVERIFY(vocabulary.isEmpty());

    // A sparse file just over the limit is refused without being read.
    const QString big = dir.filePath(QStringLiteral("big.dat"));
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(Vocabulary::MaxFileBytes + 1));
    file.close();
    vocabulary = sampleVocabulary();
    QVERIFY(!vocabulary.load(big, &error));
    QVERIFY(error.contains(QStringLiteral("larger")));
    QVERIFY(vocabulary.isEmpty());
}

void TestVocabulary::statistics_data()
{
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<int>("words");
    QTest::addColumn<LevelCounts>("levels");

    QTest::newRow("no sentences") << QStringList() << 0 << counts({});
    QTest::newRow("punctuation is not a word")
        << QStringList{QStringLiteral("go , bank !")} << 2 << counts({{0, 1}, {1, 2}, {3, 1}});
    QTest::newRow("first word falls back to lower case")
        << QStringList{QStringLiteral("Went home.")} << 2 << counts({{0, 1}});
    QTest::newRow("capitalised first word found as written is not looked up again")
        << QStringList{QStringLiteral("The cat.")} << 2 << counts({{5, 1}, {0, 1}});
    QTest::newRow("first word found only in lower case")
        << QStringList{QStringLiteral("Bank go.")} << 2 << counts({{0, 1}, {1, 2}, {3, 1}});
    QTest::newRow("later words are not lowered")
        << QStringList{QStringLiteral("go Bank.")} << 2 << counts({{0, 1}});
    QTest::newRow("known words count nowhere")
        << QStringList{QStringLiteral("Hello, hello.")} << 2 << counts({});
    // The ideographic full stop is a non-ASCII piece and so a word to the counter.
    QTest::newRow("non-ASCII words")
        << QStringList{QStringLiteral("我喜欢 咖啡 。")} << 3 << counts({{2, 1}});
    QTest::newRow("several sentences")
        << QStringList{QStringLiteral("go go. "), QStringLiteral("cat")} << 3 << counts({{0, 3}});
    QTest::newRow("double spaces make empty pieces, not words")
        << QStringList{QStringLiteral("go  cat")} << 2 << counts({{0, 2}});
}

void TestVocabulary::statistics()
{
    QFETCH(QStringList, sentences);
    QFETCH(int, words);
    QFETCH(LevelCounts, levels);
    const VocabularyStatistics stats = VocabularyStatistics::compute(sentences, sampleVocabulary());
    QCOMPARE(stats.sentenceCount, int(sentences.size()));
    QCOMPARE(stats.wordCount, words);
    QCOMPARE(stats.levelCounts, levels);
    const QMap<int, int> check{{0, int(sentences.size())}, {1, words}};
    QCOMPARE(stats.checkCounts(), check);
    QCOMPARE(stats.levelCountMap().size(), VocabularyLevelCount);
    for (int level = 0; level < VocabularyLevelCount; ++level)
        QCOMPARE(stats.levelCountMap().value(level), levels[size_t(level)]);
}

void TestVocabulary::shippedVocabulary_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("level");
    QTest::newRow("A1 word") << "the" << 0;
    QTest::newRow("irregular past") << "went" << 0;
    QTest::newRow("doubled consonant") << "stopped" << 0;
    QTest::newRow("y to ies") << "studies" << 0;
    QTest::newRow("comparative") << "bigger" << 0;
    QTest::newRow("B1 word") << "abandon" << 1;
    QTest::newRow("B2 word") << "accusation" << 2;
    QTest::newRow("C1 word") << "cloak" << 3;
    QTest::newRow("frequency-only word") << "ubiquitous" << 5;
    QTest::newRow("known word") << "can't" << -1;
}

void TestVocabulary::shippedVocabulary()
{
    // The voc.dat the build writes beside the programs, read by the real reader.
    QFETCH(QString, word);
    QFETCH(int, level);
    Vocabulary vocabulary;
    QString error;
    QVERIFY2(vocabulary.load(builtFile(QStringLiteral("voc.dat")), &error), qPrintable(error));
    LevelCounts c{};
    QVERIFY(vocabulary.lookup(word, c));
    if (level < 0) {
        QCOMPARE(c, LevelCounts{});
    } else {
        QCOMPARE(c[size_t(level)], 1);
        QCOMPARE(std::accumulate(c.begin(), c.end(), 0), 1);
    }
}

QTEST_GUILESS_MAIN(TestVocabulary)
#include "tst_vocabulary.moc"
