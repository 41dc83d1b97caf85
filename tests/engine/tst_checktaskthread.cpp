#include "checkstorage.h"
#include "checktaskthread.h"
#include "frame.h"
#include "polishmode.h"
#include "sentencechunk.h"
#include "servicehosts.h"
#include "support/scriptedhttpserver.h"
#include "titlechunk.h"
#include "vocabulary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace ZeltraLib;

namespace {

const QByteArray CheckPath = "/apps_compressed/";
const QByteArray PolishPath = "/lexsub/";
const QByteArray CountPath = "/NotPublic/UserCountBulkAdd.ashx";

// One reply record: a frame and the three bytes that follow every record.
QByteArray record(const QByteArray &json)
{
    return encodeFrame(json) + QByteArrayLiteral("\r\n\0").left(3);
}

// scoreErrors: the record's share of the summary's error count; negative: not sent.
QByteArray findingRecord(int sentence, const QByteArray &errorType, int start = 0, int end = 3,
                         int scoreErrors = -1)
{
    const QByteArray errors = scoreErrors < 0 ? QByteArray() : ",\"scoreErrors\":" + QByteArray::number(scoreErrors);
    return record("{\"sentInd\":" + QByteArray::number(sentence) + errors + ",\"corrections\":[{\"start\":"
                  + QByteArray::number(start) + ",\"end\":" + QByteArray::number(end)
                  + ",\"errorType\":\"" + errorType
                  + "\",\"candidates\":[{\"correction\":\"fix\",\"candidateType\":\"REPLACE\"}]}]}");
}

QJsonObject postedJson(const QByteArray &body)
{
    return QJsonDocument::fromJson(cutAtZero(decodeFrame(body))).object();
}

QList<int> intList(const QJsonValue &value)
{
    QList<int> list;
    for (const QJsonValue &v : value.toArray())
        list.append(v.toInt());
    return list;
}

QStringList stringList(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &v : value.toArray())
        list.append(v.toString());
    return list;
}

QList<QByteArray> bodiesOf(const ScriptedHttpServer &server, const QByteArray &path)
{
    QList<QByteArray> bodies;
    for (const auto &request : server.requests()) {
        if (request.path == path)
            bodies.append(request.body);
    }
    return bodies;
}

// The sentences of one text with their chunks (owned here, as the editor owns its own).
struct Text
{
    QStringList sentences;
    std::vector<std::unique_ptr<TextChunk>> owned;
    QList<TextChunk *> chunks;

    void add(const QString &sentence, int kind, int level = 2)
    {
        sentences << sentence;
        if (kind == 1)
            owned.push_back(std::make_unique<TitleChunk>());
        else
            owned.push_back(std::make_unique<SentenceChunk>());
        owned.back()->setConfidence(level);
        chunks << owned.back().get();
    }
};

} // namespace

class TestCheckTaskThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstCheckRequest();
    void secondCheckAnsweredFromCache();
    void cacheMatching_data();
    void cacheMatching();
    void resultsInArrivalOrder();
    void summaryKeepsScoresWithoutSignal();
    void categoryCountsAndUploads();
    void appendedFullStop_data();
    void appendedFullStop();
    void recordForUnknownSentenceIsDropped();
    void errorsPassThrough_data();
    void errorsPassThrough();
    void cancelDuringCacheLookup();
    void cancelDuringRequest();
    void restartEndsTheEarlierRun();
    void mismatchedChunksRefused();
    void polishRun();
    void missingVocabularyCountsNoLevels();

private:
    std::unique_ptr<CheckTaskThread> makeThread(const QString &host);
    // Runs a check and waits for its end; returns the delivered states.
    QList<CResultState> check(CheckTaskThread &thread, CheckStorage &storage, const Text &text,
                              QNetworkReply::NetworkError expected = QNetworkReply::NoError);

    QTemporaryDir m_dir;
    QString m_vocabularyPath;
    std::unique_ptr<ScriptedHttpServer> m_server;
};

void TestCheckTaskThread::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_vocabularyPath = m_dir.filePath(QStringLiteral("voc.dat"));
    Vocabulary::LevelTable levels;
    levels.insert(QStringLiteral("he"), {0});
    levels.insert(QStringLiteral("go"), {0});
    levels.insert(QStringLiteral("home"), {0});
    levels.insert(QStringLiteral("meticulous"), {4});
    levels.insert(QStringLiteral("essay"), {1});
    const Vocabulary vocabulary({{QStringLiteral("goes"), {QStringLiteral("go")}}}, levels,
                                {QStringLiteral("Tom")});
    QVERIFY(vocabulary.save(m_vocabularyPath));
}

