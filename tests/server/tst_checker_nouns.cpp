// Noun, determiner and punctuation slips of Chinese learners: each learner sentence must get
// its finding with the right first candidate and explanation page, its clean twin none, and
// the look-alike sentences (right English of the same shape) none either.

#include "englishchecker.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerNouns : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    void verify() { LearnerTable::verify(*m_checker); }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void quantityNouns_data()
    {
        columns();
        row("a lot before a plural", "There are a lot people here.", "people", "of people", "quantity_of",
            "There are a lot of people here.");
        row("a number opening the sentence", "A number students came late.", "students", "of students",
            "quantity_of", "A number of students came late.");
        row("a size adjective before number", "A great number students failed.", "students",
            "of students", "quantity_of", "A great number of students failed.");
        row("a wide variety", "They sell a wide variety products.", "products", "of products",
            "quantity_of", "They sell a wide variety of products.");
        row("lots before a noun in -ing", "I have lots things to do.", "things", "of things", "quantity_of",
            "I have lots of things to do.");
        row("plenty before an -ies plural", "There are plenty activities.", "activities", "of activities",
            "quantity_of", "There are plenty of activities.");
        row("a kind before a plural", "He said a kind things.", "things", "of things", "quantity_of",
            "He said a kind thing.");
        row("an -ing modifier between a and a plural", "We must stop an advancing fires.", " an ", "",
            "determiner_number", "We must stop an advancing fire.");
        row("a couple of with a singular", "It took a couple of day.", "day", "days", "noun_plural",
            "It took a couple of days.");
        row("a variety of with a singular", "They sell a variety of product.", "product", "products", "noun_plural",
            "They sell a variety of products.");
        row("a count in digits", "There are 20 student in my class.", "student", "students", "noun_plural",
            "There are 20 students in my class.");
        row("a quantifier, a singular and a past verb", "Many student came to the party.", "student", "students",
            "noun_plural", "Many students came to the party.");
        row("one of with its verb after the noun", "One of my friend came.", "friend", "friends", "noun_plural",
            "One of my friends came.");
        row("a same", "The words have a same meaning.", "a", "the", "the_same", "The words have the same meaning.");
        row("a lots of", "I have a lots of friends.", " a ", "", "article_stray", "I have lots of friends.");
        row("certain with a singular", "In certain case, it works.", "case", "cases", "noun_plural",
            "In certain cases, it works.");
        row("so before an adjective and its noun", "That was so unstable trip.", "so", "such an", "so_such",
            "That was such an unstable trip.");
        row("the before a game after play", "We play the football every day.", " the ", "", "article_activity",
            "We play football every day.");
        row("the before a meal", "I had the breakfast at home.", " the ", "", "article_activity",
            "I had breakfast at home.");
        row("the before a language", "She can speak the English.", " the ", "", "article_activity",
            "She can speak English.");
        row("the before a means of transport", "I go to school by the bus.", " the ", "", "article_activity",
            "I go to school by bus.");
        row("the before life in general", "The life is beautiful.", "The life", "Life", "article_generic",
            "Life is beautiful.");
        row("many of my with a singular before its verb", "Many of my friend want to go.", "friend", "friends",
            "noun_plural", "Many of my friends want to go.");
        row("hundreds after a number", "There are two hundreds students.", "hundreds", "hundred", "number_word",
            "There are two hundred students.");
        row("thousands after digits", "About 3 thousands people came.", "thousands", "thousand", "number_word",
            "About 3 thousand people came.");
        row("millions of after a number", "About 20 millions of people came.", "millions", "million", "number_word",
            "About 20 million of people came.");
        row("percents after a number", "It rose from 9 percents to 25 percents.", "percents", "percent",
            "number_word", "It rose from 9 percent to 25 percent.");
        row("one before a plural", "There is one students here.", "students", "student", "number_word",
            "There is one student here.");
        row("same after a preposition", "We arrived at same time.", "same", "the same", "the_same",
            "We arrived at the same time.");
        row("first time after is", "It is first time I came here.", "first", "the first", "article_missing",
            "It is the first time I came here.");
        row("a plural in a set phrase", "As a results, we won.", "As a results", "As a result", "fixed_phrase",
            "As a result, we won.");
        row("in before nowadays", "In nowadays, people are busy.", "In nowadays", "Nowadays", "fixed_phrase",
            "Nowadays, people are busy.");
        row("point of views", "I will explain my points of views.", "points of views", "points of view",
            "fixed_phrase", "I will explain my points of view.");
        row("a people for one person", "He is a very kind people.", "people", "person", "determiner_number",
            "He is a very kind person.");
        row("the most of", "The most of the students came.", "The most", "Most", "most_noun",
            "Most of the students came.");
        row("every people", "I think every people should vote.", "every people", "everyone", "determiner_number",
            "I think everyone should vote.");
        row("what a with an uncountable noun", "Imagine what a chaos it would cause.", "a chaos", "chaos",
            "uncountable_count", "Imagine what chaos it would cause.");
        row("an adjective between a and an uncountable noun", "I wish you a good health.", "a good health",
            "good health", "uncountable_count", "I wish you good health.");
    }
    void quantityNouns() { verify(); }

    void quantityNounLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a couple with a plural") << "We waited a couple days.";
        QTest::newRow("a lot more") << "A lot more people came this year.";
        QTest::newRow("a number with of") << "A number of students came.";
        QTest::newRow("numbers count by themselves") << "A hundred people and a dozen cars came.";
        QTest::newRow("a kind nation") << "They are a kind people.";
        QTest::newRow("lots as a noun of its own") << "We found parking lots and empty lots.";
        QTest::newRow("a great many, a good three weeks") << "A great many people spent a good three weeks there.";
        QTest::newRow("a means, a series") << "It is a means of transport and a series of events.";
        QTest::newRow("a growing number") << "A growing number of people came.";
        QTest::newRow("a few more") << "We need a few more days.";
        QTest::newRow("which one and its verb") << "Tell me which one suits you and this one costs less.";
        QTest::newRow("uncountable nouns in compounds and of-phrases")
            << "The room was a chaos of colours, and we bought a money order and a bread knife.";
        QTest::newRow("digits in names, years and units") << "Room 20 student lists date from 2010 and cost 20 dollars.";
        QTest::newRow("a quantifier before a compound") << "Several student loans went unpaid; two car crashes happened.";
        QTest::newRow("a count of one, a number in a compound") << "He was the 1 student with a 20 minute walk.";
        QTest::newRow("kinds of with a mass noun, a modifier joined") << "They sell all kinds of food in a variety of skill and leadership areas.";
        QTest::newRow("a same-day service") << "We offer a same day service and the same price.";
        QTest::newRow("a certain, be certain") << "A certain person came, and he is certain.";
        QTest::newRow("so with an adjective alone, a quantity or a mass noun") << "It is so good that so many came for so good food.";
        QTest::newRow("a people as a nation, a people person") << "They are a kind people, and he is a people person.";
        QTest::newRow("make the most of") << "We made the most of our time.";
        QTest::newRow("every people as nations") << "Every people on earth has a culture of its own.";
        QTest::newRow("the before an instrument, a meal with a clause, a language as a people")
            << "He plays the piano, and the English are proud of the dinner we ordered.";
        QTest::newRow("the before a game or a language in a longer phrase")
            << "They play the football match and study the English language.";
        QTest::newRow("by the vehicle as a place or an agent") << "He was hit by the bus near the bus stop.";
        QTest::newRow("the life of someone") << "The life of a student is hard.";
        QTest::newRow("hundreds of, one as a pronoun, one before a compound")
            << "Many thousands of people came; one needs time, and he has one sports car.";
        QTest::newRow("millions of without a number, percentages")
            << "Millions of people and many millions of birds live here, in percentages and in percent.";
        QTest::newRow("first time as a modifier, same with its article") << "For first time users it is the same as before.";
        QTest::newRow("at last, with my own hands") << "At last, we won with our own hands, in my opinion.";
        QTest::newRow("a broad knowledge") << "She has a broad knowledge of history.";
        QTest::newRow("a thing named by its count") << "He will not ride a two wheeler.";
    }
    void quantityNounLookAlikes() { LearnerTable::verifyClean(*m_checker); }

    void marksAndCapitals_data()
    {
        columns();
        row("backtick in a negative", "We still don`t know the answer.", "don`t", "don't", "contraction_mark",
            "We still don't know the answer.");
        row("backtick after a pronoun", "I think it`s a good idea.", "it`s", "it's", "contraction_mark",
            "I think it's a good idea.");
        row("equals sign", "Please don=t tell him.", "don=t", "don't", "contraction_mark", "Please don't tell him.");
        row("hyphen before t", "They can-t make the same mistakes.", "can-t", "can't", "contraction_mark",
            "They can't make the same mistakes.");
        row("acute accent", "She isn\u00b4t at home.", "isn\u00b4t", "isn't", "contraction_mark",
            "She isn't at home.");
        row("backtick in a short contraction, offsets after it", "I`m here, teh way.", "I`m", "I'm",
            "contraction_mark", "I'm here, the way.");
        row("non apart before an adjective", "It is a non biological process.", "non biological", "non-biological",
            "non_prefix", "It is a non-biological process.");
        row("non before a misspelt word: the spelling check's", "A non Europian made it.", "Europian", "European",
            "nonword", "A non-European made it.");
        row("non apart before a noun, capitalised", "Non smokers sit in the back.", "Non smokers", "Non-smokers",
            "non_prefix", "Non-smokers sit in the back.");
        row("and the so on", "We saw the lakes, the hills and the so on.", "and the so on", "and so on", "so_on",
            "We saw the lakes, the hills and so on.");
        row("and etc.", "We sell pens, books and etc.", "and etc.", "etc.", "so_on", "We sell pens, books, etc.");
        row("sentence in capitals keeps I and an acronym", "I ANSWERED THE QUESTION AND GOT A PRIZE FROM BMW.",
            "I ANSWERED THE QUESTION AND GOT A PRIZE FROM BMW", "I answered the question and got a prize from BMW",
            "sentence_all_caps", "I answered the question and got a prize from BMW.");
        row("sentence in capitals keeps a listed acronym and its commas", "WE LIKE NASA, AND WE READ ABOUT IT!",
            "WE LIKE NASA, AND WE READ ABOUT IT", "We like NASA, and we read about it", "sentence_all_caps",
            "We like NASA, and we read about it!");
        row("doubled full stop", "But I respect the others..", "..", ".", "doubled_mark", "But I respect the others.");
        row("doubled comma", "He said so,, and left.", ",,", ",", "doubled_mark", "He said so, and left.");
        row("number glued to its word", "They paid 100million dollars.", "100million", "100 million", "number_space",
            "They paid 100 million dollars.");
        row("no space after a comma", "I like it,but he does not.", "it,but", "it, but", "space_after_mark",
            "I like it, but he does not.");
        row("no space after a full stop", "I like it.But he does not.", "it.But", "it. But", "space_after_mark",
            "I like it. But he does not.");
        row("a space before a comma and none after", "We studied hard ,so we passed.", "hard ,so", "hard, so",
            "space_before_mark", "We studied hard, so we passed.");
        row("a spaced comma where another touches its word", "I like tea , but, sadly, not coffee.", "tea ,",
            "tea,", "space_before_mark", "I like tea, but, sadly, not coffee.");
        row("a spaced question mark where a comma touches its word", "Well, why did you go ?", "go ?", "go?",
            "space_before_mark", "Well, why did you go?");
        row("full-width comma", "I like tea\uff0ccoffee and juice.", "\uff0ccoffee", ", coffee", "full_width_mark",
            "I like tea, coffee and juice.");
        row("full-width full stop", "I like tea\u3002", "\u3002", ".", "full_width_mark", "I like tea.");
        row("the before a country", "I was born in the China.", " the ", "", "article_name", "I was born in China.");
        row("etc without its dot", "We sold pens, books etc and more.", "etc", "etc.", "so_on",
            "We sold pens, books, etc. and more.");
        row("a question ending in a full stop", "Why do people like it.", ".", "?", "question_mark",
            "Why do people like it?");
        row("a plural in -s with 's", "My parents's house is big.", "parents's", "parents'", "plural_possessive",
            "My parents' house is big.");
    }
    void marksAndCapitals() { verify(); }

    void marksAndCapitalLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("backticks around code") << "Type `don`t` in the box.";
        QTest::newRow("a chain of backticks") << "Type don`t`t`t`s now.";
        QTest::newRow("equals signs in a formula") << "Set a=t and b=s in the formula.";
        QTest::newRow("hyphen in a compound") << "He wore a T-shirt and a well-known hat.";
        QTest::newRow("non in Latin phrases") << "His answer was a non sequitur, and trust is a sine qua non.";
        QTest::newRow("non already joined") << "Non-native speakers and nonprofits are welcome.";
        QTest::newRow("and so on twice") << "We bought pens, books and so on, and so on.";
        QTest::newRow("a heading in capitals") << "TERMS AND CONDITIONS OF THE FREE TRIAL";
        QTest::newRow("a short sentence in capitals") << "I LOVE IT SO.";
        QTest::newRow("acronyms in a normal sentence") << "The NASA and BMW teams met in the USA.";
        QTest::newRow("abbreviations, file names, numbers, places") << "See mr.Smith, file.txt, Node.js, 1,000 and Akron,Ohio.";
        QTest::newRow("full-width marks inside Chinese text") << "He wrote \u6211\u559c\u6b22\uff0c\u4f46\u662f in his notes.";
        QTest::newRow("the before a name in a longer name") << "I read the China Daily about the Japan of the 1980s.";
        QTest::newRow("the before a name with a restrictive clause") << "The Europe that we know and the England team are gone.";
        QTest::newRow("statements opened by a question word") << "What they said was true, and what is the most important is love.";
        QTest::newRow("possessives of names and singulars in -s") << "James's boss's car and the bus's door are red.";
        QTest::newRow("an ellipsis and the dot of etc.") << "Wait... we sold pens, books, etc..";
        QTest::newRow("units glued to numbers") << "It is 5km away, at 10pm, in the 1990s, on the 3rd floor.";
        QTest::newRow("text split into tokens") << "I like tea , but not coffee , sadly .";
        QTest::newRow("an ellipsis, a smiley and a dotted name after a space")
            << "Well, I waited ... and smiled :) at the .NET team, then left.";
        QTest::newRow("a time and a ratio") << "We met, at 10 :30, in a 3 : 1 ratio.";
        QTest::newRow("comma before a parenthetical, said that") << "It is clear, however, that he said, that is all.";
    }
    void marksAndCapitalLookAlikes() { LearnerTable::verifyClean(*m_checker); }
};

QTEST_GUILESS_MAIN(TestCheckerNouns)
#include "tst_checker_nouns.moc"
