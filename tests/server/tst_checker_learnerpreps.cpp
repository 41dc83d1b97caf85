// Learner errors with prepositions: a wrong one after a verb, adjective or noun, one missing
// before a verb's object, a needless one, and fixed phrases of time and place. Each learner
// sentence must get its finding with the right first candidate and explanation page, and each
// clean look-alike none at all.

#include "englishchecker.h"
#include "support/checkerrecords.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using namespace CheckerRecords;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerLearnerPreps : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    void verify() { LearnerTable::verify(*m_checker); }
    void lookAlike() { LearnerTable::verifyClean(*m_checker); }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void prepositions_data()
    {
        columns();
        row("interested on", "I am interested on music.", "on", "in", "preposition_choice",
            "I am interested in music.");
        row("depend of", "It depends of the weather.", "of", "on", "preposition_choice", "It depends on the weather.");
        row("different with", "My idea is different with yours.", "with", "from", "preposition_choice",
            "My idea is different from yours.");
        row("listen without to", "I like to listen music.", "music", "to music", "preposition_missing",
            "I like to listen to music.");
        row("in the other hand", "In the other hand, it is expensive.", "In", "On", "preposition_phrase",
            "On the other hand, it is expensive.");
        row("in with a day", "We met in Monday.", "in", "on", "preposition_time", "We met on Monday.");
        row("on with a year", "He came to China on 2005.", "on", "in", "preposition_time", "He came to China in 2005.");
        row("in night", "I cannot sleep in night.", "in", "at", "preposition_time", "I cannot sleep at night.");
        row("specialize on", "People may not know which subject to specialize on.", "on", "in",
            "preposition_choice", "People may not know which subject to specialize in.");
        row("rely in", "We cannot rely in luck alone.", "in", "on", "preposition_choice",
            "We cannot rely on luck alone.");
        row("suffer of", "Many old people suffer of loneliness.", "of", "from", "preposition_choice",
            "Many old people suffer from loneliness.");
        row("agree before a noun phrase", "I agree the opinion of the writer.", "the", "with the",
            "preposition_missing", "I agree with the opinion of the writer.");
        row("enjoying in it", "After a few days, I was enjoying in it.", " in ", "", "redundant_preposition",
            "After a few days, I was enjoying it.");
        row("explain about the", "He explained about the plan to us.", " about ", "", "redundant_preposition",
            "He explained the plan to us.");
        row("dependent of", "Young people are dependent of their parents.", "of", "on", "preposition_choice",
            "Young people are dependent on their parents.");
        row("fond with", "She is fond with animals.", "with", "of", "preposition_choice", "She is fond of animals.");
        row("proud for", "They are proud for their son.", "for", "of", "preposition_choice",
            "They are proud of their son.");
        row("wait with a direct object", "He waited me for an hour.", "me", "for me",
            "preposition_missing", "He waited for me for an hour.");
        row("talk with a direct object", "We talked the problem.", "the", "about the",
            "preposition_missing", "We talked about the problem.");
        row("graduate with a school as object", "I graduated Peking University.", "Peking",
            "from Peking", "preposition_missing", "I graduated from Peking University.");
        row("to before home", "I want to go to home.", " to ", "", "preposition_extra", "I want to go home.");
        row("reach to", "We reached to the top.", " to ", "", "redundant_preposition", "We reached the top.");
        row("influence on after a modal", "Such films can influence on children.", " on ", "",
            "redundant_preposition", "Such films can influence children.");
        row("affect on after a modal: the verb, not the noun", "Violent scenes can affect on them.", " on ", "",
            "redundant_preposition", "Violent scenes can affect them.");
        row("trust on", "You can really trust on it.", " on ", "", "redundant_preposition",
            "You can really trust it.");
        row("affect after an adjective: the noun", "Smoking has a bad affect on health.", "affect", "effect",
            "confusion_affect", "Smoking has a bad effect on health.");
    }
    void prepositions() { verify(); }

    void prepositionLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("interested about as a clause") << "Interested readers can write to us.";
        QTest::newRow("arrived to find") << "We arrived to find the door locked.";
        QTest::newRow("in the other room") << "She is in the other room.";
        QTest::newRow("on the other hand") << "On the other hand, the city is safe.";
        QTest::newRow("listen carefully") << "Please listen carefully.";
        QTest::newRow("at 2010 prices") << "The house cost a lot at 2010 prices.";
        QTest::newRow("night school") << "He teaches in night school.";
        QTest::newRow("depend on") << "Children depend on their parents.";
        QTest::newRow("something different with") << "Each of us did something different with the money.";
        QTest::newRow("concentrated in as a place") << "The population is concentrated in the cities.";
        QTest::newRow("independent of") << "The result is independent of the size.";
        QTest::newRow("agree that with a clause") << "I agree that the plan is good, and it agrees with me.";
        QTest::newRow("enjoy in before a time") << "We enjoyed in summer what we planted in spring.";
        QTest::newRow("suffering of as a noun") << "The suffering of the people was great.";
        QTest::newRow("a noun after graduate") << "She applied to the Graduate School.";
        QTest::newRow("home page") << "Go to home page and log in.";
        QTest::newRow("wait with a possessive's noun") << "She will wait her turn.";
        QTest::newRow("influence as a noun after more") << "Friends have more influence on him than parents.";
        QTest::newRow("about before an amount") << "People over sixty represent about a quarter of the town.";
        QTest::newRow("a passive's agent after influence") << "Children are easily influenced by their friends.";
        QTest::newRow("with opening the clause's phrase") << "We should influence them with good examples.";
    }
    void prepositionLookAlikes() { lookAlike(); }


    // The preposition classifier, after a verb or an adjective the table counted but never with
    // the written preposition, where the tables' own gates stay silent.
    void classifierPrepositions_data()
    {
        columns();
        row("faced to", "A few decades ago, society faced to feminism.", "to", "with", "preposition_choice",
            "A few decades ago, society faced with feminism.");
        row("faced to before a plural", "Many workers faced to serious problems.", "to", "with",
            "preposition_choice", "Many workers faced with serious problems.");
        row("explained with the fact", "It can be explained with the fact that people need less electricity in summer.",
            "with", "by", "preposition_choice", "It can be explained by the fact that people need less electricity.");
        row("involved into", "If students are not involved into the school life, they may feel lost.", "into", "in",
            "preposition_choice", "If students are involved in the school life, they feel at home.");
        row("prepare to, the table's first choice by a smaller lead", "Most students prepare to exams at night.", "to",
            "for", "preposition_choice", "Most students prepare for exams at night.");
        row("prepare carefully to", "Artists can prepare carefully to the views.", "to", "for", "preposition_choice",
            "Artists can prepare carefully for the views.");
    }
    void classifierPrepositions() { verify(); }

    // Prepositions of the clause rather than of the word before, and native choices the
    // classifier ranks second.
    void classifierLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a time") << "We usually meet in the morning.";
        QTest::newRow("a place") << "She stayed at home all day.";
        QTest::newRow("a noun after an -s verb the tagger reads as a plural")
            << "Many elderly needs help from their family.";
        QTest::newRow("a phrasal verb") << "I look up to my older brother.";
        QTest::newRow("an adjective's respect") << "The two cities are close in numbers.";
        QTest::newRow("a manner phrase after a participle") << "Every person is born with complete freedom.";
        QTest::newRow("a phrase after a noun") << "He talked about the problem with his friends.";
        QTest::newRow("a native choice ranked lower") << "The decline can be explained with the weather.";
        QTest::newRow("a name") << "She has lived in London since 2010.";
        QTest::newRow("a number") << "The price rose by 1995.";
        QTest::newRow("a gerund's phrase") << "One thing I realized from taking the class is patience.";
        QTest::newRow("a passive participle's phrase") << "Dinner was prepared with great care.";
        QTest::newRow("an -s noun the tagger reads as a verb")
            << "School establishes views and believes of the pupils.";
    }
    void classifierLookAlikes() { lookAlike(); }

    // An adjective before a person and an infinitive: "for" in native text after nearly every
    // adjective ("easy for me to say")
    void adjectiveFrames_data()
    {
        columns();
        row("important to them to", "It is important to them to study hard.", "to", "for", "preposition_choice",
            "It is important for them to study hard.");
        row("very easy to me to", "And it was very easy to me to understand why he left.", "to", "for",
            "preposition_choice", "And it was very easy for me to understand why he left.");
        row("so hard to people to", "It is so hard to people to accept it.", "to", "for", "preposition_choice",
            "It is so hard for people to accept it.");
    }
    void adjectiveFrames() { verify(); }

    void adjectiveFrameLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("important to a person, no infinitive") << "This test is very important to them.";
        QTest::newRow("close to a place") << "It is close to the station.";
        QTest::newRow("open to the public") << "The park is open to the public.";
        QTest::newRow("open to anyone to join: the adjective's own to") << "The club is open to anyone to join.";
        QTest::newRow("good to eat") << "It is good to eat.";
        QTest::newRow("easy to use") << "It is easy to use.";
        QTest::newRow("important to remember") << "It is important to remember.";
        QTest::newRow("up to you to decide") << "It is up to you to decide.";
        QTest::newRow("kind of you to come") << "It was kind of you to come.";
        QTest::newRow("seemed to me to be, a verb") << "It seemed to me to be wrong.";
        QTest::newRow("harmful to the environment") << "Plastic is harmful to the environment.";
        QTest::newRow("similar to mine") << "His idea is similar to mine.";
        QTest::newRow("close to me to the station: no infinitive") << "He lives close to me to the south.";
    }
    void adjectiveFrameLookAlikes() { lookAlike(); }

    // "of" after a noun that native text follows with another preposition far more often.
    void nounPrepositions_data()
    {
        columns();
        row("reason of", "There are two main reasons of this problem.", "of", "for", "noun_preposition",
            "There are two main reasons for this problem.");
        row("reason of at the start", "The reason of his success is hard work.", "of", "for", "noun_preposition",
            "The reason for his success is hard work.");
        row("reason of after be", "Technology can be the reason of our health problems.", "of", "for",
            "noun_preposition", "Technology can be the reason for our health problems.");
        row("effect to after have", "Smoking has a bad effect to health.", "to", "on", "noun_preposition",
            "Smoking has a bad effect on health.");
        row("role on after play", "Parents play an important role on the education of children.", "on", "in",
            "noun_preposition", "Parents play an important role in the education of children.");
        row("attention at after pay", "We should pay attention at our health.", "at", "to",
            "noun_preposition", "We should pay attention to our health.");
        row("contribution for after a perfect", "Computers have made a contribution for science.", "for", "to",
            "noun_preposition", "Computers have made a contribution to science.");
    }
    void nounPrepositions() { verify(); }

    // "of" where it is the phrase's own, or where the noun's phrase belongs to a word before it.
    void nounPrepositionLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("the noun after a preposition") << "He was excused by reason of illness.";
        QTest::newRow("a fixed phrase") << "In respect of pay, the offer is fair.";
        QTest::newRow("the noun's own preposition after the object")
            << "The connection of the village to the city took years.";
        QTest::newRow("a noun native writers follow with of") << "The cause of the fire is unknown.";
        QTest::newRow("a name as the object") << "The reasons of Caesar were never told.";
        QTest::newRow("a cause or kind") << "An attack of asthma kept him home.";
        QTest::newRow("whose the thing is") << "The emphasis of the report is safety.";
        QTest::newRow("a fixed phrase with of") << "The trip of a lifetime was over.";
        QTest::newRow("who feels it") << "The respect of his students was his reward.";
        QTest::newRow("what the word points to") << "The reference of the word is unclear.";
        QTest::newRow("a passive's agent") << "He was paid a visit by his old friend.";
        QTest::newRow("the noun's own choice") << "The new law had an effect on prices.";
        QTest::newRow("a phrase of the clause after a verb that lends no meaning")
            << "She described the effect to her teacher.";
        QTest::newRow("a native second choice") << "The players had a role in the decision.";
    }
    void nounPrepositionLookAlikes() { lookAlike(); }

    // Parts of the day take "in", the weekend "at" (or "on").
    void timePrepositions_data()
    {
        columns();
        row("at the morning", "We usually go jogging at the morning.", "at", "in", "preposition_time",
            "We usually go jogging in the morning.");
        row("at the afternoon before a comma", "At the afternoon, the temperature rises.", "At", "In",
            "preposition_time", "In the afternoon, the temperature rises.");
        row("in the weekend", "I often visit my grandparents in the weekend.", "in", "at", "preposition_time",
            "I often visit my grandparents at the weekend.");
        row("in weekends", "We play football in weekends.", "in", "at", "preposition_time",
            "We play football at weekends.");
        row("in the same time, native text's at", "In the same time, the share of young people will fall.", "In",
            "At", "preposition_time", "At the same time, the share of young people will fall.");
        row("at the present days", "We are changing our society at the present days.", "at", "in",
            "preposition_time", "We are changing our society in the present days.");
        row("on the summer", "They visit us on the summer.", "on", "in", "preposition_time",
            "They visit us in the summer.");
    }
    void timePrepositions() { verify(); }

    void timePrepositionLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a modifier of the next noun") << "We met at the morning session.";
        QTest::newRow("looking at") << "She looked at the morning sky.";
        QTest::newRow("in the weekend's edition") << "The story appeared in the weekend edition.";
        QTest::newRow("on the weekend") << "We went hiking on the weekend.";
        QTest::newRow("on the morning of a date") << "He left on the morning of the fifth.";
        QTest::newRow("in the moment beside at the moment") << "Try to live in the moment.";
        QTest::newRow("a time paired with another") << "Three stones mark sunrise at the summer and winter solstices.";
        QTest::newRow("a verb the counts never saw takes its own") << "We should focus on the future.";
        QTest::newRow("a verb's topic") << "He commented on the night.";
        QTest::newRow("an age a clause pins down") << "He lived in an age when horses were rare.";
    }
    void timePrepositionLookAlikes() { lookAlike(); }

    // A verb native text (nearly) never follows by its object directly, written so: the
    // preposition native writers put there (counted from Brown and the UD treebanks).
    void verbObjects_data()
    {
        columns();
        row("depend with a direct object", "Whether we go depends the weather.", "the", "on the",
            "verb_preposition_missing", "Whether we go depends on the weather.");
        row("arrive with a place as object", "I arrived school late again.", "school", "at school",
            "verb_preposition_missing", "I arrived at school late again.");
        row("wait with a noun phrase", "We waited the bus for an hour.", "the", "for the",
            "verb_preposition_missing", "We waited for the bus for an hour.");
        row("belong with a direct object", "Does this bag belong your sister?", "your", "to your",
            "verb_preposition_missing", "Does this bag belong to your sister?");
        row("go with a bare place noun", "Every morning I go school by bike.", "school", "to school",
            "verb_preposition_missing", "Every morning I go to school by bike.");
        row("participate with a direct object", "All of us should participate the discussion.", "the",
            "in the", "verb_preposition_missing", "All of us should participate in the discussion.");
        // a verb whose first preposition holds under half its objects ("agree with", "to", "on")
        row("agree with the first of several prepositions", "The professor agreed some ideas of the students.",
            "some", "with some", "verb_preposition_missing",
            "The professor agreed with some ideas of the students.");
    }
    void verbObjects() { verify(); }

    // Right sentences with those verbs and something after them that is no object.
    void verbObjectLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a length of time") << "We waited two hours and then left.";
        QTest::newRow("a time noun") << "Wait a minute, please.";
        QTest::newRow("home") << "I arrived home late.";
        QTest::newRow("a time adverb noun") << "They arrived yesterday.";
        QTest::newRow("an object native writers give the verb") << "They live a happy life.";
        QTest::newRow("a bare -ing noun") << "We went shopping after lunch.";
        QTest::newRow("a bare adjective") << "The company went public last year.";
        QTest::newRow("a phrasal verb's particle") << "Look it up in the dictionary.";
        QTest::newRow("a passive") << "The music was listened to by everyone.";
        QTest::newRow("so after think") << "I think so.";
        QTest::newRow("a gerund before its noun") << "Listening skills matter in an exam.";
        QTest::newRow("an exclamation with what") << "Look what you did!";
        QTest::newRow("a direction") << "The geese went north in spring.";
        QTest::newRow("a path") << "We went the same route as last year.";
        QTest::newRow("the subject after its verb") << "\"Yes,\" replied Tom.";
        QTest::newRow("no object at all") << "It all depends.";
        QTest::newRow("the subject of a clause") << "It depends how the weather turns out.";
        QTest::newRow("with its preposition") << "This bag belongs to my sister.";
        QTest::newRow("a that-clause after agree") << "We all agreed that the trip was too long.";
        QTest::newRow("the same after stay") << "Prices stayed the same for years.";
        QTest::newRow("a time after stay") << "We stayed the night at a small hotel.";
    }
    void verbObjectLookAlikes() { lookAlike(); }
};

QTEST_GUILESS_MAIN(TestCheckerLearnerPreps)
#include "tst_checker_learnerpreps.moc"
