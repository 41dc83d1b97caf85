#include "checktask.h"
#include "frame.h"
#include "support/streamserver.h"

#include <QSignalSpy>
#include <QTest>

#include <json/json.h>

using namespace ZeltraLib;

Q_DECLARE_METATYPE(ZeltraLib::CheckRequest)

namespace {

// The 3 bytes after each record; the client must skip them unread, so they look like
// the start of a header on purpose.
const QByteArray Trailer = QByteArrayLiteral("5SC");

QByteArray recordJson(int sentInd, const QString &info = QString())
{
    if (sentInd < 0)
        return QByteArray(R"({"sentInd":)") + QByteArray::number(sentInd)
               + R"(,"lexicalScore":0.5,"syntaxScore":0.75})" + '\n';
    return QStringLiteral(R"({"sentInd":%1,"corrections":[{"start":0,"end":2,"errorType":"GRAMMAR","errorInfo":"%2","candidates":[{"correction":"is","candidateType":"REPLACE"}]}]})")
               .arg(sentInd).arg(info).toUtf8() + '\n';
}

QByteArray record(int sentInd, const QString &info = QString())
{
    return encodeFrame(recordJson(sentInd, info)) + Trailer;
}

CheckRequest sampleRequest(const QStringList &sents = { QStringLiteral("He go home.") })
{
    CheckRequest r;
    r.session = QStringLiteral("abc");
    r.sents = sents;
    for (qsizetype i = 0; i < sents.size(); ++i)
        r.configs.append(0);
    return r;
}

// A request of `count` sentences, so that records up to sentInd count - 1 are accepted.
CheckRequest requestOf(int count)
{
    QStringList sents;
    for (int i = 0; i < count; ++i)
        sents << QStringLiteral("Sentence %1.").arg(i);
    return sampleRequest(sents);
}

// A started check against a stream server, with spies on both signals.
struct Harness
{
    StreamServer server;
    CheckTask task{ server.host() };
    QSignalSpy results{ &task, &CheckTask::signalUpdateResult };
    QSignalSpy finished{ &task, &CheckTask::signalFinished };

    QList<int> sentences() const
    {
        QList<int> out;
        for (const QList<QVariant> &args : results)
            out.append(args.at(0).value<CResultState>().sentInd);
        return out;
    }
    int finishCode(int i = 0) const { return finished.at(i).at(0).value<QNetworkReply::NetworkError>(); }
    bool waitForRequest(int count)
    {
        return QTest::qWaitFor([&] { return server.requestCount() >= count; })
               && server.requestCount() == count;
    }
};

const QString SentenceConfig = QStringLiteral(
    R"(["server.style","4","server.spell","2","server.mor","1","server.dependency","0","server.grammar","6","server.rule","7","server.real","3","server.det","5","server.poststyle","9","server.confidence","%1"])");
const QString TitleConfig = QStringLiteral(
    R"(["server.mor","1","server.spell","2","server.style","4","server.dependency","0","server.grammar","0","server.rule","0","server.real","3","server.det","0","server.confidence","%1"])");

} // namespace

class TestCheckTask : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void requestBody_data();
    void requestBody();
    void splitRecords_data();
    void splitRecords();
    void severalRecordsPerRead();
    void undecodableRecordsDropped_data();
    void undecodableRecordsDropped();
    void unauthorized_data();
    void unauthorized();
    void networkErrors_data();
    void networkErrors();
    void brokenStreamStops_data();
    void brokenStreamStops();
    void timeout();
    void cancel();
    void pendingClearedOnStart();
    void lateRecordNotDelivered();
    void restartDropsRunningCheck();
    void receiverAbortsDuringDelivery();
};

void TestCheckTask::initTestCase()
{
    registerResultStateType();
}

