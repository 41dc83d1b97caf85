// The comma after an opening subordinate clause or a long opening phrase ("If you want to
// succeed you must work hard", "According to the chart the number ..."): each learner sentence
// must get its finding over the gap, with the comma after the clause's last word and a real
// explanation page, and its corrected twin none at all. Right English that looks the same
// (the comma is there, the clause is an object or a relative clause, a prepositional opener,
// a question, a short clause Brown leaves without the comma) gets no finding.

#include "englishchecker.h"
#include "support/checkerrecords.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerClauseCommas : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void missingAfterClause_data()
    {
        columns();
        row("if clause ending in an infinitive before a pronoun", "If you want to succeed you must work hard.",
            " you", ", you", "comma_after_clause", "If you want to succeed, you must work hard.");
        row("when clause before a possessive subject", "When I came home my mother was cooking.", " my",
            ", my", "comma_after_clause", "When I came home, my mother was cooking.");
        row("although clause before an amount", "Although it is expensive many people buy it.", " many",
            ", many", "comma_after_clause", "Although it is expensive, many people buy it.");
        row("since clause before a pronoun", "Since the bus was late we walked to school.", " we", ", we",
            "comma_after_clause", "Since the bus was late, we walked to school.");
        row("even though clause before a pronoun", "Even though he knows the advert is false he buys the product.",
            " he", ", he", "comma_after_clause",
            "Even though he knows the advert is false, he buys the product.");
        row("once clause before a name", "Once the lesson was finished Tom went home.", " Tom",
            ", Tom", "comma_after_clause", "Once the lesson was finished, Tom went home.");
        row("once clause before a noun phrase", "Once the students finish school the real work begins.",
            " the", ", the", "comma_after_clause", "Once the students finish school, the real work begins.");
        row("if clause before there", "If prices rise there will be fewer buyers.", " there", ", there",
            "comma_after_clause", "If prices rise, there will be fewer buyers.");
        row("two clauses joined inside the opener", "If you work hard and you are lucky you will succeed.",
            " you", ", you", "comma_after_clause", "If you work hard and you are lucky, you will succeed.");
        row("a that clause inside the opener", "If you think that people are lazy you are wrong.", " you",
            ", you", "comma_after_clause", "If you think that people are lazy, you are wrong.");
        row("a pronoun after the opener's verb", "If I were you I would go by train.", " I", ", I",
            "comma_after_clause", "If I were you, I would go by train.");
        row("as with a verb of showing", "As research shows the usage of Facebook correlates with age.",
            " the", ", the", "comma_after_clause", "As research shows, the usage of Facebook correlates with age.");
        row("according to a source", "According to the second chart the women used it for photos.",
            " the", ", the", "comma_after_clause", "According to the second chart, the women used it for photos.");
        row("as can be seen from a source", "As can be seen from the charts below the trends are different.",
            " the", ", the", "comma_after_clause", "As can be seen from the charts below, the trends are different.");
    }
    void missingAfterClause() { LearnerTable::verify(*m_checker); }

    void clauseLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("the comma is there") << "If you want to succeed, you must work hard.";
        QTest::newRow("a comma closes a longer opener") << "According to the chart in the report, the number of cars rose.";
        // Brown drops the comma after "when" and "as" before a pronoun one time in three
        QTest::newRow("when clause before a pronoun") << "When I came home I was tired.";
        QTest::newRow("as clause before a pronoun") << "As he grew older he became quieter.";
        QTest::newRow("when clause before there") << "When we arrived there was no one at home.";
        QTest::newRow("if so") << "If so we will leave tomorrow.";
        QTest::newRow("a subordinate clause as an object") << "I know when he comes.";
        QTest::newRow("after with a noun") << "After dinner we left the house.";
        QTest::newRow("since with a year") << "Since 2010 the number of cars has doubled.";
        QTest::newRow("since then") << "Since then we have met twice.";
        QTest::newRow("before long") << "Before long we were friends again.";
        QTest::newRow("as a role") << "As a student I have little money.";
        QTest::newRow("a question") << "When did you come home?";
        QTest::newRow("a question after a condition") << "If you leave now will you take the bus?";
        QTest::newRow("then opens the main clause") << "If it rains then we stay at home.";
        QTest::newRow("a relative clause closed by the comma") << "If we have a job we like, we will work hard.";
        QTest::newRow("a relative clause before a bare noun subject") << "If you do something you like, time flies.";
        QTest::newRow("a relative clause without that before the main clause")
            << "If we could use all the small airfields we have in this country we could save fuel.";
        QTest::newRow("a clause after a verb of thinking") << "If you think people are lazy, you are wrong.";
        QTest::newRow("an object after the opener's verb") << "If you see the teacher tell her the news.";
        QTest::newRow("an object clause after a verb with a particle") << "If he found out Ma found it, we would be in trouble.";
        // "before", "unless" and "as soon as" run on without the comma often enough in Brown
        QTest::newRow("before clause") << "Before the sun rose the farmers were awake.";
        QTest::newRow("unless clause") << "Unless you hurry the bus will leave.";
        QTest::newRow("as soon as clause") << "As soon as I arrived the phone rang.";
    }
    void clauseLookAlikes() { LearnerTable::verifyClean(*m_checker); }
};

QTEST_APPLESS_MAIN(TestCheckerClauseCommas)
#include "tst_checker_clausecommas.moc"