void TestCheckTaskThread::init()
{
    m_server = std::make_unique<ScriptedHttpServer>();
    setPolishMode(false);
}

void TestCheckTaskThread::cleanup()
{
    setPolishMode(false);
    m_server.reset();
}

std::unique_ptr<CheckTaskThread> TestCheckTaskThread::makeThread(const QString &host)
{
    return std::make_unique<CheckTaskThread>(host, host, m_vocabularyPath);
}

QList<CResultState> TestCheckTaskThread::check(CheckTaskThread &thread, CheckStorage &storage,
                                               const Text &text, QNetworkReply::NetworkError expected)
{
    QSignalSpy states(&thread, &CheckTaskThread::signalUpdateState);
    QSignalSpy finished(&thread, &CheckTaskThread::signalFinished);
    thread.start(QStringLiteral("SESSION"), &storage, text.sentences, text.chunks);
    if (!finished.wait(10000))
        return {};
    QList<CResultState> result;
    for (const auto &args : states)
        result.append(args.at(0).value<CResultState>());
    if (finished.count() != 1 || finished.first().at(0).value<QNetworkReply::NetworkError>() != expected)
        qWarning("unexpected end of the check");
    return result;
}

void TestCheckTaskThread::firstCheckRequest()
{
    m_server->setReply(CheckPath, QByteArray());
    auto thread = makeThread(m_server->host());
    thread->setEnglishLevel(3);
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("My Trip"), 1, 3);
    text.add(QStringLiteral("He go home. "), 0, 3);
    text.add(QStringLiteral("It rains"), 0, 3);
    check(*thread, storage, text);

    QCOMPARE(m_server->count(CheckPath), 1);
    const QByteArray body = bodiesOf(*m_server, CheckPath).first();
    const QJsonObject json = postedJson(body);
    QCOMPARE(json.value("session").toString(), QStringLiteral("SESSION"));
    QCOMPARE(stringList(json.value("sents")),
             (QStringList{"My Trip", "He go home. ", "It rains."}));
    QCOMPARE(intList(json.value("configs")), (QList<int>{1, 0, 0}));
    QCOMPARE(json.value("clientVersion").toString(), QStringLiteral("Tessel ") + ClientVersion);
    const QJsonArray types = json.value("configTypes").toArray();
    QCOMPARE(types.size(), 2);
    QCOMPARE(stringList(types.at(0)).mid(stringList(types.at(0)).size() - 2),
             (QStringList{"server.confidence", "3"}));
    QCOMPARE(stringList(types.at(1)).mid(stringList(types.at(1)).size() - 2),
             (QStringList{"server.confidence", "3"}));
    QVERIFY(stringList(types.at(0)).contains("server.poststyle"));
    QVERIFY(!stringList(types.at(1)).contains("server.poststyle"));
    // The document's own texts are untouched.
    QCOMPARE(text.sentences.last(), QStringLiteral("It rains"));
}

void TestCheckTaskThread::secondCheckAnsweredFromCache()
{
    m_server->setReply(CheckPath, findingRecord(0, "NONWORD", 0, 3, 0) + findingRecord(2, "GRAMMAR", 5, 9, 2));
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("Teh cat sat. "), 0);
    text.add(QStringLiteral("All good here. "), 0);
    text.add(QStringLiteral("Then he go away."), 0);

    const QList<CResultState> first = check(*thread, storage, text);
    QCOMPARE(first.size(), 2);
    QCOMPARE(storage.size(), 2);
    QVERIFY(!postedJson(bodiesOf(*m_server, CheckPath).at(0)).contains("scoreErrors"));
    // The caller stores the sentences the service found nothing in.
    storage.addUnanswered(thread->sentences(), thread->chunks());
    QCOMPARE(storage.size(), 3);

    m_server->setReply(CheckPath, QByteArray());
    const QList<CResultState> second = check(*thread, storage, text);
    QCOMPARE(m_server->count(CheckPath), 2);
    const QJsonObject json = postedJson(bodiesOf(*m_server, CheckPath).at(1));
    QCOMPARE(intList(json.value("configs")), (QList<int>{-1, -1, -1}));
    // Each cached sentence sends back its share of the score, so the summary covers it.
    QCOMPARE(intList(json.value("scoreErrors")), (QList<int>{0, 0, 2}));
    QCOMPARE(stringList(json.value("sents")), text.sentences);
    QCOMPARE(thread->answeredFromStorage(), (QList<int>{0, 1, 2}));

    QCOMPARE(second.size(), 3);
    QCOMPARE(second.at(0).sentInd, 0);
    QCOMPARE(second.at(0).corrections.size(), 1);
    QCOMPARE(second.at(0).corrections.first().errorType, QByteArray("NONWORD"));
    QCOMPARE(second.at(1).sentInd, 1);
    QVERIFY(second.at(1).corrections.isEmpty());
    QCOMPARE(second.at(2).corrections.first().start, 5);
    QCOMPARE(second.at(2).corrections.first().end, 9);
    // Cached answers add nothing to the storage.
    QCOMPARE(storage.size(), 3);
}