void TestCheckTask::requestBody_data()
{
    QTest::addColumn<CheckRequest>("request");
    QTest::addColumn<QByteArray>("json");

    CheckRequest single = sampleRequest();
    QTest::newRow("single short sentence") << single
        << (QStringLiteral(R"({"clientVersion":"Tessel 0.9.2.0","configTypes":[%1,%2],"configs":[0],"sents":["He go home."],"session":"abc"})")
                .arg(SentenceConfig.arg(2), TitleConfig.arg(2)).toUtf8() + '\n');

    CheckRequest mixed = sampleRequest({ QStringLiteral("My Title"), QStringLiteral("Cached one."), QStringLiteral("New one.") });
    mixed.configs = { 1, -1, 0 };
    mixed.confidence = 5;
    QTest::newRow("title, cached sentence and level 5") << mixed
        << (QStringLiteral(R"({"clientVersion":"Tessel 0.9.2.0","configTypes":[%1,%2],"configs":[1,-1,0],"sents":["My Title","Cached one.","New one."],"session":"abc"})")
                .arg(SentenceConfig.arg(5), TitleConfig.arg(5)).toUtf8() + '\n');

    CheckRequest awkward = sampleRequest({ QStringLiteral("他说：\"Go\\stop\"\n\tnow.") });
    awkward.session = QStringLiteral("k\"ey");
    QTest::newRow("chinese, quotes, backslash, newline") << awkward
        << (QStringLiteral(R"({"clientVersion":"Tessel 0.9.2.0","configTypes":[%1,%2],"configs":[0],"sents":["他说：\"Go\\stop\"\n\tnow."],"session":"k\"ey"})")
                .arg(SentenceConfig.arg(2), TitleConfig.arg(2)).toUtf8() + '\n');

    CheckRequest empty = sampleRequest({});
    QTest::newRow("no sentences") << empty
        << (QStringLiteral(R"({"clientVersion":"Tessel 0.9.2.0","configTypes":[%1,%2],"configs":[],"sents":[],"session":"abc"})")
                .arg(SentenceConfig.arg(2), TitleConfig.arg(2)).toUtf8() + '\n');
}

void TestCheckTask::requestBody()
{
    QFETCH(CheckRequest, request);
    QFETCH(QByteArray, json);
    Harness h;
    h.server.enqueue(StreamServer::stream({ record(-1) }));
    h.task.start(request);
    QVERIFY(h.finished.wait());
    QCOMPARE(h.server.requestCount(), 1);
    const StreamServer::Request &got = h.server.requests().at(0);
    QCOMPARE(got.method, QByteArray("POST"));
    QCOMPARE(got.path, QByteArray("/apps_compressed/"));
    QCOMPARE(got.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(got.headers.value("content-length").toLongLong(), got.body.size());
    // Header, then exactly the zlib stream: the strict decoder refuses any extra byte.
    QVERIFY(got.body.startsWith(QByteArray::number(json.size()) + 'S'));
    QCOMPARE(decodeFrameStrict(got.body), json);

    // Same text as the library's classic compact writer for ASCII text.
    if (!json.contains(char(0xE4))) {
        Json::Value parsed;
        QVERIFY(Json::Reader().parse(json.constData(), json.constData() + json.size(), parsed));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        const std::string fast = Json::FastWriter().write(parsed);
#pragma GCC diagnostic pop
        QCOMPARE(QByteArray::fromStdString(fast), json);
    }
}

void TestCheckTask::splitRecords_data()
{
    const QByteArray first = record(0, QStringLiteral("第一句"));
    const QByteArray stream = first + record(1) + record(-1);
    const qsizetype s = first.indexOf('S');
    const qsizetype c = first.indexOf('C');
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("cut");
    QTest::newRow("inside the raw digits") << stream << 1;
    QTest::newRow("right after S") << stream << int(s + 1);
    QTest::newRow("inside the packed digits") << stream << int(s + 2);
    QTest::newRow("right after C") << stream << int(c + 1);
    QTest::newRow("inside the zlib data") << stream << int(c + 6);
    QTest::newRow("inside the trailing bytes") << stream << int(first.size() - 2);
    QTest::newRow("one byte short of the trailer") << stream << int(first.size() - 1);
}

void TestCheckTask::splitRecords()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, cut);
    Harness h;
    h.task.start(requestOf(2));
    QVERIFY(h.waitForRequest(1));
    h.server.reply(0, StreamServer::stream({ stream.left(cut) }, false));
    // The client holds the piece and has delivered nothing yet.
    QTRY_COMPARE(h.task.pendingSize(), qint64(cut));
    QCOMPARE(h.results.size(), 0);
    h.server.sendChunk(0, stream.mid(cut));
    h.server.endReply(0);
    QVERIFY(h.finished.wait());
    QCOMPARE(h.sentences(), (QList<int>{ 0, 1, -1 }));
    const CResultState first = h.results.at(0).at(0).value<CResultState>();
    QCOMPARE(QString::fromUtf8(first.corrections.at(0).errorInfo), QStringLiteral("第一句"));
    const CResultState summary = h.results.at(2).at(0).value<CResultState>();
    QCOMPARE(summary.lexicalScore, 0.5);
    QCOMPARE(summary.syntaxScore, 0.75);
    QCOMPARE(h.finished.size(), 1);
    QCOMPARE(h.finishCode(), int(QNetworkReply::NoError));
    QCOMPARE(h.task.pendingSize(), 0);
}

