// End-to-end runs of "pennova-cli check" against small fake services in the test.
#include "frame.h"
#include "support/builtfile.h"
#include "wordoperations.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace ZeltraLib;

namespace {

const QByteArray SessionKey = "KEY-42";

QByteArray md5Upper(const QByteArray &text)
{
    return QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex().toUpper();
}

QByteArray record(const QJsonObject &object)
{
    return encodeFrame(QJsonDocument(object).toJson(QJsonDocument::Compact)) + "END";
}

// Account, check and polish services in one loopback server. The check service
// marks every "teh" (any case) of the sentences it is asked about.
class FakeServices : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray path;
        QByteArray body;
    };

    bool unauthorizedChecks = false;
    bool dropSummary = false; // the check reply ends without its summary record
    int cutCheckAt = -1;      // the check reply ends after this many bytes
    QList<Request> requests;

    FakeServices()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }

    QList<QJsonObject> posted(const QByteArray &path) const
    {
        QList<QJsonObject> list;
        for (const Request &r : requests) {
            if (r.path == path)
                list << QJsonDocument::fromJson(cutAtZero(decodeFrame(r.body))).object();
        }
        return list;
    }

    QList<QByteArray> bodies(const QByteArray &path) const
    {
        QList<QByteArray> list;
        for (const Request &r : requests) {
            if (r.path == path)
                list << r.body;
        }
        return list;
    }

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QByteArray head = buffer.left(headerEnd);
        const QRegularExpression lengthHeader(QStringLiteral("(?i)content-length:\\s*(\\d+)"));
        const auto match = lengthHeader.match(QString::fromLatin1(head));
        const qsizetype length = match.hasMatch() ? match.captured(1).toLongLong() : 0;
        if (buffer.size() < headerEnd + 4 + length)
            return;
        Request request{head.split(' ').value(1), buffer.mid(headerEnd + 4, length)};
        m_buffers.remove(socket);
        requests << request;
        const QByteArray reply = answer(request);
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: "
                      + QByteArray::number(reply.size()) + "\r\nConnection: close\r\n\r\n" + reply);
        socket->disconnectFromHost();
    }

    QByteArray answer(const Request &request) const
    {
        if (request.path == "/Login-new.ashx") {
            if (request.body == "userName=tom&hashUserPassword=" + md5Upper("secret"))
                return "Success|" + SessionKey + "|Tom";
            return "UserNotExit||";
        }
        if (request.path == "/apps_compressed/")
            return check(request.body);
        if (request.path == "/lexsub/")
            return polish(request.body);
        return QByteArray();
    }

    QByteArray check(const QByteArray &body) const
    {
        const QJsonObject json = QJsonDocument::fromJson(cutAtZero(decodeFrame(body))).object();
        if (unauthorizedChecks || json.value("session").toString().toUtf8() != SessionKey)
            return "unauthorized";
        const QJsonArray sents = json.value("sents").toArray();
        const QJsonArray configs = json.value("configs").toArray();
        QByteArray reply;
        for (int i = 0; i < sents.size(); ++i) {
            if (configs.at(i).toInt() == -1)
                continue;
            const QString sentence = sents.at(i).toString();
            QJsonArray corrections;
            for (qsizetype at = sentence.indexOf("teh", 0, Qt::CaseInsensitive); at >= 0;
                 at = sentence.indexOf("teh", at + 3, Qt::CaseInsensitive)) {
                corrections.append(QJsonObject{{"start", int(at)},
                                               {"end", int(at + 3)},
                                               {"errorType", "NONWORD"},
                                               {"explainType", "spell"},
                                               {"candidates", QJsonArray{QJsonObject{
                                                                  {"correction", "the"},
                                                                  {"candidateType", "REPLACE"}}}}});
            }
            if (!corrections.isEmpty())
                reply += record(QJsonObject{{"sentInd", i}, {"corrections", corrections}});
        }
        if (!dropSummary)
            reply += record(QJsonObject{{"sentInd", -1}, {"lexicalScore", 80.5}, {"syntaxScore", 70}});
        return cutCheckAt >= 0 ? reply.left(cutCheckAt) : reply;
    }

    QByteArray polish(const QByteArray &body) const
    {
        const QJsonObject json = QJsonDocument::fromJson(cutAtZero(decodeFrame(body))).object();
        const QJsonArray sents = json.value("sents").toArray();
        QJsonArray results;
        for (int i = 0; i < sents.size(); ++i) {
            const qsizetype at = sents.at(i).toString().indexOf("good");
            if (at < 0)
                continue;
            results.append(QJsonObject{
                {"sentInd", i},
                {"corrections",
                 QJsonArray{QJsonObject{{"start", int(at)},
                                        {"end", int(at + 4)},
                                        {"errorType", "IMPROVE"},
                                        {"candidates", QJsonArray{QJsonObject{{"correction", "excellent"}}}}}}}});
        }
        return encodeFrame(QJsonDocument(results).toJson(QJsonDocument::Compact));
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

struct Run
{
    int exitCode = -1;
    QList<QJsonObject> findings;
    QJsonObject summary;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestCliCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void findings_data();
    void findings();
    void loginWithTrimmedPasswordHash();
    void repeatAnswersFromCache();
    void levelIsSentAsConfidence();
    void polish();
    void exitCodes_data();
    void exitCodes();
    void documentsAsText_data();
    void documentsAsText();
    void checkRepliesEndedEarly_data();
    void checkRepliesEndedEarly();

private:
    Run run(const QStringList &args, const QByteArray &stdinData = QByteArray());

    QString m_program;
    QTemporaryDir m_dir;
};

void TestCliCheck::initTestCase()
{
    m_program = builtFile(QStringLiteral("pennova-cli"));
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
}

Run TestCliCheck::run(const QStringList &args, const QByteArray &stdinData)
{
    Run result;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("PENNOVA_HOST"));
    process.setProcessEnvironment(env);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(m_program, QStringList{QStringLiteral("check")} + args);
    if (!process.waitForStarted())
        return result;
    process.write(stdinData);
    process.closeWriteChannel();
    if (!finished.wait(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    for (const QByteArray &line : result.out.split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.contains("summary"))
            result.summary = object.value("summary").toObject();
        else
            result.findings << object;
    }
    return result;
}

void TestCliCheck::findings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("sentences");
    QTest::addColumn<int>("words");

    QTest::newRow("one paragraph, two findings")
        << QStringLiteral("Teh cat sat on teh mat. It was happy.") << 2 << 9;
    QTest::newRow("titles and paragraphs with blank lines")
        << QStringLiteral("My Teh Trip\n\nWe saw teh sea. Then we left!\n\nteh end") << 4 << 12;
    QTest::newRow("Chinese text before the findings")
        << QStringLiteral("我们的作文。\n这是 teh 例子。Teh 猫很好。") << 3 << 6;
    QTest::newRow("CRLF line ends count two")
        << QStringLiteral("First line here.\r\nSecond has teh word.\r\n") << 2 << 7;
    QTest::newRow("emoji are two code units")
        << QStringLiteral("I like 😀 teh sun. 😀😀 Teh end.") << 2 << 8;
    QTest::newRow("text of titles only still checks one sentence")
        << QStringLiteral("teh title\nanother teh title") << 2 << 5;
    QTest::newRow("no findings") << QStringLiteral("All is well.") << 1 << 3;
    QTest::newRow("empty text") << QString() << 0 << 0;
}

