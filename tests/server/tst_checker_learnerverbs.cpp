// Learner errors of agreement and verb form where the subject is more than a word before
// its verb: a measure before an of-phrase, nouns joined by "and", "there is" before a count,
// a relative clause or a participle phrase between, a fronted phrase without a comma, a bare
// singular subject; and an -ing form left as a sentence's only verb. Each learner sentence must
// get its finding with the right first candidate and explanation page, and each clean
// look-alike none at all.

#include "englishchecker.h"
#include "support/checkerrecords.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using namespace CheckerRecords;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerLearnerVerbs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    void verify() { LearnerTable::verify(*m_checker); }
    void lookAlike() { LearnerTable::verifyClean(*m_checker); }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void distantSubjects_data()
    {
        columns();
        row("the percentage of with a plural verb", "The percentage of students are higher than before.", "are", "is",
            "agreement_of_phrase", "The percentage of students is higher than before.");
        row("the proportion of after an adjective", "The high proportion of old people were a problem.", "were",
            "was", "agreement_of_phrase", "The high proportion of old people was a problem.");
        row("of-phrase with a place phrase after it", "The quantity of cars in big cities are growing.", "are", "is",
            "agreement_of_phrase", "The quantity of cars in big cities is growing.");
        row("of-phrase with two nouns joined", "The number of boys and girls are equal.", "are", "is",
            "agreement_of_phrase", "The number of boys and girls is equal.");
        row("of-phrase with two adjectives joined", "The price of old and new flats are rising.", "are", "is",
            "agreement_of_phrase", "The price of old and new flats is rising.");
        row("of-phrase with an -ing form and its object", "The costs of heating the house is high.", "is", "are",
            "agreement_of_phrase", "The costs of heating the house are high.");
        row("plural and singular joined", "Movies and music is a kind of art.", "is", "are", "sv_agreement",
            "Movies and music are a kind of art.");
        row("singular and plural joined", "The teacher and his students was late.", "was", "were", "sv_agreement",
            "The teacher and his students were late.");
        row("subject after a fronted phrase without a comma", "In my city the parks is very big.", "is", "are",
            "sv_agreement", "In my city the parks are very big.");
        row("subject after according to without a comma", "According to the graph the numbers was low.", "was",
            "were", "sv_agreement", "According to the graph, the numbers were low.");
        row("plural after a number in a fronted phrase", "In 2015 prices was much higher.", "was", "were",
            "sv_agreement", "In 2015 prices were much higher.");
        row("fronted phrase inside a sentence", "Prices rose, while in Indonesia services is cheap.", "is", "are",
            "sv_agreement", "Prices rose, while in Indonesia services are cheap.");
        row("a plural with a noun before it", "Computer games is popular with teenagers.", "is", "are",
            "sv_agreement", "Computer games are popular with teenagers.");
        row("a plural with a noun before it after because", "They lose money because pirate copies is cheap.",
            "is", "are", "sv_agreement", "They lose money because pirate copies are cheap.");
        row("two singulars joined", "My brother and my sister is at school.", "is", "are", "sv_agreement",
            "My brother and my sister are at school.");
        row("there is a few", "There is a few reasons to disagree.", "is", "are", "there_be_number",
            "There are a few reasons to disagree.");
        row("there is after and and a fronted phrase", "And in my city there is many parks.", "is", "are",
            "there_be_number", "And in my city there are many parks.");
        row("there is with an adverb before a count", "There is only two girls in the class.", "is", "are",
            "there_be_number", "There are only two girls in the class.");
        row("there are with an adverb before one thing", "There are also a problem with it.", "are", "is",
            "there_be_number", "There is also a problem with it.");
        row("there are before an indefinite pronoun", "There are always someone who helps.", "are", "is",
            "there_be_number", "There is always someone who helps.");
        row("there are a great amount of", "There are a great amount of work to do.", "are", "is",
            "there_be_number", "There is a great amount of work to do.");
        row("who after a comma", "My brothers, who is older, go there.", "is", "are", "agreement_relative",
            "My brothers, who are older, go there.");
        row("who after a share of people", "Only 20 percent of people who lives here drive.", "lives", "live",
            "agreement_relative", "Only 20 percent of people who live here drive.");
        row("participle phrase after a singular head", "The quality mentioned in the shops are the same.", "are",
            "is", "sv_agreement", "The quality mentioned in the shops is the same.");
        row("-ing phrase after a plural head", "People living in big cities is always busy.", "is", "are",
            "sv_agreement", "People living in big cities are always busy.");
        row("-ing phrase with an object", "Students using mobile phones has problems.", "has", "have",
            "sv_agreement", "Students using mobile phones have problems.");
        row("a subject relative clause between", "People who live in big cities is always busy.", "is", "are",
            "sv_agreement", "People who live in big cities are always busy.");
        row("a subject relative clause with an object between", "The man who sold the cars were kind.", "were",
            "was", "sv_agreement", "The man who sold the cars was kind.");
        row("everyone who with a plural verb", "I think everyone who have a car drives to work.", "have", "has",
            "agreement_relative", "I think everyone who has a car drives to work.");
        row("a person before who with a base verb", "The student who study hard will pass.", "study", "studies",
            "agreement_relative", "The student who studies hard will pass.");
        row("a person before who with were", "He is the man who were here yesterday.", "were", "was",
            "agreement_relative", "He is the man who was here yesterday.");
    }
    void distantSubjects() { verify(); }

    // verbs outside the hand-made table that can only be verbs
    void rarerVerbs_data()
    {
        columns();
        row("he, she or it with a bare rarer verb", "Because it transmit the virus to other places.", "transmit",
            "transmits", "sv_agreement", "Because it transmits the virus to other places.");
        row("they with an -s form of a rarer verb", "They attracts many tourists every summer.", "attracts",
            "attract", "sv_agreement", "They attract many tourists every summer.");
        row("a plural noun with an -s form of a rarer verb", "Big cities attracts many young people.", "attracts",
            "attract", "sv_agreement", "Big cities attract many young people.");
        row("an -ies form of a rarer verb", "We often relies on our parents.", "relies", "rely", "sv_agreement",
            "We often rely on our parents.");
    }
    void rarerVerbs() { verify(); }

    void rarerVerbLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a verb that is also a noun after it") << "In the north it rains a lot in spring.";
        QTest::newRow("a verb that is also a noun after they") << "They process the data every night.";
        QTest::newRow("a past form that is a base of another verb") << "She found a school for poor children.";
        QTest::newRow("a plural noun after we") << "We harass nobody, and our dogs bark at strangers.";
        QTest::newRow("a rarer verb agreeing with its plural") << "Their old cities attract many tourists.";
    }
    void rarerVerbLookAlikes() { lookAlike(); }

    void distantSubjectLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("the rest of follows its noun") << "In this class the rest of the students are women.";
        QTest::newRow("a percentage of") << "A small percentage of the students are absent.";
        QTest::newRow("two of-phrases joined by and") << "The cost of food and the price of flats are rising.";
        QTest::newRow("two singulars joined by and") << "Bread and butter is my favourite breakfast.";
        QTest::newRow("an of-phrase and a noun after a determiner")
            << "The number of cars and the roads are a problem.";
        QTest::newRow("a name before who after a comma") << "We met Eggers, who is a professor there.";
        QTest::newRow("a clause about the whole sentence") << "Prices rose, which is bad news.";
        QTest::newRow("a fronted phrase before a singular subject") << "In my city the park is very big.";
        QTest::newRow("an object after a fronted phrase") << "Of the two plans the students liked the first.";
        QTest::newRow("a pronoun subject after a fronted phrase") << "For most students this means more work.";
        QTest::newRow("a name with a plural-form word") << "Invention Labs was founded by two students.";
        QTest::newRow("a singular compound after two joined nouns")
            << "In many firms the research and development approach has changed.";
        QTest::newRow("a singular head after a number in a fronted phrase") << "In 2015 the price of cars rose.";
        QTest::newRow("a plural after a number with its verb") << "In 1990 sales were low.";
        QTest::newRow("a fronted phrase before its inverted verb") << "At the heart of the XB bulbs is a glass tube.";
        QTest::newRow("a group noun before who") << "The committee who are retiring met today.";
        QTest::newRow("who about the noun of a phrase") << "He is one of the experts in linguistics who have written on it.";
        QTest::newRow("who after a second noun joined by but")
            << "It studies adults with some college but no degree who are seeking a place.";
        QTest::newRow("that opening a clause of its noun") << "I have a reason that students accept.";
        QTest::newRow("an -ing word in a compound after a name") << "This AIRS sounding suite is the best system.";
        QTest::newRow("a singular head before a participle phrase") << "The man living next to the shops is kind.";
        QTest::newRow("a clause after the relative clause's verb") << "People who think the city is safe are wrong.";
        QTest::newRow("a relative clause ending in a preposition") << "The people who I talked to are kind.";
        QTest::newRow("a list of plurals after a singular subject")
            << "A law for writers, artists, musicians does not help them.";
        QTest::newRow("an -ing opener before the clause's own plural subject")
            << "Using this system boys have more chances than girls.";
        QTest::newRow("there are a great many") << "There are a great many shops here.";
        QTest::newRow("there are before someone else's") << "There are someone else's books on my desk.";
        QTest::newRow("a singular head before of and an -ing form") << "The cost of heating the houses is high.";
        QTest::newRow("there is only one") << "There is only one answer to this question.";
        QTest::newRow("there are also some") << "There are also some problems with the plan.";
        QTest::newRow("a few days as a time") << "There was a storm a few days ago.";
    }
    void distantSubjectLookAlikes() { lookAlike(); }

    void bareSubjects_data()
    {
        columns();
        row("a bare compound subject before a plain verb", "Surveillance technology bring more benefits.", "bring",
            "brings", "sv_agreement", "Surveillance technology brings more benefits.");
        row("a bare subject after an opener", "In conclusion, surveillance technology bring benefits.", "bring",
            "brings", "sv_agreement", "In conclusion, surveillance technology brings benefits.");
        row("a verb the tagger joins to a bare subject", "Pollution cause many diseases.", "cause", "causes",
            "sv_agreement", "Pollution causes many diseases.");
        row("a bare subject after that", "I think that food diet influence our health.", "influence",
            "influences", "sv_agreement", "I think that food diet influences our health.");
        row("the and an adjective for a group of people", "The elderly is a burden on the young.", "is", "are",
            "sv_agreement", "The elderly are a burden on the young.");
        row("both joining two names", "I see that both Facebook and Instagram is popular.", "is", "are",
            "sv_agreement", "I see that both Facebook and Instagram are popular.");
        row("an -s verb after who that the tagger reads as a plural noun", "Students who studies hard will pass.",
            "studies", "study", "agreement_relative", "Students who study hard will pass.");
    }
    void bareSubjects() { verify(); }

    void bareSubjectLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a bare plural head") << "Water levels rise every spring.";
        QTest::newRow("a group noun") << "Staff want more pay.";
        QTest::newRow("a gerund subject") << "Swimming helps you relax.";
        QTest::newRow("a name with a plural word") << "Invention Labs was founded by two students.";
        QTest::newRow("a noun that is also a verb as head") << "Price control works well.";
        QTest::newRow("a bare singular before a modal") << "Public transport can help us.";
        QTest::newRow("a compound inside a determined phrase") << "This engagement photo guide is a work of love.";
        QTest::newRow("an imperative") << "Bring more water.";
        QTest::newRow("both with a plural verb") << "Both China and India have large populations.";
        QTest::newRow("an adjective for people before its noun") << "The elderly man is kind, and the poor quality is clear.";
        QTest::newRow("a base that is the past of another verb") << "The old man lay face down, and it lay there quietly.";
        QTest::newRow("need as a modal") << "He need not fear anything, and she need only ask.";
    }
    void bareSubjectLookAlikes() { lookAlike(); }

    void sincePast_data()
    {
        columns();
        row("a past after a year opener", "Since 2000, the population increased rapidly.", "increased",
            "has increased", "tense_since_perfect", "Since 2000, the population has increased rapidly.");
        row("a past before since and a year", "Prices rose sharply since 2010.", "rose", "have risen",
            "tense_since_perfect", "Prices have risen sharply since 2010.");
        row("was before since last year", "I was very busy since last year.", "was", "have been",
            "tense_since_perfect", "I have been very busy since last year.");
    }
    void sincePast() { verify(); }

    void sincePastLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a superlative before since") << "Prices rose to their highest level since 2008.";
        QTest::newRow("the first time since") << "It was the first time since 1990 that they won.";
        QTest::newRow("a past perfect") << "He had lived there since 1990.";
        QTest::newRow("since opening a clause") << "Since he left, I cried every day.";
        QTest::newRow("a noun phrase after the comma") << "Sales fell in March, the biggest drop since 2009.";
    }
    void sincePastLookAlikes() { lookAlike(); }

    // Sentences with a slip where one kind must or must not answer: "in last decade" lost its
    // "the", the period runs up to now and keeps the perfect, while "last year" alone dates
    // the clause; after a count word the noun is the slip, never the verb
    void kindAnswers_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("flagged");
        QTest::newRow("in last decade") << "The number of cars has risen sharply in last decade."
                                        << "tense_perfect_finished" << false;
        QTest::newRow("over last year") << "Prices have risen over last year." << "tense_perfect_finished" << false;
        QTest::newRow("last year alone") << "I have visited Paris last year." << "tense_perfect_finished" << true;
        QTest::newRow("several before a singular") << "Several country have this problem." << "sv_agreement" << false;
        QTest::newRow("a number before a singular") << "Two student was late today." << "sv_agreement" << false;
        QTest::newRow("a singular after an article") << "The student were late today." << "sv_agreement" << true;
    }
    void kindAnswers()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, kind);
        QFETCH(bool, flagged);
        const Json::Value record = LearnerTable::check(*m_checker, sentence, 2);
        bool found = false;
        for (const Json::Value &c : record["corrections"])
            found = found || QString::fromStdString(c["explainType"].asString()) == kind;
        QVERIFY2(found == flagged, qPrintable(CheckerRecords::describe(sentence, record)));
    }

    void verbForms_data()
    {
        columns();
        row("a regular past after a modal", "I should mentioned that the price rose.", "mentioned", "mention",
            "modal_base", "I should mention that the price rose.");
        row("a regular past WordNet also lists as an adjective, before an object", "They will faced many problems.",
            "faced", "face", "modal_base", "They will face many problems.");
        row("a regular past after an infinitive to", "It is important to maintained a healthy life.", "maintained",
            "maintain", "to_infinitive", "It is important to maintain a healthy life.");
        row("a past that is also an adjective, before its object", "We need to improved our skills.", "improved",
            "improve", "to_infinitive", "We need to improve our skills.");
        row("an -s form of a verb outside the common table", "It will benefits the society.", "benefits", "benefit",
            "modal_base", "It will benefit the society.");
        row("-ing as the only verb after a plural subject", "Nowadays many people using mobile phones.", "using",
            "are using", "be_missing", "Nowadays many people are using mobile phones.");
        row("-ing as the only verb after an of-phrase", "The number of cars increasing every year.", "increasing",
            "is increasing", "be_missing", "The number of cars is increasing every year.");
    }
    void verbForms() { verify(); }

    void verbFormLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a base verb's object before a verb") << "To take risks requires courage.";
        QTest::newRow("a passive after a modal") << "It should be mentioned that prices rose.";
        QTest::newRow("a perfect after a modal") << "He might have stepped out for a moment.";
        QTest::newRow("an -ing phrase before the verb") << "People using phones are everywhere.";
        QTest::newRow("a headline with no") << "No more trains leaving tonight.";
        QTest::newRow("a verb the tagger may join to the noun") << "The chart presents data showing a rise.";
        QTest::newRow("an -ing phrase before a modal") << "Students living far away can take the bus.";
        QTest::newRow("a past adjective after a preposition to") << "This leads to improved health and to paid work.";
        QTest::newRow("a past adjective after important to") << "It is important to married couples.";
        QTest::newRow("a modal before its subject") << "Courses must be approved, as must courses in the minor.";
        QTest::newRow("a past adjective after a modal and be") << "We will be faced with many problems.";
    }
    void verbFormLookAlikes() { lookAlike(); }
};

QTEST_GUILESS_MAIN(TestCheckerLearnerVerbs)
#include "tst_checker_learnerverbs.moc"
