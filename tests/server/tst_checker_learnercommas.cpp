// Learner errors with commas: one missing after a linking phrase that opens the sentence or
// stands inside it after a comma, or before "etc." or "especially"; one set where edited
// English never has it (before a that-clause, a restrictive relative clause or "than"); and
// a comma that joins two sentences. Each learner sentence must get its finding with the
// right first candidate and explanation page, and each clean look-alike none at all.

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
        row("in general before a subject", "In general the plan works well.", " the", ", the",
            "comma_after_opener", "In general, the plan works well.");
        row("for this reason before a subject", "For this reason we should understand the rules.", " we",
            ", we", "comma_after_opener", "For this reason, we should understand the rules.");
        row("by contrast before a noun phrase", "By contrast the other goods increased.", " the",
            ", the", "comma_after_opener", "By contrast, the other goods increased.");
        row("on the one hand", "On the one hand there can be problems.", " there", ", there",
            "comma_after_opener", "On the one hand, there can be problems.");
        row("personally before I", "Personally I want to see them happy.", " I", ", I",
            "comma_after_opener", "Personally, I want to see them happy.");
        row("an ordinal before the", "Second the amount of money is too large.", " the", ", the",
            "comma_after_opener", "Second, the amount of money is too large.");
        row("yes before a clause", "Yes that is right, but it is late.", " that", ", that", "comma_after_opener",
            "Yes, that is right, but it is late.");
        row("however before a pronoun and no comma later", "However I still believe that facts matter.",
            " I", ", I", "comma_after_opener", "However, I still believe that facts matter.");
        row("for instance before an amount", "For instance many people travel by train.", " many",
            ", many", "comma_after_opener", "For instance, many people travel by train.");
        row("after all before a pronoun", "After all we are only students.", " we", ", we",
            "comma_after_opener", "After all, we are only students.");
        row("a linking word before a condition", "Therefore if you work hard you will pass.", " if",
            ", if", "comma_after_opener", "Therefore, if you work hard you will pass.");
        row("a linking word before a prepositional phrase", "Moreover in China the rate is high.", " in",
            ", in", "comma_after_opener", "Moreover, in China the rate is high.");
        row("a linking phrase before an adjective and its noun", "On the other hand young people need sleep.",
            " young", ", young", "comma_after_opener", "On the other hand, young people need sleep.");
        row("on the contrary before a noun phrase", "On the contrary the young need more sleep.", " the",
            ", the", "comma_after_opener", "On the contrary, the young need more sleep.");
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
        QTest::newRow("however of manner before a clause closed by a comma")
            << "However you define it, the answer is the same.";
        QTest::newRow("however of degree before an amount") << "However many people come, we will cope.";
        QTest::newRow("a viewpoint is left to the writer") << "In my opinion it depends on the person.";
        QTest::newRow("an opener with its own preposition") << "As a result of the rain we stayed at home.";
        QTest::newRow("personally before for me") << "Personally for me the second way is better.";
        QTest::newRow("however before an adjective of degree") << "However bad the weather is, we go out.";
        QTest::newRow("a linking word before a fragment with an adjective") << "For example environmental issues.";
        QTest::newRow("after all with its object") << "After all the work we went home.";
        QTest::newRow("above all with its object") << "Above all the noise we heard a bell.";
    }
    void openerLookAlikes() { lookAlike(); }

    void missingAfterLinker_data()
    {
        columns();
        row("however between two clauses", "Prices rose; however the demand stayed high.", " the",
            ", the", "comma_after_linker", "Prices rose; however, the demand stayed high.");
        row("however joining two clauses with a comma", "The test was hard, however we passed it.",
            ", however we", "; however, we", "comma_after_linker", "The test was hard; however, we passed it.");
        row("therefore joining two clauses with a comma", "Guides are trained, therefore they know the city.",
            ", therefore they", "; therefore, they", "comma_after_linker",
            "Guides are trained; therefore, they know the city.");
        row("however joining a clause opened by a noun phrase",
            "Sales grew in Japan, however the numbers are small.",
            ", however the", "; however, the", "comma_after_linker",
            "Sales grew in Japan; however, the numbers are small.");
        row("however between a subject and its verb", "A younger person however will need more time.",
            "person however will", "person, however, will", "comma_after_linker",
            "A younger person, however, will need more time.");
        row("for example before a noun phrase", "Some goods go by road, for example food products.",
            " food", ", food", "comma_after_linker",
            "Some goods go by road, for example, food products.");
        row("for instance before an amount", "Prices vary, for instance many shops close early.", " many",
            ", many", "comma_after_linker", "Prices vary, for instance, many shops close early.");
        row("in other words before a determiner", "He left early, in other words the plan failed.", " the",
            ", the", "comma_after_linker", "He left early, in other words, the plan failed.");
        row("therefore before a pronoun", "They are trained; therefore they know the city.", " they",
            ", they", "comma_after_linker", "They are trained; therefore, they know the city.");
    }
    void missingAfterLinker() { verify(); }

    void linkerLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("however with both commas") << "The plan, however, failed in the end.";
        QTest::newRow("however of degree after a comma") << "We lost, however hard we tried.";
        QTest::newRow("however of manner before a clause closed by a comma")
            << "We will win, however you look at it, and soon.";
        QTest::newRow("however of manner in an aside after the subject")
            << "The results, however the reader sees them, are clear.";
        QTest::newRow("however after a verb") << "It is however true that prices rose.";
        QTest::newRow("however before an adjective after a noun") << "We kept the plan however small it was.";
        QTest::newRow("in addition to with its object") << "They came, in addition to the others.";
        QTest::newRow("for example before a preposition") << "Some trains are fast, for example in Japan.";
        QTest::newRow("for example before an infinitive") << "You need money, for example to go shopping.";
        QTest::newRow("thus before a participle") << "Prices fell, thus making the shares cheap.";
        QTest::newRow("linker without a comma before it") << "He therefore accepted the plan.";
    }
    void linkerLookAlikes() { lookAlike(); }

    void missingBeforeEtc_data()
    {
        columns();
        row("etc after the last noun of a list", "We bought pens, books etc.", " etc", ", etc",
            "comma_etc", "We bought pens, books, etc.");
        row("etc after a verb", "People should not be judged etc. by others.", " etc", ", etc",
            "comma_etc", "People should not be judged, etc. by others.");
        row("etc after a bracket", "We saw animals (bears and penguins) etc.", " etc", ", etc", "comma_etc",
            "We saw animals (bears and penguins), etc.");
    }
    void missingBeforeEtc() { verify(); }

    void etcLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("etc with its comma") << "We bought pens, books, etc.";
        QTest::newRow("etc opening a sentence") << "Etc. is short for et cetera.";
        QTest::newRow("etc after a comma in brackets") << "We bought tools (saws, drills, etc.) in town.";
    }
    void etcLookAlikes() { lookAlike(); }

    void missingBeforeEspecially_data()
    {
        columns();
        row("especially before a clause", "Films are more fun than books especially when you watch with friends.",
            " especially", ", especially", "comma_especially",
            "Films are more fun than books, especially when you watch with friends.");
        row("especially before a prepositional phrase", "Fewer people buy cars especially in big cities.",
            " especially", ", especially", "comma_especially",
            "Fewer people buy cars, especially in big cities.");
        row("particularly after an adjective", "The show was awful particularly for young viewers.",
            " particularly", ", particularly", "comma_especially",
            "The show was awful, particularly for young viewers.");
    }
    void missingBeforeEspecially() { verify(); }

    void especiallyLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("especially with its comma") << "Cars are popular, especially in small towns.";
        QTest::newRow("especially after a verb") << "This is especially true in winter.";
        QTest::newRow("especially after an adverb") << "The room was set aside especially for guests.";
        QTest::newRow("especially before an adjective") << "It was an especially cold winter.";
    }
    void especiallyLookAlikes() { lookAlike(); }

    void commaSplice_data()
    {
        columns();
        row("two clauses, the second with it", "English is widely spoken, it is an international language.",
            ", it", "; it", "comma_splice", "English is widely spoken; it is an international language.");
        row("two clauses, the second with they", "Parents are very busy, they spend most of their time at work.",
            ", they", "; they", "comma_splice", "Parents are very busy; they spend most of their time at work.");
        row("two clauses, the second with a modal", "Buildings reflect history, we can learn from them.", ", we",
            "; we", "comma_splice", "Buildings reflect history; we can learn from them.");
        row("a passive that reports nothing", "English is spoken widely, it is used everywhere.", ", it", "; it",
            "comma_splice", "English is spoken widely; it is used everywhere.");
        row("two clauses in the second sentence of a text", "We met at noon. Prices are high, they keep rising.",
            ", they", "; they", "comma_splice", "We met at noon. Prices are high; they keep rising.");
    }
    void commaSplice() { verify(); }

    void commaSpliceLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a reporting clause") << "The plan is too late for us, I think.";
        QTest::newRow("a reporting verb before more") << "The shop will close next year, he said in May.";
        QTest::newRow("a passive report") << "John was elected president, it was announced yesterday.";
        QTest::newRow("a deliberate series") << "There will be days of joy, there will be days of calm.";
        QTest::newRow("an opening clause") << "If it rains on Sunday, we will stay at home.";
        QTest::newRow("a conjunction after the comma") << "The test was very hard, but we passed it.";
        QTest::newRow("a relative clause and an aside") << "The woman who called was, it seems, his aunt.";
        QTest::newRow("an opening phrase without a verb") << "Every year in May, we visit our grandparents.";
        QTest::newRow("an opening phrase inside a thought")
            << "I think having lost a friend, she sees life in a different way.";
        QTest::newRow("an opening phrase in the second sentence")
            << "The city is noisy. On the other hand, it is exciting.";
        QTest::newRow("a title with its full stop")
            << "When Dr. Adenauer was approached by the delegation, he gave them his approval.";
        QTest::newRow("a verb of saying after the pronoun")
            << "He really hadn't meant to, he assured her, but it was too late.";
        QTest::newRow("a list of clauses closed by and")
            << "She stayed at home, he went to bed early, and we met in town later.";
        QTest::newRow("a quotation") << "He shouted \"Stop, it is mine!\" and ran to the door.";
    }
    void commaSpliceLookAlikes() { lookAlike(); }

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
        row("the claim, that", "I do not agree with the claim, that it helps.",
            ", ", "", "comma_that", "I do not agree with the claim that it helps.");
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
        row("something, that", "It helps us see something, that matters in life.", ", ", "", "comma_relative",
            "It helps us see something that matters in life.");
        row("the ones, who", "Let me describe the ones, who believe in it.", ", ", "", "comma_relative",
            "Let me describe the ones who believe in it.");
        row("a lot of plural, who", "I know a lot of girls, who want to work in science.", ", ", "",
            "comma_relative", "I know a lot of girls who want to work in science.");
        row("the level of, who", "The level of men, who held a diploma rose.", ", ", "", "comma_relative",
            "The level of men who held a diploma rose.");
        row("a bare plural after a preposition, who", "The lowest rate is among women, who have a degree.", ", ", "",
            "comma_relative", "The lowest rate is among women who have a degree.");
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
        QTest::newRow("that is meaning namely") << "I told him something, that is, a lie.";
        QTest::newRow("a plural after an adjective and who") << "We met young doctors, who were very kind.";
        QTest::newRow("which after a clause ending in a pronoun") << "He said nothing, which surprised us.";
        QTest::newRow("a numeral one before who") << "We have two cats and one, who is old, sleeps all day.";
        QTest::newRow("no comma at all") << "I think that those who work hard will earn more than others.";
    }
    void needlessCommaLookAlikes() { lookAlike(); }
};

QTEST_GUILESS_MAIN(TestCheckerLearnerCommas)
#include "tst_checker_learnercommas.moc"
