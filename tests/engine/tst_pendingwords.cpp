// Words added to the personal word list go to the service at once and wait in the user's
// queue on disk until it takes them: a crash, an unreachable service or a restart loses none.

#include "support/scriptedhttpserver.h"
#include "pendingwordstore.h"
#include "userinformation.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace ZeltraLib;

namespace {

const QByteArray AddPath = "/NotPublic/UserWordBulkAdd.ashx";

QStringList sentWords(const ScriptedHttpServer &server)
{
    QStringList words;
    for (const QByteArray &body : server.bodies(AddPath)) {
        const QString text = QUrl::fromPercentEncoding(body);
        words += text.mid(text.indexOf(QStringLiteral("&words=")) + 7).split(u';', Qt::SkipEmptyParts);
    }
    return words;
}

} // namespace

class PendingWordsTest : public QObject
{
    Q_OBJECT

private slots:
    void wordSentAtOnce()
    {
        ScriptedHttpServer server;
        server.setReply(AddPath, "ok");
        QTemporaryDir dir;
        UserInformation info(server.host());
        info.setQueueDirectory(dir.path());
        info.setAccount(QStringLiteral("writer01"), QStringLiteral("KEY-1"));
        QSignalSpy uploaded(&info, &UserInformation::signalWordsUploaded);
        QCOMPARE(info.addWord(QStringLiteral("Zugzwang")), UserInformation::AddWordResult::Added);
        QVERIFY(uploaded.wait());
        QCOMPARE(uploaded.first().first().toBool(), true);
        QCOMPARE(sentWords(server), QStringList{QStringLiteral("Zugzwang")});
        QVERIFY(info.newWords().isEmpty());
        // Confirmed words leave no file behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    // The crash: the word was added while the service was down, the objects go away
    // without any upload, and the next start sends it.
    void queuedWordSurvivesACrash()
    {
        QTemporaryDir dir;
        {
            auto info = std::make_unique<UserInformation>(ScriptedHttpServer::refusingHost());
            info->setQueueDirectory(dir.path());
            info->setAccount(QStringLiteral("writer01"), QStringLiteral("KEY-1"));
            QSignalSpy uploaded(info.get(), &UserInformation::signalWordsUploaded);
            info->addWord(QStringLiteral("北京"));
            info->addWord(QStringLiteral("R&D"));
            QVERIFY(uploaded.wait());
            QCOMPARE(uploaded.first().first().toBool(), false);
            const QStringList files = QDir(dir.path()).entryList(QDir::Files);
            QCOMPARE(files.size(), 1);
            const QFileDevice::Permissions mode = QFile::permissions(dir.filePath(files.first()));
            QVERIFY(mode.testFlag(QFileDevice::ReadOwner) && mode.testFlag(QFileDevice::WriteOwner));
            QCOMPARE(int(mode & 0x0077), 0); // nobody else
        } // no uploadAll, no sign-out

        ScriptedHttpServer server;
        server.setReply(AddPath, "ok");
        UserInformation info(server.host());
        info.setQueueDirectory(dir.path());
        QSignalSpy uploaded(&info, &UserInformation::signalWordsUploaded);
        QVERIFY(info.setAccount(QStringLiteral("writer01"), QStringLiteral("KEY-2")));
        // Known at once, before the service answers.
        QVERIFY(info.contains(QStringLiteral("北京")));
        QVERIFY(uploaded.wait());
        QCOMPARE(sentWords(server), (QStringList{QStringLiteral("北京"), QStringLiteral("R&D")}));
        QVERIFY(server.bodies(AddPath).first().startsWith("sessionKey=KEY-2&"));
        QVERIFY(info.newWords().isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void queueIsPerUser()
    {
        QTemporaryDir dir;
        {
            UserInformation info(ScriptedHttpServer::refusingHost());
            info.setQueueDirectory(dir.path());
            info.setAccount(QStringLiteral("writer01"), QString());
            info.addWord(QStringLiteral("mine"));
        }
        UserInformation info(ScriptedHttpServer::refusingHost());
        info.setQueueDirectory(dir.path());
        QVERIFY(info.setAccount(QStringLiteral("writer02"), QString()));
        QVERIFY(info.newWords().isEmpty());
        QVERIFY(!info.contains(QStringLiteral("mine")));
        QVERIFY(info.setAccount(QStringLiteral("writer01"), QString()));
        QCOMPARE(info.newWords(), QStringList{QStringLiteral("mine")});
    }

    void answerDecidesWhatStays_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("kept");
        QTest::newRow("stored") << QByteArray("ok") << 200 << false;
        QTest::newRow("expired session is tried again") << QByteArray() << 403 << true;
        QTest::newRow("server error is tried again") << QByteArray("busy") << 503 << true;
        QTest::newRow("odd answer is tried again") << QByteArray("OK") << 200 << true;
        QTest::newRow("bad word is dropped") << QByteArray("Failure") << 400 << false;
        QTest::newRow("full list is dropped") << QByteArray("Failure") << 413 << false;
    }
    void answerDecidesWhatStays()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(bool, kept);
        ScriptedHttpServer server;
        server.setReply(AddPath, body, status);
        QTemporaryDir dir;
        UserInformation info(server.host());
        info.setQueueDirectory(dir.path());
        info.setAccount(QStringLiteral("writer01"), QStringLiteral("KEY-1"));
        QSignalSpy uploaded(&info, &UserInformation::signalWordsUploaded);
        info.addWord(QStringLiteral("Zugzwang"));
        QVERIFY(uploaded.wait());
        QCOMPARE(info.newWords().size(), kept ? 1 : 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), kept ? 1 : 0);
        // Still known for this session whatever the service said.
        QVERIFY(info.contains(QStringLiteral("Zugzwang")));
    }

