#include "enrichmenttask.h"
#include "checktask.h"
#include "frame.h"
#include "support/streamserver.h"

#include <QSignalSpy>
#include <QTest>

using namespace ZeltraLib;

namespace {

const QByteArray PolishJson = QStringLiteral(
    R"({"clientVersion":"0.9.2.0","confidence":2,"sents":["It is a big house.","我们 are happy."],"session":"abc"})").toUtf8() + '\n';

QByteArray improve(int sentInd, const QString &correction)
{
    return QStringLiteral(R"({"sentInd":%1,"corrections":[{"start":8,"end":11,"errorType":"IMPROVE","errorInfo":"JJ","featureKeys":["big"],"candidates":[{"correction":"%2","candidateType":"REPLACE"}]}]})")
        .arg(sentInd).arg(correction).toUtf8();
}

struct Harness
{
    StreamServer server;
    EnrichmentTask task{ server.host() };
    QSignalSpy finished{ &task, &EnrichmentTask::signalFinished };

    int code() const { return finished.at(0).at(0).value<QNetworkReply::NetworkError>(); }
    QList<int> sentences() const
    {
        QList<int> out;
        for (const CResultState &s : task.results())
            out.append(s.sentInd);
        return out;
    }
};

} // namespace

class TestEnrichmentTask : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requestBody();
    void replies_data();
    void replies();
    void networkErrors_data();
    void networkErrors();
    void timeout();
    void cancel();
    void resultsClearedOnStart();
    void oversizedReplyStopped();
};

void TestEnrichmentTask::requestBody()
{
    Harness h;
    h.server.enqueue(StreamServer::whole(encodeFrame("[]\n")));
    h.task.start(PolishJson);
    QVERIFY(h.finished.wait());
    const StreamServer::Request &got = h.server.requests().at(0);
    QCOMPARE(got.method, QByteArray("POST"));
    QCOMPARE(got.path, QByteArray("/lexsub/"));
    QCOMPARE(got.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(got.headers.value("content-length").toLongLong(), got.body.size());
    QCOMPARE(decodeFrameStrict(got.body), PolishJson);
}

void TestEnrichmentTask::replies_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("sentences");

    const QByteArray twoOfThree = encodeFrame("[" + improve(0, "large") + "," + improve(2, "huge") + "]\n");
    QTest::newRow("sentences 0 and 2, none for 1") << QList<QByteArray>{ twoOfThree } << 0 << QList<int>{ 0, 2 };
    QTest::newRow("reply in pieces") << QList<QByteArray>{ twoOfThree.left(3), twoOfThree.mid(3, 9), twoOfThree.mid(12) }
                                     << 0 << QList<int>{ 0, 2 };
    QTest::newRow("empty array") << QList<QByteArray>{ encodeFrame("[]") } << 0 << QList<int>{};
    QTest::newRow("bytes after the frame are ignored") << QList<QByteArray>{ twoOfThree + "xyz" } << 0 << QList<int>{ 0, 2 };
    QTest::newRow("zero padding after the json") << QList<QByteArray>{ encodeFrame(QByteArray("[]\0\0\0", 5)) } << 0 << QList<int>{};
    QTest::newRow("unauthorized") << QList<QByteArray>{ "unauthorized" } << int(QNetworkReply::AuthenticationRequiredError) << QList<int>{};
    const int broken = int(QNetworkReply::ProtocolFailure);
    QTest::newRow("empty body") << QList<QByteArray>{} << broken << QList<int>{};
    QTest::newRow("garbage body") << QList<QByteArray>{ "<html>busy</html>" } << broken << QList<int>{};
    QTest::newRow("truncated frame") << QList<QByteArray>{ twoOfThree.left(twoOfThree.size() - 4) } << broken << QList<int>{};
    QTest::newRow("4 GB raw length") << QList<QByteArray>{ "4294967296S4Cabcd" } << broken << QList<int>{};
    QTest::newRow("data that does not inflate") << QList<QByteArray>{ "10S4Cabcd" } << broken << QList<int>{};
    QTest::newRow("object instead of array") << QList<QByteArray>{ encodeFrame(improve(0, "x")) } << broken << QList<int>{};
    QTest::newRow("one bad element") << QList<QByteArray>{ encodeFrame("[" + improve(0, "x") + ",7]") } << broken << QList<int>{};
}

