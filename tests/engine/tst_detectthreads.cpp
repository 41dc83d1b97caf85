#include "detectsentencethread.h"
#include "detectwordthread.h"
#include "plaintextparagraphsource.h"
#include "sentencesplitter.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ZeltraLib;

using Blocks = QList<QPair<int, QString>>;

class TestDetectThreads : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void plainTextBlocks_data();
    void plainTextBlocks();
    void detectSentences_data();
    void detectSentences();
    void detectReusedAndSourceNotKept();
    void detectWords_data();
    void detectWords();
    void wordThreadRefusesSecondStart();
};

void TestDetectThreads::plainTextBlocks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Blocks>("expected");
    QTest::newRow("empty text is one empty block") << QString() << Blocks{{0, ""}};
    QTest::newRow("newline") << QStringLiteral("a\nbc") << Blocks{{0, "a"}, {2, "bc"}};
    QTest::newRow("trailing newline leaves an empty block")
        << QStringLiteral("a\n") << Blocks{{0, "a"}, {2, ""}};
    QTest::newRow("CRLF is one break") << QStringLiteral("a\r\nb") << Blocks{{0, "a"}, {3, "b"}};
    QTest::newRow("lone CR is a break") << QStringLiteral("a\rb") << Blocks{{0, "a"}, {2, "b"}};
    QTest::newRow("CR CR LF is two breaks")
        << QStringLiteral("a\r\r\nb") << Blocks{{0, "a"}, {2, ""}, {4, "b"}};
    QTest::newRow("paragraph separator is a break, line separator is not")
        << QStringLiteral("a\u2029b\u2028c") << Blocks{{0, "a"}, {2, QStringLiteral("b\u2028c")}};
    QTest::newRow("positions count UTF-16 units")
        << QStringLiteral("你好😀\n世界") << Blocks{{0, QStringLiteral("你好😀")}, {5, "世界"}};
}

void TestDetectThreads::plainTextBlocks()
{
    QFETCH(QString, text);
    QFETCH(Blocks, expected);
    Blocks actual;
    for (const ParagraphBlock &b : PlainTextParagraphSource(text).blocks())
        actual.append({b.position, b.text});
    QCOMPARE(actual, expected);
}

void TestDetectThreads::detectSentences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<bool>>("titles");
    QTest::addColumn<QList<QList<int>>>("boundaries");
    QTest::newRow("titles, sentences and blank paragraphs")
        << QStringLiteral("My Title\n\n  \nOne. Two\n你好。世界")
        << QList<int>{0, 13, 22} << QStringList{"My Title", "One. Two", QStringLiteral("你好。世界")}
        << QList<bool>{true, false, false}
        << QList<QList<int>>{{-1, 8}, {4, 7}, {2, 4}};
    QTest::newRow("Chinese title keeps its UTF-16 length")
        << QStringLiteral("\r\n第一章 😀") << QList<int>{2} << QStringList{QStringLiteral("第一章 😀")}
        << QList<bool>{true} << QList<QList<int>>{{-1, 6}};
    QTest::newRow("nothing but blanks") << QStringLiteral(" \n\t\n") << QList<int>{}
                                        << QStringList{} << QList<bool>{} << QList<QList<int>>{};
}

void TestDetectThreads::detectSentences()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, positions);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, titles);
    QFETCH(QList<QList<int>>, boundaries);
    DetectSentenceThread thread;
    QSignalSpy finished(&thread, &QThread::finished);
    const PlainTextParagraphSource source(text);
    QVERIFY(thread.start(&source, 3));
    // A short run can end before a spy wait would begin: poll the thread.
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(thread.positions(), positions);
    QCOMPARE(thread.texts(), texts);
    QCOMPARE(thread.isTitle(), titles);
    QCOMPARE(thread.boundaries(), boundaries);
    QCOMPARE(thread.englishLevel(), 3);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (!titles.at(i))
            QCOMPARE(thread.boundaries().at(i), splitSentences(texts.at(i)));
    }
}

void TestDetectThreads::detectReusedAndSourceNotKept()
{
    DetectSentenceThread thread;
    QSignalSpy finished(&thread, &QThread::finished);
    {
        auto source = std::make_unique<PlainTextParagraphSource>(
            QStringLiteral("Go. Be.\nI ran. We go. Up."));
        QVERIFY(thread.start(source.get(), 2));
    } // the source is gone; the thread copied what it needs
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(thread.boundaries(), (QList<QList<int>>{{3, 6}, {6, 13, 16}}));

    const PlainTextParagraphSource second(QStringLiteral("Only a title"));
    QVERIFY(thread.start(&second, 1));
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(finished.size(), 2);
    QCOMPARE(thread.texts(), QStringList{"Only a title"});
    QCOMPARE(thread.boundaries(), (QList<QList<int>>{{-1, 12}}));
    QCOMPARE(thread.englishLevel(), 1);

    QVERIFY(thread.start(nullptr, 2));
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(finished.size(), 3);
    QVERIFY(thread.texts().isEmpty());
    QVERIFY(thread.boundaries().isEmpty());
}

void TestDetectThreads::detectWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("sentence") << QStringLiteral("The cat sat on the mat.") << 6;
    QTest::newRow("mixed Chinese") << QStringLiteral("我们 like 中文 !") << 3;
    QTest::newRow("words on two lines are two") << QStringLiteral("Title\nThe end.") << 3;
}

void TestDetectThreads::detectWords()
{
    QFETCH(QString, text);
    QFETCH(int, words);
    DetectWordThread thread(nullptr, 0);
    QSignalSpy finished(&thread, &QThread::finished);
    QString copy = text;
    QVERIFY(thread.start(copy));
    copy = QStringLiteral("changed after start does not count");
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(thread.wordCount(), words);
}

void TestDetectThreads::wordThreadRefusesSecondStart()
{
    QCOMPARE(DetectWordThread().delayMs(), 200);
    // A long pause keeps the first run going while the second start is tried.
    DetectWordThread thread(nullptr, 300);
    QSignalSpy finished(&thread, &QThread::finished);
    QVERIFY(thread.start(QStringLiteral("one two")));
    QVERIFY(!thread.start(QStringLiteral("one two three four")));
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(thread.wordCount(), 2);
    QVERIFY(thread.start(QStringLiteral("one two three four")));
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(finished.size(), 2);
    QCOMPARE(thread.wordCount(), 4);
}

QTEST_GUILESS_MAIN(TestDetectThreads)
#include "tst_detectthreads.moc"