void TestCheckTaskThread::cacheMatching_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("secondText");
    QTest::addColumn<int>("secondKind");
    QTest::addColumn<int>("secondLevel");
    QTest::addColumn<QList<int>>("expectedConfigs");

    const QString chinese = QStringLiteral("他 go home。");
    QTest::newRow("unchanged sentences are skipped") << chinese << "He go home." << 0 << 2 << QList<int>{-1, -1};
    QTest::newRow("changed English level is sent again") << chinese << "He go home." << 0 << 3 << QList<int>{-1, 0};
    QTest::newRow("changed text is sent again") << chinese << "He goes home." << 0 << 2 << QList<int>{-1, 0};
    QTest::newRow("same text as a title is sent again") << chinese << "He go home." << 1 << 2 << QList<int>{-1, 1};
    QTest::newRow("unchanged sentence after a new one is sent again")
        << "我们 go home。" << "He go home." << 0 << 2 << QList<int>{0, 0};
}

void TestCheckTaskThread::cacheMatching()
{
    QFETCH(QString, before);
    QFETCH(QString, secondText);
    QFETCH(int, secondKind);
    QFETCH(int, secondLevel);
    QFETCH(QList<int>, expectedConfigs);

    m_server->setReply(CheckPath, findingRecord(0, "GRAMMAR") + findingRecord(1, "STYLE"));
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text first;
    first.add(QStringLiteral("他 go home。"), 0);
    first.add(QStringLiteral("He go home."), 0);
    check(*thread, storage, first);
    QCOMPARE(storage.size(), 2);

    m_server->setReply(CheckPath, QByteArray());
    Text second;
    second.add(before, 0);
    second.add(secondText, secondKind, secondLevel);
    check(*thread, storage, second);
    const QJsonObject json = postedJson(bodiesOf(*m_server, CheckPath).at(1));
    QCOMPARE(intList(json.value("configs")), expectedConfigs);
}

void TestCheckTaskThread::resultsInArrivalOrder()
{
    // Cached sentence 1 first (from the lookup), then the service's records as they come.
    m_server->setReply(CheckPath, findingRecord(1, "STYLE"));
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("A b c. "), 0);
    text.add(QStringLiteral("D e f. "), 0);
    text.add(QStringLiteral("G h i. "), 0);
    text.add(QStringLiteral("J k l."), 0);
    check(*thread, storage, text);

    m_server->setReply(CheckPath, findingRecord(3, "NONWORD") + findingRecord(0, "REAL")
                                      + findingRecord(2, "MOPHOLOGY"));
    const QList<CResultState> states = check(*thread, storage, text);
    QList<int> order;
    for (const CResultState &state : states)
        order << state.sentInd;
    QCOMPARE(order, (QList<int>{1, 3, 0, 2}));
    QCOMPARE(states.at(0).corrections.first().errorType, QByteArray("STYLE"));
    QCOMPARE(states.at(2).corrections.first().errorType, QByteArray("REAL"));
}

