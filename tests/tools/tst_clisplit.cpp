#include "support/builtfile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString cliPath()
{
    return builtFile(QStringLiteral("pennova-cli"));
}

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.start(cliPath(), QStringList{QStringLiteral("split")} + args);
    Run run;
    if (!process.waitForStarted(10000))
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

class TestCliSplit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void output_data();
    void output();
    void readsFile();
    void badInput_data();
    void badInput();
    void largeInput();
};

void TestCliSplit::initTestCase()
{
    QVERIFY2(QFile::exists(cliPath()), qPrintable(cliPath()));
}

void TestCliSplit::output_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("sentences and a title")
        << QByteArray("Essay Title\nOne. Two!\n")
        << QByteArray("{\"paragraph\": 0, \"title\": true, \"start\": 0, \"end\": 11, "
                      "\"text\": \"Essay Title\"}\n"
                      "{\"paragraph\": 1, \"title\": false, \"start\": 0, \"end\": 5, "
                      "\"text\": \"One. \"}\n"
                      "{\"paragraph\": 1, \"title\": false, \"start\": 5, \"end\": 9, "
                      "\"text\": \"Two!\"}\n");
    QTest::newRow("blank paragraphs are not counted")
        << QByteArray("\r\n   \r\nGo.\r\n")
        << QByteArray("{\"paragraph\": 0, \"title\": false, \"start\": 0, \"end\": 3, "
                      "\"text\": \"Go.\"}\n");
    QTest::newRow("offsets in UTF-16 units with Chinese and emoji")
        << QByteArray("你好。I like \xF0\x9F\x98\x80. Ok")
        << QByteArray("{\"paragraph\": 0, \"title\": false, \"start\": 0, \"end\": 3, "
                      "\"text\": \"你好。\"}\n"
                      "{\"paragraph\": 0, \"title\": false, \"start\": 3, \"end\": 14, "
                      "\"text\": \"I like \xF0\x9F\x98\x80. \"}\n"
                      "{\"paragraph\": 0, \"title\": false, \"start\": 14, \"end\": 16, "
                      "\"text\": \"Ok\"}\n");
    QTest::newRow("quotes, backslashes and tabs escaped")
        << QByteArray("He said \"a\\b\"\tthen. Ok")
        << QByteArray("{\"paragraph\": 0, \"title\": false, \"start\": 0, \"end\": 20, "
                      "\"text\": \"He said \\\"a\\\\b\\\"\\tthen. \"}\n"
                      "{\"paragraph\": 0, \"title\": false, \"start\": 20, \"end\": 22, "
                      "\"text\": \"Ok\"}\n");
    QTest::newRow("byte order mark dropped")
        << QByteArray("\xEF\xBB\xBFTitle")
        << QByteArray("{\"paragraph\": 0, \"title\": true, \"start\": 0, \"end\": 5, "
                      "\"text\": \"Title\"}\n");
    QTest::newRow("empty input prints nothing") << QByteArray() << QByteArray();
}

void TestCliSplit::output()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    const Run run = runCli({}, input);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
    QVERIFY(run.err.isEmpty());
}

void TestCliSplit::readsFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("essay.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Dr. Li came. He left.\n");
    file.close();
    const Run fromFile = runCli({path});
    QCOMPARE(fromFile.exitCode, 0);
    const QList<QByteArray> lines = fromFile.out.split('\n');
    QCOMPARE(lines.size(), 3); // two units and the final newline
    const QJsonObject first = QJsonDocument::fromJson(lines.at(0)).object();
    QCOMPARE(first.value(QStringLiteral("text")).toString(), QStringLiteral("Dr. Li came. "));
    QCOMPARE(first.value(QStringLiteral("end")).toInt(), 13);
    QCOMPARE(runCli({}, "Dr. Li came. He left.\n").out, fromFile.out);
}

void TestCliSplit::badInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("missing file") << QStringList{QStringLiteral("/nonexistent/essay.txt")}
                                  << QByteArray();
    QTest::newRow("invalid UTF-8") << QStringList{} << QByteArray("Bad \xFF\xFE bytes.");
    QTest::newRow("truncated UTF-8 sequence") << QStringList{} << QByteArray("Cut \xE4\xBD");
    QTest::newRow("GB18030 instead of UTF-8") << QStringList{} << QByteArray("\xC4\xE3\xBA\xC3\xA1\xA3");
    QTest::newRow("a directory") << QStringList{QDir::tempPath()} << QByteArray();
    QTest::newRow("two files") << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                               << QByteArray();
}

void TestCliSplit::badInput()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    const Run run = runCli(args, input);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.trimmed().isEmpty());
}

void TestCliSplit::largeInput()
{
    // Two megabytes in one paragraph, no spaces: one unit, no crash.
    QByteArray input(2 << 20, 'x');
    input += ". Done";
    const Run run = runCli({}, input);
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 3);
    const QJsonObject last = QJsonDocument::fromJson(lines.at(1)).object();
    QCOMPARE(last.value(QStringLiteral("start")).toInt(), (2 << 20) + 2);
    QCOMPARE(last.value(QStringLiteral("text")).toString(), QStringLiteral("Done"));
}

QTEST_GUILESS_MAIN(TestCliSplit)
#include "tst_clisplit.moc"
