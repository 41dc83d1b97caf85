#include "correctionrecord.h"
#include "explanation.h"
#include "support/streamserver.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ZeltraLib;

namespace {

CorrectionRecord grammarRecord()
{
    CorrectionRecord r;
    r.setCategory(4);
    r.explainType = "SVA";
    CandidateRecord c;
    c.correction = "goes";
    r.candidates.append(c);
    r.featureKeys = { "he go" };
    return r;
}

} // namespace

class TestExplanation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requestPath_data();
    void requestPath();
    void answerStored_data();
    void answerStored();
    void secondLookupAnsweredAtOnce();
    void emptyAnswerAsksAgain();
    void unreachableService();
    void forgottenRecordUntouched();
    void oversizedAnswerDropped();
};

void TestExplanation::requestPath_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QList<QByteArray>>("featureKeys");
    QTest::addColumn<QByteArray>("correction");
    QTest::addColumn<QByteArray>("path");
    QTest::newRow("grammar finding") << 4 << QList<QByteArray>{ "he go", "a/b" } << QByteArray("goes")
                                     << QByteArray("/?et=SVA&ct=goes&fk=he%20go&fk=a%2Fb");
    QTest::newRow("chinese key sent as utf-8")
        << 4 << QList<QByteArray>{ QStringLiteral("中文").toUtf8() } << QByteArray("goes")
        << QByteArray("/?et=SVA&ct=goes&fk=%E4%B8%AD%E6%96%87");
    QTest::newRow("polish finding") << 7 << QList<QByteArray>{ "large", "huge" } << QByteArray("x")
                                    << QByteArray("/?lexsub=large,huge&pos=JJ");
}

void TestExplanation::requestPath()
{
    QFETCH(int, category);
    QFETCH(QList<QByteArray>, featureKeys);
    QFETCH(QByteArray, correction);
    QFETCH(QByteArray, path);
    StreamServer server;
    server.enqueue(StreamServer::whole("ok"));
    CorrectionRecord record = grammarRecord();
    record.setCategory(category);
    record.featureKeys = featureKeys;
    record.candidates[0].correction = correction;
    record.errorInfo = "JJ";
    Explanation explanation(server.host(), 1, &record);
    QCOMPARE(explanation.baseUrl(), QStringLiteral("http://") + server.host());
    QSignalSpy spy(&explanation, &Explanation::signalExplanation);
    explanation.request();
    QVERIFY(spy.wait());
    QCOMPARE(server.requests().at(0).method, QByteArray("GET"));
    QCOMPARE(server.requests().at(0).path, path);
}

void TestExplanation::answerStored_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("chinese html") << 200 << QStringLiteral("<p>主语是第三人称单数时，动词用 goes。</p>").toUtf8()
                                  << QStringLiteral("<p>主语是第三人称单数时，动词用 goes。</p>");
    QTest::newRow("error page is still the text") << 404 << QByteArray("not found") << QStringLiteral("not found");
    QTest::newRow("invalid utf-8 replaced, not dropped") << 200 << QByteArray("a\xff" "b") << QString::fromUtf8("a\xff" "b");
}

void TestExplanation::answerStored()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    StreamServer server;
    server.enqueue(StreamServer::whole(body, status));
    CorrectionRecord record = grammarRecord();
    Explanation explanation(server.host(), 42, &record);
    QSignalSpy spy(&explanation, &Explanation::signalExplanation);
    explanation.request();
    QVERIFY(spy.wait());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<QObject *>(), &explanation);
    QCOMPARE(spy.at(0).at(1).toString(), text);
    QCOMPARE(record.explanation, text);
    QCOMPARE(explanation.tag(), 42);
}

void TestExplanation::secondLookupAnsweredAtOnce()
{
    StreamServer server;
    server.enqueue(StreamServer::whole("because"));
    CorrectionRecord record = grammarRecord();
    Explanation first(server.host(), 1, &record);
    QSignalSpy firstSpy(&first, &Explanation::signalExplanation);
    first.request();
    QVERIFY(firstSpy.wait());

    Explanation second(server.host(), 2, &record);
    QSignalSpy secondSpy(&second, &Explanation::signalExplanation);
    second.request();
    // Emitted inside request(), without a request to the service.
    QCOMPARE(secondSpy.size(), 1);
    QCOMPARE(secondSpy.at(0).at(1).toString(), QStringLiteral("because"));
    QCoreApplication::processEvents();
    QCOMPARE(server.requestCount(), 1);
}

void TestExplanation::emptyAnswerAsksAgain()
{
    StreamServer server;
    server.enqueue(StreamServer::whole(QByteArray(), 500));
    server.enqueue(StreamServer::whole("now it works"));
    CorrectionRecord record = grammarRecord();
    Explanation first(server.host(), 1, &record);
    QSignalSpy firstSpy(&first, &Explanation::signalExplanation);
    first.request();
    QVERIFY(firstSpy.wait());
    QCOMPARE(firstSpy.at(0).at(1).toString(), QString());

    Explanation second(server.host(), 2, &record);
    QSignalSpy secondSpy(&second, &Explanation::signalExplanation);
    second.request();
    QCOMPARE(secondSpy.size(), 0);
    QVERIFY(secondSpy.wait());
    QCOMPARE(secondSpy.at(0).at(1).toString(), QStringLiteral("now it works"));
    QCOMPARE(server.requestCount(), 2);
}

void TestExplanation::unreachableService()
{
    const QString host = StreamServer::refusedHost();
    CorrectionRecord record = grammarRecord();
    Explanation explanation(host, 1, &record);
    QSignalSpy spy(&explanation, &Explanation::signalExplanation);
    explanation.request();
    QVERIFY(spy.wait());
    QCOMPARE(spy.at(0).at(1).toString(), QString());
    QVERIFY(record.explanation.isEmpty());
}

void TestExplanation::forgottenRecordUntouched()
{
    StreamServer server;
    auto record = std::make_unique<CorrectionRecord>(grammarRecord());
    CorrectionRecord *raw = record.get();
    Explanation explanation(server.host(), 3, raw);
    QSignalSpy spy(&explanation, &Explanation::signalExplanation);
    explanation.request();
    QTRY_COMPARE(server.requestCount(), 1);
    // The finding goes away while the look-up runs.
    explanation.forgetRecord();
    CorrectionRecord survivor = *raw;
    record.reset();
    server.reply(0, StreamServer::whole("late"));
    QVERIFY(spy.wait());
    QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("late"));
    QVERIFY(survivor.explanation.isEmpty());
}

void TestExplanation::oversizedAnswerDropped()
{
    StreamServer server;
    CorrectionRecord record = grammarRecord();
    Explanation explanation(server.host(), 1, &record);
    QSignalSpy spy(&explanation, &Explanation::signalExplanation);
    explanation.request();
    QTRY_COMPARE(server.requestCount(), 1);
    server.reply(0, StreamServer::stream({}, false));
    const QByteArray piece(256 * 1024, 'x');
    for (qint64 sent = 0; sent <= Explanation::MaxBodyBytes; sent += piece.size())
        server.sendChunk(0, piece);
    QVERIFY(spy.wait());
    QCOMPARE(spy.at(0).at(1).toString(), QString());
    QVERIFY(record.explanation.isEmpty());
    QTRY_VERIFY(server.isClosed(0));
}

QTEST_GUILESS_MAIN(TestExplanation)
#include "tst_explanation.moc"