void TestCheckTaskThread::summaryKeepsScoresWithoutSignal()
{
    m_server->setReply(CheckPath, findingRecord(0, "GRAMMAR")
                                      + record("{\"sentInd\":-1,\"lexicalScore\":71.5,"
                                               "\"syntaxScore\":64.25,\"corrections\":[]}"));
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("He go home."), 0);
    QCOMPARE(thread->lexicalScore(), -1.0);
    const QList<CResultState> states = check(*thread, storage, text);
    QCOMPARE(states.size(), 1);
    QCOMPARE(states.first().sentInd, 0);
    QCOMPARE(thread->lexicalScore(), 71.5);
    QCOMPARE(thread->syntaxScore(), 64.25);

    // A run without a summary starts from -1 again.
    m_server->setReply(CheckPath, QByteArray());
    text.sentences[0] = QStringLiteral("Other text.");
    check(*thread, storage, text);
    QCOMPARE(thread->lexicalScore(), -1.0);
    QCOMPARE(thread->syntaxScore(), -1.0);
}

void TestCheckTaskThread::categoryCountsAndUploads()
{
    QByteArray reply = record("{\"sentInd\":0,\"corrections\":["
                              "{\"errorType\":\"NONWORD\"},{\"errorType\":\"GRAMMAR\"},"
                              "{\"errorType\":\"GRAMMAR\"},{\"errorType\":\"grammar\"}]}");
    reply += record("{\"sentInd\":1,\"corrections\":[{\"errorType\":\"SUGGESTION\"},"
                    "{\"errorType\":\"STYLE\"},{\"errorType\":\"IMPROVE\"}]}");
    m_server->setReply(CheckPath, reply);
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("Tom goes home, he go home. "), 0);
    text.add(QStringLiteral("Meticulous essay!"), 0);
    check(*thread, storage, text);

    const QMap<int, int> expected{{1, 1}, {4, 2}, {5, 1}, {6, 1}, {7, 1}, {8, 1}};
    QCOMPARE(thread->categoryCounts(), expected);
    QTRY_COMPARE(m_server->count(CountPath), 3);
    QList<QByteArray> bodies = bodiesOf(*m_server, CountPath);
    std::sort(bodies.begin(), bodies.end());
    // Words: "Tom" known; "goes" via its base; "Meticulous" found in lower case;
    // "he", "go" and "home" twice at the base level.
    QCOMPARE(bodies.at(0), QByteArray("sessionKey=SESSION&group=check&data=SENTENSE:2;WORD:8;"));
    // Codes beyond the log's table are counted with "Other".
    QCOMPARE(bodies.at(1), QByteArray("sessionKey=SESSION&group=error&data=Nonword:1;Grammar:2;"
                                      "Style:1;Suggestion:1;Other:2;"));
    QCOMPARE(bodies.at(2), QByteArray("sessionKey=SESSION&group=level&data=BASE:5;CET4:1;CET6:0;"
                                      "IELTS:0;TOEFL:1;GRE:0;"));
    QCOMPARE(thread->statistics().wordCount, 8);
}

void TestCheckTaskThread::appendedFullStop_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("sent");
    QTest::newRow("no end mark gets a full stop") << "It rains" << "It rains.";
    QTest::newRow("full stop kept") << "It rains." << "It rains.";
    QTest::newRow("question mark kept") << "Does it rain?" << "Does it rain?";
    QTest::newRow("exclamation mark kept") << "Rain!" << "Rain!";
    QTest::newRow("closing quote kept") << "He said \"rain\"" << "He said \"rain\"";
    QTest::newRow("trailing spaces are not an end mark") << "It rains  " << "It rains  .";
    QTest::newRow("end mark before trailing space kept") << "It rains. " << "It rains. ";
    QTest::newRow("Chinese full stop is not an end mark") << "下雨了。" << "下雨了。.";
    QTest::newRow("Chinese text without mark") << "下雨了" << "下雨了.";
}

void TestCheckTaskThread::appendedFullStop()
{
    QFETCH(QString, last);
    QFETCH(QString, sent);
    m_server->setReply(CheckPath, QByteArray());
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("First one"), 0);
    text.add(last, 0);
    check(*thread, storage, text);
    const QJsonObject json = postedJson(bodiesOf(*m_server, CheckPath).first());
    QCOMPARE(stringList(json.value("sents")), (QStringList{"First one", sent}));
    QCOMPARE(text.sentences.last(), last);
}

