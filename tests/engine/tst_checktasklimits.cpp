// CheckTask against hostile or broken check replies: replies that end early, replies
// far larger than their request, records for sentences that do not exist, and a fast
// stream that must not keep the event loop (and the time-out) from running.

#include "checktask.h"
#include "enrichmenttask.h"
#include "frame.h"
#include "support/streamserver.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace ZeltraLib;

namespace {
const QByteArray Trailer = QByteArrayLiteral("\r\n\n");

QByteArray record(int sentInd, const QByteArray &corrections = "[]")
{
    const QByteArray json = sentInd < 0
        ? "{\"sentInd\":" + QByteArray::number(sentInd) + ",\"lexicalScore\":0.5,\"syntaxScore\":0.5}\n"
        : "{\"sentInd\":" + QByteArray::number(sentInd) + ",\"corrections\":" + corrections + "}\n";
    return encodeFrame(json) + Trailer;
}

// A record whose inflated text is about `bytes` long (a long error text).
QByteArray bulkyRecord(int sentInd, qint64 bytes)
{
    const QByteArray info(bytes, 'x');
    return record(sentInd, "[{\"start\":0,\"end\":1,\"errorType\":\"GRAMMAR\",\"errorInfo\":\"" + info + "\"}]");
}

QByteArray corrections(int count, int candidates)
{
    QByteArray list;
    for (int c = 0; c < candidates; ++c)
        list += QByteArray(c ? "," : "") + "{\"correction\":\"a\"}";
    QByteArray out = "[";
    for (int i = 0; i < count; ++i)
        out += QByteArray(i ? "," : "") + "{\"start\":0,\"end\":1,\"errorType\":\"GRAMMAR\",\"candidates\":[" + list + "]}";
    return out + "]";
}

CheckRequest requestOf(int count)
{
    CheckRequest r;
    r.session = QStringLiteral("abc");
    for (int i = 0; i < count; ++i) {
        r.sents << QStringLiteral("Sentence %1.").arg(i);
        r.configs << 0;
    }
    return r;
}

struct Harness
{
    StreamServer server;
    CheckTask task{server.host()};
    QSignalSpy results{&task, &CheckTask::signalUpdateResult};
    QSignalSpy finished{&task, &CheckTask::signalFinished};

    QList<int> sentences() const
    {
        QList<int> out;
        for (const QList<QVariant> &args : results)
            out.append(args.at(0).value<CResultState>().sentInd);
        return out;
    }
    int finishCode() const { return finished.at(0).at(0).value<QNetworkReply::NetworkError>(); }
};
} // namespace

