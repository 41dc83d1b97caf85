// The usage collector: event counters, the personal word list, the correction log and
// word choices.

#include "userinformation.h"

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