void TestCheckTask::severalRecordsPerRead()
{
    Harness h;
    QByteArray all;
    for (int i = 0; i < 50; ++i)
        all += record(i);
    all += record(-1);
    h.server.enqueue(StreamServer::stream({ all, record(50) }));
    h.task.start(requestOf(51));
    QVERIFY(h.finished.wait());
    QList<int> expected;
    for (int i = 0; i < 50; ++i)
        expected.append(i);
    expected << -1 << 50;
    QCOMPARE(h.sentences(), expected);
    QCOMPARE(h.finishCode(), int(QNetworkReply::NoError));
}

void TestCheckTask::undecodableRecordsDropped_data()
{
    const QByteArray packed = encodeFrame(recordJson(1));
    const qsizetype c = packed.indexOf('C');
    QByteArray notZlib = packed;
    for (qsizetype i = c + 1; i < notZlib.size(); ++i)
        notZlib[i] = 'Q';
    QTest::addColumn<QByteArray>("bad");
    QTest::newRow("data that does not inflate") << (notZlib + Trailer);
    QTest::newRow("raw length too small to inflate")
        << ("5" + packed.mid(packed.indexOf('S')) + Trailer);
    QTest::newRow("inflates to garbage text") << (encodeFrame("not json {") + Trailer);
    QTest::newRow("inflates to a json array") << (encodeFrame("[1,2,3]") + Trailer);
    QTest::newRow("inflates to an empty text") << (encodeFrame(QByteArray()) + Trailer);
}

void TestCheckTask::undecodableRecordsDropped()
{
    QFETCH(QByteArray, bad);
    Harness h;
    h.server.enqueue(StreamServer::stream({ record(0), bad, record(2) + record(-1) }));
    h.task.start(requestOf(3));
    QVERIFY(h.finished.wait());
    QCOMPARE(h.sentences(), (QList<int>{ 0, 2, -1 }));
    QCOMPARE(h.finishCode(), int(QNetworkReply::NoError));
}

void TestCheckTask::unauthorized_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::newRow("one piece") << QList<QByteArray>{ "unauthorized" };
    QTest::newRow("two pieces") << QList<QByteArray>{ "unauth", "orized" };
}

void TestCheckTask::unauthorized()
{
    QFETCH(QList<QByteArray>, chunks);
    Harness h;
    h.task.start(sampleRequest());
    QVERIFY(h.waitForRequest(1));
    h.server.reply(0, StreamServer::stream({ chunks.first() }, false));
    if (chunks.size() > 1)
        QTRY_COMPARE(h.task.pendingSize(), qint64(chunks.first().size()));
    for (qsizetype i = 1; i < chunks.size(); ++i)
        h.server.sendChunk(0, chunks.at(i));
    h.server.endReply(0);
    QVERIFY(h.finished.wait());
    QCOMPARE(h.results.size(), 0);
    QCOMPARE(h.finishCode(), int(QNetworkReply::AuthenticationRequiredError));
    QCOMPARE(h.finishCode(), 204);
}