class TestCheckTaskLimits : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<CResultState>(); }

    // Only a stream that ends with its summary is a whole answer.
    void repliesThatEndEarlyFail_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("records");
        const int failure = int(QNetworkReply::ProtocolFailure);
        QTest::newRow("whole stream") << QList<QByteArray>{record(0) + record(1) + record(-1)} << 0 << 3;
        QTest::newRow("summary alone") << QList<QByteArray>{record(-1)} << 0 << 1;
        QTest::newRow("empty 200") << QList<QByteArray>{QByteArray()} << failure << 0;
        QTest::newRow("cut after the first record") << QList<QByteArray>{record(0)} << failure << 1;
        QTest::newRow("cut mid-record") << QList<QByteArray>{record(0), record(1).left(12)} << failure << 1;
        QTest::newRow("cut in the summary") << QList<QByteArray>{record(0) + record(1), record(-1).left(20)} << failure << 2;
        QTest::newRow("no summary") << QList<QByteArray>{record(0) + record(1)} << failure << 2;
        QTest::newRow("part of \"unauthorized\"") << QList<QByteArray>{"unauth"} << failure << 0;
        QTest::newRow("unauthorized") << QList<QByteArray>{"unauthorized"} << int(QNetworkReply::AuthenticationRequiredError) << 0;
    }

    void repliesThatEndEarlyFail()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, code);
        QFETCH(int, records);
        Harness h;
        h.server.enqueue(StreamServer::stream(chunks));
        h.task.start(requestOf(2));
        QVERIFY(h.finished.wait());
        QCOMPARE(h.finishCode(), code);
        QCOMPARE(h.results.size(), records);
        QVERIFY(!h.finished.wait(50));
    }

    // One record, or all of them, far beyond what the request could need: the reply is
    // given up; what came before stays delivered.
    void oversizedRepliesAreGivenUp_data()
    {
        QTest::addColumn<int>("sentences");
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("delivered");
        const int failure = int(QNetworkReply::ProtocolFailure);
        QTest::newRow("a record at the record limit")
            << 1 << QList<QByteArray>{bulkyRecord(0, CheckTask::MaxRecordBytes - 200) + record(-1)} << 0 << QList<int>{0, -1};
        QTest::newRow("a record beyond the record limit")
            << 2 << QList<QByteArray>{record(0), bulkyRecord(1, CheckTask::MaxRecordBytes)} << failure << QList<int>{0};
        // Refused from its header: its bytes never come.
        QTest::newRow("a header claiming 60 MB") << 2 << QList<QByteArray>{record(0) + "60000000S60000000C"} << failure << QList<int>{0};
        QTest::newRow("a packed length beyond the record limit")
            << 2 << QList<QByteArray>{record(0) + "100S900000C"} << failure << QList<int>{0};
        // 1 MiB and 32 KiB for one sentence; repeats of the sentence are not delivered but count.
        QList<QByteArray> flood;
        for (int i = 0; i < 6; ++i)
            flood << bulkyRecord(0, 200 * 1024);
        QTest::newRow("records beyond the reply budget") << 1 << flood << failure << QList<int>{0};
    }

    void oversizedRepliesAreGivenUp()
    {
        QFETCH(int, sentences);
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, code);
        QFETCH(QList<int>, delivered);
        Harness h;
        // A failing stream stalls at its end: only the limits can end it.
        h.server.enqueue(StreamServer::stream(chunks, code == 0));
        h.task.start(requestOf(sentences));
        QVERIFY(h.finished.wait());
        QCOMPARE(h.finishCode(), code);
        QCOMPARE(h.sentences(), delivered);
        QCOMPARE(h.task.pendingSize(), 0);
        QVERIFY(!h.task.isRunning());
    }

    void recordsOnlyForSentencesThatExist()
    {
        Harness h;
        h.server.enqueue(StreamServer::stream({record(0) + record(7) + record(2) + record(2) + record(-5)
                                               + record(-1) + record(1)}));
        h.task.start(requestOf(3));
        QVERIFY(h.finished.wait());
        QCOMPARE(h.finishCode(), int(QNetworkReply::NoError));
        QCOMPARE(h.sentences(), (QList<int>{0, 2, -5, 1}));
    }

    void correctionsAndCandidatesAreCapped_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("candidates");
        QTest::newRow("within the caps") << CheckTask::MaxCorrections << CheckTask::MaxCandidates;
        QTest::newRow("300 corrections of 40 candidates") << 300 << 40;
    }

    void correctionsAndCandidatesAreCapped()
    {
        QFETCH(int, count);
        QFETCH(int, candidates);
        Harness h;
        h.server.enqueue(StreamServer::stream({record(0, corrections(count, candidates)) + record(-1)}));
        h.task.start(requestOf(1));
        QVERIFY(h.finished.wait());
        QCOMPARE(h.finishCode(), int(QNetworkReply::NoError));
        const CResultState state = h.results.at(0).at(0).value<CResultState>();
        QCOMPARE(state.corrections.size(), qMin(count, CheckTask::MaxCorrections));
        for (const CorrectionRecord &c : state.corrections)
            QCOMPARE(c.candidates.size(), qMin(candidates, CheckTask::MaxCandidates));
    }

    // A polish reply may inflate to 1 MiB plus 64 bytes per byte of its request.
    void polishRepliesAreBoundedByTheirRequest_data()
    {
        QTest::addColumn<QByteArray>("array");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("corrections"); // of the first result
        const QByteArray one = "{\"sentInd\":0,\"corrections\":" + corrections(3, 2) + "}";
        const QByteArray capped = "{\"sentInd\":0,\"corrections\":" + corrections(300, 40) + "}";
        const QByteArray padding(EnrichmentTask::BaseReplyBytes + 100 * EnrichmentTask::ReplyBytesPerRequestByte, ' ');
        QTest::newRow("small reply") << "[" + one + "]" << 0 << 3;
        QTest::newRow("corrections beyond the caps") << "[" + capped + "]" << 0 << CheckTask::MaxCorrections;
        QTest::newRow("inflated size beyond the bound") << "[" + one + padding + "]" << int(QNetworkReply::ProtocolFailure) << -1;
    }

    void polishRepliesAreBoundedByTheirRequest()
    {
        QFETCH(QByteArray, array);
        QFETCH(int, code);
        QFETCH(int, corrections);
        StreamServer server;
        EnrichmentTask task(server.host());
        QSignalSpy finished(&task, &EnrichmentTask::signalFinished);
        server.enqueue(StreamServer::whole(encodeFrame(array)));
        const QByteArray request = "{\"clientVersion\":\"0.9.2.0\",\"confidence\":1,\"sents\":[\"Hi.\"],\"session\":\"abc\"}\n";
        QVERIFY(request.size() < 100); // the padding above is beyond its bound
        task.start(request);
        QVERIFY(finished.wait());
        QCOMPARE(finished.at(0).at(0).value<QNetworkReply::NetworkError>(), code);
        QCOMPARE(task.results().isEmpty() ? -1 : int(task.results().at(0).corrections.size()), corrections);
        for (const CResultState &state : task.results()) {
            for (const CorrectionRecord &c : state.corrections)
                QVERIFY(c.candidates.size() <= CheckTask::MaxCandidates);
        }
    }

    // A fast stream of many records: the event loop runs between them, so a time-out
    // fires in the middle instead of after the whole stream.
    void decodingYieldsToTheEventLoop()
    {
        Harness h;
        QByteArray all;
        const int count = 3000;
        for (int i = 0; i < count; ++i)
            all += record(i);
        all += record(-1);
        h.server.enqueue(StreamServer::stream({all}));
        h.task.setSliceMs(0);
        int seenByTimer = -1;
        connect(&h.task, &CheckTask::signalUpdateResult, this, [&] {
            if (h.results.size() != 1)
                return;
            QTimer::singleShot(0, this, [&] { seenByTimer = int(h.results.size()); });
            h.task.setTimeoutMs(1); // restarts the running time-out
        });
        h.task.start(requestOf(count));
        QVERIFY(h.finished.wait());
        QCOMPARE(h.finishCode(), int(QNetworkReply::TimeoutError));
        QVERIFY(h.results.size() < count);
        QVERIFY(seenByTimer >= 1 && seenByTimer < count);
    }
};

QTEST_GUILESS_MAIN(TestCheckTaskLimits)
#include "tst_checktasklimits.moc"
