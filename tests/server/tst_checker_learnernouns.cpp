// Learner errors in noun phrases: articles, pronouns, determiners, noun forms and number. Each
// learner sentence must get its finding with the right first candidate and explanation
// page, and each clean look-alike none at all.

#include "englishchecker.h"
#include "support/checkerrecords.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using namespace CheckerRecords;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerLearnerNouns : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    void verify() { LearnerTable::verify(*m_checker); }

    void lookAlike()
    {
        QFETCH(QString, sentence);
        const Json::Value record = LearnerTable::check(*m_checker, sentence, 3);
        QVERIFY2(record["corrections"].empty(), qPrintable(describe(sentence, record)));
    }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void articles_data()
    {
        columns();
        row("be with an adjective and a counted noun", "It is good opportunity for us.", "good", "a good",
            "article_missing", "It is a good opportunity for us.");
        row("an before a vowel sound", "Edison is obvious example.", "obvious", "an obvious", "article_missing",
            "Edison is an obvious example.");
        row("have with an adjective and a counted noun", "We have big problem with it.", "big", "a big",
            "article_missing", "We have a big problem with it.");
        row("one of most", "It is one of most important things.", "most", "the most", "article_missing",
            "It is one of the most important things.");
        row("most before an adjective and a counted singular", "Most important thing is love.", "Most", "The most",
            "article_missing", "The most important thing is love.");
        row("such before a counted singular", "It is such good opportunity.", "good", "a good",
            "article_missing", "It is such a good opportunity.");
        row("article before a pronoun", "In old age the it can change.", " the ", "", "article_stray",
            "In old age it can change.");
        row("a degree word before the adjective", "It was extremely hard decision.", "extremely", "an extremely",
            "article_missing", "It was an extremely hard decision.");
        row("not before the adjective and its noun", "It is not good idea to wait.", "good", "a good",
            "article_missing", "It is not a good idea to wait.");
        row("one after an adjective", "It is very difficult one to solve.", "very", "a very", "article_missing",
            "It is a very difficult one to solve.");
        row("it's with an adjective and a noun in -ss", "It's slow process but they learn.", "slow", "a slow",
            "article_missing", "It's a slow process but they learn.");
        row("a quantifier with a noun in -ss", "There are several business in town.", "business", "businesses",
            "noun_plural", "There are several businesses in town.");
        row("have with a bare counted noun at the end", "She does not have job.", "job", "a job",
            "article_missing", "She does not have a job.");
        row("article before a pronoun deleted, not made an", "We have a everything ready.", " a ", "", "article_stray",
            "We have everything ready.");
        row("the before a possessive of time", "I read the today's paper.", " the ", "", "article_stray",
            "I read today's paper.");
        row("different before a counted singular after have: the plural", "Men and women have different social role at work.",
            "role", "roles", "article_missing", "Men and women have different social roles at work.");
        row("different before a counted singular after a verb: the plural", "They often choose different subject at school.",
            "subject", "subjects", "article_missing", "They often choose different subjects at school.");
        row("only before a bare counted noun takes the before it", "It is only way to succeed.", "only", "the only",
            "article_needed", "It is the only way to succeed.");
        row("only opening a sentence before a bare counted noun", "Only way is to work hard.", "Only", "The only",
            "article_needed", "The only way is to work hard.");
        row("the before another", "The another reason is the price.", "The another", "Another", "article_stray",
            "Another reason is the price.");
        row("the before each", "We met the each day.", " the ", "", "article_stray", "We met each day.");
        row("a before this", "I like a this song.", " a ", "", "article_stray", "I like this song.");
        row("bare singular subject before a modal takes the plural", "I expect human can live on Mars.", "human",
            "humans", "bare_singular", "I expect humans can live on Mars.");
        row("bare subject with a noun modifier at the start", "Speed camera can be placed on roads.", "Speed camera",
            "Speed cameras", "bare_singular", "A speed camera can be placed on roads.");
        row("bare singular subject before is takes an article", "Disadvantage is that it costs a lot.",
            "Disadvantage", "A disadvantage", "bare_singular", "The disadvantage is that it costs a lot.");
        row("bare subject after a comma", "In my view, student is the center of a class.", "student",
            "a student", "bare_singular", "In my view, the student is the center of a class.");
        row("bare singular subject before a plural verb", "Recently scientist have found a new drug.", "scientist",
            "scientists", "bare_singular", "Recently scientists have found a new drug.");
        row("bare superlative subject", "Coldest month is January.", "Coldest month", "The coldest month",
            "bare_singular", "The coldest month is January.");
        row("a bare counted noun after a joined subject and are", "He and I are good friend.", "friend",
            "friends", "complement_plural", "He and I are good friends.");
        row("man with an adjective after be", "He is honest man.", "honest", "an honest", "article_missing",
            "He is an honest man.");
        row("contracted is before an adjective and a counted noun", "It's big problem for us.", "big", "a big",
            "article_missing", "It's a big problem for us.");
        row("most before an adjective and a counted noun whose plural is rare", "Kyoto is most beautiful city in Japan.",
            "most", "the most", "article_missing", "Kyoto is the most beautiful city in Japan.");
        row("be with a noun native text hardly leaves bare, a preposition after",
            "The consequence is problem with weight.", "problem", "a problem", "article_missing",
            "The consequence is a problem with weight.");
        row("be with a focus adverb before the bare noun", "It is really problem for us.", "problem", "a problem",
            "article_missing", "It is really a problem for us.");
        row("same after be", "The results are same.", "same", "the same", "the_same", "The results are the same.");
        row("same after be and not", "The result is not same as before.", "same", "the same", "the_same",
            "The result is not the same as before.");
        row("a noun native text never leaves bare after its preposition",
            "We can compare this situation with situation in Russia.", "situation", "the situation",
            "article_needed", "We can compare this situation with the situation in Russia.");
        row("as before a bare noun native text always gives an article", "As result, the city grew fast.", "result",
            "a result", "article_needed", "As a result, the city grew fast.");
        row("a noun native text hardly leaves bare before an of-phrase, opening its phrase",
            "Since then number of people has increased.", "number", "the number", "article_needed",
            "Since then the number of people has increased.");
        row("a noun native text hardly leaves bare before an of-phrase, after a preposition",
            "They gave the data on amount of money spent on food.", "amount", "the amount", "article_needed",
            "They gave the data on the amount of money spent on food.");
        row("after of a noun native text never leaves bare there, naming one thing",
            "He built a little palace in the center of city.", "city", "the city", "article_needed",
            "He built a little palace in the center of the city.");
        row("the opening a sentence before a noun native text writes with the before an of-phrase",
            "Number of people increased in 2010.", "Number", "The number", "article_needed",
            "The number of people increased in 2010.");
        row("a first before an of-phrase where native text writes a clearly more often",
            "I got piece of advice from my teacher.", "piece", "a piece", "article_needed",
            "I got a piece of advice from my teacher.");
        row("a before a noun native text writes with the before an of-phrase",
            "They were released with a help of the community.", "a", "the", "article_choice",
            "They were released with the help of the community.");
        row("an adjective describing a quantity before an of-phrase takes a",
            "Large amount of stress can make a person angry.", "Large", "A large", "article_needed",
            "A large amount of stress can make a person angry.");
        row("an opening adverb and a comma before the of-phrase noun", "Firstly, growing number of gyms will open.",
            "growing", "a growing", "article_needed", "Firstly, a growing number of gyms will open.");
        row("the before a plural after an adjective, meant in general",
            "But this is not the situation for the old people.", " the ", "", "article_unneeded",
            "But this is not the situation for old people.");
        row("the before one of, the noun also singular", "The one of the reason is the price.", "The one", "One",
            "article_one_of", "One of the reasons is the price.");
        row("other alone after than", "One is more important than other.", "other", "the other", "other_alone",
            "One is more important than the other.");
        row("a noun native text rarely leaves bare, after a preposition",
            "Moreover, the head of a school should be involved in process.", "process", "the process",
            "article_missing", "Moreover, the head of a school should be involved in the process.");
        row("a noun native text rarely leaves bare, after be",
            "The most successful are people under 26, and the least are student from 30 to 39.", "student",
            "students", "article_missing",
            "The most successful are people under 26, and the least are students from 30 to 39.");
        row("a noun native text rarely leaves bare, after adjectives", "Its beauty is really important feature.",
            "really", "a really", "article_missing", "Its beauty is a really important feature.");
        row("a noun native text rarely leaves bare, after one adjective", "Some people might bring good plan to you.",
            "good", "a good", "article_missing", "Some people might bring a good plan to you.");
        row("an abstract noun native text seldom leaves bare", "The charts compare situation in 2000 and 2050.",
            "situation", "the situation", "article_missing", "The charts compare the situation in 2000 and 2050.");
    }
    void articles() { verify(); }

    void pronouns_data()
    {
        columns();
        row("two object pronouns as the subject", "Me and him went to the park.", "Me and him", "He and I",
            "pronoun_case", "He and I went to the park.");
        row("me first, then a noun phrase", "Me and my friend played football.", "Me and my friend",
            "My friend and I", "pronoun_case", "My friend and I played football.");
        row("me last, after a comma", "After class, my sister and me are tired.", "my sister and me",
            "my sister and I", "pronoun_case", "After class, my sister and I are tired.");
        row("her before a possessive her", "Her and her mother were late.", "Her and her mother",
            "She and her mother", "pronoun_case", "She and her mother were late.");
        row("peoples after a quantifier before a verb", "Many peoples think it is hard.", "peoples", "people",
            "people_plural", "Many people think it is hard.");
        row("peoples after a lot of", "A lot of peoples who live there agree.", "peoples", "people",
            "people_plural", "A lot of people who live there agree.");
    }
    void pronouns() { verify(); }

    void nounPhrases_data()
    {
        columns();
        row("other with a singular after a preposition", "We can learn it from other student.", "student",
            "students", "other_singular", "We can learn it from other students.");
        row("this kind of with a plural and a plural verb", "This kind of problems happen often.", "This kind", "These kinds",
            "determiner_number", "These kinds of problems happen often.");
        row("other one without a determiner", "Other one is a gambler.", "Other one", "Another one",
            "other_singular", "Another one is a gambler.");
        row("different kind of without a determiner", "They eat different kind of food.", "kind", "kinds",
            "noun_plural", "They eat different kinds of food.");
        row("for long time", "I have known him for long time.", "long", "a long", "article_missing",
            "I have known him for a long time.");
        row("the most with a plural subject", "The most people like music.", "The most", "Most", "most_noun",
            "Most people like music.");
        row("the most with a plural subject after a comma", "In China, the most students study hard.", " the ", "",
            "most_noun", "In China, most students study hard.");
        row("the nature for the natural world", "We must protect the nature.", " the ", "", "article_generic",
            "We must protect nature.");
        row("the mankind as the subject", "The mankind has a long history.", "The mankind", "Mankind",
            "article_generic", "Mankind has a long history.");
        row("these with a singular: the verb agrees with it", "These book is very good.", "book is", "books are",
            "noun_plural", "These books are very good.");
        row("all the with a singular", "All the student passed the test.", "student", "students", "noun_plural",
            "All the students passed the test.");
        row("each others", "We should help each others.", "others", "other", "each_other",
            "We should help each other.");
        row("a bare counted noun after a plural be", "Both of them are teacher.", "teacher", "teachers",
            "complement_plural", "Both of them are teachers.");
        row("peoples opening the sentence", "Peoples are friendly here.", "Peoples", "People", "people_plural",
            "People are friendly here.");
        row("peoples opening a clause after a comma", "For instance, peoples should know it.", "peoples", "people",
            "people_plural", "For instance, people should know it.");
        row("been to there", "I have been to there twice.", " to ", "", "preposition_extra",
            "I have been there twice.");
        row("the number of with a singular", "It will reduce the number of car on the road.", "car", "cars",
            "noun_plural", "It will reduce the number of cars on the road.");
        row("the God as a name", "I believe the God will help us.", " the ", "", "article_generic",
            "I believe God will help us.");
        row("comparing with at the start", "Comparing with old people, young people learn fast.", "Comparing",
            "Compared", "compared_with", "Compared with old people, young people learn fast.");
        row("medias", "The medias report it every day.", "medias", "media", "uncountable_plural",
            "The media report it every day.");
        row("researches as a plural noun", "The researches show that sleep matters.", "researches", "research",
            "uncountable_plural", "The research shows that sleep matters.");
        row("a short adjective before than", "My brother is tall than me.", "tall", "taller", "comparative_than",
            "My brother is taller than me.");
        row("very and a long adjective before than", "Health is very important than money.", "very important",
            "much more important", "comparative_than", "Health is much more important than money.");
        row("very and good before than", "Her English is very good than mine.", "very good", "much better",
            "comparative_than", "Her English is much better than mine.");
        row("by one's own without a noun", "They like to travel by their own.", "by", "on", "preposition_phrase",
            "They like to travel on their own.");
        row("because then so after a clause joined by and", "Because it is cheap, and it is fast, so we use it.",
            " so ", "", "because_so", "Because it is cheap, and it is fast, we use it.");
    }
    void nounPhrases() { verify(); }

    void nounPhraseLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("other after a determiner") << "The other student and no other person came.";
        QTest::newRow("other before a noun compound") << "We met other student groups there.";
        QTest::newRow("this kind of with a mass noun") << "I like this kind of music.";
        QTest::newRow("these before a noun compound, all the time") << "These book shops are open all the time.";
        QTest::newRow("a material after a plural be") << "The curtains are linen and the walls are stone.";
        QTest::newRow("from here to there") << "It is far from here to there.";
        QTest::newRow("the God of a people") << "They prayed to the God of the sea.";
        QTest::newRow("comparing as a verb of the subject") << "Comparing with care is wise.";
        QTest::newRow("the most as a superlative") << "He has the most friends, and the most important thing is love.";
        QTest::newRow("the nature of something") << "The nature of the job is hard, and the humanity in his eyes was clear.";
        QTest::newRow("a different kind of with its article") << "A different kind of food is served, the other one too.";
        QTest::newRow("long time as a modifier") << "He is a long time friend, and we waited for a long time.";
        QTest::newRow("a graded adjective a word back") << "It is more important than money, and rather easy than hard.";
        QTest::newRow("different and other before than") << "It is different than before and other than that.";
        QTest::newRow("by one's own with a noun") << "He built it by his own hands.";
        QTest::newRow("because then so in its own clause") << "Because it rained, we stayed in, so we read.";
        QTest::newRow("researches as a verb") << "She researches the history of tea, and he researches it too.";
    }
    void nounPhraseLookAlikes() { lookAlike(); }

    void pronounLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("objects after a verb") << "They told me and my friend to leave.";
        QTest::newRow("objects after a preposition") << "Between you and me, it was bad.";
        QTest::newRow("objects then a time word") << "She gave it to him and me yesterday.";
        QTest::newRow("possessive her in a joined subject") << "Her mother and her sister were late.";
        QTest::newRow("peoples as nations") << "The peoples of Asia are diverse, and indigenous peoples have rights.";
        QTest::newRow("peoples after a quantifier then of") << "Many peoples of the region trade.";
        QTest::newRow("peoples after a comma in a list of nations")
            << "It was settled by Celts, Romans and other peoples, who left their own traces.";
    }
    void pronounLookAlikes() { lookAlike(); }

    void articleLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a mass noun") << "It is good food and good fun.";
        QTest::newRow("a degree word with an adjective alone or a mass noun")
            << "It is very good, and it is very good news and very good exercise.";
        QTest::newRow("article before a name or compound like a pronoun") << "We visited the US and saw a he-goat.";
        QTest::newRow("only after a determiner, in not only, before a verb or a mass noun")
            << "It is my only chance, he is an only child, and not only cars but also buses help; we only eat bread, if only time allowed.";
        QTest::newRow("different before a mass noun or after its article")
            << "We eat different food, my sister likes different music, and she took a different way home.";
        QTest::newRow("the before other, same or few; a before few") << "The other one was the same, and a few of the few came.";
        QTest::newRow("determiner after an article in a compound or used as a noun")
            << "It is an either-or choice, and this is the everything of my life.";
        QTest::newRow("such with a mass noun or a determiner") << "Such behaviour is no such thing, and it was such good fun.";
        QTest::newRow("most with a determiner or as an adverb") << "My most important thing is most likely true.";
        QTest::newRow("most after an ordinal") << "The second most popular social network is Instagram.";
        QTest::newRow("most after a possessive, one such, one of many") << "The track's most fascinating word is one of many; one such case is here.";
        QTest::newRow("not before an adjective alone or a mass use") << "It is not easy, and it is not good practice.";
        QTest::newRow("one with its determiner") << "It is the very best one, and the old one is fine.";
        QTest::newRow("nouns in -ss used as mass nouns") << "It is good business, and that is good progress.";
        QTest::newRow("nouns in -ss with a determiner") << "I like this class and that process.";
        QTest::newRow("a plural") << "They are good students.";
        QTest::newRow("a job title") << "He was senior editor at the paper.";
        QTest::newRow("a role after be") << "She became president of the club.";
        QTest::newRow("a role after be with a phrase after it") << "He was president of the club for years.";
        QTest::newRow("a role after become at the end") << "She became captain.";
        QTest::newRow("a noun never counted before an -ing word") << "The chart shows data concerning urban transport system of four countries.";
        QTest::newRow("an uncountable noun before an -ing word") << "The study offers information regarding public health system of the region.";
        QTest::newRow("sport as a mass noun") << "Sport has a positive impact on health.";
        QTest::newRow("a field noun alone after a verb") << "Many people do sport at school.";
        QTest::newRow("a field noun alone after a preposition") << "Women spent less time on sport than men.";
        QTest::newRow("industry for the field after in") << "Only a few women worked in industry then.";
        QTest::newRow("a field noun as the subject") << "Sport improves our health.";
        QTest::newRow("British set phrases after a preposition") << "My mother is in hospital now, so I will be careful in future.";
        QTest::newRow("a role after as") << "He served as chairman for ten years.";
        QTest::newRow("nouns often bare after be") << "It is part of the plan, and it is home to many birds.";
        QTest::newRow("most as a degree word or a quantifier") << "This is most unusual, and most people agree.";
        QTest::newRow("a focus adverb before a mass noun or an adjective") << "It is really fun, and it is just right.";
        QTest::newRow("same in a compound or after the") << "They are same-sex schools, and it is the same.";
        QTest::newRow("other with a noun or a determiner")
            << "It is better than other plans, better than any other, and they love each other.";
        QTest::newRow("other than as a phrase") << "It is nothing other than luck.";
        QTest::newRow("nouns native text leaves bare after their preposition")
            << "She stayed at home, he went to bed early, and in fact we met in town in time.";
        QTest::newRow("a bare noun after a preposition native text never paired it with")
            << "The pain is relieved by rest.";
        QTest::newRow("bare nouns in a list after a preposition") << "Each flat comes with car, garage and garden.";
        QTest::newRow("a preposition inside a compound") << "We love the eat-in kitchen with its view.";
        QTest::newRow("a bare noun after of names a kind") << "We drove along sections of road near the coast.";
        QTest::newRow("a noun compound") << "This is free software for everyone.";
        QTest::newRow("an abstract noun alone") << "The heart of business is innovation.";
        QTest::newRow("a determiner-like adjective") << "It was such fun, and it is enough.";
        QTest::newRow("have with a participle") << "We have finished the work.";
        QTest::newRow("a pronoun used as a noun") << "She was a nobody in that town.";
        QTest::newRow("a counted noun used uncounted after an adjective")
            << "Swimming is good exercise, it makes good sense and it is good practice.";
        QTest::newRow("an abstract subject goes bare") << "Preference is given to local students.";
        QTest::newRow("man for humankind") << "Man is a social animal.";
        QTest::newRow("a noun used uncounted after an address") << "Friends, change is hard and it does not have to be big.";
        QTest::newRow("a mass noun subject") << "Water is important, and software can help.";
        QTest::newRow("that as a determiner, not a clause opener") << "I know that claim is wrong.";
        QTest::newRow("a name that is also a noun") << "Mike is my friend.";
        QTest::newRow("a name that is also a counted noun before a modal") << "Bill will pay for it tomorrow.";
        QTest::newRow("mass nouns before a modal") << "Coffee can keep you awake, and music can heal.";
        QTest::newRow("a headline before a modal") << "Car Will Pollute the Air";
        QTest::newRow("a possessive before the subject") << "Today's story is short.";
        QTest::newRow("a possessive 's after a noun") << "The city's population is large.";
        QTest::newRow("a noun native text often leaves bare before an of-phrase")
            << "It was part of the plan, and use of force is rare.";
        QTest::newRow("a determiner before participles and the of-phrase noun")
            << "In a growing number of cases they pay; students earn the required number of credits.";
        QTest::newRow("a determiner before a comparative and the of-phrase noun")
            << "Revenue is realized over a longer period of time.";
        QTest::newRow("a hedge before an adjective or an article") << "It was kind of strange, and he is sort of a loner.";
        QTest::newRow("a role after as before an of-phrase") << "He served as member of the board for years.";
        QTest::newRow("a role after as and a rank") << "He left his role as managing member of the firm.";
        QTest::newRow("nouns joined before one of-phrase") << "We study the design and development of engines.";
        QTest::newRow("a name before an of-phrase") << "Bank of America has many branches in Boston.";
        QTest::newRow("the before a plural after adjectives that count, or pinned by a clause")
            << "Over the past few years the young people who lived here have left.";
        QTest::newRow("a before an of-phrase: a noun often bare there, one with an adjective, one often with a")
            << "More than a half of them voted, it had a huge influence of its own, and he is a member of the club.";
        QTest::newRow("a headline without a verb") << "Analysis of results from the survey";
        QTest::newRow("a verb after a verb and than") << "They would sooner fight than surrender.";
        QTest::newRow("a gerund after a preposition with its object")
            << "Thank you for meeting with me, and for visiting them on Sunday.";
        QTest::newRow("a noun rarely bare read as a verb after do, or in a hedge")
            << "Feeling your best really does matter, and I am kind of in that category.";
        QTest::newRow("a noun rarely bare after an article, an adverb and a participle")
            << "In the end, getting a well designed case was just better.";
        QTest::newRow("abstract nouns native text often leaves bare")
            << "Methods were developed to detect variation between genomes, and apps are shifting in direction.";
        QTest::newRow("a noun rarely bare in a list ending in etcetera")
            << "They wanted me to use drugs, party, etcetera.";
        QTest::newRow("after a or a count and of, a bare noun names a kind")
            << "Istanbul was a point of congregation for travellers, and two sections of road were closed.";
    }
    void articleLookAlikes() { lookAlike(); }

    // A singular where the words around it count several, and a plural after a word of one.
    void nounNumber_data()
    {
        columns();
        row("one of the and an adjective that is also a noun", "One of the main reason is cost.", "reason",
            "reasons", "noun_plural", "One of the main reasons is cost.");
        row("both of my and a verb the tagger joins to the noun", "Both of my parent work in a bank.", "parent",
            "parents", "noun_plural", "Both of my parents work in a bank.");
        row("a quantifier before a noun in -ing", "It helps us understand certain thing in life.", "thing", "things",
            "noun_plural", "It helps us understand certain things in life.");
        row("both before a noun that is also an adjective", "We should look at both side of the story.", "side",
            "sides", "noun_plural", "We should look at both sides of the story.");
        row("a quantifier before a noun read as an adjective", "We study many subject we never use.", "subject",
            "subjects", "noun_plural", "We study many subjects we never use.");
        row("a demonstrative before a noun read as an adjective", "Pupils study these subject very deeply.",
            "subject", "subjects", "noun_plural", "Pupils study these subjects very deeply.");
        row("some after there are", "There are some lecture which are boring.", "lecture", "lectures",
            "noun_plural", "There are some lectures which are boring.");
        row("some before a verb without -s", "Some driver make trouble on the road.", "driver", "drivers",
            "noun_plural", "Some drivers make trouble on the road.");
        row("the one of the", "The one of the reason is money.", "reason", "reasons", "noun_plural",
            "One of the reasons is money.");
        row("one of the before a noun in -ing", "One of the most important thing is health.", "thing", "things",
            "noun_plural", "One of the most important things is health.");
        row("a lot of before a singular and its verb", "A lot of problem is caused by this.", "problem is",
            "problems are", "noun_plural", "A lot of problems are caused by this.");
        row("each of the: its verb stays", "Each of the member has a key.", "member", "members", "noun_plural",
            "Each of the members has a key.");
        row("a demonstrative before a singular and a regular verb", "These problem occurs every year.",
            "problem occurs", "problems occur", "noun_plural", "These problems occur every year.");
        row("different without a determiner", "People came from different part of the world.", "part", "parts",
            "noun_plural", "People came from different parts of the world.");
        row("a before a plural: the article goes", "They can make a products and sell them.", "a products",
            "products", "determiner_number", "They can make products and sell them.");
        row("another before a plural", "We should visit another countries.", "another", "other",
            "determiner_number", "We should visit other countries.");
        row("other with a singular after a verb", "It creates other problem for us.", "problem", "problems",
            "other_singular", "It creates other problems for us.");
        row("a count of time before a rate", "I swim at least two time a week.", "time", "times", "noun_plural",
            "I swim at least two times a week.");
        row("a count of years before later", "But 50 year later the town had grown.", "year", "years",
            "noun_plural", "But 50 years later the town had grown.");
        row("a bare subject before a verb without -s", "In the lab, researcher need more time.", "researcher",
            "researchers", "bare_singular", "In the lab, researchers need more time.");
        row("a field noun with a modifier keeps its article", "My father works in car industry.", "car",
            "the car", "article_needed", "My father works in the car industry.");
        row("a bare subject before a modal that native text hardly leaves bare, its plural less common",
            "Car will pollute the air.", "Car", "Cars", "bare_singular", "Cars will pollute the air.");
        row("the same after an opening adverbial", "In the end, phone should help us learn.", "phone", "phones",
            "bare_singular", "In the end, phones should help us learn.");
        row("a bare subject before are, its plural less common", "I think robot are useful in factories.", "robot",
            "robots", "bare_singular", "I think robots are useful in factories.");
        row("a bare abstract noun with an adjective before are", "Younger generation are more adaptable.",
            "Younger generation", "Younger generations", "bare_singular", "Younger generations are more adaptable.");
        row("a lot of before a noun whose plural is less common", "They can go to a lot of place such as clubs.",
            "place", "places", "noun_number", "They can go to a lot of places such as clubs.");
        row("the majority of before a singular", "The vast majority of scientist prefer private firms.",
            "scientist", "scientists", "noun_number", "The vast majority of scientists prefer private firms.");
        row("a count of years before old and a noun", "He is a fifteen years old boy.", "years", "year",
            "number_word", "He is a fifteen-year-old boy.");
        row("a count of hours before a noun after a", "We went on a two hours trip.", "hours", "hour",
            "number_word", "We went on a two-hour trip.");
    }
    void nounNumber() { verify(); }

    // A bare singular in a list of nouns for things in general, where native text hardly
    // ever leaves the noun bare: after a plural joined by "and" or "or", or among bare singulars.
    void nounNumberLists_data()
    {
        columns();
        row("after a plural and and", "I studied the ideas and concept of the topic.", "concept", "concepts",
            "noun_number", "I studied the ideas and concepts of the topic.");
        row("between a comma and or before a plural", "Values such as family, friend or hobbies make us happy.",
            "friend", "friends", "noun_number", "Values such as family, friends or hobbies make us happy.");
        row("after a plural and or", "It is hard to study only with girls or boy.", "boy", "boys", "noun_number",
            "It is hard to study only with girls or boys.");
        row("the first of bare singulars after a verb", "Many people use car, ship, and train.", "car", "cars",
            "noun_number", "Many people use cars, ships, and trains.");
        row("the last of bare singulars after a verb", "Many people use car, ship, and train.", "train", "trains",
            "noun_number", "Many people use cars, ships, and trains.");
        row("bare singulars after such as before and so on", "They go to places such as club, bar and so on.", "bar",
            "bars", "noun_number", "They go to places such as clubs, bars and so on.");
    }
    void nounNumberLists() { verify(); }

    // "amount" before a plural of things counted one by one
    void amounts_data()
    {
        columns();
        row("people after the amount of", "The amount of old people is growing.", "amount", "number", "amount_number",
            "The number of old people is growing.");
        row("things after a modifier noun", "The amount of pirate shops is growing.", "amount", "number",
            "amount_number", "The number of pirate shops is growing.");
        row("amounts before a plural of places", "Huge amounts of houses were built.", "amounts", "numbers",
            "amount_number", "Huge numbers of houses were built.");
        row("percent after the without a number", "The graph shows the percent of people over 65.", "percent",
            "percentage", "percent_percentage", "The graph shows the percentage of people over 65.");
    }
    void amounts() { verify(); }

    // a share of a group of people counts persons
    void personShares_data()
    {
        columns();
        row("most of the before a singular person", "I am sure that most of the kid knew that.", "kid", "kids",
            "noun_plural", "I am sure that most of the kids knew that.");
        row("some of my before a singular person", "Some of my friend live in Beijing.", "friend", "friends",
            "noun_plural", "Some of my friends live in Beijing.");
        row("none of the before who", "None of the student who came passed.", "student", "students",
            "noun_plural", "None of the students who came passed.");
    }
    void personShares() { verify(); }

    // a bare singular person before a plain present verb
    void personSubjects_data()
    {
        columns();
        row("at the start of the sentence", "Student learn English at school.", "Student", "Students", "bare_singular",
            "Students learn English at school.");
        row("after I think", "I think teacher need more money.", "teacher", "teachers", "bare_singular",
            "I think teachers need more money.");
        row("after a comma", "As the text says, scientist assume that it is true.", "scientist", "scientists",
            "bare_singular", "As the text says, scientists assume that it is true.");
    }
    void personSubjects() { verify(); }

    void personSubjectLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("two persons joined by and") << "The artist and composer want the music to be perfect.";
        QTest::newRow("a compound of nouns") << "Teacher training courses help a lot.";
        QTest::newRow("a person with a determiner") << "My teacher wants me to read more.";
    }
    void personSubjectLookAlikes() { lookAlike(); }

    void personShareLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("most of a thing read whole") << "Most of the book is boring.";
        QTest::newRow("a compound after the person") << "Most of the student body voted for him.";
        QTest::newRow("a group noun") << "Most of the staff are here today.";
        QTest::newRow("a time") << "Most of the time I read at home.";
    }
    void personShareLookAlikes() { lookAlike(); }

    void amountLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("an uncountable noun") << "The amount of money people spend has grown.";
        QTest::newRow("a plural of money") << "The amount of payments rose last year.";
        QTest::newRow("a plural of substances") << "Large amounts of chemicals were released.";
        QTest::newRow("a plural that is a word of its own") << "The amount of goods carried by rail fell.";
        QTest::newRow("a plural subject of a clause after a noun") << "The amount of time men spent on sport fell.";
        QTest::newRow("kinds of before the noun") << "The amount of kinds of food is large.";
        QTest::newRow("the same amount of") << "No other shop offers the same amount of channels.";
        QTest::newRow("number named before") << "The number and the amount of medications may change.";
        QTest::newRow("percent after a number") << "About twenty percent of the goods went by rail.";
    }
    void amountLookAlikes() { lookAlike(); }

    void nounNumberListLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a determiner serving the list") << "We work with any company, organization, or school.";
        QTest::newRow("a possessive serving the list") << "Check your records or chart before you go.";
        QTest::newRow("a verb after or") << "Search your pockets, or wave at friends.";
        QTest::newRow("a noun sharing the head after it") << "Science courses and sport and health activities are popular.";
        QTest::newRow("a verb after the singular") << "The students and teacher left early.";
        QTest::newRow("nouns native text often leaves bare") << "She went to school and university in Boston.";
        QTest::newRow("fields of study") << "They study music, art and science.";
        QTest::newRow("meals") << "We had breakfast, lunch and dinner together.";
        QTest::newRow("mass nouns in a list") << "They serve tea, coffee and juice.";
        QTest::newRow("a plural beside a mass noun") << "We need books and equipment.";
        QTest::newRow("staff beside a plural") << "Students and staff are welcome.";
        QTest::newRow("an age after be") << "He is fifteen years old.";
        QTest::newRow("an age before and under") << "Children 5 years old and under ride free.";
        QTest::newRow("hours as a noun phrase") << "It took two hours to finish.";
        QTest::newRow("a lot of with a mass noun") << "He has a lot of experience in sales.";
        QTest::newRow("a lot of the") << "A lot of the work is done by hand.";
        QTest::newRow("a majority of the") << "We won a majority of the seats in the city.";
        QTest::newRow("a collective noun before are") << "Government are planning new taxes.";
        QTest::newRow("an abstract mass noun before are") << "Management are reviewing the plan.";
    }
    void nounNumberListLookAlikes() { lookAlike(); }

    // "a products" offers the singular after the article as well.
    void articleBeforePluralOffersBoth()
    {
        const Json::Value record = LearnerTable::check(*m_checker, QStringLiteral("They can make a products."), 2);
        QCOMPARE(record["corrections"].size(), 1u);
        const Json::Value &c = record["corrections"][0u]["candidates"];
        QCOMPARE(c.size(), 2u);
        QCOMPARE(QString::fromStdString(c[1u]["correction"].asString()), QStringLiteral("a product"));
        QVERIFY(c[0u]["score"].asDouble() > c[1u]["score"].asDouble());
    }

    void nounNumberLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("certain after an article or be") << "A certain person called, and I am certain it was him.";
        QTest::newRow("both joining adjectives or nouns") << "It is both light and strong, for both male and female workers.";
        QTest::newRow("a quantifier before an adjective and its noun") << "Many young people and these individual rooms.";
        QTest::newRow("those before a word that stands for people") << "Those present were happy.";
        QTest::newRow("some with a singular meaning one") << "Some day we will meet, and some friend of yours called.";
        QTest::newRow("some with a mass noun") << "There are some water bottles, and some money is left.";
        QTest::newRow("some with a singular verb") << "Some student has left his bag.";
        QTest::newRow("different after a determiner or be") << "It was a different part of town, and they are different.";
        QTest::newRow("different before a mass noun") << "They eat different food.";
        QTest::newRow("a before a plural modifier") << "She has a savings account and a sports car.";
        QTest::newRow("another before a count") << "Wait another two weeks.";
        QTest::newRow("other after a determiner or before than") << "The other day I saw no other way than this.";
        QTest::newRow("a compound count before a noun") << "We took a two-day trip.";
        QTest::newRow("a count of time as a modifier") << "He is a two time champion with a 20 year old car.";
        QTest::newRow("a plural count of time") << "We met two years ago, and three days later we left.";
        QTest::newRow("sort of and kind of as adverbs") << "It was sort of strange, and the film was kind of boring.";
        QTest::newRow("a mass noun subject before a verb") << "In the end, water flow matters.";
        QTest::newRow("a bare subject with a verb in -s") << "In the lab, the researcher needs more time.";
    }
    void nounNumberLookAlikes() { lookAlike(); }
};

QTEST_GUILESS_MAIN(TestCheckerLearnerNouns)
#include "tst_checker_learnernouns.moc"