void TestCliCheck::findings()
{
    QFETCH(QString, text);
    QFETCH(int, sentences);
    QFETCH(int, words);

    FakeServices services;
    const Run result = run({"--host", services.host(), "--session", QString::fromUtf8(SessionKey), "-"},
                           text.toUtf8());
    QCOMPARE(result.exitCode, 0);

    // One line per "teh" of the input, in document order, pointing at it exactly.
    QList<qsizetype> expectedStarts;
    for (qsizetype at = text.indexOf("teh", 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf("teh", at + 3, Qt::CaseInsensitive))
        expectedStarts << at;
    QCOMPARE(result.findings.size(), expectedStarts.size());
    int lastSentence = -1;
    for (int i = 0; i < result.findings.size(); ++i) {
        const QJsonObject &finding = result.findings.at(i);
        const int start = finding.value("start").toInt();
        const int end = finding.value("end").toInt();
        QCOMPARE(start, int(expectedStarts.at(i)));
        QCOMPARE(end, start + 3);
        QCOMPARE(finding.value("text").toString(), text.mid(start, 3));
        QCOMPARE(finding.value("errorType").toString(), QStringLiteral("NONWORD"));
        QCOMPARE(finding.value("category").toInt(), 1);
        QCOMPARE(finding.value("candidates").toArray(), QJsonArray{"the"});
        QCOMPARE(finding.value("explainType").toString(), QStringLiteral("spell"));
        QVERIFY(finding.value("sentence").toInt() >= lastSentence);
        QVERIFY(finding.contains("paragraph"));
        lastSentence = finding.value("sentence").toInt();
    }
    QCOMPARE(result.summary.value("sentences").toInt(), sentences);
    QCOMPARE(result.summary.value("words").toInt(), words);
    QCOMPARE(result.summary.value("cached").toInt(), 0);
    if (sentences > 0) {
        QCOMPARE(result.summary.value("lexicalScore").toDouble(), 80.5);
        QCOMPARE(result.summary.value("syntaxScore").toDouble(), 70.0);
        const QJsonObject posted = services.posted("/apps_compressed/").first();
        QCOMPARE(posted.value("sents").toArray().size(), sentences);
    } else {
        QCOMPARE(services.posted("/apps_compressed/").size(), 0);
    }
}

void TestCliCheck::loginWithTrimmedPasswordHash()
{
    FakeServices services;
    const Run result = run({"--host", services.host(), "--user", " tom ", "--password", " secret ", "-"},
                           QByteArray("Teh end."));
    QCOMPARE(result.exitCode, 0);
    const QList<QByteArray> logins = services.bodies("/Login-new.ashx");
    QCOMPARE(logins.size(), 1);
    QCOMPARE(logins.first(), "userName=tom&hashUserPassword=" + md5Upper("secret"));
    QCOMPARE(result.findings.size(), 1);
    QCOMPARE(services.posted("/apps_compressed/").first().value("session").toString(),
             QString::fromUtf8(SessionKey));
}

void TestCliCheck::repeatAnswersFromCache()
{
    FakeServices services;
    const QString text = QStringLiteral("Teh first one. A clean one.\nMy Title");
    const Run result = run({"--host", services.host(), "--session", QString::fromUtf8(SessionKey),
                            "--repeat", "3", "-"},
                           text.toUtf8());
    QCOMPARE(result.exitCode, 0);
    const QList<QJsonObject> posted = services.posted("/apps_compressed/");
    QCOMPARE(posted.size(), 3);
    QCOMPARE(posted.at(0).value("configs").toArray(), (QJsonArray{0, 0, 1}));
    QCOMPARE(posted.at(1).value("configs").toArray(), (QJsonArray{-1, -1, -1}));
    QCOMPARE(posted.at(2).value("configs").toArray(), (QJsonArray{-1, -1, -1}));
    QCOMPARE(posted.at(2).value("sents").toArray(), posted.at(0).value("sents").toArray());
    // The last run's findings come from the cache, unchanged.
    QCOMPARE(result.summary.value("cached").toInt(), 3);
    QCOMPARE(result.findings.size(), 1);
    QCOMPARE(result.findings.first().value("start").toInt(), 0);
    QCOMPARE(result.findings.first().value("text").toString(), QStringLiteral("Teh"));
}

void TestCliCheck::levelIsSentAsConfidence()
{
    FakeServices services;
    const Run result = run({"--host", services.host(), "--session", QString::fromUtf8(SessionKey),
                            "--level", "3", "-"},
                           QByteArray("One sentence."));
    QCOMPARE(result.exitCode, 0);
    const QJsonArray types = services.posted("/apps_compressed/").first().value("configTypes").toArray();
    QCOMPARE(types.size(), 2);
    for (const QJsonValue &list : types) {
        const QJsonArray pairs = list.toArray();
        QCOMPARE(pairs.at(pairs.size() - 2).toString(), QStringLiteral("server.confidence"));
        QCOMPARE(pairs.last().toString(), QStringLiteral("3"));
    }
}

void TestCliCheck::polish()
{
    FakeServices services;
    const QString text = QStringLiteral("标题\nIt is good. Very good");
    const Run result = run({"--host", services.host(), "--session", QString::fromUtf8(SessionKey),
                            "--polish", "--level", "1", "-"},
                           text.toUtf8());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(services.posted("/apps_compressed/").size(), 0);
    const QList<QJsonObject> posted = services.posted("/lexsub/");
    QCOMPARE(posted.size(), 1);
    QCOMPARE(posted.first().value("confidence").toInt(), 1);
    QCOMPARE(posted.first().value("clientVersion").toString(), QStringLiteral("0.9.2.0"));
    QCOMPARE(posted.first().value("sents").toArray(),
             (QJsonArray{"标题", "It is good. ", "Very good."}));
    QCOMPARE(result.findings.size(), 2);
    for (const QJsonObject &finding : result.findings) {
        QCOMPARE(finding.value("category").toInt(), 7);
        QCOMPARE(finding.value("text").toString(), QStringLiteral("good"));
        QCOMPARE(text.mid(finding.value("start").toInt(), 4), QStringLiteral("good"));
        QCOMPARE(finding.value("candidates").toArray(), QJsonArray{"excellent"});
    }
    QCOMPARE(result.summary.value("cached").toInt(), 0);
}

void TestCliCheck::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("unauthorized");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrPattern");

    const QString key = QString::fromUtf8(SessionKey);
    QTest::newRow("login refused") << QStringList{"--user", "tom", "--password", "wrong", "-"}
                                   << QByteArray("Text.") << false << 2 << "refused";
    QTest::newRow("unauthorized check") << QStringList{"--session", key, "-"} << QByteArray("Text.")
                                        << true << 2 << "unauthorized";
    QTest::newRow("unknown session") << QStringList{"--session", "OTHER", "-"} << QByteArray("Text.")
                                     << false << 2 << "unauthorized";
    QTest::newRow("no input named") << QStringList{"--session", key} << QByteArray() << false << 1 << "usage";
    QTest::newRow("unknown option") << QStringList{"--session", key, "--fast", "-"} << QByteArray()
                                    << false << 1 << "usage";
    QTest::newRow("both login kinds") << QStringList{"--session", key, "--user", "tom", "--password", "x", "-"}
                                      << QByteArray() << false << 1 << "usage";
    QTest::newRow("user without password") << QStringList{"--user", "tom", "-"} << QByteArray() << false
                                           << 1 << "usage";
    QTest::newRow("repeat zero") << QStringList{"--session", key, "--repeat", "0", "-"} << QByteArray()
                                 << false << 1 << "repeat";
    QTest::newRow("level not a number") << QStringList{"--session", key, "--level", "high", "-"}
                                        << QByteArray() << false << 1 << "level";
    QTest::newRow("missing file") << QStringList{"--session", key, "/nonexistent/input.txt"} << QByteArray()
                                  << false << 1 << "cannot read";
    QTest::newRow("invalid UTF-8") << QStringList{"--session", key, "-"} << QByteArray("Bad \xff\xfe text.")
                                   << false << 1 << "UTF-8";
    QTest::newRow("truncated UTF-8") << QStringList{"--session", key, "-"} << QByteArray("Cut \xe4\xbd")
                                     << false << 1 << "UTF-8";
}

