// Errors typical of Chinese learners, by kind: each learner sentence must get its
// finding with the right first candidate and explanation page, and each clean twin
// (the corrected sentence, or a right sentence that looks like the error) none at all.

#include "englishchecker.h"
#include "support/checkerrecords.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using namespace CheckerRecords;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerLearner : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    Json::Value check(const QString &sentence, int confidence)
    {
        return LearnerTable::check(*m_checker, sentence, confidence);
    }

    void verify() { LearnerTable::verify(*m_checker); }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void tense_data()
    {
        columns();
        row("present with yesterday", "Yesterday I go to the library.", "go", "went", "tense_past_time",
            "Yesterday I went to the library.");
        row("present with last year after the clause", "We visit Hangzhou last year.", "visit", "visited",
            "tense_past_time", "We visit Hangzhou every year.");
        row("third person with ago", "My father buys a car two years ago.", "buys", "bought", "tense_past_time",
            "My father bought a car two years ago.");
        row("be with a when-clause", "When I was a child, I am afraid of dogs.", "am", "was", "tense_past_time",
            "When I was a child, I was afraid of dogs.");
        row("opener with a comma", "Last summer, my family travels to Yunnan.", "travels", "traveled",
            "tense_past_time", "Last summer, my family traveled to Yunnan.");
        row("perfect with a finished time", "I have seen him yesterday.", "have seen", "saw",
            "tense_perfect_finished", "I have seen him twice since then.");
        row("perfect of be with ago", "She has been to Japan three years ago.", "has been", "was",
            "tense_perfect_finished", "She has been to Japan three times.");
        row("will in an if-clause", "If I will have time, I will help you.", "will have", "have", "tense_if_will",
            "I wonder if he will have time.");
        row("will in an if-clause, third person", "If it will rain tomorrow, we will stay at home.", "will rain",
            "rains", "tense_if_will", "If it rains tomorrow, we will stay at home.");
        row("will in a when-clause", "When he will arrive, we will start.", "will arrive", "arrives",
            "tense_if_will", "I do not know when he will arrive.");
        row("since with a length of time", "I have studied English since three years.", "since", "for", "since_for",
            "I have studied English since 2019.");
        row("will in a when-clause after a future main clause", "I will call you when I will arrive.",
            "will arrive", "arrive", "tense_if_will", "I will call you when I arrive.");
        row("will in an if-clause after a future main clause", "I will go if I will have time.", "will have",
            "have", "tense_if_will", "I will go if I have time.");
    }
    void tense() { verify(); }

    // Right sentences that have the words the tense rules look for.
    void tenseLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("present habit beside a past phrase") << "I still remember what happened last year.";
        QTest::newRow("reporting verb") << "I think yesterday was the best day of my life.";
        QTest::newRow("relative clause in the present") << "Last year I met a man who lives in Paris.";
        QTest::newRow("the last week of a course") << "The last week of the term is always busy.";
        QTest::newRow("since with a point in time") << "He has worked here since last year.";
        QTest::newRow("since three years ago") << "We have been friends since three years ago.";
        QTest::newRow("polite if you will") << "If you will follow me, I will show you the room.";
        QTest::newRow("reported question") << "Nobody knows if the train will arrive on time.";
        QTest::newRow("quoted speech") << "Yesterday he said, \"I love this city.\"";
        QTest::newRow("question") << "What do you think about last year's exam?";
        QTest::newRow("present perfect without a finished time") << "I have finished my homework already.";
        QTest::newRow("question after a future main clause") << "I will ask him when he will come.";
        QTest::newRow("a reported if-question") << "I don't know if he will come, but I will wait.";
    }

    void tenseLookAlikes()
    {
        QFETCH(QString, sentence);
        const Json::Value record = check(sentence, 3);
        QVERIFY2(record["corrections"].empty(), qPrintable(describe(sentence, record)));
    }

    void agreement_data()
    {
        columns();
        row("head before an of-phrase", "The price of the new books are too high.", "are", "is",
            "agreement_of_phrase", "The price of the new books is too high.");
        row("plural head before an of-phrase", "The effects of smoking is serious.", "is", "are",
            "agreement_of_phrase", "The effects of smoking are serious.");
        row("plural head with an adverb", "The teachers there was very kind.", "was", "were", "sv_agreement",
            "The teachers there were very kind.");
        row("everyone", "Everyone have a dream.", "have", "has", "agreement_every", "Everyone has a dream.");
        row("every with a prepositional phrase", "Every student in my class like music.", "like", "likes",
            "agreement_every", "Every student in my class likes music.");
        row("each with a noun", "Each person have different ideas.", "have", "has", "agreement_every",
            "Each person has different ideas.");
        row("one of", "One of my best friends are a doctor.", "are", "is", "agreement_one_of",
            "One of my best friends is a doctor.");
        row("each of them", "Each of them have a phone.", "have", "has", "agreement_one_of",
            "Each of them has a phone.");
        row("language as a subject", "English are very important for us.", "are", "is", "agreement_uncountable",
            "English is very important for us.");
        row("a with a plural noun", "We have to try to get a new things.", " a ", "", "determiner_number",
            "We have to try to get new things.");
        row("this with a plural noun", "This animals are very cute.", "This", "These", "determiner_number",
            "These animals are very cute.");
        row("there is with a plural", "There is big changes in my hometown.", "is", "are", "there_be_number",
            "There are big changes in my hometown.");
        row("there is after a fronted place", "In my city there is many parks.", "is", "are", "there_be_number",
            "In my city there are many parks.");
        row("there is after a verb of thinking, with a count", "I think there is two reasons.", "is", "are",
            "there_be_number", "I think there are two reasons.");
        row("there are with one thing", "There are a big problem in our city.", "are", "is", "there_be_number",
            "There is a big problem in our city.");
        row("there are with an amount of", "There are a huge amount of traffic in the city.", "are", "is",
            "there_be_number", "There is a huge amount of traffic in the city.");
        row("there are with no and one thing", "There are no doubt about it.", "are", "is", "there_be_number",
            "There is no doubt about it.");
        row("relative clause after a plural", "There are some lectures which is based on facts.", "is", "are",
            "agreement_relative", "There are some lectures which are based on facts.");
        row("relative clause with a lexical verb", "Students who lives far away take the bus.", "lives", "live",
            "agreement_relative", "Students who live far away take the bus.");
        row("relative clause in the past", "We saw two films that was boring.", "was", "were", "agreement_relative",
            "We saw two films that were boring.");
        row("two plurals joined by and", "His thoughts and ideas is very important.", "is", "are", "sv_agreement",
            "His thoughts and ideas are very important.");
        row("participle before a plural subject", "I think that endangered animals is in danger.", "is", "are",
            "sv_agreement", "I think that endangered animals are in danger.");
    }
    void agreement() { verify(); }

    void verbPatterns_data()
    {
        columns();
        row("say with a person", "He said me the good news.", "said", "told", "say_tell", "He told me the good news.");
        row("tell with a that-clause", "She told that she was tired.", "told", "said", "say_tell",
            "She told me that she was tired.");
        row("suggest somebody to", "The doctor suggested me to take a rest.", "me to", "that I", "suggest_that",
            "The doctor suggested that I take a rest.");
        row("explain somebody something", "Please explain me the rule.", "me", "to me", "explain_to",
            "Please explain the rule to me.");
        row("base verb after a preposition", "I am interested in learn English.", "learn", "learning",
            "gerund_after_preposition", "I am interested in learning English.");
        row("base verb after for", "Thank you for help me.", "help", "helping", "gerund_after_preposition",
            "Thank you for helping me.");
        row("-ing after to", "I like to reading books.", "reading", "read", "to_infinitive", "I like to read books.");
        row("be with a bare verb", "She is study English now.", "is study", "is studying", "be_verb",
            "She is studying English now.");
        row("make somebody to", "The teacher made the students to write a story.", " to ", "", "causative_to",
            "The teacher made the students write a story.");
    }
    void verbPatterns() { verify(); }

    void verbPatternLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("said to me") << "He said to me that it was late.";
        QTest::newRow("said you") << "She said you were busy.";
        QTest::newRow("tell that story") << "Please tell that story again.";
        QTest::newRow("suggest it to") << "I suggested it to my friends.";
        QTest::newRow("explain them") << "The teacher will explain them in class.";
        QTest::newRow("preposition before a noun that is also a verb") << "We met after work and talked about love.";
        QTest::newRow("in touch") << "We keep in touch by email.";
        QTest::newRow("noun before a relative clause") << "Think about the kind of work you are doing.";
        QTest::newRow("going to as a direction") << "The money is going to cutting costs.";
        QTest::newRow("look forward to -ing") << "I look forward to seeing you.";
        QTest::newRow("used to -ing") << "I am used to getting up early.";
        QTest::newRow("be and a noun") << "The problem is work.";
        QTest::newRow("be and an adjective") << "The room is clean now.";
        QTest::newRow("make a decision to") << "They made the decision to leave.";
        QTest::newRow("progressive") << "She is studying English now.";
    }
    void verbPatternLookAlikes() { agreementLookAlikes(); }

    void otherKinds_data()
    {
        columns();
        row("double negative with nothing", "I don't have nothing to do.", "nothing", "anything", "double_negative",
            "I don't have anything to do.");
        row("double negative with nobody", "She can't find nobody at home.", "nobody", "anybody", "double_negative",
            "She can't find anybody at home.");
        row("double negative with no", "We didn't see no cars there.", "no", "any", "double_negative",
            "We didn't see any cars there.");
        row("person with an -ing adjective", "I am boring in the class.", "boring", "bored", "feeling_adjective",
            "The class is boring.");
        row("feel with an -ing adjective", "After the trip I felt very exciting.", "exciting", "excited",
            "feeling_adjective", "After the trip I felt very excited.");
        row("thing with an -ed adjective", "I watched the film, but it was bored.", "bored", "boring",
            "feeling_adjective", "I watched the film, but I was bored.");
        row("an with an uncountable noun", "He gave me an advice.", "an advice", "a piece of advice",
            "uncountable_count", "He gave me some advice.");
        row("an adjective between: the noun alone first", "Books sometimes have an old information.",
            "an old information", "old information", "uncountable_count", "Books sometimes have old information.");
        row("an adjective between at the start: the noun alone, capitalised", "A useful advice came from him.",
            "A useful advice", "Useful advice", "uncountable_count", "Useful advice came from him.");
        row("many with an uncountable noun", "She has many homework today.", "many", "much", "uncountable_count",
            "She has much homework today.");
        row("a few with an uncountable noun", "I need a few information.", "a few", "a little", "uncountable_count",
            "I need a little information.");
        row("double comparative", "This way is more easier.", " more ", "", "double_comparative",
            "This way is easier.");
        row("double superlative", "It is the most best day.", " most ", "", "double_comparative",
            "It is the best day.");
    }
    void otherKinds() { verify(); }

    void otherLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("not only") << "He is not only kind but also clever.";
        QTest::newRow("no longer") << "I don't think he is no longer here, but I am not sure.";
        QTest::newRow("nothing after a comma") << "I didn't go, nothing could make me.";
        QTest::newRow("an interesting person") << "He is an interesting person.";
        QTest::newRow("it is interesting") << "It is interesting to learn English.";
        QTest::newRow("tired of") << "I am tired of waiting.";
        QTest::newRow("an information desk") << "Ask at an information desk.";
        QTest::newRow("a piece of advice") << "Let me give you a piece of advice.";
        QTest::newRow("a research project") << "She started a research project.";
        QTest::newRow("uncountable noun inside a capitalised title") << "He wrote a Passive Information Gathering paper.";
        QTest::newRow("it was surprised by") << "It was surprised by the noise and ran away.";
        QTest::newRow("because with a clause set off by commas") << "He left because the teacher, who had helped him, moved away.";
        QTest::newRow("because with a verb read as a plural")
            << "Prices are high because the proportion accounts for most of the market.";
        QTest::newRow("a singular head before a place name, names in a row")
            << "My friend in New York is kind, and the shops in Hong Kong Island are open.";
    }
    void otherLookAlikes() { agreementLookAlikes(); }

    void quantities_data()
    {
        columns();
        row("most of with a bare plural", "Most of students like music.", "students", "the students",
            "quantifier_of", "Most of the students like music.");
        row("all of with an adjective and a noun", "All of young people need friends.", "young",
            "the young", "quantifier_of", "All of the young people need friends.");
        row("one of with a bare plural", "It is one of reasons for the change.", "reasons", "the reasons",
            "quantifier_of", "It is one of the reasons for the change.");
        row("one of with an adjective and a plural", "One of main problems is traffic.", "main", "the main",
            "quantifier_of", "One of the main problems is traffic.");
        row("a lot of with a counted singular", "We have a lot of problem now.", "problem", "problems",
            "noun_plural", "We have a lot of problems now.");
        row("a lot of with a role noun", "There are a lot of scientist here.", "scientist", "scientists",
            "noun_plural", "There are a lot of scientists here.");
        row("lots of with a compound", "There are lots of car company here.", "company", "companies",
            "noun_plural", "There are lots of car companies here.");
        row("each of the with a singular", "Each of the member has a key.", "member", "members", "noun_plural",
            "Each of the members has a key.");
    }
    void quantities() { verify(); }

    void quantityLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("most of them") << "Most of them came early.";
        QTest::newRow("one of a pronoun, a number or a determined plural")
            << "One of them came, one of two stayed, and it is one of my reasons.";
        QTest::newRow("one of before a singular as a pronoun")
            << "I shifted my mindset from that of employee to one of entrepreneur.";
        QTest::newRow("all of a sudden") << "All of a sudden the lights went out.";
        QTest::newRow("some of which") << "We read ten books, some of which were long.";
        QTest::newRow("most of last year") << "He was away for most of last year.";
        QTest::newRow("a name after of") << "Most of Europe was covered in ice.";
        QTest::newRow("a plural possessive after of") << "Phones take up most of students' free time.";
        QTest::newRow("a lot of with a mass noun") << "There is a lot of food and a lot of noise.";
        QTest::newRow("a lot of with a noun native text often leaves uncounted")
            << "Bringing up a child requires a lot of effort and gives a lot of value.";
        QTest::newRow("a lot of with a noun compound") << "We spent a lot of money on travel.";
        QTest::newRow("the rest of") << "The rest of humanity was asleep.";
    }
    void quantityLookAlikes() { agreementLookAlikes(); }

    void verbForms_data()
    {
        columns();
        row("perfect question with a base form", "Have you ever think about it?", "think", "thought",
            "perfect_participle", "Have you ever thought about it?");
        row("perfect with never and a base form", "I have never see such a thing.", "see", "seen",
            "perfect_participle", "I have never seen such a thing.");
        row("passive with a base form before by", "The work can be finish by noon.", "finish", "finished",
            "passive_participle", "The work can be finished by noon.");
        row("passive with a verb-only base form", "The rules will be explain to everyone.", "explain",
            "explained", "passive_participle", "The rules will be explained to everyone.");
        row("modal before able", "We will able to finish it.", "able", "be able", "be_able",
            "We will be able to finish it.");
        row("relative clause after a singular noun", "A chef that try new dishes wins.", "try", "tries",
            "sv_agreement", "A chef that tries new dishes wins.");
        row("relative clause after a plural noun", "The students who wants to go must sign.", "wants", "want",
            "sv_agreement", "The students who want to go must sign.");
        row("singular subject with a less common verb", "The professor oppose the idea.", "oppose", "opposes",
            "sv_agreement", "The professors oppose the idea.");
        row("pronoun after a sentence-opening and", "And we says that it is fine.", "says", "say", "sv_agreement",
            "And we say that it is fine.");
        row("past that is a rarer base after didn't", "I didn't saw him yesterday.", "saw", "see", "do_base",
            "I didn't see him yesterday.");
        row("past that is a rarer base in a did-question", "Did you found the key?", "found", "find", "do_base",
            "Did you find the key?");
        row("past that is a rarer base after did not", "The old tree did not fell down.", "fell", "fall",
            "do_base", "The old tree did not fall down.");
    }
    void verbForms() { verify(); }

    void verbFormLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("have with an adverb and a noun") << "We have always time for tea.";
        QTest::newRow("be with a noun complement") << "It will be fun to be home.";
        QTest::newRow("be part of") << "You will be part of the team.";
        QTest::newRow("relative clause after a prepositional phrase")
            << "There are young trees on this property that provide shade.";
        QTest::newRow("compound subject with we") << "My sister and we go to school together.";
        QTest::newRow("able as an adjective after be") << "They will be able to help.";
        QTest::newRow("past form native text also uses as a base") << "The long speech did not bore them.";
        QTest::newRow("lay as a base in a did-question") << "Did she lay the table for dinner?";
        QTest::newRow("participle before a noun after do") << "Do loved ones complain about the noise?";
    }
    void verbFormLookAlikes() { agreementLookAlikes(); }

    void wordChoice_data()
    {
        columns();
        row("there before a noun object", "They are busy with there curriculum.", "there", "their",
            "confusion_their", "They are busy with their curriculum.");
        row("there after a verb base and before a noun", "Rich people buy land and use there money well.", "there",
            "their", "confusion_their", "Rich people buy land and use their money well.");
        row("my self written apart", "I went to Canada by my self.", "my self", "myself", "split_word",
            "I went to Canada by myself.");
        row("any one before a verb", "Any one has fears.", "Any one", "Anyone", "split_word", "Anyone has fears.");
        row("may be opening a sentence", "May be one day we will meet.", "May be", "Maybe", "confusion_maybe",
            "Maybe one day we will meet.");
        row("wish with can", "I wish I can fly.", "can", "could", "wish_past", "I wish I could fly.");
        row("preposition before an -s verb", "Think about creates a plan.", "creates", "creating",
            "gerund_after_preposition", "Think about creating a plan.");
        row("lot of without an article", "I spent lot of time on it.", "lot", "a lot", "article_missing",
            "I spent a lot of time on it.");
        row("subject after an opening adverb", "Sometimes students is busy.", "is", "are", "sv_agreement",
            "Sometimes students are busy.");
    }
    void wordChoice() { verify(); }

    void wordChoiceLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("is there with a noun") << "Is there time for lunch?";
        QTest::newRow("no one") << "No one knows, and no one can tell.";
        QTest::newRow("any one of") << "Any one of them can help, and any one thing will do.";
        QTest::newRow("my self-esteem") << "Sport helps my self-esteem.";
        QTest::newRow("may be after a subject") << "It may be late, and May is warm.";
        QTest::newRow("hope with can") << "I hope I can fly.";
        QTest::newRow("preposition before a plural noun") << "Think about changes in the city.";
        QTest::newRow("a parking lot of") << "We met in the parking lot of the mall.";
    }
    void wordChoiceLookAlikes() { agreementLookAlikes(); }

    void nounsAndConnectives_data()
    {
        columns();
        row("despite with of", "Despite of the rain, we went out.", " of ", "", "redundant_preposition",
            "Despite the rain, we went out.");
        row("consider with about", "We should consider about the cost.", " about ", "", "redundant_preposition",
            "We should consider the cost.");
        row("others before a noun", "It harms many others animals.", "others", "other", "confusion_others",
            "It harms many other animals.");
        row("because before a noun phrase", "Many climbers died because the cold weather.", "the",
            "of the", "because_of", "Many climbers died because of the cold weather.");
        row("a word written as two", "Further more, we need money.", "Further more", "Furthermore", "split_word",
            "Furthermore, we need money.");
        row("noun used as a verb", "If you try, you will success.", "success", "succeed", "noun_as_verb",
            "If you try, you will succeed.");
        row("derived noun after a do-negation", "Some fish don't survival in warm water.", "survival", "survive",
            "noun_as_verb", "Some fish don't survive in warm water.");
        row("derived noun after a pronoun", "When it rains, they solution it together.", "solution", "solve",
            "noun_as_verb", "When it rains, they solve it together.");
        row("quantifier with an adjective and a singular", "We hired many new employee.", "employee",
            "employees", "noun_plural", "We hired many new employees.");
        row("plural subject with a singular complement", "They are good student.", "student", "students",
            "complement_plural", "They are good students.");
        row("article before these", "For the these reasons, I agree.", " the ", "", "article_stray",
            "For these reasons, I agree.");
    }
    void nounsAndConnectives() { verify(); }

    void nounAndConnectiveLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("because with a clause") << "We stayed in because the weather was bad.";
        QTest::newRow("because with a long subject")
            << "It failed because the cost of the tools and the staff was too high.";
        QTest::newRow("others alone") << "Some people help others, and others help them.";
        QTest::newRow("the road to success") << "Hard work is the road to success.";
        QTest::newRow("a derived noun as a subject after a modal") << "Will growth continue next year?";
        QTest::newRow("a derived noun as an object after you") << "We offer you protection and advice.";
        QTest::newRow("a derived noun after not") << "It is not advice but an order.";
        QTest::newRow("more over as two words") << "They argued more over the price than the date.";
        QTest::newRow("a material after are") << "The curtains are linen.";
        QTest::newRow("you are with a singular") << "You are a good student.";
        QTest::newRow("a whole lot of with a mass noun") << "There is a whole lot of frontier to explore.";
    }
    void nounAndConnectiveLookAlikes() { agreementLookAlikes(); }

    void numberAndFeeling_data()
    {
        columns();
        row("every with a plural", "Every students like him.", "students", "student", "determiner_number",
            "Every student likes him.");
        row("the number of with a plural verb", "The number of cars are growing.", "are", "is",
            "agreement_of_phrase", "The number of cars is growing.");
        row("a thing with an -ed adjective", "The movie was very excited.", "excited", "exciting",
            "feeling_adjective", "The movie was very exciting.");
        row("a plural head before a place phrase", "The teachers in my school is kind.", "is", "are",
            "sv_agreement", "The teachers in my school are kind.");
        row("a plural head before a place name", "My friends in New York is very kind.", "is", "are",
            "sv_agreement", "My friends in New York are very kind.");
        row("this before a plural that ends its phrase", "We thank this animals for their help.", "this", "these",
            "determiner_number", "We thank these animals for their help.");
        row("this before a verb-like plural and its verb", "This books are very old.", "This", "These",
            "determiner_number", "These books are very old.");
        row("that before kinds of", "We must solve that kinds of problem.", "that", "those", "determiner_number",
            "We must solve those kinds of problem.");
        row("one of this", "One of this important element is the internet.", "this", "these",
            "determiner_number", "One of these important elements is the internet.");
        row("be and an adverb before a bare verb", "But they are never give up.", "are never give", "never give",
            "be_verb", "But they never give up.");
        row("be before a simple past", "I was went to school.", "was went", "went", "be_verb",
            "I went to school.");
        row("a singular subject after an opening if", "If a person just know the facts, he is lucky.", "know",
            "knows", "sv_agreement", "If a person just knows the facts, he is lucky.");
    }
    void numberAndFeeling() { verify(); }

    void numberAndFeelingLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("every with a number") << "We meet every two weeks.";
        QTest::newRow("each as a pronoun before its verb") << "Each faces up to five years in prison.";
        QTest::newRow("a number of") << "A number of cars are parked outside.";
        QTest::newRow("a group that feels") << "The class was bored, so the teacher told a joke.";
        QTest::newRow("a singular head before a plural place phrase") << "The house on the hills is old.";
        QTest::newRow("this before a verb in -ies") << "But again this varies with the individual.";
        QTest::newRow("be with an adverb and a participle") << "They are always given a choice.";
        QTest::newRow("be with a participle") << "He was gone for a week, and it was broken.";
    }
    void numberAndFeelingLookAlikes() { agreementLookAlikes(); }

    void patterns_data()
    {
        columns();
        row("keep with to", "He keeps to talk.", "to talk", "talking", "verb_gerund", "He keeps talking.");
        row("had better with to", "You had better to go now.", " to ", "", "modal_to", "You had better go now.");
        row("be used to with a base form", "I am used to get up early.", "get", "getting", "used_to_ing",
            "I am used to getting up early.");
        row("much with a plural", "There are much cars here.", "much", "many", "much_many",
            "There are many cars here.");
        row("much with people", "There are so much people in the city.", "much", "many", "much_many",
            "There are so many people in the city.");
        row("much with an adjective and a plural", "We do not have much good teachers.", "much", "many",
            "much_many", "We do not have many good teachers.");
        row("which after a person", "The boy which is tall is my brother.", "which", "who", "confusion_which",
            "The boy who is tall is my brother.");
    }
    void patterns() { verify(); }

    void patternLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("keep to the left") << "Keep to the left on this road.";
        QTest::newRow("used to for a purpose") << "It is used to make paper.";
        QTest::newRow("much thanks and much more") << "Much thanks, and much more money.";
        QTest::newRow("how much as an adverb of the clause") << "You will see how much artists have changed.";
        QTest::newRow("much before a comparative and a plural") << "Prices are much higher taxes included.";
        QTest::newRow("pretty much before an adjective") << "They were pretty much open roads.";
        QTest::newRow("much before a noun and the next clause's subject")
            << "With too much plastic people get ill.";
        QTest::newRow("in contact with") << "We stay in contact with them.";
        QTest::newRow("which after a thing") << "The book which is red is mine.";
    }
    void patternLookAlikes() { agreementLookAlikes(); }

    // Sentence-level suggestions: the whole sentence is the span and there is no candidate.
    void fragments_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<bool>("fragment");
        QTest::newRow("because-clause alone") << "Because it was a very useful idea." << true;
        QTest::newRow("although-clause with a that-clause inside")
            << "Although the professor explains that the plan is good." << true;
        QTest::newRow("short because answer") << "Because I said so." << false;
        QTest::newRow("because-clause with its main clause") << "Because it rained, we stayed at home." << false;
        QTest::newRow("because-clause with two verbs of its own")
            << "Because he came late and missed the bus." << false;
    }
    void fragments()
    {
        QFETCH(QString, sentence);
        QFETCH(bool, fragment);
        const Json::Value record = check(sentence, 2);
        bool found = false;
        for (const Json::Value &c : record["corrections"])
            found = found || c["explainType"].asString() == "fragment_subordinate";
        QVERIFY2(found == fragment, qPrintable(describe(sentence, record)));
    }

    void adverbs_data()
    {
        columns();
        row("adjective after a verb of change", "The price of oil increased rapid.", "rapid", "rapidly",
            "adverb_form", "The price of oil increased rapidly.");
        row("adverb between the and its noun", "The mainly reasons are clear.", "mainly", "main", "adjective_form",
            "The main reasons are clear.");
        row("adverb in -ily before a noun", "It was a happily ending.", "happily", "happy", "adjective_form",
            "It was a happy ending.");
        row("adverb before a noun that is also a verb", "It was a carefully study.", "carefully", "careful",
            "adjective_form", "It was a careful study.");
        row("degree word and adjective after a verb and its object", "He finished the work very quick.", "quick",
            "quickly", "adverb_form", "He finished the work very quickly.");
        row("good after an action verb becomes well", "She speaks English very good.", "good", "well",
            "adverb_form", "She speaks English very well.");
        row("good after a regular past verb and a degree word", "The forest recovered really good after the fire.",
            "good", "well", "adverb_form", "The forest recovered really well after the fire.");
        row("degree word and adjective before a participle", "The job was very careful done.", "careful",
            "carefully", "adverb_form", "The job was very carefully done.");
    }
    void adverbs() { verify(); }

    void adverbLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("adjective after a linking verb") << "The food looks very good and tastes so good.";
        QTest::newRow("adjective as an object complement") << "Make it very simple, and keep it quiet.";
        QTest::newRow("adjective after be") << "He was very happy with the result.";
        QTest::newRow("grow with an adjective of state") << "People grow old, and prices change.";
        QTest::newRow("adjective before a noun") << "He did a very quick job.";
        QTest::newRow("-ly adjectives before nouns") << "The early bird met the friendly staff and the only child.";
        QTest::newRow("adverb before an adjective or participle") << "It is a really good idea for the newly built road.";
        QTest::newRow("demonstrative subject and its verb") << "Sadly, this quickly changes.";
    }
    void adverbLookAlikes() { agreementLookAlikes(); }

    void openers_data()
    {
        columns();
        row("lower-case first word", "for example, my cousin is twelve.", "for", "For", "sentence_capital",
            "For example, my cousin is twelve.");
        row("semicolon after an opener", "For example; smoking is bad.", "example;", "example,",
            "comma_after_opener", "For example, smoking is bad.");
        row("lower-case adverb before a comma", "secondly, it is an unfair action.", "secondly", "Secondly",
            "sentence_capital", "Secondly, it is an unfair action.");
        row("lower-case pronoun first", "they did not understand the ideas.", "they", "They", "sentence_capital",
            "They did not understand the ideas.");
        row("opener without its comma", "For example my cousin is twelve.", " my", ", my",
            "comma_after_opener", "For example, my cousin is twelve.");
        row("long opener without its comma", "On the other hand it is expensive.", " it", ", it",
            "comma_after_opener", "On the other hand, it is expensive.");
        row("linking adverb without its comma", "Therefore we need more buses.", " we", ", we",
            "comma_after_opener", "Therefore, we need more buses.");
        row("however before a noun phrase subject", "However the price is too high for students.", " the",
            ", the", "comma_after_opener", "However, the price is too high for students.");
        row("capital after a comma", "For example, Many people like tea.", "Many", "many", "capital_after_comma",
            "For example, many people like tea.");
        row("lower-case contraction first", "it's a good partner for us.", "it's", "It's", "sentence_capital",
            "It's a good partner for us.");
        row("lower-case and opening a clause", "and the students are more engaged.", "and", "And", "sentence_capital",
            "And the students are more engaged.");
        row("lower-case start and no full stop", "so it is important for every student", "so", "So",
            "sentence_capital", "So it is important for every student");
        row("missing it before be", "Is very important to study English.", "Is", "It is", "missing_subject",
            "It is very important to study English.");
        row("have for there are", "Have many people in the park.", "Have", "There are", "missing_subject",
            "There are many people in the park.");
    }
    void openers() { verify(); }

    void openerLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("brand in lower case") << "iPhone sales rose again last quarter.";
        QTest::newRow("colon after an opener") << "For example: apples and pears are fruit.";
        QTest::newRow("tail of a longer sentence") << "dates May 28 to August 3).";
        QTest::newRow("fragment after a split") << "and other parameters of the system.";
        QTest::newRow("fragment with but and no verb") << "but not the last one of them.";
        QTest::newRow("short fragment without a full stop") << "for more details see";
        QTest::newRow("however as a degree adverb") << "However hard he tried, he failed.";
        QTest::newRow("time adverbial without a comma") << "Nowadays there are many cars in the city.";
        QTest::newRow("comment adverbial without a comma") << "Of course it is not easy for everyone.";
        QTest::newRow("in my opinion without a comma") << "In my opinion these pens are worth the price.";
        QTest::newRow("for example inside a sentence") << "Some fruits, for example apples, grow here.";
        QTest::newRow("however meaning no matter how") << "However you define it, we can help.";
        QTest::newRow("title after a comma") << "She wrote a book, The Long Road Home, last year.";
        QTest::newRow("reverent pronoun after a comma") << "If I ask Him, He answers me.";
        QTest::newRow("pronoun I after a comma") << "When it rains, I stay at home.";
        QTest::newRow("imperative have") << "Have a look at the pictures below.";
        QTest::newRow("question with is") << "Is it important to study?";
    }
    void openerLookAlikes() { agreementLookAlikes(); }

    // Misspellings the dictionary check used to pass: derived and run-together forms,
    // capitalised words and names written in lower case.
    void spelling_data()
    {
        columns();
        row("-ful written -full", "You can be successfull.", "successfull", "successful", "nonword",
            "You can be successful.");
        row("-ly without the e", "I definitly agree.", "definitly", "definitely", "nonword", "I definitely agree.");
        row("-ic adjective with -ly", "The weather changed drasticly.", "drasticly", "drastically", "nonword",
            "The weather changed drastically.");
        row("y dropped before -ing, the verb form first", "I like studing English.", "studing", "studying",
            "nonword", "I like studying English.");
        row("two words run together", "Forexample, my cousin is twelve.", "Forexample", "For example", "nonword",
            "For example, my cousin is twelve.");
        row("capitalised first word missing a letter", "Nowaday, students study English.", "Nowaday", "Nowadays",
            "nonword", "Nowadays, students study English.");
        row("capitalised first word near an adverb", "Realy, the test was easy.", "Realy", "Really", "nonword",
            "Really, the test was easy.");
        row("long capitalised first word two slips from a word", "Acheivment is the goal.", "Acheivment",
            "Achievement", "nonword", "Achievement is the goal.");
        row("capitalised first word near a verb", "Undrestand the question first.", "Undrestand", "Understand",
            "nonword", "Understand the question first.");
        row("swapped letters in a capitalised name", "I want to visit Eruope.", "Eruope", "Europe", "nonword",
            "I want to visit Europe.");
        row("a city in lower case", "I live in istanbul.", "istanbul", "Istanbul", "name_capital",
            "I live in Istanbul.");
        row("a letter dropped inside a prefixed-looking word", "The public transpotation is bad.", "transpotation",
            "transportation", "nonword", "The public transportation is bad.");
        row("a letter dropped inside a suffixed-looking word", "The markting team met.", "markting", "marketing",
            "nonword", "The marketing team met.");
        row("a language in lower case", "We speak english at school.", "english", "English", "name_capital",
            "We speak English at school.");
        row("e dropped before -able after a soft g", "The weather is changable here.", "changable", "changeable",
            "nonword", "The weather is changeable here.");
        row("final consonant not doubled before -ing", "I was refering to the first book.", "refering",
            "referring", "nonword", "I was referring to the first book.");
        row("un- where English says in-", "The method is uneffective.", "uneffective", "ineffective", "nonword",
            "The method is ineffective.");
        row("un- for in-, the in- form first over another near word", "The battle is unsecure.", "unsecure",
            "insecure", "nonword", "The battle is insecure.");
        row("two words native text writes apart", "On the otherhand, it is cheap.", "otherhand", "other hand",
            "nonword", "On the other hand, it was a weeklong trip.");
        row("a near miss outweighs a split into a word and a name", "The sellaries of nurses are low.", "sellaries",
            "salaries", "nonword", "The salaries of nurses are low.");
        row("dropped letters: the word that keeps every written letter first", "Students are very critism.",
            "critism", "criticism", "nonword", "Students are very critical.");
        row("a changed letter stays ahead of an added one", "He won the first plase in the race.", "plase", "place",
            "nonword", "He won the first place in the race.");
        row("a silent final e written after a verb is no dropped letter", "They commite some crimes.", "commite",
            "commit", "nonword", "They commit some crimes.");
        row("an added ending is no dropped letter", "We use some electronical gadgets.", "electronical",
            "electronic", "nonword", "We use some electronic gadgets.");
        row("a dropped vowel in a past form over a changed letter", "I reserched the history of the town.",
            "reserched", "researched", "nonword", "I researched the history of the town.");
        row("a misspelt plural keeps its -s", "We talk about our familys.", "familys", "families", "nonword",
            "We talk about our families.");
        row("a misspelt plural after many keeps its -s", "I see it many tims on TV.", "tims", "times", "nonword",
            "I see it many times on TV.");
        row("a misspelt past participle keeps its -ed", "He could be rememberd as a great artist.", "rememberd",
            "remembered", "nonword", "He could be remembered as a great artist.");
        row("a misspelling without -s is no plural", "It would be a really wasteful idean.", "idean", "idea",
            "nonword", "It would be a really wasteful idea.");
        row("a pair written apart outweighs a near miss", "I read in my sparetime.", "sparetime", "spare time",
            "nonword", "I read in my spare time.");
    }
    void spelling() { verify(); }

    // The same misspelling gets the candidate its neighbours ask for; a choice that the
    // context does not settle stays open, so that accept-all leaves it to the user.
    void spellingInContext_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("span");
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("clear");
        auto add = [](const char *name, const char *sentence, const char *span, const char *first, bool clear) {
            QTest::newRow(name) << QString::fromUtf8(sentence) << QString::fromUtf8(span) << QString::fromUtf8(first)
                                << clear;
        };
        // read as a modifier of the noun, not a noun of its own: further, clearly
        add("adjective before a noun", "We need futher help.", "futher", "further", true);
        add("adjective before a noun after a verb", "This needs futher study.", "futher", "further", true);
        add("noun after a possessive", "My futher is a doctor.", "futher", "father", true);
        add("noun after a possessive, not a modal", "If you have your cai you can go.", "cai", "car", false);
        add("modal after a subject", "I cai swim well.", "cai", "can", true);
        add("subject before a plural verb", "Even if thez are dangerous, we go.", "thez", "they", false);
        add("no second preposition", "It should be used as fod for the fish.", "fod", "food", true);
        add("noun after the", "The fod is for you.", "fod", "food", true);
        add("present verb after she takes -s", "She wishs to go home.", "wishs", "wishes", true);
        add("two common words run together beat a rare near miss", "They donot like it.", "donot", "do not", true);
        add("two function words run together", "It rose upto 37 degrees.", "upto", "up to", true);
        add("a word and an ending are no run-together pair", "We must be carefull.", "carefull", "careful", false);
        add("determiner before a noun, not there", "They know how to start ther company.", "ther", "their", false);
        add("lower-case word not made a name", "He said that flouride is bad.", "flouride", "fluoride", false);
        add("name keeps its capital", "We went to malysia last year.", "malysia", "Malaysia", true);
        add("American spelling first", "It is my favorit subject.", "favorit", "favorite", true);
        add("capitalised first word with swapped letters", "Recieve the parcel at the door.", "Recieve", "Receive",
            true);
        add("capitalised first word missing a letter", "Begining is the hardest part.", "Begining", "Beginning",
            true);
        add("best candidate two slips away", "We went taire last year.", "taire", "there", false);
        add("an added ending against another stem", "The olders should be respected.", "olders", "orders", false);
    }

    void spellingInContext()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, span);
        QFETCH(QString, first);
        QFETCH(bool, clear);
        const Json::Value record = check(sentence, 2);
        const Json::Value *finding = nullptr;
        for (const Json::Value &c : record["corrections"])
            if (c["errorType"].asString() == "NONWORD" && covered(sentence, c) == span)
                finding = &c;
        QVERIFY2(finding, qPrintable(describe(sentence, record)));
        const Json::Value &cands = (*finding)["candidates"];
        QVERIFY(cands.size() >= 2);
        QCOMPARE(QString::fromStdString(cands[0u]["correction"].asString()), first);
        double sum = 0.0;
        for (Json::ArrayIndex k = 0; k < cands.size(); ++k) {
            sum += cands[k]["score"].asDouble();
            if (k)
                QVERIFY(cands[k]["score"].asDouble() <= cands[k - 1]["score"].asDouble());
        }
        QVERIFY(sum <= 1.0 + 1e-6);
        // what accept-all asks of a first candidate before it applies it
        const double a = cands[0u]["score"].asDouble(), b = cands[1u]["score"].asDouble();
        QCOMPARE(a >= 0.8 || a >= 4 * b, clear);
    }

    void spellingLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("name opening a sentence, spelt like another name") << "Lukas wrote the first draft.";
        QTest::newRow("name a vowel from a word, before a surname") << "Sandor Kovacs plays the violin.";
        QTest::newRow("short name opening a sentence") << "Caffe has had a huge impact.";
        QTest::newRow("two-word name") << "Banko Cantina is a Mexican restaurant.";
        QTest::newRow("adjective the dictionary has as a name") << "My favourite colour is grey.";
        QTest::newRow("part of a hyphenated term") << "Native plants feed non-apis bees.";
        QTest::newRow("internet in lower case") << "I read the news on the internet.";
        QTest::newRow("derivation with another prefix") << "They opposed the defunding of the school.";
        QTest::newRow("plural of a derivation") << "The file has two encodings.";
    }
    void spellingLookAlikes() { agreementLookAlikes(); }

    void agreementLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a number of") << "A number of students are absent today.";
        QTest::newRow("a plural-form noun before its noun") << "Consider starting a separate savings account soon.";
        QTest::newRow("a plural starting a compound") << "Each class will include a hands-on portion.";
        QTest::newRow("an ordinal standing for a noun") << "A second victim dies later; a third dies in October.";
        QTest::newRow("the letter A inside a sentence") << "Specimens were tested for influenza A viruses.";
        QTest::newRow("the number of") << "The number of cars is growing.";
        QTest::newRow("a lot of with a plural") << "A lot of people are waiting outside.";
        QTest::newRow("kind of") << "This kind of books is popular.";
        QTest::newRow("compound subject") << "The teacher and the students are in the classroom.";
        QTest::newRow("relative clause after one of") << "He is one of the students who are late.";
        QTest::newRow("there are a lot of") << "There are a lot of trees in the park.";
        QTest::newRow("there as a place after a noun") << "The man there is my father.";
        QTest::newRow("there is before one thing after a fronted place") << "In the park there is a lake.";
        QTest::newRow("there are a few") << "There are a few problems with the plan.";
        QTest::newRow("there are no with a plural") << "There are no easy answers to this question.";
        QTest::newRow("there are no with a group noun") << "There are no staff in the office today.";
        QTest::newRow("there are a number of") << "There are a number of reasons for this.";
        QTest::newRow("there is proximity with and") << "There is a cat and two dogs in the garden.";
        QTest::newRow("the English people") << "The English are proud of their history.";
        QTest::newRow("English teachers") << "English teachers are hard to find here.";
        QTest::newRow("noun compound after there is") << "There is news about the exams.";
        QTest::newRow("plural subject with a plural verb") << "The students in my class work very hard.";
        QTest::newRow("every day as an adverb") << "Every day we walk to school.";
        QTest::newRow("physics") << "Physics is difficult for many students.";
        QTest::newRow("a few days") << "We stayed there for a few days.";
        QTest::newRow("a noun compound with a plural first part") << "He bought a sports car.";
        QTest::newRow("this means") << "This means that we must leave.";
        QTest::newRow("this with a verb read as a plural") << "But again this varies with the individual.";
        QTest::newRow("this, its verb and a noun object") << "This casts doubt on the reading passage.";
        QTest::newRow("a number and a plural in the genitive") << "It was a two days' trip.";
        QTest::newRow("of-phrases joined by and") << "The cost of food and the price of housing are rising.";
        QTest::newRow("noun read as a verb before a participle") << "The reference work cited below is useful.";
        QTest::newRow("like as a preposition") << "It was a storm like we had never seen.";
        QTest::newRow("relative clause after one of") << "She is one of the students who is always late.";
        QTest::newRow("relative clause about the noun before of") << "He gave a list of books which is useful.";
        QTest::newRow("which after a comma about the whole clause") << "Prices rose, which is bad news.";
        QTest::newRow("relative clause after a plural-form name") << "We visited the United States, which is large.";
        QTest::newRow("relative clause after a number-fixed noun") << "It is the only means that works.";
        QTest::newRow("relative clause after a second noun joined by and") << "I like the music and the films which makes it fun.";
        QTest::newRow("singular noun joined to a plural by and") << "Bread and vegetables are cheap here.";
        QTest::newRow("plural and singular before their verb") << "The students and their teacher are here.";
        QTest::newRow("participle subject with a singular head") << "Reduced traffic is good for the city.";
    }

    void agreementLookAlikes()
    {
        QFETCH(QString, sentence);
        const Json::Value record = check(sentence, 3);
        QVERIFY2(record["corrections"].empty(), qPrintable(describe(sentence, record)));
    }
};

QTEST_GUILESS_MAIN(TestCheckerLearner)
#include "tst_checker_learner.moc"
