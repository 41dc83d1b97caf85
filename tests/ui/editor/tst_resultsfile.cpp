#include "resultsfile.h"

#include "checkcodes.h"

#include <QTemporaryDir>
#include <QTest>

class TestResultsFile : public QObject
{
    Q_OBJECT

private slots:
    void fromJson_data();
    void fromJson();
    void readFile_data();
    void readFile();
};

void TestResultsFile::fromJson_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("states");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("firstCorrection"); // UTF-8 text of the first candidate read

    const QByteArray good = R"({"sentInd":1,"corrections":[{"start":2,"end":5,"errorType":"NONWORD",)"
                            R"("candidates":[{"correction":"w\u00f6rd 词","candidateType":"REPLACE"}]}]})";
    QTest::newRow("one good record with non-ASCII text") << QByteArray("[" + good + "]") << 1 << 0
                                                         << QStringLiteral("wörd 词");
    QTest::newRow("summary and sentence") << QByteArray(R"([{"sentInd":-1,"lexicalScore":70.5},)" + good + "]")
                                          << 2 << 0 << QString();
    QTest::newRow("garbage text") << QByteArray("\x01\x02 not json at all") << 0 << 1 << QString();
    QTest::newRow("truncated array") << QByteArray("[" + good.left(good.size() / 2)) << 0 << 1 << QString();
    QTest::newRow("object instead of array") << good << 0 << 1 << QString();
    QTest::newRow("empty input") << QByteArray() << 0 << 1 << QString();
    QTest::newRow("bad element kept apart from good ones")
        << QByteArray("[17, \"text\", " + good + ", null]") << 1 << 3 << QStringLiteral("wörd 词");
    QTest::newRow("member of the wrong type is reported")
        << QByteArray(R"([{"sentInd":"one","corrections":5},)" + good + "]") << 1 << 1 << QStringLiteral("wörd 词");
    QTest::newRow("oversized input is refused")
        << QByteArray(ResultsFile::MaxBytes + 1, ' ') << 0 << 1 << QString();
}

void TestResultsFile::fromJson()
{
    QFETCH(QByteArray, json);
    QFETCH(int, states);
    QFETCH(int, errors);
    QFETCH(QString, firstCorrection);
    const ResultsFile file = ResultsFile::fromJson(json);
    QCOMPARE(file.states().size(), states);
    QCOMPARE(file.errors().size(), errors);
    if (!firstCorrection.isEmpty()) {
        const ZeltraLib::CResultState &state = file.states().last();
        QCOMPARE(state.sentInd, 1);
        QCOMPARE(state.corrections.size(), 1);
        QCOMPARE(state.corrections.first().category(), int(ZeltraLib::CategoryNonword));
        QCOMPARE(QString::fromUtf8(state.corrections.first().candidates.first().correction), firstCorrection);
    }
}

void TestResultsFile::readFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("states");
    QTest::addColumn<int>("errors");

    QTest::newRow("missing file") << false << QByteArray() << 0 << 1;
    QTest::newRow("file with two records") << true << QByteArray(R"([{"sentInd":0},{"sentInd":3}])") << 2 << 0;
    QTest::newRow("binary file") << true << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << 0 << 1;
}

void TestResultsFile::readFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(int, states);
    QFETCH(int, errors);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("结果.json"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const ResultsFile file = ResultsFile::read(path);
    QCOMPARE(file.states().size(), states);
    QCOMPARE(file.errors().size(), errors);
}

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
