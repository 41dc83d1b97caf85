// The usage collector: event counters, the personal word list, the correction log and
// word choices.

#include "support/scriptedhttpserver.h"
#include "userinformation.h"

#include <QSignalSpy>
#include <QTest>

using namespace ZeltraLib;

class UserInformationTest : public QObject
{
    Q_OBJECT

private slots:
    void countsEvents()
    {
        UserInformation info(QStringLiteral("127.0.0.1:1"));
        for (int i = 0; i < 3; ++i)
            info.countEvent(QStringLiteral("Main_Check"));
        info.countEvent(QStringLiteral("Tip_Go"));
        info.countEvent(QString());
        QCOMPARE(info.eventCount(QStringLiteral("Main_Check")), 3);
        QCOMPARE(info.eventCount(QStringLiteral("Tip_Go")), 1);
        QCOMPARE(info.eventCount(QStringLiteral("Main_Next")), 0);
        QCOMPARE(info.eventCounts().size(), 2);
        info.reset();
        QVERIFY(info.eventCounts().isEmpty());
    }

    void wordListComparesExactly_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("contained");
        QTest::newRow("same word") << "Zelkova" << true;
        QTest::newRow("other case") << "zelkova" << false;
        QTest::newRow("Chinese word") << "银杏" << true;
        QTest::newRow("prefix only") << "Zelk" << false;
        QTest::newRow("empty") << "" << false;
    }
    void wordListComparesExactly()
    {
        QFETCH(QString, word);
        QFETCH(bool, contained);
        UserInformation info(QStringLiteral("127.0.0.1:1"));
        info.setWordList({QStringLiteral("Zelkova"), QStringLiteral("银杏")});
        QCOMPARE(info.contains(word), contained);
    }

    void sessionWordsSurviveAFetchedList()
    {
        UserInformation info(QStringLiteral("127.0.0.1:1"));
        info.addWord(QStringLiteral("freinds"));
        info.setWordList({QStringLiteral("Zelkova")});
        QVERIFY(info.contains(QStringLiteral("freinds")));
        QVERIFY(info.contains(QStringLiteral("Zelkova")));
        QCOMPARE(info.newWords(), QStringList{QStringLiteral("freinds")});
        info.addWord(QString());
        QCOMPARE(info.newWords().size(), 1);
    }

    void addWordKeepsTheLimits_data()
    {
        using R = UserInformation::AddWordResult;
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("listed");
        QTest::addColumn<int>("result");
        QTest::newRow("plain word") << "Zugzwang" << 0 << int(R::Added);
        QTest::newRow("64 letters") << QString(64, QLatin1Char('a')) << 0 << int(R::Added);
        QTest::newRow("65 letters") << QString(65, QLatin1Char('a')) << 0 << int(R::TooLong);
        QTest::newRow("64 chinese characters") << QString(64, QChar(0x8BCD)) << 0 << int(R::Added);
        QTest::newRow("64 characters outside the BMP")
            << QString::fromUcs4(std::u32string(64, U'\U0001D49C').data(), 64) << 0 << int(R::Added);
        QTest::newRow("separator inside") << "a;b" << 0 << int(R::TooLong);
        QTest::newRow("already listed") << "w1" << 5 << int(R::AlreadyListed);
        QTest::newRow("list full") << "new" << UserInformation::MaxWords << int(R::ListFull);
        QTest::newRow("one place left") << "new" << UserInformation::MaxWords - 1 << int(R::Added);
        QTest::newRow("empty") << "" << 0 << int(R::Empty);
    }
    void addWordKeepsTheLimits()
    {
        QFETCH(QString, word);
        QFETCH(int, listed);
        QFETCH(int, result);
        UserInformation info(QStringLiteral("127.0.0.1:1"));
        QStringList list;
        for (int i = 0; i < listed; ++i)
            list << QStringLiteral("w%1").arg(i);
        info.setWordList(list);
        QCOMPARE(int(info.addWord(word)), result);
        const bool added = result == int(UserInformation::AddWordResult::Added);
        QCOMPARE(info.newWords().size(), added ? 1 : 0);
        QCOMPARE(info.wordList().size(), listed + (added ? 1 : 0));
    }

    void fetchedListIsUtf8_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("chinese and latin") << QByteArray("Zeltra;北京;R&D") << 200 << QStringList{"Zeltra", "北京", "R&D"};
        QTest::newRow("every item ends in a separator") << QByteArray("a;b;") << 200 << QStringList{"a", "b"};
        QTest::newRow("empty list") << QByteArray() << 200 << QStringList{};
        QTest::newRow("refused session") << QByteArray("denied") << 403 << QStringList{};
        QTest::newRow("oversized reply gives no words") << QByteArray(5 * 1024 * 1024, 'a') << 200 << QStringList{};
        QTest::newRow("broken utf-8 stays one word") << QByteArray("ok;b\xe4\xb8") << 200 << QStringList{"ok", QString::fromUtf8("b\xe4\xb8")};
    }
    void fetchedListIsUtf8()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, status);
        QFETCH(QStringList, words);
        ScriptedHttpServer server;
        server.setReply("/NotPublic/UserWordList.ashx", reply, status);
        UserInformation info(server.host());
        info.addWord(QStringLiteral("session"));
        QSignalSpy changed(&info, &UserInformation::signalWordListChanged);
        info.reset(QStringLiteral("KEY-1"));
        QVERIFY(changed.wait());
        QCOMPARE(server.bodies("/NotPublic/UserWordList.ashx"), QList<QByteArray>{"sessionKey=KEY-1"});
        // The word not yet on the service stays listed.
        QCOMPARE(info.wordList(), words + QStringList{QStringLiteral("session")});
        // Without a key nothing is asked.
        info.fetchWordList(QString());
        QCOMPARE(server.count("/NotPublic/UserWordList.ashx"), 1);
    }

    void wordClientReportsOnlyOk_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("ok");
        QTest::newRow("add ok") << false << QByteArray("ok") << 200 << true;
        QTest::newRow("add, other case") << false << QByteArray("OK") << 200 << false;
        QTest::newRow("add refused") << false << QByteArray("Failure: the word list holds at most 10000 words") << 413 << false;
        QTest::newRow("remove ok") << true << QByteArray("ok") << 200 << true;
        QTest::newRow("remove, ok with an error status") << true << QByteArray("ok") << 500 << false;
    }
    void wordClientReportsOnlyOk()
    {
        QFETCH(bool, remove);
        QFETCH(QByteArray, reply);
        QFETCH(int, status);
        QFETCH(bool, ok);
        const QByteArray path = remove ? "/NotPublic/UserWordBulkRemove.ashx" : "/NotPublic/UserWordBulkAdd.ashx";
        ScriptedHttpServer server;
        server.setReply(path, reply, status);
        UserNewWord client(server.host());
        QSignalSpy finished(&client, remove ? &UserNewWord::RemoveUserWordFinished : &UserNewWord::AddUserWordFinished);
        const QStringList words{QStringLiteral("北京"), QStringLiteral("R&D")};
        if (remove)
            client.removeUserWord(QStringLiteral("KEY-1"), words);
        else
            client.addUserWord(QStringLiteral("KEY-1"), words);
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().first().toBool(), ok);
        // "&" is escaped so that it cannot start a forged field.
        QCOMPARE(QString::fromUtf8(server.bodies(path).first()), QStringLiteral("sessionKey=KEY-1&words=北京;R%26D;"));
        // Nothing is sent without a key or without words.
        client.addUserWord(QString(), words);
        client.removeUserWord(QStringLiteral("KEY-1"), {});
        QCOMPARE(server.count(path), 1);
    }

    void uploadAllSendsEachPartOnce_data()
    {
        QTest::addColumn<bool>("withData");
        QTest::addColumn<QByteArray>("wordReply");
        QTest::addColumn<bool>("wordsKept");
        QTest::newRow("accepted words") << true << QByteArray("ok") << false;
        QTest::newRow("refused words stay for the next try") << true << QByteArray("OK") << true;
        QTest::newRow("nothing to send") << false << QByteArray("ok") << false;
    }
    void uploadAllSendsEachPartOnce()
    {
        QFETCH(bool, withData);
        QFETCH(QByteArray, wordReply);
        QFETCH(bool, wordsKept);
        ScriptedHttpServer server;
        server.setReply("/NotPublic/UserWordBulkAdd.ashx", wordReply);
        UserInformation info(server.host());
        if (withData) {
            info.addWord(QStringLiteral("北京"));
            info.addWord(QStringLiteral("Zugzwang"));
            info.addErrorLogEntry(QStringLiteral("teh"), QStringLiteral("the"));
            info.countEvent(QStringLiteral("Main_Check"));
            info.addChoice({QStringLiteral("It is good."), 6, 4, QStringLiteral("fine")});
        }
        QSignalSpy uploaded(&info, &UserInformation::signalUploaded);
        info.uploadAll(QStringLiteral("KEY-1"), 2);
        QCOMPARE(info.uploadReason(), 2);
        if (withData)
            QTRY_COMPARE(uploaded.size(), 1);
        QCOMPARE(uploaded.size(), 1);
        const int each = withData ? 1 : 0;
        QCOMPARE(server.count("/NotPublic/UserWordBulkAdd.ashx"), each);
        QCOMPARE(server.count("/NotPublic/UserErrorLogBulkAdd.ashx"), each);
        QCOMPARE(server.count("/NotPublic/UserCountBulkAdd.ashx"), each);
        QCOMPARE(server.count("/NotPublic/UserChooseBulkAdd.ashx"), each);
        if (withData)
            QCOMPARE(QString::fromUtf8(server.bodies("/NotPublic/UserWordBulkAdd.ashx").first()),
                     QStringLiteral("sessionKey=KEY-1&words=北京;Zugzwang;"));
        QCOMPARE(info.newWords().isEmpty(), !wordsKept || !withData);
        QVERIFY(info.contains(QStringLiteral("北京")) == withData);
    }

    void uploadWithoutKeyStillEnds()
    {
        UserInformation info(QStringLiteral("127.0.0.1:1"));
        info.countEvent(QStringLiteral("Main_Check"));
        QSignalSpy uploaded(&info, &UserInformation::signalUploaded);
        info.uploadAll(QString(), 1);
        QCOMPARE(uploaded.size(), 1);
    }

    void correctionLog_data()
    {
        using Log = QList<UserInformation::ErrorLogEntry>;
        QTest::addColumn<int>("previousIndex");
        QTest::addColumn<int>("currentIndex");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("previousCandidate");
        QTest::addColumn<Log>("expected");
        const Log before{{"tset", "test"}};
        QTest::newRow("first apply adds") << -2 << 0 << "test" << "" << Log{{"tset", "test"}, {"tset", "test"}};
        QTest::newRow("apply after a revert adds") << -1 << 1 << "set" << "" << Log{{"tset", "test"}, {"tset", "set"}};
        QTest::newRow("other candidate replaces") << 0 << 1 << "set" << "test" << Log{{"tset", "set"}};
        QTest::newRow("revert removes") << 0 << -1 << "tset" << "test" << Log{};
        QTest::newRow("revert of an unlogged one changes nothing") << 1 << -1 << "tset" << "set" << before;
    }
    void correctionLog()
    {
        using Log = QList<UserInformation::ErrorLogEntry>;
        QFETCH(int, previousIndex);
        QFETCH(int, currentIndex);
        QFETCH(QString, now);
        QFETCH(QString, previousCandidate);
        QFETCH(Log, expected);
        UserInformation info(QStringLiteral("127.0.0.1:1"));
        info.addErrorLogEntry(QStringLiteral("tset"), QStringLiteral("test"));
        info.recordSpellingCorrection(QStringLiteral("tset"), previousIndex, currentIndex, now, previousCandidate);
        QCOMPARE(info.errorLog(), expected);
        info.reset();
        QCOMPARE(info.errorLog(), expected); // the log outlives a reset
    }

    void choices_data()
    {
        QTest::addColumn<QString>("secondWord");
        QTest::addColumn<int>("secondIndex");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("same place replaces") << "excellent" << 3 << QStringList{"excellent"};
        QTest::newRow("empty chosen word keeps both") << "" << 3 << QStringList{"great", ""};
        QTest::newRow("other place keeps both") << "excellent" << 4 << QStringList{"great", "excellent"};
    }
    void choices()
    {
        QFETCH(QString, secondWord);
        QFETCH(int, secondIndex);
        QFETCH(QStringList, kept);
        UserInformation info(QStringLiteral("127.0.0.1:1"));
        const QString sentence = QStringLiteral("It is a good time.");
        info.addChoice({sentence, 3, 4, QStringLiteral("great")});
        info.addChoice({sentence, secondIndex, 4, secondWord});
        QStringList words;
        for (const WordChoice &c : info.choices())
            words << c.chooseWord;
        QCOMPARE(words, kept);
    }
};

QTEST_GUILESS_MAIN(UserInformationTest)
#include "tst_userinformation.moc"