void TestCheckTaskThread::recordForUnknownSentenceIsDropped()
{
    m_server->setReply(CheckPath, findingRecord(5, "GRAMMAR") + findingRecord(0, "STYLE"));
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("Only one."), 0);
    const QList<CResultState> states = check(*thread, storage, text);
    QCOMPARE(states.size(), 1);
    QCOMPARE(states.first().sentInd, 0);
    QCOMPARE(storage.size(), 1);
    QCOMPARE(thread->categoryCounts(), (QMap<int, int>{{5, 1}}));
}

void TestCheckTaskThread::errorsPassThrough_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("expected");
    QTest::newRow("unauthorized") << QByteArray("unauthorized") << 200
                                  << int(QNetworkReply::AuthenticationRequiredError);
    QTest::newRow("server error") << QByteArray("oops") << 500
                                  << int(QNetworkReply::InternalServerError);
}

void TestCheckTaskThread::errorsPassThrough()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(int, expected);
    m_server->setReply(CheckPath, body, status);
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("He go home."), 0);
    QSignalSpy finished(thread.get(), &CheckTaskThread::signalFinished);
    thread->start(QStringLiteral("S"), &storage, text.sentences, text.chunks);
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(int(finished.first().at(0).value<QNetworkReply::NetworkError>()), expected);
    QVERIFY(!thread->isRunning());
    QCOMPARE(storage.size(), 0);
}

void TestCheckTaskThread::cancelDuringCacheLookup()
{
    m_server->setReply(CheckPath, QByteArray());
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    for (int i = 0; i < 200; ++i)
        text.add(QStringLiteral("Sentence %1. ").arg(i), 0);
    storage.addUnanswered(text.sentences, text.chunks);
    QSignalSpy states(thread.get(), &CheckTaskThread::signalUpdateState);
    QSignalSpy finished(thread.get(), &CheckTaskThread::signalFinished);
    thread->start(QStringLiteral("S"), &storage, text.sentences, text.chunks);
    thread->cancel();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(0).value<QNetworkReply::NetworkError>(),
             QNetworkReply::OperationCanceledError);
    QVERIFY(!thread->isRunning());

    // Nothing of the cancelled run arrives later, and no check is posted for it:
    // the next run's request is the first one the service sees.
    Text other;
    other.add(QStringLiteral("Fresh one."), 0);
    check(*thread, storage, other);
    QCOMPARE(finished.count(), 2);
    QCOMPARE(states.count(), 0);
    QCOMPARE(m_server->count(CheckPath), 1);
    QCOMPARE(stringList(postedJson(bodiesOf(*m_server, CheckPath).first()).value("sents")),
             QStringList{"Fresh one."});
}

void TestCheckTaskThread::cancelDuringRequest()
{
    m_server->setHeld(CheckPath, true);
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("He go home."), 0);
    QSignalSpy finished(thread.get(), &CheckTaskThread::signalFinished);
    thread->start(QStringLiteral("S"), &storage, text.sentences, text.chunks);
    QTRY_COMPARE(m_server->count(CheckPath), 1);
    thread->cancel();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(0).value<QNetworkReply::NetworkError>(),
             QNetworkReply::OperationCanceledError);
    QVERIFY(!finished.wait(100));
}

void TestCheckTaskThread::restartEndsTheEarlierRun()
{
    setPolishMode(true);
    m_server->setHeld(PolishPath, true);
    m_server->setReply(CheckPath, findingRecord(0, "STYLE") + record("{\"sentInd\":-1,\"lexicalScore\":0.5,\"syntaxScore\":0.5}"));
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("He go home."), 0);
    QSignalSpy finished(thread.get(), &CheckTaskThread::signalFinished);
    QSignalSpy states(thread.get(), &CheckTaskThread::signalUpdateState);
    thread->start(QStringLiteral("S"), &storage, text.sentences, text.chunks);
    QTRY_COMPARE(m_server->count(PolishPath), 1);

    setPolishMode(false);
    thread->start(QStringLiteral("S"), &storage, text.sentences, text.chunks);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).value<QNetworkReply::NetworkError>(),
             QNetworkReply::OperationCanceledError);
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(finished.at(1).at(0).value<QNetworkReply::NetworkError>(), QNetworkReply::NoError);
    QCOMPARE(states.count(), 1);
    // The abandoned polish reply, answered late, ends nothing.
    m_server->release(PolishPath);
    QVERIFY(!finished.wait(200));
    QVERIFY(thread->polishResults().isEmpty());
}