void TestCheckTask::networkErrors_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("records");
    QTest::newRow("connection refused") << 0 << int(QNetworkReply::ConnectionRefusedError) << 0;
    QTest::newRow("server error 500 with a page") << 1 << int(QNetworkReply::InternalServerError) << 0;
    QTest::newRow("server error 500 with a record") << 3 << int(QNetworkReply::InternalServerError) << 0;
    QTest::newRow("word budget spent 429") << 4 << int(CheckTask::WordBudgetSpentError) << 0;
    QTest::newRow("dropped in the middle of the stream") << 2 << int(QNetworkReply::RemoteHostClosedError) << 1;
    QTest::newRow("server too busy is a network error") << 5 << int(QNetworkReply::ServiceUnavailableError) << 0;
}

void TestCheckTask::networkErrors()
{
    QFETCH(int, mode);
    QFETCH(int, code);
    QFETCH(int, records);
    StreamServer server;
    CheckTask task(mode == 0 ? StreamServer::refusedHost() : server.host());
    QSignalSpy results(&task, &CheckTask::signalUpdateResult);
    QSignalSpy finished(&task, &CheckTask::signalFinished);
    task.start(sampleRequest());
    if (mode == 1 || mode == 3) {
        server.enqueue(StreamServer::whole(mode == 1 ? QByteArray("<html>oops</html>") : record(0), 500));
    } else if (mode == 4) {
        server.enqueue(StreamServer::whole("too many words in one minute", 429));
    } else if (mode == 5) {
        server.enqueue(StreamServer::whole("busy, try again later", 503));
    } else if (mode == 2) {
        QTRY_COMPARE(server.requestCount(), 1);
        server.reply(0, StreamServer::stream({ record(0) + encodeFrame(recordJson(1)).left(9) }, false));
        QTRY_COMPARE(results.size(), 1);
        server.drop(0);
    }
    QVERIFY(finished.wait());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).value<QNetworkReply::NetworkError>(), code);
    QCOMPARE(results.size(), records);
}

void TestCheckTask::brokenStreamStops_data()
{
    QTest::addColumn<QByteArray>("bad");
    QTest::newRow("raw length of 4 GB") << QByteArray("4294967296S12Cxxxxxxxxxxxx");
    QTest::newRow("packed length of 4 GB") << QByteArray("12S4294967296C");
    QTest::newRow("endless digits") << QByteArray(4096, '7');
    QTest::newRow("html error page") << QByteArray("<html><body>Bad gateway</body></html>");
    QTest::newRow("hex length") << QByteArray("0x1fS4C....");
}

void TestCheckTask::brokenStreamStops()
{
    QFETCH(QByteArray, bad);
    Harness h;
    h.task.start(sampleRequest());
    QVERIFY(h.waitForRequest(1));
    h.server.reply(0, StreamServer::stream({ record(0), bad }, false));
    QVERIFY(h.finished.wait());
    QCOMPARE(h.finishCode(), int(QNetworkReply::ProtocolFailure));
    QCOMPARE(h.sentences(), (QList<int>{ 0 }));
    QCOMPARE(h.task.pendingSize(), 0);
    QVERIFY(!h.task.isRunning());
    // The reply was given up: the connection closes and nothing more is delivered.
    QTRY_VERIFY(h.server.isClosed(0));
    h.server.sendChunk(0, record(1));
    h.server.endReply(0);
    QCoreApplication::processEvents();
    QCOMPARE(h.results.size(), 1);
    QCOMPARE(h.finished.size(), 1);
}

void TestCheckTask::timeout()
{
    Harness h;
    h.task.setTimeoutMs(300);
    h.server.enqueue(StreamServer::stream({ record(0) }, false));
    h.task.start(sampleRequest());
    QVERIFY(h.finished.wait());
    QCOMPARE(h.finishCode(), int(QNetworkReply::TimeoutError));
    QCOMPARE(h.finishCode(), 4);
    // Records decoded before the time-out stay delivered.
    QCOMPARE(h.sentences(), (QList<int>{ 0 }));
    // The abandoned reply is aborted, not left running.
    QTRY_VERIFY(h.server.isClosed(0));
    QVERIFY(!h.task.isRunning());
    QCOMPARE(h.finished.size(), 1);
}