    void retriedAfterTheInterval()
    {
        ScriptedHttpServer server;
        server.setReply(AddPath, QByteArray(), 503);
        UserInformation info(server.host());
        info.setRetryIntervalMs(20);
        info.setAccount(QStringLiteral("writer01"), QStringLiteral("KEY-1"));
        QSignalSpy uploaded(&info, &UserInformation::signalWordsUploaded);
        info.addWord(QStringLiteral("Zugzwang"));
        QVERIFY(uploaded.wait());
        server.setReply(AddPath, "ok");
        QTRY_VERIFY(info.newWords().isEmpty());
        QCOMPARE(server.count(AddPath), 2);
        QCOMPARE(uploaded.last().first().toBool(), true);
    }

    void newKeySendsTheQueue()
    {
        ScriptedHttpServer server;
        server.setReply(AddPath, "ok");
        UserInformation info(server.host());
        info.setAccount(QStringLiteral("writer01"), QString());
        info.addWord(QStringLiteral("Zugzwang"));
        QCOMPARE(server.count(AddPath), 0);
        QSignalSpy uploaded(&info, &UserInformation::signalWordsUploaded);
        info.setSessionKey(QStringLiteral("KEY-9"));
        QVERIFY(uploaded.wait());
        QVERIFY(server.bodies(AddPath).first().startsWith("sessionKey=KEY-9&"));
    }

