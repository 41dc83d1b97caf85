// Findings that only add words or a mark after their span move to the word after the gap
// (a mark takes the gap along); findings that only put words between two of theirs are
// narrowed to the word after the gap, and those that only put a mark there to the gap and the
// words after it; every other finding keeps its span.

#include "gapspan.h"
#include "tokenizer.h"

#include <QtTest>

using namespace PennovaChecker;

namespace {

// The finding on the first occurrence of `span` in `sentence`, with the given candidates.
Finding on(const QString &sentence, const QString &span, const QStringList &fixes)
{
    Finding f;
    f.start = int(sentence.indexOf(span));
    f.end = f.start + int(span.size());
    f.errorType = "GRAMMAR";
    for (const QString &fix : fixes)
        f.candidates.push_back({fix.toStdString()});
    return f;
}

} // namespace

class TestGapSpan : public QObject
{
    Q_OBJECT

private slots:
    void widen_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("span");
        QTest::addColumn<QStringList>("fixes");
        QTest::addColumn<QString>("otherSpan"); // a second finding, or empty
        QTest::addColumn<QString>("wantSpan");
        QTest::addColumn<QStringList>("wantFixes");

        QTest::newRow("comma after an opener takes the next word")
            << "However the price is high." << "However" << QStringList{"However,"} << QString() << " the"
            << QStringList{", the"};
        QTest::newRow("added preposition, every candidate, goes before the next word")
            << "It depends the weather." << "depends" << QStringList{"depends on", "depends upon"} << QString()
            << "the" << QStringList{"on the", "upon the"};
        QTest::newRow("a mark and a word added: the gap goes with them")
            << "It rose the price fell." << "rose" << QStringList{"rose;", "rose and"} << QString() << " the"
            << QStringList{"; the", " and the"};
        QTest::newRow("two-word span")
            << "A lot people came." << "A lot" << QStringList{"A lot of"} << QString() << "people"
            << QStringList{"of people"};
        QTest::newRow("Chinese text before the span")
            << "我认为 However the price is high." << "However" << QStringList{"However,"} << QString()
            << " the" << QStringList{", the"};
        QTest::newRow("word after the gap runs into other letters: left")
            << "However naïve people fail." << "However" << QStringList{"However,"} << QString() << "However"
            << QStringList{"However,"};
        QTest::newRow("one candidate changes the word: left")
            << "It depends the weather." << "depends" << QStringList{"depends on", "relies"} << QString()
            << "depends" << QStringList{"depends on", "relies"};
        QTest::newRow("word after the gap opens a compound: left")
            << "However well-known it is, we go." << "However" << QStringList{"However,"} << QString() << "However"
            << QStringList{"However,"};
        QTest::newRow("word after the gap before a comma")
            << "Besides money, we need time." << "Besides" << QStringList{"Besides all"} << QString()
            << "money" << QStringList{"all money"};
        QTest::newRow("a changed ending is no gap: left")
            << "The cat tail is long." << "cat" << QStringList{"cat's", "cats"} << QString() << "cat"
            << QStringList{"cat's", "cats"};
        QTest::newRow("a full stop added is no gap: left")
            << "Books, films etc and music." << "etc" << QStringList{"etc."} << QString() << "etc"
            << QStringList{"etc."};
        QTest::newRow("a mark after the span: left")
            << "However, the price is high." << "However" << QStringList{"However and"} << QString() << "However"
            << QStringList{"However and"};
        QTest::newRow("end of the sentence: left")
            << "I like to listen" << "listen" << QStringList{"listen to"} << QString() << "listen"
            << QStringList{"listen to"};
        QTest::newRow("another finding on the word itself: moved")
            << "In Afica you go." << "Afica" << QStringList{"Afica,"} << "Afica" << " you" << QStringList{", you"};
        QTest::newRow("next word in another finding: left")
            << "However teh price is high." << "However" << QStringList{"However,"} << "teh" << "However"
            << QStringList{"However,"};
        QTest::newRow("span inside a word: left")
            << "Nonetheless we go." << "theless" << QStringList{"theless,"} << QString() << "theless"
            << QStringList{"theless,"};
        QTest::newRow("no candidates: left")
            << "However the price is high." << "However" << QStringList{} << QString() << "However" << QStringList{};
    }

    void widen()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, span);
        QFETCH(QStringList, fixes);
        QFETCH(QString, otherSpan);
        QFETCH(QString, wantSpan);
        QFETCH(QStringList, wantFixes);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<Finding> found{on(sentence, span, fixes)};
        found.front().errorInfo = span.toStdString();
        found.front().featureKeys = {span.toLower().toStdString()};
        const int spanStart = found.front().start;
        if (!otherSpan.isEmpty())
            found.push_back(on(sentence, otherSpan, {QStringLiteral("the")}));
        GapSpan::widen(tokens, &found);

        const Finding &f = found.front();
        QCOMPARE(sentence.mid(f.start, f.end - f.start), wantSpan);
        QCOMPARE(QString::fromStdString(f.errorInfo), wantSpan);
        QStringList got;
        for (const Candidate &c : f.candidates)
            got << QString::fromStdString(c.correction);
        QCOMPARE(got, wantFixes);
        // the explanation's key holds both sides of the gap once the finding has moved
        QCOMPARE(QString::fromStdString(f.featureKeys.front()),
                 (wantSpan == span ? span : sentence.mid(spanStart, f.end - spanStart)).toLower());
        if (!otherSpan.isEmpty())
            QCOMPARE(sentence.mid(found.back().start, found.back().end - found.back().start), otherSpan);
    }

    // An added mark that cannot move onto the next word and shares its word with another
    // finding is dropped: both would change the same text.
    void widenDropsAStuckAddition()
    {
        const QString sentence = QStringLiteral("We met in Pariss.");
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<Finding> found{on(sentence, "Pariss", {"Pariss,"}), on(sentence, "Pariss", {"Paris"})};
        found[0].errorInfo = found[1].errorInfo = "Pariss";
        GapSpan::widen(tokens, &found);
        QCOMPARE(found.size(), size_t(1));
        QCOMPARE(QString::fromStdString(found[0].candidates[0].correction), QStringLiteral("Paris"));

        std::vector<Finding> alone{on(sentence, "Pariss", {"Pariss,"})};
        alone[0].errorInfo = "Pariss";
        GapSpan::widen(tokens, &alone);
        QCOMPARE(alone.size(), size_t(1));
    }

    void narrow_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("span");
        QTest::addColumn<QStringList>("fixes");
        QTest::addColumn<QString>("wantSpan");
        QTest::addColumn<QStringList>("wantFixes");

        QTest::newRow("article before a two-word name")
            << "Oil comes from Middle East." << "Middle East" << QStringList{"the Middle East"} << "Middle"
            << QStringList{"the Middle"};
        QTest::newRow("verb put between pronoun and participle")
            << "I born in a village." << "I born" << QStringList{"I was born", "I am born"} << "born"
            << QStringList{"was born", "am born"};
        QTest::newRow("gap in the middle of three words")
            << "Most of young people agree." << "of young people" << QStringList{"of the young people"} << "young"
            << QStringList{"the young"};
        QTest::newRow("Chinese text before the span")
            << "我说 Where you live?" << "Where you live" << QStringList{"Where do you live"} << "you"
            << QStringList{"do you"};
        QTest::newRow("candidates fill different gaps: left")
            << "Most of students agree." << "of students" << QStringList{"of the students", "the students"}
            << "of students" << QStringList{"of the students", "the students"};
        QTest::newRow("a word changed as well: left")
            << "I born in a village." << "I born" << QStringList{"I was bear"} << "I born"
            << QStringList{"I was bear"};
        QTest::newRow("a mark put in takes the gap")
            << "For example it works." << "example it" << QStringList{"example, it"} << " it"
            << QStringList{", it"};
        QTest::newRow("a mark put in after Chinese text")
            << "我说 For example it works." << "For example it" << QStringList{"For example, it", "For example; it"}
            << " it" << QStringList{", it", "; it"};
        QTest::newRow("a mark and a word put in: left")
            << "For example it works." << "example it" << QStringList{"example, it", "example and it"}
            << "example it" << QStringList{"example, it", "example and it"};
        QTest::newRow("case changed: left")
            << "Coldest month is May." << "Coldest month" << QStringList{"The coldest month"} << "Coldest month"
            << QStringList{"The coldest month"};
        QTest::newRow("one word: left")
            << "It is problem." << "problem" << QStringList{"a problem"} << "problem" << QStringList{"a problem"};
    }

    void narrow()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, span);
        QFETCH(QStringList, fixes);
        QFETCH(QString, wantSpan);
        QFETCH(QStringList, wantFixes);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<Finding> found{on(sentence, span, fixes)};
        found.front().errorInfo = span.toStdString();
        GapSpan::narrow(tokens, &found);

        const Finding &f = found.front();
        QCOMPARE(sentence.mid(f.start, f.end - f.start), wantSpan);
        QCOMPARE(QString::fromStdString(f.errorInfo), wantSpan);
        QStringList got;
        for (const Candidate &c : f.candidates)
            got << QString::fromStdString(c.correction);
        QCOMPARE(got, wantFixes);
    }
};

QTEST_GUILESS_MAIN(TestGapSpan)
#include "tst_gapspan.moc"
