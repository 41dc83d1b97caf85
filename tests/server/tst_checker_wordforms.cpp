// Words of the wrong class: a verb where a noun belongs ("the develop of"), a noun after
// "very" ("a very success event") and an -ly adverb after "be" and a degree word ("is very
// seriously"). The derived forms the rules offer, then learner sentences with their finding
// and page beside clean look-alikes.

#include "englishchecker.h"
#include "lexicon.h"
#include "shippeddata.h"
#include "support/learnertable.h"
#include "wordformrules.h"

#include <QtTest>

#include <memory>

using namespace PennovaChecker;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerWordForms : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<EnglishChecker> m_checker;

private slots:
    void initTestCase()
    {
        m_lexicon = std::make_unique<Lexicon>(ShippedData::folder(ShippedData::Checker), "/usr/share/wordnet");
        m_checker = std::make_unique<EnglishChecker>();
    }

    void derivedForms_data()
    {
        QTest::addColumn<bool>("fromVerb");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("derived");
        QTest::newRow("verb + ment") << true << "develop" << "development";
        QTest::newRow("verb losing e + ion") << true << "pollute" << "pollution";
        QTest::newRow("verb + th") << true << "grow" << "growth";
        QTest::newRow("verb with no common noun") << true << "xyzzy" << "";
        QTest::newRow("noun + ful") << false << "success" << "successful";
        QTest::newRow("noun + ous") << false << "danger" << "dangerous";
        QTest::newRow("noun losing e + al") << false << "nature" << "natural";
        QTest::newRow("noun in -y, the commoner of -ic and -ical") << false << "economy" << "economic";
        QTest::newRow("noun in -ty to -iful") << false << "beauty" << "beautiful";
        QTest::newRow("noun in -ance to -ant") << false << "importance" << "important";
        QTest::newRow("noun in -ility to -le") << false << "responsibility" << "responsible";
        QTest::newRow("noun in -iness to -y") << false << "happiness" << "happy";
        QTest::newRow("noun in -ics to -ical") << false << "politics" << "political";
        QTest::newRow("an irregular adjective") << false << "science" << "scientific";
        QTest::newRow("noun with no adjective") << false << "table" << "";
    }
    void derivedForms()
    {
        QFETCH(bool, fromVerb);
        QFETCH(QString, word);
        QFETCH(QString, derived);
        const WordFormRules rules(*m_lexicon);
        const std::string w = word.toStdString();
        QCOMPARE(QString::fromStdString(fromVerb ? rules.nounOfVerb(w) : rules.adjectiveOfNoun(w)), derived);
    }

    void learnerForms_data()
    {
        columns();
        row("a verb after the and before of", "With the develop of technology, life is easier.", "develop",
            "development", "noun_form", "With the development of technology, life is easier.");
        row("a verb after an adjective and before of", "The rapid grow of cities causes traffic.", "grow", "growth",
            "noun_form", "The rapid growth of cities causes traffic.");
        row("a noun after very before a noun", "It was a very success event.", "success", "successful",
            "adjective_for_noun", "It was a very successful event.");
        row("a noun after very at the end", "Swimming here is very danger.", "danger", "dangerous",
            "adjective_for_noun", "Swimming here is very dangerous.");
        row("an -ly adverb after be and very", "This problem is very seriously.", "seriously", "serious",
            "adjective_after_be", "This problem is very serious.");
        row("an -ly adverb after be and so before because", "He was so happily because he won.", "happily", "happy",
            "adjective_after_be", "He was so happy because he won.");
        row("an -ly adverb after it is before a that-clause", "It is obviously that prices will rise.", "obviously",
            "obvious", "adjective_after_be", "It is obvious that prices will rise.");
    }
    void learnerForms() { LearnerTable::verify(*m_checker); }

    void lookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a verb also used as a noun of its own") << "The site got a refresh of its design.";
        QTest::newRow("a noun and verb before of") << "The use of phones and the increase of prices are common.";
        QTest::newRow("the very as an adjective") << "At the very beginning, this very idea was new.";
        QTest::newRow("very before a hyphenated compound") << "The heating is very cost-effective.";
        QTest::newRow("very fun") << "It was a very fun day.";
        QTest::newRow("an -ly adverb before an adjective") << "He is very seriously ill.";
        QTest::newRow("an -ly adverb before a participle") << "The house was so badly damaged.";
        QTest::newRow("an -ly word that is an adjective") << "The shop assistant was very friendly.";
        QTest::newRow("an -ly adverb after a verb") << "Things went very badly.";
        QTest::newRow("it is + adverb + that as a determiner") << "It is precisely that kind of attitude that hurts.";
        QTest::newRow("it is + an adverb of degree + that") << "It is mainly that people are busy, and it is really that simple.";
    }
    void lookAlikes() { LearnerTable::verifyClean(*m_checker); }
};

QTEST_GUILESS_MAIN(TestCheckerWordForms)
#include "tst_checker_wordforms.moc"