void TestCheckTask::cancel()
{
    Harness h;
    h.server.enqueue(StreamServer::stream({ record(0) }, false));
    h.task.start(sampleRequest());
    QTRY_COMPARE(h.results.size(), 1);
    h.task.abort();
    QTRY_COMPARE(h.finished.size(), 1);
    QCOMPARE(h.finishCode(), int(QNetworkReply::OperationCanceledError));
    QCOMPARE(h.finishCode(), 5);
    // A second abort with nothing running reports nothing.
    h.task.abort();
    QCoreApplication::processEvents();
    QCOMPARE(h.finished.size(), 1);
}

void TestCheckTask::pendingClearedOnStart()
{
    Harness h;
    h.task.setTimeoutMs(300);
    // First check: half a record arrives, then the service stalls until the time-out.
    h.task.start(sampleRequest());
    QVERIFY(h.waitForRequest(1));
    const QByteArray half = record(7).left(12);
    h.server.reply(0, StreamServer::stream({ half }, false));
    QTRY_COMPARE(h.task.pendingSize(), qint64(half.size()));
    QVERIFY(h.finished.wait());
    QCOMPARE(h.finishCode(), int(QNetworkReply::TimeoutError));

    // Second check: its first record must not be glued to the leftover bytes.
    h.task.setTimeoutMs(100000);
    h.server.enqueue(StreamServer::stream({ record(0) + record(-1) }));
    h.task.start(sampleRequest());
    QCOMPARE(h.task.pendingSize(), 0);
    QTRY_COMPARE(h.finished.size(), 2);
    QCOMPARE(h.finishCode(1), int(QNetworkReply::NoError));
    QCOMPARE(h.sentences(), (QList<int>{ 0, -1 }));
}

void TestCheckTask::lateRecordNotDelivered()
{
    Harness h;
    h.task.setTimeoutMs(300);
    h.task.start(sampleRequest());
    QVERIFY(h.waitForRequest(1));
    h.server.reply(0, StreamServer::stream({}, false));
    QVERIFY(h.finished.wait());
    QCOMPARE(h.finishCode(), int(QNetworkReply::TimeoutError));

    // Next check starts; the abandoned reply's record comes late, then the new one's.
    h.task.setTimeoutMs(100000);
    h.task.start(sampleRequest());
    QVERIFY(h.waitForRequest(2));
    h.server.sendChunk(0, record(9));
    h.server.endReply(0);
    h.server.reply(1, StreamServer::stream({ record(0), record(-1) }));
    QTRY_COMPARE(h.finished.size(), 2);
    QCOMPARE(h.sentences(), (QList<int>{ 0, -1 }));
    QCOMPARE(h.finishCode(1), int(QNetworkReply::NoError));
}

void TestCheckTask::restartDropsRunningCheck()
{
    Harness h;
    h.task.start(requestOf(7));
    QVERIFY(h.waitForRequest(1));
    h.server.reply(0, StreamServer::stream({ record(5) }, false));
    QTRY_COMPARE(h.results.size(), 1);
    h.task.start(requestOf(7));
    QVERIFY(h.waitForRequest(2));
    h.server.sendChunk(0, record(6));
    h.server.reply(1, StreamServer::stream({ record(0) + record(-1) }));
    QTRY_COMPARE(h.finished.size(), 1);
    QCOMPARE(h.finishCode(), int(QNetworkReply::NoError));
    QCOMPARE(h.sentences(), (QList<int>{ 5, 0, -1 }));
    QTRY_VERIFY(h.server.isClosed(0));
    QCoreApplication::processEvents();
    QCOMPARE(h.finished.size(), 1);
}

void TestCheckTask::receiverAbortsDuringDelivery()
{
    // Three records in one read; the receiver cancels on the first.
    Harness h;
    QObject context;
    connect(&h.task, &CheckTask::signalUpdateResult, &context, [&h] { h.task.abort(); });
    h.server.enqueue(StreamServer::stream({ record(0) + record(1) + record(2) }, false));
    h.task.start(sampleRequest());
    QTRY_COMPARE(h.finished.size(), 1);
    QCOMPARE(h.finishCode(), int(QNetworkReply::OperationCanceledError));
    QCOMPARE(h.sentences(), (QList<int>{ 0 }));
    QCoreApplication::processEvents();
    QCOMPARE(h.finished.size(), 1);
}

QTEST_GUILESS_MAIN(TestCheckTask)
#include "tst_checktask.moc"