void TestCliCheck::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(bool, unauthorized);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrPattern);

    FakeServices services;
    services.unauthorizedChecks = unauthorized;
    const Run result = run(QStringList{"--host", services.host()} + args, input);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(result.err).contains(stderrPattern), result.err.constData());
    QVERIFY(result.out.isEmpty());
}

void TestCliCheck::documentsAsText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // file content; empty: written as a .docx
    QTest::addColumn<int>("exitCode");
    const QString text = QStringLiteral("我的 Teh Trip\n\nWe saw teh sea.\tThen we left!\n第三段 teh end.");
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : text)
        utf16 += QByteArray(reinterpret_cast<const char *>(&c), 2); // little-endian host
    QTest::newRow("docx") << "essay.docx" << QByteArray() << 0;
    QTest::newRow("txt in UTF-16 with BOM") << "essay.txt" << utf16 << 0;
    QStringEncoder gb18030("GB18030");
    QTest::newRow("txt in GB18030") << "essay.txt" << QByteArray(gb18030.encode(text)) << 0;
    QTest::newRow("broken docx") << "broken.docx" << QByteArray("PK\x03\x04 cut") << 1;
}

// A document gives the findings its text gives as UTF-8 on standard input.
void TestCliCheck::documentsAsText()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    const QString text = QStringLiteral("我的 Teh Trip\n\nWe saw teh sea.\tThen we left!\n第三段 teh end.");
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (bytes.isEmpty()) {
        QVERIFY(saveWordText(path, text));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    FakeServices services;
    const QStringList args{"--host", services.host(), "--session", QString::fromUtf8(SessionKey)};
    const Run fromFile = run(args + QStringList{path});
    QCOMPARE(fromFile.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(QString::fromUtf8(fromFile.err).contains("cannot read " + path), fromFile.err.constData());
        return;
    }
    const Run fromText = run(args + QStringList{"-"}, text.toUtf8());
    QCOMPARE(fromText.exitCode, 0);
    QCOMPARE(fromFile.findings.size(), 3);
    QCOMPARE(fromFile.findings, fromText.findings);
    QCOMPARE(fromFile.summary, fromText.summary);
}

// A check reply that ends before its summary record is a failed check, not a success
// with unknown scores.
void TestCliCheck::checkRepliesEndedEarly_data()
{
    QTest::addColumn<bool>("dropSummary");
    QTest::addColumn<int>("cutAt");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("whole reply") << false << -1 << 0;
    QTest::newRow("empty reply") << false << 0 << 3;
    QTest::newRow("no summary") << true << -1 << 3;
    QTest::newRow("cut mid-record") << true << 12 << 3;
}

void TestCliCheck::checkRepliesEndedEarly()
{
    QFETCH(bool, dropSummary);
    QFETCH(int, cutAt);
    QFETCH(int, exitCode);
    FakeServices services;
    services.dropSummary = dropSummary;
    services.cutCheckAt = cutAt;
    const Run result = run(QStringList{"--host", services.host(), "--session", QString::fromUtf8(SessionKey), "-"},
                           QByteArray("Teh cat sat. Teh end."));
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 3)
        QVERIFY2(QString::fromUtf8(result.err).contains("network error"), result.err.constData());
    else
        QCOMPARE(result.summary.value("lexicalScore").toDouble(), 80.5);
}

QTEST_GUILESS_MAIN(TestCliCheck)
#include "tst_clicheck.moc"