void TestEnrichmentTask::replies()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, code);
    QFETCH(QList<int>, sentences);
    Harness h;
    StreamServer::Reply reply = StreamServer::stream(chunks);
    h.server.enqueue(reply);
    h.task.start(PolishJson);
    QVERIFY(h.finished.wait());
    QCOMPARE(h.finished.size(), 1);
    QCOMPARE(h.code(), code);
    QCOMPARE(h.sentences(), sentences);
    if (!sentences.isEmpty()) {
        const CorrectionRecord &r = h.task.results().at(1).corrections.at(0);
        QCOMPARE(r.category(), 7);
        QCOMPARE(r.candidates.at(0).correction, QByteArray("huge"));
        QCOMPARE(r.explanationQuery(), QStringLiteral("/?lexsub=big&pos=JJ"));
    }
    QVERIFY(!h.task.isRunning());
}

void TestEnrichmentTask::networkErrors_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("code");
    QTest::newRow("422 text unsuitable becomes 299") << 422 << 299;
    QTest::newRow("422 is unknown content") << 422 << int(QNetworkReply::UnknownContentError);
    QTest::newRow("429 word budget spent is told apart") << 429 << int(CheckTask::WordBudgetSpentError);
    QTest::newRow("500 server error") << 500 << int(QNetworkReply::InternalServerError);
    QTest::newRow("404 not found") << 404 << int(QNetworkReply::ContentNotFoundError);
    QTest::newRow("connection refused") << 0 << int(QNetworkReply::ConnectionRefusedError);
}

void TestEnrichmentTask::networkErrors()
{
    QFETCH(int, status);
    QFETCH(int, code);
    StreamServer server;
    const QString host = status == 0 ? StreamServer::refusedHost() : server.host();
    // An error page that is a valid frame must still not become results.
    server.enqueue(StreamServer::whole(encodeFrame("[" + improve(0, "x") + "]"), status));
    EnrichmentTask task(host);
    QSignalSpy finished(&task, &EnrichmentTask::signalFinished);
    task.start(PolishJson);
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).value<QNetworkReply::NetworkError>(), code);
    QVERIFY(task.results().isEmpty());
}

void TestEnrichmentTask::timeout()
{
    Harness h;
    h.task.setTimeoutMs(300);
    h.server.enqueue(StreamServer::stream({ encodeFrame("[]").left(4) }, false));
    h.task.start(PolishJson);
    QVERIFY(h.finished.wait());
    QCOMPARE(h.code(), int(QNetworkReply::TimeoutError));
    QTRY_VERIFY(h.server.isClosed(0));
    // The rest of the reply can no longer arrive.
    h.server.sendChunk(0, encodeFrame("[]").mid(4));
    h.server.endReply(0);
    QCoreApplication::processEvents();
    QCOMPARE(h.finished.size(), 1);
}

void TestEnrichmentTask::cancel()
{
    Harness h;
    h.task.start(PolishJson);
    QTRY_COMPARE(h.server.requestCount(), 1);
    h.task.abort();
    QTRY_COMPARE(h.finished.size(), 1);
    QCOMPARE(h.code(), int(QNetworkReply::OperationCanceledError));
    QCOMPARE(h.code(), 5);
}

void TestEnrichmentTask::resultsClearedOnStart()
{
    Harness h;
    h.server.enqueue(StreamServer::whole(encodeFrame("[" + improve(1, "vast") + "]")));
    h.task.start(PolishJson);
    QVERIFY(h.finished.wait());
    QCOMPARE(h.sentences(), QList<int>{ 1 });
    h.task.start(PolishJson);
    QVERIFY(h.task.results().isEmpty());
    h.server.enqueue(StreamServer::whole("garbage"));
    QTRY_COMPARE(h.finished.size(), 2);
    QVERIFY(h.task.results().isEmpty());
}

void TestEnrichmentTask::oversizedReplyStopped()
{
    Harness h;
    h.task.setMaxReplyBytes(64 * 1024);
    h.task.start(PolishJson);
    QTRY_COMPARE(h.server.requestCount(), 1);
    h.server.reply(0, StreamServer::stream({ "1000000S1000000C" }, false));
    const QByteArray piece(16 * 1024, 'z');
    for (int i = 0; i < 8; ++i)
        h.server.sendChunk(0, piece);
    QVERIFY(h.finished.wait());
    QCOMPARE(h.code(), int(QNetworkReply::ProtocolFailure));
    QTRY_VERIFY(h.server.isClosed(0));
    QVERIFY(h.task.results().isEmpty());
}

QTEST_GUILESS_MAIN(TestEnrichmentTask)
#include "tst_enrichmenttask.moc"
