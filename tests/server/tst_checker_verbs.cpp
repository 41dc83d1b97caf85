// Verb forms learners build without a copula or verb endings: each learner sentence must
// get its finding with the right first candidate and explanation page; each clean twin,
// and each right sentence that looks like the error, none at all.

#include "englishchecker.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerVerbs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    void verify() { LearnerTable::verify(*m_checker); }
    void lookAlike() { LearnerTable::verifyClean(*m_checker); }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void missingBe_data()
    {
        columns();
        row("pronoun and an -ing form", "I going to the library now.", "going", "am going", "be_missing",
            "I am going to the library now.");
        row("pronoun, adverb and a feeling adjective", "If they really interested in music, they can join.",
            "really", "are really", "be_missing",
            "If they are really interested in music, they can join.");
        row("pronoun and an adjective at the end", "After the exam we very happy.", "very",
            "are very", "be_missing", "After the exam we were very happy.");
        row("born without be", "I born in a small village.", "born", "was born", "be_missing",
            "I was born in a small village.");
        row("noun subject and -ing in a when-clause, past", "When my grandmother getting old, she could not walk.",
            "getting", "was getting", "be_missing", "When my grandmother was getting old, she could not walk.");
        row("plural subject and -ing in a while-clause", "While the students waiting outside, we cleaned the room.",
            "waiting", "were waiting", "be_missing", "While the students were waiting outside, we cleaned the room.");
        row("modal and an adjective", "She will happy when she sees it.", "happy", "be happy", "be_missing",
            "She will be happy when she sees it.");
        row("modal, not and an adjective", "Without effort we can not successful.", "successful",
            "be successful", "be_missing", "Without effort we can not be successful.");
        row("did not and an adjective", "Many people did not successful at first.", "did not successful",
            "were not successful", "be_missing", "Many people were not successful at first.");
        row("doesn't and an adjective", "My brother doesn't afraid of dogs.", "doesn't afraid", "isn't afraid",
            "be_missing", "My brother isn't afraid of dogs.");
        row("imperative don't and an adjective", "Don't nervous before the test.", "nervous",
            "be nervous", "be_missing", "Don't be nervous before the test.");
        row("after non-ASCII text", "Zoë said that she will happy there.", "happy", "be happy", "be_missing",
            "Zoë said that she will be happy there.");
    }
    void missingBe() { verify(); }

    void missingBeLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("did closing a relative clause before the main verb") << "The research they did helped us.";
        QTest::newRow("do closing a relative clause before a verb in -s") << "The work we do matters to them.";
        QTest::newRow("question with the verb first") << "What am I capable of?";
        QTest::newRow("quit and a purpose") << "He quit to join a startup.";
        QTest::newRow("passive and a purpose") << "The flight was delayed to allow the crew to rest.";
        QTest::newRow("practised and a purpose") << "She practised every day to improve her English.";
        QTest::newRow("set phrase words inside a clause") << "The study resulted in a conclusion that sleep matters.";
        QTest::newRow("plural noun after in") << "They invested in additions to the house.";
        QTest::newRow("comparison") << "She is taller than I expected.";
        QTest::newRow("reduced relative clause") << "If the people living here agree, we will build it.";
        QTest::newRow("gerund clause without a subject") << "While waiting outside, we talked.";
        QTest::newRow("past tense of worry") << "They worried about the exam.";
        QTest::newRow("feeling verb with an object") << "The story interested the children.";
        QTest::newRow("sure as an adverb") << "I sure hope it works.";
        QTest::newRow("modal before an adjective noun phrase") << "You can used your car.";
        QTest::newRow("don't and a verb") << "Don't worry about the test.";
        QTest::newRow("adjective before its noun") << "We will sure enjoy it.";
        QTest::newRow("was born") << "He was born in Shanghai.";
    }
    void missingBeLookAlikes() { lookAlike(); }

    void verbForms_data()
    {
        columns();
        row("do not after a modal", "People may still do not know the answer.", "do not", "not", "modal_do",
            "People may still not know the answer.");
        row("don't after a modal", "You should don't worry.", "don't", "not", "modal_do", "You should not worry.");
        row("want and a bare verb", "I want go home now.", "go", "to go", "to_missing", "I want to go home now.");
        row("learn and a verb-only word", "After that we learn specialize in one subject.", "specialize",
            "to specialize", "to_missing", "After that we learn to specialize in one subject.");
        row("as we all known as an aside", "As we all known, smoking is harmful.", "known", "know",
            "participle_alone", "As we all know, smoking is harmful.");
        row("participle alone after a pronoun", "I seen him at the station.", "seen", "saw", "participle_alone",
            "I saw him at the station.");
        row("participle alone in a relative clause", "He is a man who known the area.", "known", "knows",
            "participle_alone", "He is a man who knows the area.");
        row("state verb in the progressive", "Many people are believing in it.", "are believing", "believe",
            "stative_progressive", "Many people believe in it.");
        row("state verb with an adverb", "She is still knowing the answer.", "is still knowing", "still knows",
            "stative_progressive", "She still knows the answer.");
        row("regular past after has to", "He has to justified by law.", "justified", "justify", "to_infinitive",
            "He has to justify it by law.");
        row("there, an adverb and have", "But there still have a lot of problems.", "have", "are", "there_be",
            "But there are still a lot of problems.");
        row("-ing after a modal", "She can swimming very fast.", "swimming", "swim", "modal_base",
            "She can swim very fast.");
        row("-ing after didn't", "We didn't going there.", "going", "go", "do_base", "We didn't go there.");
        row("be before an -s verb", "It is depends on the weather.", "is depends", "depends", "be_verb",
            "It depends on the weather.");
        row("spend time to", "We spent two hours to finish it.", "to finish", "finishing", "verb_gerund",
            "We spent two hours finishing it.");
        row("worth to", "The museum is worth to visit.", "to visit", "visiting", "verb_gerund",
            "The museum is worth visiting.");
        row("have difficulty to", "Many students have difficulty to understand it.", "to understand",
            "understanding", "verb_gerund", "Many students have difficulty understanding it.");
        row("enjoy to", "I enjoy to swim in the sea.", "to swim", "swimming", "verb_gerund",
            "I enjoy swimming in the sea.");
        row("capable to", "He is capable to finish the work.", "to finish", "of finishing", "preposition_choice",
            "He is capable of finishing the work.");
        row("set phrase opening a sentence", "In a conclusion, sleep matters.", "In a conclusion", "In conclusion",
            "fixed_phrase", "In conclusion, sleep matters.");
        row("passive of a verb outside the common table", "I will be limit a time.", "limit", "limited",
            "passive_participle", "I will be limited in time.");
        row("modal and be before a verb with its object", "They can be avoid the genetic modified food.",
            "be avoid", "avoid", "be_verb", "They can avoid the genetic modified food.");
        row("modal and be before a verb with each other", "You will be help each other after school.", "be help",
            "help", "be_verb", "You will help each other after school.");
        row("modal and be before a linking verb and adjective", "The buildings must be look beautiful.", "be look",
            "look", "be_verb", "The buildings must look beautiful.");
        row("passive of a verb of giving keeps its object", "Students can be give a chance to speak.", "give",
            "given", "passive_participle", "Students can be given a chance to speak.");
        row("passive with an adverb between", "The idea will be even strengthen by this.", "strengthen",
            "strengthened", "passive_participle", "The idea will be even stronger after this.");
        row("in the past with a present verb", "In the past, people use bicycles.", "use", "used",
            "tense_past_time", "In the past, people used bicycles.");
        row("at that time with a present be", "At that time, I am a student.", "am", "was", "tense_past_time",
            "At that time, I was a student.");
        row("a year with a present verb", "We move to Beijing in 2015.", "move", "moved", "tense_past_time",
            "We moved to Beijing in 2015.");
        row("no before a verb", "I no like spicy food.", "no", "don't", "no_not", "I don't like spicy food.");
        row("no before a verb in a relative clause", "Someone who no give cannot live there.", "no", "doesn't",
            "no_not", "Someone who doesn't give cannot live there.");
        row("passive with by and no be", "They killed by the soldiers.", "killed", "were killed",
            "be_missing", "They were killed by the soldiers.");
        row("relative pronoun and -ing", "The people who living here are kind.", "living", "are living",
            "be_missing", "The people who live here are kind.");
        row("question order after know", "I don't know where is the station.", "where is the station",
            "where the station is", "embedded_question", "I don't know where the station is.");
        row("question order after tell me", "Can you tell me how is the weather there?", "how is the weather",
            "how the weather is", "embedded_question", "Can you tell me how the weather is there?");
        row("be not before a verb", "They are not stop at the same place.", "are not stop", "do not stop",
            "be_verb", "They do not stop at the same place.");
        row("am not like", "I am not like it at all.", "am not like", "do not like", "be_verb",
            "I do not like it at all.");
        row("noun, very and an adjective with no verb", "In the world oil price very high now.", "very", "is very",
            "be_missing", "In the world oil price is very high now.");
        row("modal, not and ready", "And people can not ready to pay.", "ready", "be ready", "be_missing",
            "And people can not be ready to pay.");
        row("conjunction and a bare verb", "Many people don't think before take a decision.", "take", "taking",
            "gerund_after_preposition", "Many people don't think before taking a decision.");
        row("noun subject passive with no be", "Many people killed by cars.", "killed", "are killed",
            "be_missing", "Many people are killed by cars.");
        row("modal with a past form after that", "It eats insects that will did damage.", "did", "do",
            "modal_base", "It eats insects that will do damage.");
        row("bare verb as the subject after an opener", "Moreover, learn English is very useful.", "learn",
            "learning", "gerund_subject", "Moreover, learning English is very useful.");
        row("passive of happen", "The accident was happened at night.", "was happened", "happened",
            "intransitive_passive", "The accident happened at night.");
        row("present passive of exist", "This problem is existed for years.", "is existed", "exists",
            "intransitive_passive", "This problem has existed for years.");
        row("perfect passive of happen", "It has been happened before.", "been happened", "happened",
            "intransitive_passive", "It has happened before.");
        row("would like and -ing", "I would like going there.", "going", "to go", "to_missing",
            "I would like to go there.");
        row("used to and -ing without be", "I used to going there every week.", "going", "go", "to_infinitive",
            "I used to go there every week.");
        row("passive with a past form", "The letter was wrote by my sister.", "wrote", "written",
            "passive_participle", "The letter was written by my sister.");
        row("passive with a base form that is also a noun", "The tool must be use properly.", "use", "used",
            "passive_participle", "The tool must be used properly.");
        row("passive with a past form and no by", "The money was took from the bank.", "took", "taken",
            "passive_participle", "The money was taken from the bank.");
        row("perfect passive with an object", "I have been studied English for ten years.", "studied", "studying",
            "perfect_progressive", "I have been studying English for ten years.");
        row("do-question inside a statement", "Do you know what does this word mean?", "what does this word mean",
            "what this word means", "embedded_question", "Do you know what this word means?");
        row("noun subject repeated by a pronoun", "My sister she likes music.", " she ", "", "double_subject",
            "My sister likes music.");
        row("past-time marker, noun subject and a base form", "Yesterday my mother buy a new dress.", "buy",
            "bought", "tense_past_time", "Yesterday my mother bought a new dress.");
        row("preposition, bare verb and a language", "He is interested in learn Chinese.", "learn", "learning",
            "gerund_after_preposition", "He is interested in learning Chinese.");
        row("pronoun, be and a noun-verb word before a place", "She is study in the library now.", "is study",
            "is studying", "be_verb", "She is studying in the library now.");
        row("let, an object and an -s verb", "Let him goes first.", "goes", "go", "causative_to",
            "Let him go first.");
        row("made, an object and a past form", "He made me cried.", "cried", "cry", "causative_to",
            "He made me cry.");
        row("make, a noun phrase and an -s verb", "It makes the old product looks better.", "looks", "look",
            "causative_to", "It makes the old product look better.");
        row("help, a possessive phrase and an -s verb", "Parents should help their child learns.", "learns",
            "learn", "causative_to", "Parents should help their child learn.");
        row("passive of graduate", "I was graduated from Peking University.", "was graduated", "graduated",
            "intransitive_passive", "I graduated from Peking University.");
        row("passive of a regular verb outside the common table", "The book is consisted of ten chapters.",
            "is consisted", "consists", "intransitive_passive", "The book consists of ten chapters.");
        row("want and -ing", "I want going home early.", "going", "to go", "to_missing",
            "I want to go home early.");
        row("past marker as the last token", "I go there yesterday", "go", "went", "tense_past_time",
            "I went there yesterday");
        row("last time with a present verb", "Last time I go there with my mother.", "go", "went",
            "tense_past_time", "Last time I went there with my mother.");
        row("a long time ago", "A long time ago, people live in caves.", "live", "lived", "tense_past_time",
            "A long time ago, people lived in caves.");
        row("when I was and an age", "When I was ten, I like cartoons.", "like", "liked", "tense_past_time",
            "When I was ten, I liked cartoons.");
        row("a year, a singular noun and a base form", "In 2010, my father buy a car.", "buy", "bought",
            "tense_past_time", "In 2010, my father bought a car.");
        row("past marker and a compound subject with I", "Yesterday my friends and I go shopping.", "go", "went",
            "tense_past_time", "Yesterday my friends and I went shopping.");
        row("he, a base form of telling and yesterday", "He tell me yesterday that he was sick.", "tell", "told",
            "tense_past_time", "He told me yesterday that he was sick.");
        row("past marker and can't", "Last night I can't sleep.", "can't", "couldn't", "tense_past_time",
            "Last night I couldn't sleep.");
        row("since a time of life and a present verb", "Since I was a child, I like reading.", "like",
            "have liked", "tense_since_perfect", "Since I was a child, I have liked reading.");
        row("since a year with a present verb", "I live in Beijing since 2010.", "live", "have lived",
            "tense_since_perfect", "I have lived in Beijing since 2010.");
        row("since last year with an -s verb", "She works here since last year.", "works", "has worked",
            "tense_since_perfect", "She has worked here since last year.");
        row("since with be", "We are friends since childhood.", "are", "have been", "tense_since_perfect",
            "We have been friends since childhood.");
        row("participle after gets to", "It gets to known around the town.", "known", "know", "to_infinitive",
            "It gets to know the town.");
        row("past after going to", "I am going to visited Beijing.", "visited", "visit", "to_infinitive",
            "I am going to visit Beijing.");
        row("past after in order to", "In order to improved our lives, we work.", "improved", "improve",
            "to_infinitive", "To improve our lives, we work.");
        row("bare verb as the subject", "Learn English is important for us.", "Learn", "Learning",
            "gerund_subject", "Learning English is important for us.");
        row("verb and a question-word clause as the subject", "Understand how they work would give us a lesson.",
            "Understand", "Understanding", "gerund_subject", "Understanding how they work would give us a lesson.");
        row("verb and how to as the subject", "Understand how to use it is important.", "Understand",
            "Understanding", "gerund_subject", "Understanding how to use it is important.");
        row("bare verb with an object as the subject after that", "The lecture thinks that take the tax is bad.",
            "take", "taking", "gerund_subject", "The lecture thinks that taking the tax is bad.");
        row("noun-verb with an object after an opener", "Moreover, take the bus is faster than walking.", "take",
            "taking", "gerund_subject", "Moreover, taking the bus is faster than walking.");
        row("be and go before to", "I am go to school every day.", "am go", "am going", "be_verb",
            "I am going to school every day.");
        row("be and a verb whose noun is rare before a plural", "Advertisements are make products look good.",
            "are make", "are making", "be_verb", "Advertisements make products look good.");
        row("if, it and will not", "We will go if it will not rain.", "will not rain", "does not rain",
            "tense_if_will", "We will go if it does not rain.");
        row("modal, be and a bare verb before an object pronoun", "You must be finish it today.", "be finish",
            "finish", "be_verb", "You must finish it today.");
        row("have been and a bare verb", "I have been study English for years.", "study", "studying",
            "perfect_progressive", "I have been studying English for years.");
        row("have been and a noun-verb before an object pronoun", "They have been help us a lot.", "help",
            "helping", "perfect_progressive", "They have been helping us a lot.");
        row("was and a noun-verb before a meal", "She was cook dinner when I came.", "was cook", "was cooking",
            "be_verb", "She was cooking dinner when I came.");
        row("modal and a past that may be an adjective", "They could lost everything.", "lost", "lose",
            "modal_base", "They could lose everything.");
        row("be and a verb of change at the end", "The population is grow.", "is grow", "is growing", "be_verb",
            "The population is growing.");
        row("be and a noun of change before an adverb", "The price of oil is increase rapidly.", "is increase",
            "is increasing", "be_verb", "The price of oil is increasing rapidly.");
        row("be and a verb of state before a noun", "They are need money for the trip.", "are need", "need",
            "be_verb", "They need money for the trip.");
        row("be and a verb of state before to", "She is need to rest.", "is need", "needs", "be_verb",
            "She needs to rest.");
        row("be and a verb of state that is never progressive", "The problem is exist in every city.", "is exist",
            "exists", "be_verb", "The problem exists in every city.");
        row("gerund subject, be and a noun-verb before more", "Bigger farming are use more water.", "are use",
            "are using", "be_verb", "Bigger farming is using more water.");
        row("be and a past that is also a noun before an object", "They were drove settlements away.",
            "were drove", "drove", "be_verb", "They drove settlements away.");
        row("modal, be and a noun-verb before and", "The fuels can be finish and gone.", "finish", "finished",
            "passive_participle", "The fuels can be finished and gone.");
        row("modal, be and a noun-verb before a time adverb", "The report can be finish tomorrow.", "finish",
            "finished", "passive_participle", "The report can be finished tomorrow.");
        row("modal, be and a hyphenated prefix", "The trip could be re-schedule by the school.", "re-schedule",
            "re-scheduled", "passive_participle", "The trip could be re-scheduled by the school.");
    }
    void verbForms() { verify(); }

    void comparatives_data()
    {
        columns();
        row("not and a plain adjective before than", "I think that not interesting than football.",
            "not interesting", "less interesting", "comparative_less", "I think that is less interesting than football.");
        row("be, not and a short adjective before than", "Her room is not clean than mine.", "not clean",
            "less clean", "comparative_less", "Her room is not cleaner than mine.");
        row("very, an adjective and than later in the clause",
            "It is very important for them to understand ideas than to learn facts.", "very important",
            "more important", "comparative_very", "It is more important for them to understand ideas than to learn facts.");
        row("very, good and than later", "It is very good for us to walk than to drive.", "very good", "better",
            "comparative_very", "It is better for us to walk than to drive.");
        row("very, a short adjective and than later", "It is very easy to walk there than to drive.", "very easy",
            "easier", "comparative_very", "It is easier to walk there than to drive.");
        row("modal, more and a verb with its object", "Therefore, I can more enjoy the trip.", "more enjoy the trip",
            "enjoy the trip more", "more_verb_order", "Therefore, I can enjoy the trip more.");
        row("pronoun, more and like", "I more like apples than pears.", "more like apples", "like apples more",
            "more_verb_order", "I like apples more than pears.");
        row("modal, more and a verb before a pronoun", "We should more help them.", "more help them",
            "help them more", "more_verb_order", "We should help them more.");
        row("adjective and as before a pronoun", "He is tall as me.", "tall", "as tall", "as_as",
            "He is as tall as me.");
        row("adverb and as possible", "Please come back soon as possible.", "soon", "as soon", "as_as",
            "Please come back as soon as possible.");
        row("not and an adjective after non-ASCII text", "“Zoë” said that not interesting than TV.",
            "not interesting", "less interesting", "comparative_less", "“Zoë” said that is less interesting than TV.");
        row("looks, an adjective and as before a name", "It looks fancy as Mercedes.", "fancy", "as fancy",
            "as_as", "It looks as fancy as Mercedes.");
        row("as same as", "My opinion is as same as yours.", "as same", "the same", "the_same",
            "My opinion is the same as yours.");
        row("be and same as", "His book is same as mine.", "same", "the same", "the_same",
            "His book is the same as mine.");
        row("a short adjective repeated for ever more", "New and new technology comes out.", "New and new",
            "Newer and newer", "repeated_positive", "Newer and newer technology comes out.");
        row("a long adjective repeated", "English is important and important.", "important and important",
            "more and more important", "repeated_positive", "English is more and more important.");
        row("a short adjective with a common -er form", "The music grew loud and loud.", "loud and loud",
            "louder and louder", "repeated_positive", "The music grew louder and louder.");
    }
    void comparatives() { verify(); }

    void comparativeLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("not different than") << "This book is not different than that one.";
        QTest::newRow("not with a comparative") << "It is not longer than ten pages.";
        QTest::newRow("very and other than") << "It is very hard to find anything other than rice.";
        QTest::newRow("very and rather than") << "They are very good friends rather than rivals.";
        QTest::newRow("very and more than in the clause") << "I was very happy to pay more than him.";
        QTest::newRow("very and than after a comma") << "It is a very big house, bigger than ours.";
        QTest::newRow("very and than in another clause") << "He was very tired because he ran than walked.";
        QTest::newRow("more than after a modal") << "We can more than double it.";
        QTest::newRow("more or less") << "We more or less agree.";
        QTest::newRow("more and an adverb") << "You can more easily see it.";
        QTest::newRow("more before a noun") << "We need more help.";
        QTest::newRow("more like a kind") << "They more like a family than a team.";
        QTest::newRow("as before a list of adjectives") << "I make food as fun and flavourful as possible.";
        QTest::newRow("in the same way as before") << "The shop is open as before.";
        QTest::newRow("a role after as") << "She is famous as a singer.";
        QTest::newRow("a role after as before a name") << "She is famous as Juliet.";
        QTest::newRow("much the same as") << "It is much the same as before.";
        QTest::newRow("the same as") << "Mine is the same as yours.";
        QTest::newRow("repeated nouns, adverbs and comparatives")
            << "We walked miles and miles, again and again, on and on, faster and faster, over and over.";
        QTest::newRow("two different adjectives") << "It was cold and wet, and then cold and windy.";
        QTest::newRow("a prefixed adjective and its plain form") << "It covers non-financial and financial results.";
    }
    void comparativeLookAlikes() { lookAlike(); }

    void transitivity_data()
    {
        columns();
        row("rise with a bare noun object", "We need to work and rise family.", "rise", "raise", "rise_raise",
            "We need to work and raise a family.");
        row("rise with money", "They rise money for the poor.", "rise", "raise", "rise_raise",
            "They raise money for the poor.");
        row("rise after non-ASCII text", "张伟 and Zoë rise money for the poor.", "rise", "raise", "rise_raise",
            "张伟 and Zoë raise money for the poor.");
        row("rise with a possessive and a person", "They work to rise their children.", "rise", "raise", "rise_raise",
            "They work to raise their children.");
        row("rose with a possessive and its noun", "They rose their hands.", "rose", "raised", "rise_raise",
            "They raised their hands.");
        row("passive of rise", "Taxes will be risen next year.", "risen", "raised", "rise_raise",
            "Taxes will be raised next year.");
        row("rise before a determiner and a compound noun", "Only rise the gas tax is unfair.", "rise", "raise",
            "rise_raise", "Only raise the gas tax if it is fair.");
        row("be and rising with an object", "They are rising money for the school.", "rising", "raising",
            "rise_raise", "They are raising money for the school.");
        row("be and a feeling verb before in", "I am interest in music.", "interest", "interested",
            "feeling_passive", "I am interested in music.");
        row("be, an adverb and a feeling verb", "She is very worry about the exam.", "worry", "worried",
            "feeling_passive", "She is very worried about the exam.");
        row("feeling verb with no object at the end", "The more I study, the more I satisfy.", "I satisfy",
            "I am satisfied", "feeling_passive", "The more I study, the more I am satisfied.");
        row("past feeling verb before with", "She disappointed with the result.", "disappointed",
            "was disappointed", "feeling_passive", "She was disappointed with the result.");
        row("raise with no object after a thing", "Prices raise every year.", "raise", "rise", "rise_raise",
            "Prices rise every year.");
        row("raised with no object before an adverb", "The price raised sharply last year.", "raised", "rose",
            "rise_raise", "The price rose sharply last year.");
        row("perfect of raise with no object", "The temperature has raised dramatically.", "raised", "risen",
            "rise_raise", "The temperature has risen dramatically.");
        row("to lay down", "I want to lay down for a while.", "lay", "lie", "lie_lay", "I want to lie down for a while.");
        row("a thing lays on a table", "The book lays on the table.", "lays", "lies", "lie_lay",
            "The book lies on the table.");
        row("be laying on a bed", "I was laying on the bed.", "laying", "lying", "lie_lay", "I was lying on the bed.");
        row("enjoyed with no object before very much", "I enjoyed very much.", "very", "it very",
            "enjoy_object", "I enjoyed it very much.");
        row("has located in a place", "The school has located in the city.", "has", "is", "have_be",
            "The school is located in the city.");
        row("have satisfied with", "I have satisfied with my job.", "have", "am", "have_be",
            "I am satisfied with my job.");
        row("has handicapped at the end", "In this movie the father has handicapped.", "has", "is", "have_be",
            "In this movie the father is handicapped.");
    }
    void transitivity() { verify(); }

    void transitivityLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("prices rose and a time") << "Prices rose the next day.";
        QTest::newRow("rose a lot") << "Prices rose a lot.";
        QTest::newRow("rise as a noun before in") << "A rise in prices hurt us.";
        QTest::newRow("the rise and a relative clause") << "The rise the price caused was big.";
        QTest::newRow("rise without an object") << "The sun rises in the east.";
        QTest::newRow("rising as an adjective") << "Yet the collapse and rising oil costs are worldwide.";
        QTest::newRow("rose and a time phrase with whole") << "The river rose the whole night.";
        QTest::newRow("please at the end") << "Do as you please.";
        QTest::newRow("tire of") << "I tire of it.";
        QTest::newRow("concern as a noun after it is") << "It is concern for all.";
        QTest::newRow("feeling verb with an object") << "I surprised him with a gift.";
        QTest::newRow("feeling participle already") << "We were bored with the lesson.";
        QTest::newRow("worry without an object") << "Don't worry about it.";
        QTest::newRow("raise with an object") << "The company has raised prices.";
        QTest::newRow("enjoy with an object") << "I enjoyed the trip very much.";
        QTest::newRow("has married as an event") << "She has married twice.";
        QTest::newRow("has interested with an object") << "It has interested me for years.";
        QTest::newRow("have tired of") << "They have tired of it.";
        QTest::newRow("has injured with an object") << "He has injured his leg.";
        QTest::newRow("raised as a passive") << "The children were raised by their grandmother.";
        QTest::newRow("lay as the past of lie") << "I lay down on the bed yesterday.";
        QTest::newRow("lay down with an object") << "We must lay down the rules.";
        QTest::newRow("laying on with an object") << "He was laying on the charm.";
        QTest::newRow("lay with an object") << "Hens lay eggs.";
    }
    void transitivityLookAlikes() { lookAlike(); }

    // A feeling verb's -ed form after a pronoun is one slip with one fix, the time taken from
    // the rest of the sentence, whether the tagger reads the form as a verb or an adjective.
    void feelingTense_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("fixed"); // the one finding's first candidate; "" = clean
        QTest::newRow("condition alone: present") << "If they interested in music" << "are interested";
        QTest::newRow("condition with a present main clause") << "If they interested in music, they can join."
                                                              << "are interested";
        QTest::newRow("condition with would: past") << "If they interested in music, they would join the club."
                                                    << "were interested";
        QTest::newRow("main clause, a past form and no other verb") << "She disappointed with the result."
                                                                    << "was disappointed";
        QTest::newRow("main clause with a present verb after it") << "I interested in music and I play the piano."
                                                                  << "am interested";
        QTest::newRow("clean: present") << "If they are interested in music" << "";
        QTest::newRow("clean: past with would") << "If they were interested in music, they would join the club." << "";
        QTest::newRow("clean: an object after the verb") << "If the story interested them, they read on." << "";
    }
    void feelingTense()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, fixed);
        const Json::Value record = m_checker->checkSentence(0, sentence.toStdString(), 0,
                                                            CheckerRecords::sentenceConfig(3), {});
        const QString got = CheckerRecords::describe(sentence, record);
        if (fixed.isEmpty()) {
            QVERIFY2(record["corrections"].empty(), qPrintable(got));
            return;
        }
        QCOMPARE(int(record["corrections"].size()), 1);
        const Json::Value &c = record["corrections"][0u];
        QCOMPARE(QString::fromStdString(c["explainType"].asString()), QStringLiteral("feeling_passive"));
        QCOMPARE(QString::fromStdString(c["candidates"][0u]["correction"].asString()), fixed);
    }

    void complements_data()
    {
        columns();
        row("more and an adverb before to", "Young people are more easily to adapt.", "more easily", "easier",
            "adjective_after_be", "Young people are easier to teach.");
        row("adverb before to", "This word is easily to remember.", "easily", "easy", "adjective_after_be",
            "This word is easy to remember.");
        row("participle for mature before enough", "He will be matured enough to decide.", "matured", "mature",
            "adjective_after_be", "He will be mature enough to decide.");
        row("let's and to", "Let's to go home now.", " to ", "", "causative_to", "Let's go home now.");
        row("be and very before a verb", "She is very enjoy the music.", "is very enjoy", "really enjoys",
            "very_verb", "She really enjoys the music.");
        row("be, very and like before it", "I am very like it.", "am very like", "really like", "very_verb",
            "I really like it.");
        row("progressive since a year", "I am living here since 2010.", "am living", "have been living",
            "tense_since_perfect", "I have been living here since 2010.");
        row("progressive with it since yesterday", "It is raining since yesterday.", "is raining",
            "has been raining", "tense_since_perfect", "It has been raining since yesterday.");
        row("enjoy and a bare verb before its object", "I enjoy play basketball.", "play", "playing", "verb_gerund",
            "I enjoy playing basketball.");
        row("finished and a bare verb", "I finished read the book.", "read", "reading", "verb_gerund",
            "I finished reading the book.");
        row("love and a bare verb before a plural", "We love play games.", "play", "playing", "verb_gerund",
            "We love playing games.");
        row("pay attention to and a bare verb", "We should pay attention to protect the forest.", "protect",
            "protecting", "gerund_after_preposition", "We should pay attention to protecting the forest.");
        row("perception verb, an object and a past", "I heard him sang a song.", "sang", "sing", "perception_base",
            "I heard him sing a song.");
        row("perception verb, an object and an -s form", "We watched him goes.", "goes", "go", "perception_base",
            "We watched him go.");
        row("have and a bare verb before a possessive", "I have finish my homework.", "finish", "finished",
            "perfect_participle", "I have finished my homework.");
        row("has and a bare verb before an article", "He has write a letter.", "write", "written",
            "perfect_participle", "He has written a letter.");
        row("be come from", "I am come from China.", "am come", "come", "be_verb", "I come from China.");
        row("question order with a modal and a pronoun", "I don't know what should I do.", "what should I do",
            "what I should do", "embedded_question", "I don't know what I should do.");
        row("question order with be, a pronoun and -ing", "He asked me where was I going.", "where was I going",
            "where I was going", "embedded_question", "He asked me where I was going.");
        row("question order with does and a pronoun", "I don't know where does he live.", "where does he live",
            "where he lives", "embedded_question", "I don't know where he lives.");
        row("question order with did and a pronoun", "I wonder why did she leave.", "why did she leave",
            "why she left", "embedded_question", "I wonder why she left.");
        row("not before an adjective with no be", "My English not good.", "not", "is not", "be_missing",
            "My English is not good.");
        row("not before a verb with no do", "She not want to go.", "not", "does not", "do_not",
            "She does not want to go.");
        row("not before like with no do", "He not like it.", "not", "does not", "do_not", "He does not like it.");
        row("there are, people, a place and a second verb", "There are many people in the park play football.",
            "play", "playing", "there_verb", "There are many people in the park playing football.");
        row("there are, an agent noun and a second verb", "There are many students study in the library.",
            "study", "studying", "there_verb", "There are many students studying in the library.");
        row("I think and be with no it", "I think is very important to learn English.", "is", "it is",
            "missing_subject", "I think it is very important to learn English.");
        row("opinion phrase and be with no it", "In my opinion, is necessary to save water.", "is", "it is",
            "missing_subject", "In my opinion, it is necessary to save water.");
        row("it's and a bare verb", "It's take a long time.", "It's take", "It takes", "be_verb",
            "It takes a long time.");
        row("he's and go", "He's go to school by bus.", "He's go", "He goes", "be_verb", "He goes to school by bus.");
        row("would, a pronoun, like and a bare verb", "Would you like go with me?", "go", "to go", "to_missing",
            "Would you like to go with me?");
        row("adjective, for us and a bare verb", "It is important for us learn English.", "learn", "to learn",
            "to_missing", "It is important for us to learn English.");
        row("want, an object and a bare verb", "He wants me go with him.", "go", "to go", "to_missing",
            "He wants me to go with him.");
        row("told, an object and a noun-verb before an adverb", "My mother told me study hard.", "study",
            "to study", "to_missing", "My mother told me to study hard.");
        row("allow, an object and a noun-verb before a plural", "They allow us use phones.", "use", "to use",
            "to_missing", "They allow us to use phones.");
        row("saw, an object and to", "I saw him to go out.", " to ", "", "perception_base", "I saw him go out.");
        row("preposition and play before a game", "He is good at play football.", "play", "playing",
            "gerund_after_preposition", "He is good at playing football.");
        row("instead of and go", "Instead of go home, we stayed.", "go", "going", "gerund_after_preposition",
            "Instead of going home, we stayed.");
        row("without and study hard", "Without study hard, you will fail.", "study", "studying",
            "gerund_after_preposition", "Without studying hard, you will fail.");
        row("spent money and a bare verb", "He spent all his money buy clothes.", "buy", "buying", "verb_gerund",
            "He spent all his money buying clothes.");
        row("spend hours and do", "I spend two hours do my homework.", "do", "doing", "verb_gerund",
            "I spend two hours doing my homework.");
        row("no time and a bare verb before an object", "I have no time play games.", "play", "to play",
            "to_missing", "I have no time to play games.");
        row("a chance and a bare verb", "I had a chance see him.", "see", "to see", "to_missing",
            "I had a chance to see him.");
        row("as follow before a colon", "The reasons are as follow: time and money.", "follow", "follows",
            "as_follows", "The reasons are as follows: time and money.");
    }
    void complements() { verify(); }

    void questionOrder_data()
    {
        columns();
        row("question word, pronoun and be", "What you are doing?", "What you are", "What are you",
            "question_order", "What are you doing?");
        row("question word, pronoun and a plain verb", "Where you live?", "you", "do you",
            "question_order", "Where do you live?");
        row("question word, pronoun and an -s verb", "Where he lives now?", "Where he lives", "Where does he live",
            "question_order", "Where does he live now?");
        row("question word, pronoun and a past", "What you did yesterday?", "What you did", "What did you do",
            "question_order", "What did you do yesterday?");
        row("question word, I and a modal", "Why I should go?", "Why I should", "Why should I", "question_order",
            "Why should I go?");
        row("question word, pronoun and a negated auxiliary", "Why you don't come?", "Why you don't",
            "Why don't you", "question_order", "Why don't you come?");
    }
    void questionOrder() { verify(); }

    void questionOrderLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("how come") << "How come you are late?";
        QTest::newRow("clause as the subject of a later verb") << "What I want is this?";
        QTest::newRow("statement with a question word") << "When you arrive, call me.";
        QTest::newRow("have as a main verb") << "What you have is enough?";
        QTest::newRow("inverted already") << "Where do you live?";
    }
    void questionOrderLookAlikes() { lookAlike(); }

    void complementLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("easily before a noun phrase") << "It is easily one of the best.";
        QTest::newRow("modal and easily") << "You can easily see it.";
        QTest::newRow("matured as a process") << "The cheese was matured for a year.";
        QTest::newRow("very like as a comparison") << "I am very like my father.";
        QTest::newRow("let's and a verb") << "Let's go to the park.";
        QTest::newRow("going since as because") << "I am going home since I am tired.";
        QTest::newRow("perfect progressive since") << "I have been living here since 2010.";
        QTest::newRow("enjoy and a noun") << "I enjoy work.";
        QTest::newRow("like and a noun compound") << "I like work clothes.";
        QTest::newRow("contribute to and a noun-verb") << "We contribute to change.";
        QTest::newRow("the key to and a noun") << "Hard work is the key to success.";
        QTest::newRow("perception verb and a passive participle") << "I heard him called a liar.";
        QTest::newRow("perception verb and a past equal to the base") << "I saw him cut the bread.";
        QTest::newRow("have and a noun") << "We have work this week.";
        QTest::newRow("have and an adjective before a noun") << "They have live music.";
        QTest::newRow("have lunch") << "I have lunch at noon.";
        QTest::newRow("statement order with a modal") << "I know what I should do.";
        QTest::newRow("hope not") << "I hope not.";
        QTest::newRow("why not") << "Why not?";
        QTest::newRow("not after an object pronoun") << "They made it not work.";
        QTest::newRow("whether or not") << "Whether or not you go, I stay.";
        QTest::newRow("not only") << "The students not only study but also play.";
        QTest::newRow("there are and a relative clause") << "There are many people who play football.";
        QTest::newRow("there are, a thing and a verb that wants to") << "There are many ways help people.";
        QTest::newRow("I think and that as the subject") << "I think that is right.";
        QTest::newRow("what I think as the subject") << "What I think is important.";
        QTest::newRow("he's and a participle equal to the base") << "He's come home.";
        QTest::newRow("for us at the end") << "It is important for us.";
        QTest::newRow("as and follow-up") << "We sent it as follow-up.";
        QTest::newRow("spent time and a preposition") << "I spent time with friends.";
        QTest::newRow("spent money and an adverb") << "They spent money wisely.";
        QTest::newRow("time and a noun compound") << "Time travel is fun.";
        QTest::newRow("the right and a noun") << "He has the right answer.";
        QTest::newRow("money and a noun compound before a plural") << "I have no money transfer fees.";
        QTest::newRow("told, an object and a noun compound") << "I told them work stories.";
        QTest::newRow("want, an object and an adjective") << "I want you happy.";
        QTest::newRow("see someone to do something else") << "I go to see her to have my hair cut.";
        QTest::newRow("passive of see and to") << "He was seen to go out.";
        QTest::newRow("asked, an object and a noun") << "I asked him a question.";
        QTest::newRow("a direct question reported after said") << "He said: why do you ask?";
        QTest::newRow("statement order after a question word") << "I don't know where he lives or why she left.";
        QTest::newRow("for you and a noun") << "It is good for you health.";
        QTest::newRow("it's and a noun") << "It's work to do.";
        QTest::newRow("would like and a noun") << "Would you like a drink?";
        QTest::newRow("this and a past equal to the base") << "That cut me deeply.";
    }
    void complementLookAlikes() { lookAlike(); }

    void agreement_data()
    {
        columns();
        row("most of and a plural", "Most of my friends likes music.", "likes", "like", "agreement_of_phrase",
            "Most of my friends like music.");
        row("like before to after a singular noun", "My friend like to play basketball.", "like", "likes",
            "sv_agreement", "My friend likes to play basketball.");
        row("-ing subject with are", "Smoking are bad for your health.", "are", "is", "sv_agreement",
            "Smoking is bad for your health.");
        row("object relative clause before be", "The book which I bought yesterday are interesting.", "are", "is",
            "sv_agreement", "The book which I bought yesterday is interesting.");
        row("plural pronoun after and with an -s verb", "My friends and I goes shopping on Sunday.", "goes", "go",
            "sv_agreement", "My friends and I go shopping on Sunday.");
        row("was after and we", "The weather was good and we was happy every day.", "was", "were", "sv_agreement",
            "The weather was good and we were happy every day.");
        row("singular head with of and a verb before an object pronoun", "This amount of fuel force us to walk.",
            "force", "forces", "agreement_of_phrase", "This amount of fuel forces us to walk.");
        row("a lot of and a plural", "A lot of people is waiting outside.", "is", "are", "agreement_of_phrase",
            "A lot of people are waiting outside.");
        row("a number of and a plural", "A number of students has left.", "has", "have", "agreement_of_phrase",
            "A number of students have left.");
        row("news as a plural", "The news are very exciting.", "are", "is", "sv_agreement",
            "The news is very exciting.");
        row("person noun and a noun-verb before a preposition", "My father work in a factory.", "work", "works",
            "sv_agreement", "My father works in a factory.");
        row("person noun and a noun-verb before an object", "My friend help me a lot.", "help", "helps",
            "sv_agreement", "My friend helps me a lot.");
        row("this opening the sentence and a bare verb", "This make me happy.", "make", "makes", "sv_agreement",
            "This makes me happy.");
        row("more and more people with is", "Nowadays, more and more people is using phones.", "is", "are",
            "sv_agreement", "Nowadays, more and more people are using phones.");
        row("there is a lot of and a plural", "There is a lot of people in the room.", "is", "are", "there_be_number",
            "There are a lot of people in the room.");
        row("gerund alone and do", "Smoking do harm to your health.", "do", "does", "sv_agreement",
            "Smoking does harm to your health.");
        row("gerund with its object and a bare verb", "Reading books make me happy.", "make", "makes",
            "sv_agreement", "Reading books makes me happy.");
        row("gerund, a language and a verb the tagger joined", "Learning English help us a lot.", "help", "helps",
            "sv_agreement", "Learning English helps us a lot.");
        row("infinitive with its object and a bare verb", "To learn English need a lot of time.", "need", "needs",
            "sv_agreement", "To learn English needs a lot of time.");
        row("some of and a plural", "Some of the students has a car.", "has", "have", "agreement_of_phrase",
            "Some of the students have a car.");
        row("all of them with is", "All of them is very kind.", "is", "are", "agreement_of_phrase",
            "All of them are very kind.");
        row("gerund alone and a verb the tagger took for a noun", "Smoking cause cancer.", "cause", "causes",
            "sv_agreement", "Smoking causes cancer.");
        row("people with a singular verb", "People in my hometown is very friendly.", "is", "are", "sv_agreement",
            "People in my hometown are very friendly.");
    }
    void agreement() { verify(); }

    void agreementLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("plural head before a relative clause") << "The books which I bought are interesting.";
        QTest::newRow("inverted following") << "Following are the results of the test.";
        QTest::newRow("like as a preposition") << "A student like him should pass easily.";
        QTest::newRow("most of and an uncountable noun") << "Most of the water is clean.";
        QTest::newRow("some of and an uncountable noun") << "Some of the money is gone.";
        QTest::newRow("some of us with a plural verb") << "Some of us were late.";
        QTest::newRow("gerund before a noun it describes") << "Cooking oil costs more now.";
        QTest::newRow("gerund and a noun before the verb") << "Boiling water kills germs.";
        QTest::newRow("relative clause with a verb of thinking") << "The man who I think is right won.";
        QTest::newRow("compound subject with I") << "You and I are friends.";
        QTest::newRow("was after and a singular pronoun") << "The rain stopped and it was warm again.";
        QTest::newRow("clauses joined by and") << "I came early and he goes later.";
        QTest::newRow("a people as one nation") << "A people is a nation.";
        QTest::newRow("a lot of and an uncountable noun") << "A lot of water is wasted.";
        QTest::newRow("the number of and a plural") << "The number of students is growing.";
        QTest::newRow("past form equal to the base before an object") << "My mother cut me a slice.";
        QTest::newRow("possessive person noun and a noun") << "My father's work is hard.";
        QTest::newRow("participle as an adjective before a plural") << "Flying planes are dangerous.";
        QTest::newRow("infinitive phrase before a comma") << "To learn English, students need time.";
        QTest::newRow("there is a lot of and a mass noun") << "There is a lot of water.";
        QTest::newRow("gerund with two objects joined by and") << "Reading books and magazines is fun.";
        QTest::newRow("person noun in a compound before of") << "The teacher work of the year won.";
    }
    void agreementLookAlikes() { lookAlike(); }

    // Patterns cut off at the end of the text, garbage and very long input: no crash, at most
    // 100 findings, each inside the sentence.
    void truncatedAndOversized_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("born at the end") << "I born";
        QTest::newRow("let and an object at the end") << "Let him";
        QTest::newRow("have been at the end") << "They have been";
        QTest::newRow("question word and does at the end") << "I know what does";
        QTest::newRow("since at the end") << "I live here since";
        QTest::newRow("only punctuation") << ", . ; ! ?";
        QTest::newRow("non-ASCII around a pattern") << "“我” I going — 好";
        QTest::newRow("more and a modal at the end") << "I can more";
        QTest::newRow("not and an adjective at the end") << "It is not tall";
        QTest::newRow("very and an adjective at the end") << "It is very important for";
        QTest::newRow("question word and a pronoun at the end") << "Where you?";
        QTest::newRow("there are and people at the end") << "There are many people in the";
        QTest::newRow("rise at the end") << "They rise";
        QTest::newRow("contracted be at the end") << "It's";
        QTest::newRow("since a time of life cut off") << "Since I was a child,";
        QTest::newRow("perception verb and an object at the end") << "I heard him";
        QTest::newRow("not at the start") << "not good";
        QTest::newRow("gerund and its object with no verb") << "Reading good books";
        QTest::newRow("infinitive and its object with no verb") << "To learn English";
        QTest::newRow("comparisons repeated") << QStringLiteral("He is tall as me, not tall than her; ").repeated(300);
        QTest::newRow("one pattern repeated") << QStringLiteral("I going, ").repeated(400);
    }
    void truncatedAndOversized()
    {
        QFETCH(QString, sentence);
        const Json::Value record = LearnerTable::check(*m_checker, sentence, 3);
        QVERIFY(record["corrections"].size() <= 100);
        for (const Json::Value &c : record["corrections"]) {
            QVERIFY(c["start"].asInt() >= 0);
            QVERIFY(c["end"].asInt() <= sentence.size());
            QVERIFY(c["start"].asInt() <= c["end"].asInt());
        }
    }

    void verbFormLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("modal and do as a main verb") << "You can do nothing about it.";
        QTest::newRow("as we know with the present") << "As we all know, smoking is harmful.";
        QTest::newRow("known as an adjective after as") << "It was not as well known as we thought.";
        QTest::newRow("a verb of perception and a clause") << "I noticed the price rises every year.";
        QTest::newRow("make and a compound noun object") << "It makes the company profits smaller.";
        QTest::newRow("a gerund and the subject of the next verb")
            << "The delay in making the decision has caused problems.";
        QTest::newRow("make, a noun and an -ed adjective") << "The news made the boy worried.";
        QTest::newRow("not only after a modal do") << "We should do not only this but also that.";
        QTest::newRow("want and a noun") << "We want help from the teacher.";
        QTest::newRow("want and an object") << "I want you to stay.";
        QTest::newRow("perfect question") << "What have you done to the garden?";
        QTest::newRow("inverted perfect") << "Only recently have we begun to understand it.";
        QTest::newRow("participle in a passive") << "The area is known for its tea.";
        QTest::newRow("gerund complement") << "The key is knowing when to stop.";
        QTest::newRow("found a company") << "I want to found a company.";
        QTest::newRow("there is with a lot of") << "There is still a lot of work.";
        QTest::newRow("be before a noun in -s") << "The aim is means to an end.";
        QTest::newRow("will be going") << "I will be going there soon.";
        QTest::newRow("spend money to buy") << "They spend money to buy food.";
        QTest::newRow("imperative with an object clause") << "Remember the days are short.";
        QTest::newRow("imperative before a comma") << "Take the bus, it is faster.";
        QTest::newRow("worth it") << "It is worth it to try.";
        QTest::newRow("going to as a direction before -ing") << "The money is going to cutting our costs.";
        QTest::newRow("going to a place") << "I am going to school.";
        QTest::newRow("since as because") << "I stay home since I am sick.";
        QTest::newRow("it is years since") << "It is two years since 2020.";
        QTest::newRow("the last time") << "This is the last time I go there.";
        QTest::newRow("passive of a verb with an object") << "The results are shown below.";
        QTest::newRow("gone as an adjective") << "By then he was gone.";
        QTest::newRow("made, an object and an adjective") << "The long walk made me tired.";
        QTest::newRow("perfect passive of a verb with two objects") << "He has been taught English for years.";
        QTest::newRow("passive with a participle") << "I was told by my teacher.";
        QTest::newRow("statement order after know") << "I know what this word means.";
        QTest::newRow("pronoun, be and a noun before of") << "He is head of the department.";
        QTest::newRow("pronoun, be and home") << "I am home in the evening.";
        QTest::newRow("be used to -ing") << "We are used to going there.";
        QTest::newRow("get used to -ing") << "I got used to living here.";
        QTest::newRow("would like and an object") << "I would like you to come.";
        QTest::newRow("used and a noun") << "We used water from the well.";
        QTest::newRow("graduated by an agent") << "The students were graduated by the college in June.";
        QTest::newRow("learn and a skill in -ing") << "Children learn swimming at school.";
        QTest::newRow("-ing before a noun") << "We planned shopping trips for May.";
        QTest::newRow("be not and a noun") << "They are not home yet.";
        QTest::newRow("be not like as a preposition") << "I am not like other people.";
        QTest::newRow("object, very and an adjective") << "I find the film very good.";
        QTest::newRow("subject, verb and very before an adverb") << "The workers in our town work very hard.";
        QTest::newRow("after and a noun") << "We met after work the next day.";
        QTest::newRow("be and a past form that is an adjective") << "I was broke last year.";
        QTest::newRow("there will be and a noun") << "There will be work soon.";
        QTest::newRow("be and a place adverb") << "I will be home soon.";
        QTest::newRow("prefer and -ing") << "I still prefer studying alone.";
        QTest::newRow("reduced relative clause with by") << "The soldiers killed by the enemy were buried.";
        QTest::newRow("by for a place or a measure") << "We waited by the car, met by the lake and paid by the hour.";
        QTest::newRow("an -ing subject with a plural object") << "Taking risks teaches you a lot.";
        QTest::newRow("that will and a base form") << "That will help us a lot.";
        QTest::newRow("imperative after an opener") << "Finally, take the bus that goes downtown.";
        QTest::newRow("no before a noun") << "I have no time to play.";
        QTest::newRow("no before a noun that is also a verb") << "They had no choice and no help.";
        QTest::newRow("active verb with by") << "We stopped by the shop on the way.";
        QTest::newRow("relative pronoun and be") << "The man who is talking is my father.";
        QTest::newRow("direct question") << "Where is the station?";
        QTest::newRow("what as the subject") << "I know what is important.";
        QTest::newRow("statement order") << "Do you know where the best place in town is?";
        QTest::newRow("be and an adjective that is also a verb") << "The shop will be open tomorrow.";
        QTest::newRow("be and a noun complement") << "You will be home soon.";
        QTest::newRow("in the past few years") << "In the past few years, prices have risen.";
        QTest::newRow("comparison with the past") << "We have more good books than in the past.";
        QTest::newRow("at that time with a reporting verb") << "At that time I think it was fine.";
        QTest::newRow("past of find after yesterday") << "Yesterday I found my keys.";
        QTest::newRow("since as because with a state") << "Since I was tired, I stay home.";
        QTest::newRow("can in a clause after a past verb") << "Last week I learned that I can swim.";
        QTest::newRow("two clauses with I joined by and") << "Yesterday I came and I go now.";
        QTest::newRow("a future year") << "In 2030, people will drive electric cars.";
        QTest::newRow("a year in a story told in the present") << "In 2007, Bartley accepts a plea bargain.";
        QTest::newRow("relative clause with a past verb") << "It is the show which she organized and curated.";
        QTest::newRow("inverted modal after as") << "Hay helps, as will adding a little water.";
        QTest::newRow("that and an -ing subject") << "I had the impression that asking for it would fail.";
        QTest::newRow("preposition at the end of a relative clause") << "Everyone I had talked to knew it.";
        QTest::newRow("imperative and a clause with a verb of saying") << "Remember what I said would happen.";
        QTest::newRow("imperative and a question-word clause") << "Imagine what the world would be like.";
        QTest::newRow("imperative, a clause and and") << "Remember how it works and you will pass.";
        QTest::newRow("question opening with do and a possessive") << "Do your employees know what is required?";
        QTest::newRow("noun compound as the subject") << "Work experience helps a lot.";
        QTest::newRow("that as a relative pronoun") << "I know people that take the bus every day.";
        QTest::newRow("all systems are go") << "All systems are go.";
        QTest::newRow("have been and a participle equal to the base") << "I have been put in charge.";
        QTest::newRow("it has been and a mass noun") << "It has been work for all of us.";
        QTest::newRow("what one does is and a bare verb") << "What I would like to do in this case is get the file.";
        QTest::newRow("if and a person who won't") << "If you won't help me, I will do it alone.";
        QTest::newRow("there is and a noun of change") << "There is increase.";
        QTest::newRow("be and a noun of change before in") << "The key is growth in sales.";
        QTest::newRow("modal, be and lost") << "I could be lost without you.";
        QTest::newRow("be and a noun compound") << "They are work friends from my office.";
        QTest::newRow("be and a noun-verb before a plural noun") << "We are support staff here.";
        QTest::newRow("a past that is also a noun after an article") << "It was a drove of cattle.";
        QTest::newRow("a past that is also a colour") << "Her dress was rose pink.";
        QTest::newRow("modal, be and a noun the tagger reads as one") << "The reason might be stress and fatigue.";
        QTest::newRow("modal, be and a noun before of") << "It will be re-use of old parts.";
        QTest::newRow("there, a modal, be and a noun") << "There will be work and fun for all.";
    }
    void verbFormLookAlikes() { lookAlike(); }
};

QTEST_GUILESS_MAIN(TestCheckerVerbs)
#include "tst_checker_verbs.moc"
