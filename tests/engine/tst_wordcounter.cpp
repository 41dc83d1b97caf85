// The one word count of a text: what the editor shows, what the report says and what
// `pennova-cli check` prints, equal to the words a check counts unit by unit.
#include "detectsentencethread.h"
#include "plaintextparagraphsource.h"
#include "sentencesplitter.h"
#include "vocabulary.h"
#include "vocabularystatistics.h"
#include "wordcounter.h"

#include <QtTest>

using namespace ZeltraLib;

namespace {

// The titles and sentences a check sends for `text`.
QStringList checkedUnits(const QString &text)
{
    PlainTextParagraphSource source(text);
    DetectSentenceThread detector;
    detector.start(&source, 2);
    detector.wait();
    QStringList units;
    for (qsizetype p = 0; p < detector.texts().size(); ++p) {
        const QString &paragraph = detector.texts().at(p);
        const QList<int> &ends = detector.boundaries().at(p);
        if (detector.isTitle().at(p)) {
            units << paragraph;
            continue;
        }
        int from = 0;
        for (int end : ends) {
            units << paragraph.mid(from, end + 1 - from);
            from = end + 1;
        }
    }
    return units;
}

} // namespace

class TestWordCounter : public QObject
{
    Q_OBJECT
private slots:
    void counts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("words");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("one sentence") << QStringLiteral("The cat sat on the mat.") << 6;
        QTest::newRow("a line feed separates words") << QStringLiteral("It ended.\nThen it began.") << 5;
        QTest::newRow("CRLF and blank lines") << QStringLiteral("My Title\r\n\r\nOne two three.\r\n") << 5;
        QTest::newRow("paragraph separator U+2029") << QStringLiteral("One.\u2029Two.") << 2;
        QTest::newRow("tab between words is no separator") << QStringLiteral("one\ttwo.") << 1;
        QTest::newRow("Chinese sentences") << QStringLiteral("我很好。你呢？") << 2;
        QTest::newRow("whitespace only") << QStringLiteral(" \n\t\n ") << 0;
        QTest::newRow("punctuation only title") << QStringLiteral("---\n***") << 0;
    }
    void counts()
    {
        QFETCH(QString, text);
        QFETCH(int, words);
        QCOMPARE(countTextWords(text), words);
    }

    // The sum over the units a check sends, as the check's statistics count them.
    void equalsTheCheckCount_data() { counts_data(); }
    void equalsTheCheckCount()
    {
        QFETCH(QString, text);
        const QStringList units = checkedUnits(text);
        const VocabularyStatistics stats = VocabularyStatistics::compute(units, Vocabulary());
        QCOMPARE(countTextWords(text), stats.wordCount);
    }

    // The old whole-text count joined the last word of a line with the first of the next.
    void longTextCountsEveryLine()
    {
        QString text;
        for (int i = 0; i < 200; ++i)
            text += QStringLiteral("Line %1 has five words.\n").arg(i);
        QCOMPARE(countTextWords(text), 1000);
        QCOMPARE(countWords(text), 801);
    }
};

QTEST_GUILESS_MAIN(TestWordCounter)
#include "tst_wordcounter.moc"