    // One request at a time: words added while it is out follow it, and the end of the
    // session waits for its answer instead of sending the words twice.
    void whileARequestIsOut_data()
    {
        QTest::addColumn<bool>("sessionEnds");
        QTest::newRow("another word added") << false;
        QTest::newRow("the session ends") << true;
    }
    void whileARequestIsOut()
    {
        QFETCH(bool, sessionEnds);
        ScriptedHttpServer server;
        server.setReply(AddPath, "ok");
        server.setHeld(AddPath, true);
        UserInformation info(server.host());
        info.setAccount(QStringLiteral("writer01"), QStringLiteral("KEY-1"));
        info.addWord(QStringLiteral("one"));
        QTRY_COMPARE(server.count(AddPath), 1);
        QSignalSpy uploaded(&info, &UserInformation::signalUploaded);
        if (sessionEnds)
            info.uploadAll(QStringLiteral("KEY-1"), 0);
        else
            info.addWord(QStringLiteral("two"));
        QVERIFY(uploaded.isEmpty());
        server.setHeld(AddPath, false);
        server.release(AddPath);
        QTRY_VERIFY(info.newWords().isEmpty());
        const QStringList expected = sessionEnds ? QStringList{QStringLiteral("one")}
                                                 : QStringList{QStringLiteral("one"), QStringLiteral("two")};
        QCOMPARE(sentWords(server), expected);
        QCOMPARE(server.count(AddPath), int(expected.size()));
        QCOMPARE(uploaded.size(), sessionEnds ? 1 : 0);
    }

    void corruptQueueIsAClearError_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("garbage") << QByteArray("\x01\x02garbage");
        QTest::newRow("truncated") << QByteArray("{\"user\":\"writer01\",\"words\":[\"Zug");
        QTest::newRow("oversized") << QByteArray(PendingWordStore::MaxFileBytes + 1, ' ');
        QTest::newRow("another user's") << PendingWordStore::serialize(QStringLiteral("writer02"), {"x"});
        QTest::newRow("no list") << QByteArray("{\"user\":\"writer01\",\"words\":3}");
        QTest::newRow("not a word") << QByteArray("{\"user\":\"writer01\",\"words\":[\"a;b\"]}");
        QTest::newRow("control character") << QByteArray("{\"user\":\"writer01\",\"words\":[\"a\\u0001\"]}");
    }
    void corruptQueueIsAClearError()
    {
        QFETCH(QByteArray, data);
        QTemporaryDir dir;
        PendingWordStore probe(dir.path());
        probe.open(QStringLiteral("writer01"));
        QFile file(probe.filePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();

        ScriptedHttpServer server;
        server.setReply(AddPath, "ok");
        UserInformation info(server.host());
        info.setQueueDirectory(dir.path());
        info.setWordList({QStringLiteral("kept")});
        QVERIFY(!info.setAccount(QStringLiteral("writer01"), QStringLiteral("KEY-1")));
        QVERIFY(info.queueError().contains(probe.filePath()));
        // The file is kept aside as it was; the queue works on.
        QFile aside(probe.filePath() + QStringLiteral(".corrupt"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), data);
        QSignalSpy uploaded(&info, &UserInformation::signalWordsUploaded);
        info.addWord(QStringLiteral("Zugzwang"));
        QVERIFY(uploaded.wait());
        QCOMPARE(uploaded.first().first().toBool(), true);
    }

    void storeRoundTrip_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("chinese and signs") << QStringList{"北京", "R&D", "naïve", "\"quoted\""};
        QTest::newRow("outside the BMP") << QStringList{QString::fromUcs4(U"\U0001D49Cx", 2)};
    }
    void storeRoundTrip()
    {
        QFETCH(QStringList, words);
        QTemporaryDir dir;
        {
            PendingWordStore store(dir.path());
            QVERIFY(store.open(QStringLiteral("用户 01")));
            for (const QString &word : words)
                QVERIFY(store.append(word));
        }
        PendingWordStore store(dir.path());
        QVERIFY(store.open(QStringLiteral("用户 01")));
        QCOMPARE(store.words(), words);
    }

    void storeIsBounded()
    {
        PendingWordStore store; // in memory
        store.open(QStringLiteral("writer01"));
        for (int i = 0; i < PendingWordStore::MaxWords; ++i)
            QVERIFY(store.append(QStringLiteral("w%1").arg(i)));
        QVERIFY(!store.append(QStringLiteral("one more")));
        QCOMPARE(store.words().size(), PendingWordStore::MaxWords);
        QVERIFY(store.append(QStringLiteral("w0"))); // already waiting
    }
};

QTEST_GUILESS_MAIN(PendingWordsTest)
#include "tst_pendingwords.moc"
