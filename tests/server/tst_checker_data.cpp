// The checker's data files: the frequency list and the vocabulary-level lists are
// read leniently (garbage, truncated and oversized lines are skipped), and missing
// data or dictionaries leave the checker running and silent rather than failing.

#include "pennovapaths.h"
#include "englishchecker.h"
#include "lexicon.h"

#include <QtTest>

#include "pennovapaths.h"

using namespace PennovaChecker;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

class TestCheckerData : public QObject
{
    Q_OBJECT

private slots:
    void frequencyList_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("word");
        QTest::addColumn<qulonglong>("count");
        QTest::addColumn<int>("rank");
        const QByteArray good = "\xEF\xBB\xBFthe 500\nof 400\nhouse 300\n";
        QTest::newRow("byte-order mark skipped") << good << "the" << qulonglong(500) << 1;
        QTest::newRow("later entry ranked in order") << good << "house" << qulonglong(300) << 3;
        QTest::newRow("line without count skipped")
            << QByteArray("alpha\nbeta 7\n") << "beta" << qulonglong(7) << 1;
        QTest::newRow("garbage lines skipped")
            << QByteArray(" 12\n\x01\x02\x03\n\nword 9\n") << "word" << qulonglong(9) << 1;
        QTest::newRow("repeated word keeps the first count")
            << QByteArray("word 9\nword 99\n") << "word" << qulonglong(9) << 1;
        QTest::newRow("truncated last line") << QByteArray("first 5\nsecond 4") << "second" << qulonglong(4) << 2;
        QTest::newRow("oversized line does not hide the next")
            << QByteArray("x").repeated(1 << 20) + " 3\nnext 2\n" << "next" << qulonglong(2) << 2;
        QTest::newRow("unknown word") << good << "zebra" << qulonglong(0) << 0;
    }

    void frequencyList()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, word);
        QFETCH(qulonglong, count);
        QFETCH(int, rank);
        QTemporaryDir dir;
        writeFile(dir.filePath("frequency_dictionary_en_82_765.txt"), content);
        const Lexicon lexicon(dir.path().toStdString(), dir.filePath("no-wordnet").toStdString());
        QCOMPARE(qulonglong(lexicon.frequency(word.toStdString())), count);
        QCOMPARE(lexicon.frequencyRank(word.toStdString()), rank);
    }

    void vocabularyLevels_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("level");
        const QByteArray header = "headword,pos,CEFR,x\n";
        QTest::newRow("plain row") << header + "apple,noun,A1,\n" << "apple" << 1;
        QTest::newRow("variants share the level") << header + "a.m./A.M./am/AM,adverb,A1,\n" << "am" << 1;
        QTest::newRow("lowest level of several rows") << header + "run,verb,B1,\nrun,noun,A2,\n" << "run" << 2;
        QTest::newRow("C2 level") << header + "ubiquitous,adjective,C2,\n" << "ubiquitous" << 6;
        QTest::newRow("unknown level ignored") << header + "thing,noun,Z9,\n" << "thing" << 0;
        QTest::newRow("missing columns ignored") << header + "thing\nother,noun\n" << "thing" << 0;
        QTest::newRow("truncated row") << header + "word,noun,B" << "word" << 0;
        QTest::newRow("header only") << header << "headword" << 0;
        QTest::newRow("binary garbage") << QByteArray("\x00\xff,\xfe,\x01\n", 7) << "a" << 0;
    }

    void vocabularyLevels()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, word);
        QFETCH(int, level);
        QTemporaryDir dir;
        writeFile(dir.filePath("cefrj-vocabulary-profile-1.5.csv"), content);
        const Lexicon lexicon(dir.path().toStdString(), dir.filePath("no-wordnet").toStdString());
        QCOMPARE(lexicon.cefrLevel(word.toStdString()), level);
    }

    // The first sense's lexicographer file of a noun: the index points into the data file by
    // byte offset; a pointer that lands anywhere but on its own line is ignored.
    void nounClasses_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("expected");
        const QByteArray data = "00000000 18 n 01 teacher 0 000 | one who teaches\n"
                                "00000049 06 n 01 house 0 000 | a dwelling\n";
        QTest::newRow("first sense read at its offset")
            << QByteArray("house n 2 1 @ 2 1 00000049 00000000\n") << data << "house" << int(Lexicon::NounArtifact);
        QTest::newRow("a sense at the start of the file")
            << QByteArray("teacher n 1 0 1 1 00000000\n") << data << "teacher" << int(Lexicon::NounPerson);
        QTest::newRow("offset inside another line ignored")
            << QByteArray("house n 1 0 1 1 00000010\n") << data << "house" << -1;
        QTest::newRow("offset past the end ignored")
            << QByteArray("house n 1 0 1 1 99999999\n") << data << "house" << -1;
        QTest::newRow("truncated index line") << QByteArray("house n 1 3 @") << data << "house" << -1;
        QTest::newRow("huge pointer count") << QByteArray("house n 1 999999999 @\n") << data << "house" << -1;
        QTest::newRow("data file cut short")
            << QByteArray("house n 1 0 1 1 00000049\n") << data.left(55) << "house" << -1;
        QTest::newRow("word outside the frequency list")
            << QByteArray("zymurgy n 1 0 1 1 00000000\n") << data << "zymurgy" << -1;
    }

    void nounClasses()
    {
        QFETCH(QByteArray, index);
        QFETCH(QByteArray, data);
        QFETCH(QString, word);
        QFETCH(int, expected);
        QTemporaryDir dir;
        writeFile(dir.filePath("frequency_dictionary_en_82_765.txt"), "house 9\nteacher 8\n");
        QVERIFY(QDir(dir.path()).mkdir("wordnet"));
        writeFile(dir.filePath("wordnet/index.noun"), index);
        writeFile(dir.filePath("wordnet/data.noun"), data);
        const Lexicon lexicon(dir.path().toStdString(), dir.filePath("wordnet").toStdString());
        QCOMPARE(lexicon.nounClass(word.toStdString()), expected);
    }

    // Without data files and dictionaries the checker still answers, with no
    // spelling findings instead of false ones, and its rule-based findings.
    void missingDataStaysSilent()
    {
        QTemporaryDir dir;
        const EnglishChecker checker(dir.filePath("absent").toStdString(), dir.filePath("absent").toStdString());
        const Json::Value record = checker.checkSentence(5, "He go to scool becuase it rains.", 0, {}, {});
        QCOMPARE(record["sentInd"].asInt(), 5);
        QStringList types;
        for (const Json::Value &c : record["corrections"])
            types << QString::fromStdString(c["errorType"].asString());
        QVERIFY(!types.contains(QStringLiteral("NONWORD")));
        QVERIFY(types.contains(QStringLiteral("GRAMMAR")));
        const Json::Value summary = checker.summaryRecord({"He go to scool."}, {record});
        QVERIFY(summary["lexicalScore"].asDouble() >= 0.0 && summary["lexicalScore"].asDouble() <= 1.0);
    }

    void shippedDataIsComplete()
    {
        const Lexicon lexicon(PENNOVA_SOURCE_DIR "/server/checker/data", "/usr/share/wordnet");
        QVERIFY(lexicon.frequencies().size() > 80000);
        QCOMPARE(lexicon.frequencyRank("the"), 1);
        QCOMPARE(lexicon.cefrLevel("apple"), 1);
        QCOMPARE(lexicon.cefrLevel("exude"), 6);
        QCOMPARE(lexicon.cefrLevel("envisage"), 5); // listed as C1 and C2: the lower level counts
        QVERIFY(lexicon.isPos("run", Lexicon::Verb) && lexicon.isPos("run", Lexicon::Noun));
        QCOMPARE(QString::fromStdString(lexicon.baseOf("went")), QStringLiteral("go"));
        QCOMPARE(QString::fromStdString(lexicon.pastOf("stop")), QStringLiteral("stopped"));
        QCOMPARE(QString::fromStdString(lexicon.thirdPerson("study")), QStringLiteral("studies"));
        QCOMPARE(QString::fromStdString(lexicon.ingOf("make")), QStringLiteral("making"));
        QCOMPARE(lexicon.nounClass("teacher"), int(Lexicon::NounPerson));
        QCOMPARE(lexicon.nounClass("house"), int(Lexicon::NounArtifact));
        QVERIFY(lexicon.nounClass("money") != -1 && lexicon.nounClass("money") != int(Lexicon::NounPerson));
        QVERIFY(QFile::exists(PENNOVA_SOURCE_DIR "/server/checker/data/ATTRIBUTION.md"));
    }
};

QTEST_GUILESS_MAIN(TestCheckerData)
#include "tst_checker_data.moc"
