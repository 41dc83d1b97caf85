// Learner errors with commas: one missing after a linking phrase that opens the sentence,
// and one set where edited English never has it (before a that-clause, a restrictive
// relative clause or "than"). Each learner sentence must get its finding with the right
// first candidate and explanation page, and each clean look-alike none at all.

#include "englishchecker.h"
#include "support/checkerrecords.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerLearnerCommas : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    void verify() { LearnerTable::verify(*m_checker); }
    void lookAlike() { LearnerTable::verifyClean(*m_checker); }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void missingAfterOpener_data()
    {
        columns();
        row("in general before a subject", "In general the plan works well.", "general the", "general, the",
            "comma_after_opener", "In general, the plan works well.");
        row("for this reason before a subject", "For this reason we should understand the rules.", "reason we",
            "reason, we", "comma_after_opener", "For this reason, we should understand the rules.");
        row("by contrast before a noun phrase", "By contrast the other goods increased.", "contrast the",
            "contrast, the", "comma_after_opener", "By contrast, the other goods increased.");
        row("on the one hand", "On the one hand there can be problems.", "hand there", "hand, there",
            "comma_after_opener", "On the one hand, there can be problems.");
        row("personally before I", "Personally I want to see them happy.", "Personally I", "Personally, I",
            "comma_after_opener", "Personally, I want to see them happy.");
        row("an ordinal before the", "Second the amount of money is too large.", "Second the", "Second, the",
            "comma_after_opener", "Second, the amount of money is too large.");
        row("yes before a clause", "Yes that is right, but it is late.", "Yes that", "Yes, that", "comma_after_opener",
            "Yes, that is right, but it is late.");
    }
    void missingAfterOpener() { verify(); }

    void openerLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("an ordinal describing its noun") << "Second place went to Tom, and third prize to Ann.";
        QTest::newRow("in general describing its noun") << "In general terms the plan works well.";
        QTest::newRow("in contrast with its object") << "In contrast to winter, the summer is dry.";
        QTest::newRow("even so with its comma") << "Even so, the price is too high.";
        QTest::newRow("to sum up with its object") << "To sum up all the opinions, we can find the best solution.";
        QTest::newRow("to sum up with a demonstrative object") << "To sum up this information, it is possible to draw a conclusion.";
        QTest::newRow("yes as an answer alone") << "Yes.";
        QTest::newRow("also before a subject is left to the writer") << "Also the young people in our town have less time.";
        QTest::newRow("thus and hence before a subject are left to the writer")
            << "Thus we see that prices rise, and hence the demand falls.";
    }
    void openerLookAlikes() { lookAlike(); }

    void needlessComma_data()
    {
        columns();
        row("it is clear, that", "It is highly unlikely, that they will come.", ", ", "", "comma_that",
            "It is highly unlikely that they will come.");
        row("I think, that", "I think, that the plan is good.", ", ", "", "comma_that",
            "I think that the plan is good.");
        row("modal and a reporting verb, that", "In the chart we can see, that the number rose.", ", ", "",
            "comma_that", "In the chart we can see that the number rose.");
        row("passive reporting verb, that", "It can be seen, that the number rose.", ", ", "", "comma_that",
            "It can be seen that the number rose.");
        row("noun subject and shows, that", "The graph shows, that prices rose.", ", ", "", "comma_that",
            "The graph shows that prices rose.");
        row("no doubt, that", "There is no doubt, that more teenagers use it.", ", ", "", "comma_that",
            "There is no doubt that more teenagers use it.");
        row("the idea, that", "I support the idea, that looks matter.", ", ", "", "comma_that",
            "I support the idea that looks matter.");
        row("those, who", "Those, who work hard will pass.", ", ", "", "comma_relative",
            "Those who work hard will pass.");
        row("anyone, who", "Anyone, who wants a ticket can come.", ", ", "", "comma_relative",
            "Anyone who wants a ticket can come.");
        row("the number of people, who", "The number of people, who had no job rose.", ", ", "",
            "comma_relative", "The number of people who had no job rose.");
        row("a quantifier and adjective, who", "Many young people, who live in cities like it.", ", ", "",
            "comma_relative", "Many young people who live in cities like it.");
        row("every, who", "Every person, who earns money pays taxes.", ", ", "", "comma_relative",
            "Every person who earns money pays taxes.");
        row("there are people, who", "But there are people, who say it works.", ", ", "", "comma_relative",
            "But there are people who say it works.");
        row("plural noun, that with a plural verb", "Children, that grow up in the city are busy.", ", ", "",
            "comma_relative", "Children that grow up in the city are busy.");
        row("more adjective, than", "E-books are more popular, than paper books.", ", ", "", "comma_than",
            "E-books are more popular than paper books.");
        row("comparative adjective, than", "It is higher in Brazil, than in Russia.", ", ", "", "comma_than",
            "It is higher in Brazil than in Russia.");
    }
    void needlessComma() { verify(); }

    void needlessCommaLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a name and its non-restrictive clause") << "My mother, who lives in Beijing, is a doctor.";
        QTest::newRow("a named antecedent") << "We met John Smith, who runs the shop.";
        QTest::newRow("there was and a name") << "There was John, who had come early.";
        QTest::newRow("a definite plural and who") << "I thanked the teachers, who were very kind.";
        QTest::newRow("which after a clause") << "Many people came, which surprised us.";
        QTest::newRow("a parenthetical reporting verb") << "The plan, he says, that is the problem.";
        QTest::newRow("that is after a comma") << "We can see, that is, we know the trend.";
        QTest::newRow("an opener before a demonstrative") << "In my opinion, that decision was wrong.";
        QTest::newRow("demonstrative that after a plural noun") << "They sold the houses, that was the plan.";
        QTest::newRow("an adverb aside before than") << "It was a bigger move, overall, than Britain in 1924.";
        QTest::newRow("a list of comparatives before than") << "It is bigger, tougher, than anything else.";
        QTest::newRow("rather than after a comma") << "We walked, rather than drove.";
        QTest::newRow("an aside closed before that") << "We must not forget, to be sure, that debate helps.";
        QTest::newRow("a relative clause closed before that")
            << "It was for this reason, and no other that I can see, that he left.";
        QTest::newRow("a series of that-clauses")
            << "They said that prices rose, and of those with an opinion, that taxes should fall.";
        QTest::newRow("a superlative before who")
            << "Rare is the man, from the richest to the most humble worker, who has no story.";
        QTest::newRow("an opening phrase before a question") << "In any case, who ever thought that?";
        QTest::newRow("an aside before than") << "It is less shallow, if less sharp, than the others.";
        QTest::newRow("no comma at all") << "I think that those who work hard will earn more than others.";
    }
    void needlessCommaLookAlikes() { lookAlike(); }
};

QTEST_GUILESS_MAIN(TestCheckerLearnerCommas)
#include "tst_checker_learnercommas.moc"
