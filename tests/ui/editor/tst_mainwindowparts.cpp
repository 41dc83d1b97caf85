// The main window's helpers: word limits, finish messages, statistics, history, text files.

#include "checkmessages.h"
#include "checkstatistics.h"
#include "checktask.h"
#include "custommessagebox.h"
#include "configstore.h"
#include "globalstores.h"
#include "textfileio.h"
#include "wordcountlimit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class MainWindowPartsTest : public QObject
{
    Q_OBJECT

private slots:
    void wordLimits_data()
    {
        QTest::addColumn<QList<int>>("checks");
        QTest::addColumn<QList<int>>("verdicts");
        QTest::addColumn<int>("used");
        const int ok = WordCountLimit::Allowed;
        const int one = WordCountLimit::TooManyForOneCheck;
        const int minute = WordCountLimit::TooManyThisMinute;
        QTest::newRow("10000 pass") << QList<int>{10000} << QList<int>{ok} << 10000;
        QTest::newRow("10001 refused, nothing used") << QList<int>{10001} << QList<int>{one} << 0;
        QTest::newRow("three full checks pass, a fourth is refused")
            << QList<int>{10000, 10000, 10000, 1} << QList<int>{ok, ok, ok, minute} << 30000;
        QTest::newRow("a refused check leaves room for a smaller one")
            << QList<int>{10000, 10000, 9500, 1000, 500} << QList<int>{ok, ok, ok, minute, ok} << 30000;
        QTest::newRow("empty text uses nothing") << QList<int>{0} << QList<int>{ok} << 0;
    }
    void wordLimits()
    {
        QFETCH(QList<int>, checks);
        QFETCH(QList<int>, verdicts);
        QFETCH(int, used);
        WordCountLimit limit([] { return qint64(0); });
        for (int i = 0; i < checks.size(); ++i)
            QCOMPARE(int(limit.request(checks.at(i))), verdicts.at(i));
        QCOMPARE(limit.usedWords(), used);
        QCOMPARE(limit.wordsLeft(), 30000 - used);
    }

    void countDownSeconds_data()
    {
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<int>("seconds");
        QTest::newRow("start of the minute") << qint64(0) << 60;
        QTest::newRow("part of a second counts as none") << qint64(999) << 60;
        QTest::newRow("20.5 s in") << qint64(20500) << 40;
        QTest::newRow("late timer never goes negative") << qint64(75000) << 0;
    }
    void countDownSeconds()
    {
        QFETCH(qint64, elapsedMs);
        QFETCH(int, seconds);
        qint64 now = 1000000;
        WordCountLimit limit([&now] { return now; });
        now += elapsedMs;
        QCOMPARE(limit.secondsLeft(), seconds);
        limit.request(500);
        limit.reset();
        QCOMPARE(limit.usedWords(), 0);
        QCOMPARE(limit.secondsLeft(), 60);
    }

    void finishMessages_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("polish");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("choice"); // when the box is accepted
        const QString perMinute = QStringLiteral("Pennova每分钟最多检查30,000个单词\n您提交的总词数过多，请稍候。");
        const int budget = ZeltraLib::CheckTask::WordBudgetSpentError;
        QTest::newRow("word budget spent in a check") << budget << false << "提交词数过多" << perMinute
                                                      << int(CheckMessages::NoChoice);
        QTest::newRow("word budget spent in a polish") << budget << true << "提交词数过多" << perMinute
                                                       << int(CheckMessages::NoChoice);
        QTest::newRow("polish refusing the text is no budget")
            << int(QNetworkReply::UnknownContentError) << true << "请注意！"
            << "您输入的文本过短，或大部分属于\n直接引用（在引号内）\n请调整后再使用润色功能。" << int(CheckMessages::NoChoice);
        QTest::newRow("service error offers diagnosis") << int(QNetworkReply::UnknownContentError) << false << "错误"
                                                        << "无法连接到服务器，请重试！" << int(CheckMessages::Diagnosis);
    }
    void finishMessages()
    {
        QFETCH(int, code);
        QFETCH(bool, polish);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, choice);
        QStringList shown;
        CustomMessageBox::setAutoAnswer([&shown](CustomMessageBox &box) {
            shown << box.title() << box.text();
            return int(QDialog::Accepted);
        });
        const CheckMessages::Choice made = CheckMessages::showFinish(nullptr, code, polish, false);
        CustomMessageBox::setAutoAnswer({});
        QCOMPARE(shown, (QStringList{title, text}));
        QCOMPARE(int(made), choice);
    }

    void statisticsKinds_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("kind");
        QTest::newRow("nonword is spelling") << 1 << int(CheckStatistics::Spelling);
        QTest::newRow("real word is spelling") << 2 << int(CheckStatistics::Spelling);
        QTest::newRow("morphology is grammar") << 3 << int(CheckStatistics::Grammar);
        QTest::newRow("grammar") << 4 << int(CheckStatistics::Grammar);
        QTest::newRow("style") << 5 << int(CheckStatistics::Style);
        QTest::newRow("suggestion") << 6 << int(CheckStatistics::Suggestion);
        QTest::newRow("polish counts as grammar") << 7 << int(CheckStatistics::Grammar);
        QTest::newRow("unknown type counts as grammar") << 8 << int(CheckStatistics::Grammar);
        QTest::newRow("garbage code counts as grammar") << -5 << int(CheckStatistics::Grammar);
    }
    void statisticsKinds()
    {
        QFETCH(int, category);
        QFETCH(int, kind);
        CheckStatistics statistics;
        statistics.add(category);
        QCOMPARE(statistics.count(CheckStatistics::Kind(kind)), 1);
        QCOMPARE(statistics.total(), 1);
        statistics.remove(category);
        statistics.remove(category);
        QCOMPARE(statistics.count(CheckStatistics::Kind(kind)), 0);
    }

    void shownTotalFollowsTheFlags()
    {
        QTemporaryDir dir;
        ConfigStore prefs(dir.path(), PreferenceFileName);
        mergeDefaults(prefs, preferenceDefaults());
        CheckStatistics statistics;
        for (int category : {1, 1, 4, 5, 6, 6, 6})
            statistics.add(category);
        QCOMPARE(statistics.shownTotal(prefs), 7);
        prefs.setValue(QStringLiteral("display_suggestion_enabled"), QStringLiteral("False"));
        QCOMPARE(statistics.shownTotal(prefs), 4);
        prefs.setValue(QStringLiteral("display_spelling_enabled"), QStringLiteral("true"));
        QCOMPARE(statistics.shownTotal(prefs), 2); // only "True" exactly counts as shown
    }

    void textFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII") << QByteArray("Hello world.\n") << true << "Hello world.\n";
        QTest::newRow("GB18030 Chinese") << QByteArray("\xc4\xe3\xba\xc3 world") << true << "你好 world";
        QTest::newRow("empty file") << QByteArray() << true << "";
        QTest::newRow("cut in a character") << QByteArray("abc\xc4") << false << "";
    }
    void textFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("essay.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QString read;
        QCOMPARE(TextFileIo::read(path, &read), readable);
        if (readable)
            QCOMPARE(read, text);
        QVERIFY(!TextFileIo::read(dir.filePath(QStringLiteral("missing.txt")), &read));
    }

    void backupRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("backup.ini"));
        const QString text = QStringLiteral("第一段 first paragraph.\n第二段 — second “quoted”.");
        QVERIFY(TextFileIo::write(path, text));
        QCOMPARE(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
        QVERIFY(TextFileIo::write(path, text)); // replaces, does not append
        QString read;
        QVERIFY(TextFileIo::read(path, &read));
        QCOMPARE(read, text);
        QVERIFY(!TextFileIo::write(dir.filePath(QStringLiteral("no/such/dir/backup.ini")), text));
    }
};

QTEST_MAIN(MainWindowPartsTest)
#include "tst_mainwindowparts.moc"