void TestCheckTaskThread::mismatchedChunksRefused()
{
    auto thread = makeThread(m_server->host());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("One."), 0);
    QSignalSpy finished(thread.get(), &CheckTaskThread::signalFinished);
    thread->start(QStringLiteral("S"), &storage, text.sentences + QStringList{"Two."}, text.chunks);
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().at(0).value<QNetworkReply::NetworkError>(),
             QNetworkReply::ProtocolInvalidOperationError);
    QCOMPARE(m_server->count(CheckPath), 0);
}

void TestCheckTaskThread::polishRun()
{
    setPolishMode(true);
    m_server->setHeld(PolishPath, true);
    auto thread = makeThread(m_server->host());
    thread->setPolishLevel(1);
    thread->setProgressIntervalMs(20);
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("It is good. "), 0);
    text.add(QStringLiteral("我 like it"), 0);
    QSignalSpy progress(thread.get(), &CheckTaskThread::signalImpoveProgress);
    QSignalSpy finished(thread.get(), &CheckTaskThread::signalFinished);
    QSignalSpy states(thread.get(), &CheckTaskThread::signalUpdateState);
    thread->start(QStringLiteral("SESSION"), &storage, text.sentences, text.chunks);

    QTRY_COMPARE(m_server->count(PolishPath), 1);
    const QByteArray posted = cutAtZero(decodeFrame(bodiesOf(*m_server, PolishPath).first()));
    QCOMPARE(posted, QByteArray("{\"clientVersion\":\"0.9.2.0\",\"confidence\":1,\"sents\":"
                                "[\"It is good. \",\"\xe6\x88\x91 like it.\"],\"session\":\"SESSION\"}\n"));
    QTRY_VERIFY(progress.count() >= 2);
    QCOMPARE(progress.first().at(0).toInt(), 6);
    QCOMPARE(progress.at(1).at(0).toInt(), 7);

    const QByteArray array = "[{\"sentInd\":0,\"corrections\":[{\"errorType\":\"IMPROVE\","
                             "\"candidates\":[{\"correction\":\"fine\"}]}]},"
                             "{\"sentInd\":1,\"corrections\":[]}]";
    m_server->answerHeld(PolishPath, encodeFrame(array));
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().at(0).value<QNetworkReply::NetworkError>(), QNetworkReply::NoError);
    QCOMPARE(thread->polishResults().size(), 2);
    QCOMPARE(thread->polishResults().first().corrections.first().category(), 7);
    QCOMPARE(states.count(), 0);
    // Ticks stop with the end.
    const int ticks = int(progress.count());
    QVERIFY(!progress.wait(200)); // ten intervals
    QCOMPARE(int(progress.count()), ticks);
    // Statistics go up in both modes; the error counts only after a check.
    QTRY_COMPARE(m_server->count(CountPath), 2);
    QVERIFY(!m_server->requests().isEmpty());
    for (const QByteArray &body : bodiesOf(*m_server, CountPath))
        QVERIFY(!body.contains("group=error"));
    QCOMPARE(m_server->count(CheckPath), 0);
    QCOMPARE(storage.size(), 0);
}

void TestCheckTaskThread::missingVocabularyCountsNoLevels()
{
    m_server->setReply(CheckPath, QByteArray());
    CheckTaskThread thread(m_server->host(), m_server->host(),
                           m_dir.filePath(QStringLiteral("absent.dat")));
    QVERIFY(thread.vocabulary().isEmpty());
    CheckStorage storage;
    Text text;
    text.add(QStringLiteral("He go home."), 0);
    check(thread, storage, text);
    QCOMPARE(thread.statistics().wordCount, 3);
    QCOMPARE(thread.statistics().levelCounts, LevelCounts{});
    // Sentences and levels go up; a check without findings has no error counts.
    QTRY_COMPARE(m_server->count(CountPath), 2);
    for (const QByteArray &body : bodiesOf(*m_server, CountPath))
        QVERIFY(!body.contains("group=error"));
    QVERIFY(bodiesOf(*m_server, CountPath).contains(
        QByteArray("sessionKey=SESSION&group=level&data=BASE:0;CET4:0;CET6:0;IELTS:0;TOEFL:0;GRE:0;")));
}

QTEST_GUILESS_MAIN(TestCheckTaskThread)
#include "tst_checktaskthread.moc"
