// EnglishChecker: learner errors it must find, correct text it must leave alone,
// offsets in non-ASCII sentences, configuration and confidence, whole requests,
// summaries, polish, synonyms, explanations, garbage input and concurrent use.

#include "pennovapaths.h"
#include "englishchecker.h"
#include "support/checkerrecords.h"

#include <QtTest>

#include "pennovapaths.h"

#include <fstream>
#include <memory>
#include <thread>

using PennovaChecker::EnglishChecker;
using namespace CheckerRecords;

namespace {

std::vector<std::string> titleConfig(int confidence = 2)
{
    return {"server.mor", "1", "server.spell", "2", "server.style", "4", "server.dependency", "0",
            "server.grammar", "0", "server.rule", "0", "server.real", "3", "server.det", "0",
            "server.confidence", std::to_string(confidence)};
}

// JFLEG references are tokenised ("it 's", "day ."): join them back into plain text.
QString detokenise(QString s)
{
    static const QRegularExpression beforePunctuation(QStringLiteral(" ([.,?!;:)%]|n't|'s|'re|'ve|'m|'ll|'d)(?=\\s|$)"));
    static const QRegularExpression afterOpening(QStringLiteral("([($]) "));
    s.replace(beforePunctuation, QStringLiteral("\\1"));
    s.replace(afterOpening, QStringLiteral("\\1"));
    return s.trimmed();
}

} // namespace

class TestChecker : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

    Json::Value check(const QString &sentence, int confidence = 2, const std::vector<std::string> &previous = {})
    {
        return m_checker->checkSentence(0, sentence.toStdString(), 0, sentenceConfig(confidence), {}, previous);
    }

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void learnerErrors_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("errorType");
        QTest::addColumn<QString>("span");
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("candidateType");

        QTest::newRow("third person after he") << "He go to school every day." << "GRAMMAR" << "go" << "goes" << "REPLACE";
        QTest::newRow("third person after she with adverb") << "She always like music." << "GRAMMAR" << "like" << "likes" << "REPLACE";
        QTest::newRow("they with singular be") << "They is my friends." << "GRAMMAR" << "is" << "are" << "REPLACE";
        QTest::newRow("we with was") << "We was late yesterday." << "GRAMMAR" << "was" << "were" << "REPLACE";
        QTest::newRow("I with is") << "I is a student." << "GRAMMAR" << "is" << "am" << "REPLACE";
        QTest::newRow("he with have") << "He have two brothers." << "GRAMMAR" << "have" << "has" << "REPLACE";
        QTest::newRow("it with have in a second clause") << "It is an old palace and it have a long history." << "GRAMMAR" << "have" << "has" << "REPLACE";
        QTest::newRow("doubled consonant before -ing") << "I am writting to you." << "NONWORD" << "writting" << "writing" << "REPLACE";
        QTest::newRow("its before very and an adjective") << "I think its very interesting." << "REAL" << "its" << "it's" << "REPLACE";
        QTest::newRow("then after more and an adjective") << "Health is more important then anything else." << "REAL" << "then" << "than" << "REPLACE";
        QTest::newRow("more before a comparative after an article") << "We will have a more healthier life." << "MOPHOLOGY" << " more " << "" << "DELETION";
        QTest::newRow("more before a comparative and its infinitive") << "It is more easier to learn." << "MOPHOLOGY" << " more " << "" << "DELETION";
        QTest::newRow("more before a comparative and a joined one") << "It got more cheaper and better." << "MOPHOLOGY" << " more " << "" << "DELETION";
        QTest::newRow("plural noun with is") << "My teachers is very kind." << "GRAMMAR" << "is" << "are" << "REPLACE";
        QTest::newRow("plural noun after an adjective with is") << "Online courses is usually cheaper." << "GRAMMAR" << "is" << "are" << "REPLACE";
        QTest::newRow("people with a third person verb") << "Many young people likes to eat fast food." << "GRAMMAR" << "likes" << "like" << "REPLACE";
        QTest::newRow("irregular plural with has") << "Our lives has changed a lot." << "GRAMMAR" << "has" << "have" << "REPLACE";
        QTest::newRow("plural subject in a clause after and") << "Students work hard and parents pays the fees." << "GRAMMAR" << "pays" << "pay" << "REPLACE";
        QTest::newRow("plural subject after and and an object pronoun") << "They are friendly to me and my teachers is kind." << "GRAMMAR" << "is" << "are" << "REPLACE";
        QTest::newRow("be before lack of") << "Some students are lack of self-control." << "GRAMMAR" << "are lack of" << "lack" << "REPLACE";
        QTest::newRow("it's before a plural after a verb") << "We should avoid it's disadvantages." << "REAL" << "it's" << "its" << "REPLACE";
        QTest::newRow("it's before a singular after a regular past") << "The dog wagged it's tail." << "REAL" << "it's" << "its" << "REPLACE";
        QTest::newRow("it's before an adjective and a noun") << "The club lost it's best players." << "REAL" << "it's" << "its" << "REPLACE";
        QTest::newRow("there is with a quantifier") << "There is many clubs in our school." << "GRAMMAR" << "is" << "are" << "REPLACE";
        QTest::newRow("there was with a number") << "There was two cats under the car." << "GRAMMAR" << "was" << "were" << "REPLACE";
        QTest::newRow("everyday opening a sentence") << "Everyday I get up at six." << "REAL" << "Everyday" << "Every day" << "REPLACE";
        QTest::newRow("she with don't") << "She don't like apples." << "GRAMMAR" << "don't" << "doesn't" << "REPLACE";
        QTest::newRow("they with third person verb") << "They goes to the park on Sundays." << "GRAMMAR" << "goes" << "go" << "REPLACE";
        QTest::newRow("modal with third person") << "She can speaks English very well." << "GRAMMAR" << "speaks" << "speak" << "REPLACE";
        QTest::newRow("modal with past") << "We will went there tomorrow." << "GRAMMAR" << "went" << "go" << "REPLACE";
        QTest::newRow("modal followed by to") << "You must to finish it today." << "GRAMMAR" << " to " << "" << "DELETION";
        QTest::newRow("did with past") << "He didn't went to the party." << "GRAMMAR" << "went" << "go" << "REPLACE";
        QTest::newRow("question with does and third person") << "Does he likes apples?" << "GRAMMAR" << "likes" << "like" << "REPLACE";
        QTest::newRow("to with past") << "I want to went home." << "GRAMMAR" << "went" << "go" << "REPLACE";
        QTest::newRow("a before vowel sound") << "She ate a apple." << "GRAMMAR" << "a" << "an" << "REPLACE";
        QTest::newRow("an before consonant sound") << "He is an university student." << "GRAMMAR" << "an" << "a" << "REPLACE";
        QTest::newRow("capital A before vowel") << "A elephant is big." << "GRAMMAR" << "A" << "An" << "REPLACE";
        QTest::newRow("a before a misspelt word with a vowel") << "Soda became a adiction for him." << "GRAMMAR" << "a" << "an" << "REPLACE";
        QTest::newRow("an before a misspelt word with a consonant") << "It was an bautiful day." << "GRAMMAR" << "an" << "a" << "REPLACE";
        QTest::newRow("repeated word") << "I like the the book." << "GRAMMAR" << " the " << "" << "DELETION";
        QTest::newRow("repeated word before full stop") << "I like it it." << "GRAMMAR" << " it " << "" << "DELETION";
        QTest::newRow("lower-case i") << "Yesterday i went shopping." << "GRAMMAR" << "i" << "I" << "REPLACE";
        QTest::newRow("lower-case i contraction") << "I think i'm right." << "GRAMMAR" << "i'm" << "I'm" << "REPLACE";
        QTest::newRow("although with but") << "Although it rained, but we went out." << "GRAMMAR" << " but " << "" << "DELETION";
        QTest::newRow("because with so") << "Because he was ill, so he stayed home." << "GRAMMAR" << " so " << "" << "DELETION";
        QTest::newRow("discuss about") << "We discussed about the plan." << "GRAMMAR" << " about " << "" << "DELETION";
        QTest::newRow("look forward to base verb") << "I look forward to hear from you." << "GRAMMAR" << "hear" << "hearing" << "REPLACE";
        QTest::newRow("enjoy to") << "I enjoy to swim in the river." << "GRAMMAR" << "to swim" << "swimming" << "REPLACE";
        QTest::newRow("more with comparative") << "This is more better than that." << "MOPHOLOGY" << " more " << "" << "DELETION";
        QTest::newRow("most with superlative") << "It is the most biggest city." << "MOPHOLOGY" << " most " << "" << "DELETION";
        QTest::newRow("plural of information") << "He gave me many informations." << "MOPHOLOGY" << "informations" << "information" << "REPLACE";
        QTest::newRow("plural of advice") << "Thank you for your advices." << "MOPHOLOGY" << "advices" << "advice" << "REPLACE";
        QTest::newRow("plural of equipment") << "The lab has new equipments." << "MOPHOLOGY" << "equipments" << "equipment" << "REPLACE";
        QTest::newRow("singular after several") << "There are several reason." << "MOPHOLOGY" << "reason" << "reasons" << "REPLACE";
        QTest::newRow("singular after a number") << "I bought two book yesterday." << "MOPHOLOGY" << "book" << "books" << "REPLACE";
        QTest::newRow("less with a plural") << "They have less cavities than us." << "GRAMMAR" << "less" << "fewer" << "REPLACE";
        QTest::newRow("relative clause agreement") << "We need a person who are patient." << "GRAMMAR" << "are" << "is" << "REPLACE";
        QTest::newRow("one of with a singular") << "He is one of the best student here." << "MOPHOLOGY" << "student" << "students" << "REPLACE";
        QTest::newRow("more with a short adjective") << "English is more easy than maths." << "MOPHOLOGY" << "more easy" << "easier" << "REPLACE";
        QTest::newRow("very before a verb") << "I very like this city." << "GRAMMAR" << "very" << "really" << "REPLACE";
        QTest::newRow("there have") << "There have many people in the park." << "GRAMMAR" << "have" << "are" << "REPLACE";
        QTest::newRow("be with agree") << "I am agree with you." << "GRAMMAR" << "am agree" << "agree" << "REPLACE";
        QTest::newRow("be not with agree") << "She is not agree with him." << "GRAMMAR" << "is not agree" << "does not agree" << "REPLACE";
        QTest::newRow("contracted be with agree") << "I'm agree with you." << "GRAMMAR" << "I'm agree" << "I agree" << "REPLACE";
        QTest::newRow("be with depend") << "It is depend on the weather." << "GRAMMAR" << "is depend" << "depends" << "REPLACE";
        QTest::newRow("make somebody to do") << "She made me to clean the room." << "GRAMMAR" << " to " << "" << "DELETION";
        QTest::newRow("perfect with past form") << "He has went to Beijing." << "GRAMMAR" << "went" << "gone" << "REPLACE";
        QTest::newRow("irregular plural child") << "There are three childs here." << "MOPHOLOGY" << "childs" << "children" << "REPLACE";
        QTest::newRow("irregular past") << "We goed to the park yesterday." << "MOPHOLOGY" << "goed" << "went" << "REPLACE";
        QTest::newRow("irregular participle after have") << "I have buyed a new car." << "MOPHOLOGY" << "buyed" << "bought" << "REPLACE";
        QTest::newRow("its for it is") << "Its a nice day." << "REAL" << "Its" << "It's" << "REPLACE";
        QTest::newRow("it's own") << "The company has it's own rules." << "REAL" << "it's" << "its" << "REPLACE";
        QTest::newRow("their for there") << "Their are many people here." << "REAL" << "Their" << "There" << "REPLACE";
        QTest::newRow("then for than") << "She is taller then her brother." << "REAL" << "then" << "than" << "REPLACE";
        QTest::newRow("than for then") << "We had dinner and than went home." << "REAL" << "than" << "then" << "REPLACE";
        QTest::newRow("affect as noun") << "Smoking has a bad affect on health." << "REAL" << "affect" << "effect" << "REPLACE";
        QTest::newRow("loose as verb") << "I don't want to loose my job." << "REAL" << "loose" << "lose" << "REPLACE";
        QTest::newRow("except as verb") << "I can't except this gift." << "REAL" << "except" << "accept" << "REPLACE";
        QTest::newRow("your for you are") << "I think your going to win." << "REAL" << "your" << "you're" << "REPLACE";
        QTest::newRow("could of") << "I could of done better." << "REAL" << "of" << "have" << "REPLACE";
        QTest::newRow("advise as noun") << "Thank you for your good advise." << "REAL" << "advise" << "advice" << "REPLACE";
        QTest::newRow("to for too") << "It is to late." << "REAL" << "to" << "too" << "REPLACE";
        QTest::newRow("quiet for quite") << "Travelling with a guide is quiet beneficial." << "REAL" << "quiet" << "quite" << "REPLACE";
        QTest::newRow("everyday as adverb") << "I read English everyday." << "REAL" << "everyday" << "every day" << "REPLACE";
        QTest::newRow("thing for think after a subject") << "I thing that it is true." << "REAL" << "thing" << "think" << "REPLACE";
        QTest::newRow("thing for think after do not") << "I do not thing so." << "REAL" << "thing" << "think" << "REPLACE";
        QTest::newRow("image for imagine after can't") << "We can't image life without phones." << "REAL" << "image" << "imagine" << "REPLACE";
        QTest::newRow("tough for taught before an object") << "Our parents tough us how to speak." << "REAL" << "tough" << "taught" << "REPLACE";
        QTest::newRow("everyday as adverb before a clause word") << "I go to work everyday and come back late." << "REAL" << "everyday" << "every day" << "REPLACE";
        QTest::newRow("misspelling with transposition") << "I recieve many letters." << "NONWORD" << "recieve" << "receive" << "REPLACE";
        QTest::newRow("misspelling of because") << "I stayed home becuase it rained." << "NONWORD" << "becuase" << "because" << "REPLACE";
        QTest::newRow("misspelling of important") << "It is importent to study." << "NONWORD" << "importent" << "important" << "REPLACE";
        QTest::newRow("misspelling of beautiful") << "The garden is beautful." << "NONWORD" << "beautful" << "beautiful" << "REPLACE";
        QTest::newRow("misspelling of friend") << "My freind lives in Shanghai." << "NONWORD" << "freind" << "friend" << "REPLACE";
        QTest::newRow("run-on a lot") << "I have alot of homework." << "NONWORD" << "alot" << "a lot" << "REPLACE";
        QTest::newRow("capitalised first-word misspelling") << "Becuase it rained, we stayed." << "NONWORD" << "Becuase" << "Because" << "REPLACE";
        QTest::newRow("wordy phrase") << "It failed due to the fact that it rained." << "STYLE" << "due to the fact that" << "because" << "REPLACE";
        QTest::newRow("very unique") << "Her style is very unique." << "STYLE" << "very unique" << "unique" << "REPLACE";
    }

    void learnerErrors()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, errorType);
        QFETCH(QString, span);
        QFETCH(QString, candidate);
        QFETCH(QString, candidateType);
        const Json::Value record = check(sentence);
        QCOMPARE(record["sentInd"].asInt(), 0);
        bool found = false;
        for (const Json::Value &c : record["corrections"]) {
            if (QString::fromStdString(c["errorType"].asString()) != errorType || covered(sentence, c) != span)
                continue;
            found = true;
            QVERIFY(c["candidates"].size() >= 1);
            QCOMPARE(QString::fromStdString(c["candidates"][0u]["correction"].asString()), candidate);
            QCOMPARE(QString::fromStdString(c["candidates"][0u]["candidateType"].asString()), candidateType);
            QVERIFY(!c["explainType"].asString().empty());
            // every kind of finding has its own explanation page
            const QString page = QString::fromStdString(
                m_checker->explanationHtml("/?et=" + c["explainType"].asString() + "&fk=x"));
            QVERIFY2(!page.contains(QStringLiteral("暂无")), c["explainType"].asCString());
            QVERIFY(c["featureKeys"].isArray() && c["featureKeys"].size() >= 1);
        }
        QVERIFY2(found, qPrintable(QStringLiteral("got: ") + describe(sentence, record)));
    }

    // Sentences close to the patterns above that are right as they stand.
    void correctSentences_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("subjunctive after suggest") << "I suggest that he go home early.";
        QTest::newRow("question with auxiliary") << "Did he go to the meeting?";
        QTest::newRow("compound subject") << "He and I are good friends.";
        QTest::newRow("compound subject with it") << "The dog and he are good friends.";
        QTest::newRow("its very with a noun") << "The company lost its very best workers.";
        QTest::newRow("more then as a time word") << "We bought more bread, then went home.";
        QTest::newRow("then after a noun") << "He earned more money then than ever.";
        QTest::newRow("the more with a comparative") << "The more older people vote, the better.";
        QTest::newRow("one of my friends is") << "One of my friends is a doctor.";
        QTest::newRow("inverted subject after a preposition") << "Among the students is a girl from Tibet.";
        QTest::newRow("subject name ending in ics") << "Physics is my favourite subject.";
        QTest::newRow("amount of time as one thing") << "Two hours is not enough for the exam.";
        QTest::newRow("plural noun inside a subject clause") << "What the students need is more time.";
        QTest::newRow("plural noun as an object") << "The school gives students books every term.";
        QTest::newRow("of-phrase before the verb") << "The rights of women are important.";
        QTest::newRow("there is a lot of") << "There is a lot of water in the lake.";
        QTest::newRow("irregular plural subject") << "My teeth are sensitive to cold drinks.";
        QTest::newRow("subjunctive were after if") << "It would be easier if the price of books were lower.";
        QTest::newRow("verb after that with a plural object") << "We need a plan that saves lives and achieves results.";
        QTest::newRow("adjectives joined by and before a plural") << "A good idea for creative and artistic people is beaded curtains.";
        QTest::newRow("plural nouns joined by and") << "Combining facilities and resources makes it cheap.";
        QTest::newRow("capitalised numeral before a plural") << "The quotas for Schedules I and II controlled substances is set by law.";
        QTest::newRow("lack of as a noun after be") << "The problem is lack of money.";
        QTest::newRow("it's after a clause verb") << "I think it's problems like these that matter.";
        QTest::newRow("it's opening a cleft") << "Remember it's teachers who decide.";
        QTest::newRow("it's naming the time") << "When you finish it's time to go home.";
        QTest::newRow("it's before an adjective") << "Once you start it's hard to stop.";
        QTest::newRow("everyday as an adjective") << "Everyday life is busy.";
        QTest::newRow("thing after not as a noun") << "There is not one thing that I can do.";
        QTest::newRow("image as a verb after do not") << "They do not image the cells twice.";
        QTest::newRow("image of after can't") << "I can't image of it and so I draw.";
        QTest::newRow("tough it out") << "The test was tough, but we will tough it out.";
        QTest::newRow("everyday as an adjective after a determiner") << "Our everyday and special clothes differ.";
        QTest::newRow("a real doubled-letter compound") << "The bookkeeper counted the money.";
        QTest::newRow("if I were") << "If I were you, I would stay.";
        QTest::newRow("object pronoun it") << "We made it work in the end.";
        QTest::newRow("past form equal to base") << "He put the book on the table.";
        QTest::newRow("had had") << "She had had enough of the noise.";
        QTest::newRow("that that") << "He said that that was true.";
        QTest::newRow("more older people") << "More older people live alone now.";
        QTest::newRow("more before a comparative and its plural noun") << "We need more larger cities.";
        QTest::newRow("at most") << "It costs at most ten dollars.";
        QTest::newRow("a university") << "She studies at a university in Beijing.";
        QTest::newRow("an hour") << "We waited for an hour.";
        QTest::newRow("an honest man") << "He is an honest man.";
        QTest::newRow("a before unanimous") << "There was a unanimous vote to enter a candidate.";
        QTest::newRow("a before utensil") << "A fork is a utensil for eating.";
        QTest::newRow("a one-way ticket") << "I bought a one-way ticket.";
        QTest::newRow("a European country") << "France is a European country.";
        QTest::newRow("letter A") << "He got grade A in English.";
        QTest::newRow("its own") << "The city has its own charm.";
        QTest::newRow("it's a") << "It's a long way to Tibet.";
        QTest::newRow("their house") << "Their house is near the river.";
        QTest::newRow("there is") << "There is a park near my home.";
        QTest::newRow("better than") << "This plan is better than the old one.";
        QTest::newRow("younger then at that time") << "I was much younger then.";
        QTest::newRow("the effect") << "The effect of the drug was strong.";
        QTest::newRow("affect as verb") << "Noise can affect your sleep.";
        QTest::newRow("loose clothes") << "She wore loose clothes.";
        QTest::newRow("everyone except") << "Everyone except Tom came to the party.";
        QTest::newRow("the will of the people") << "The will of the people was clear.";
        QTest::newRow("used cars") << "Do used cars sell well here?";
        QTest::newRow("look forward to a noun") << "I look forward to the holiday.";
        QTest::newRow("look forward to -ing") << "I look forward to hearing from you.";
        QTest::newRow("went to") << "We went to Shanghai last year.";
        QTest::newRow("Chinese names") << "Zhang Wei lives in Beijing with Xiaoming.";
        QTest::newRow("names mid-sentence") << "Yesterday Mr Smith met Kowalczyk at the station.";
        QTest::newRow("acronym") << "The WHO and NASA published reports.";
        QTest::newRow("web address") << "Visit www.example-site.com for details.";
        QTest::newRow("e-mail address") << "Write to liming.wang@example.com today.";
        QTest::newRow("numbers and units") << "The room is 25m2 and costs 300rmb.";
        QTest::newRow("Wagga Wagga") << "He studied in Wagga Wagga for a year.";
        QTest::newRow("short name first") << "Wes remained in the car.";
        QTest::newRow("question") << "Why do people like this film?";
        QTest::newRow("noun modifying a noun") << "Several car companies failed last year.";
        QTest::newRow("coordinated modifiers") << "It works with various state and local agencies.";
        QTest::newRow("unit after a number") << "Three to five percent of people agree.";
        QTest::newRow("much less") << "He earns much less money than she does.";
        QTest::newRow("people who are") << "I like people who are honest.";
        QTest::newRow("one of with a plural") << "One of the students is ill.";
        QTest::newRow("more with a long adjective") << "It is more expensive than that one.";
        QTest::newRow("there have been") << "There have been many changes.";
        QTest::newRow("has read") << "He has read the whole book.";
        QTest::newRow("help somebody to do") << "She helped me to clean the room.";
        QTest::newRow("very much") << "I like it very much.";
        QTest::newRow("word mentioned in quotes") << "The word \"everyday\" is an adjective.";
        QTest::newRow("misspelling mentioned in quotes") << "Never write \u201Crecieve\u201D in a letter.";
        QTest::newRow("quiet as an adjective") << "We live in a quiet little town.";
        QTest::newRow("have got") << "We've got two different ideas.";
        QTest::newRow("number one of") << "Phase one of the project is done.";
        QTest::newRow("many as a pronoun") << "Many are now unable to pay.";
        QTest::newRow("imperative") << "Please close the door behind you.";
        QTest::newRow("long correct sentence") << "Although the weather was cold, the children played outside until their parents called them home for dinner.";
        QTest::newRow("British spelling") << "The organisation has a new colour scheme.";
        QTest::newRow("derived technical word") << "The team works on cybersecurity and microservices.";
    }

    void correctSentences()
    {
        QFETCH(QString, sentence);
        const Json::Value record = check(sentence, 3);
        QVERIFY2(record["corrections"].empty(), qPrintable(describe(sentence, record)));
    }

    // Real corrected learner sentences (all four JFLEG references agree) must stay clean.
    void unanimousReferences_data()
    {
        QTest::addColumn<QString>("sentence");
        const std::string dir = PENNOVA_SHARED_DIR "/bench-data/grammar/jfleg/test/test.ref";
        std::ifstream refs[4] = {std::ifstream(dir + "0"), std::ifstream(dir + "1"), std::ifstream(dir + "2"),
                                 std::ifstream(dir + "3")};
        if (!refs[0])
            QSKIP("JFLEG references are not available");
        std::string line[4];
        int row = 0;
        while (std::getline(refs[0], line[0]) && std::getline(refs[1], line[1]) && std::getline(refs[2], line[2])
               && std::getline(refs[3], line[3])) {
            ++row;
            const QString s = detokenise(QString::fromStdString(line[0]));
            bool same = s.size() > 10;
            for (int k = 1; k < 4 && same; ++k)
                same = detokenise(QString::fromStdString(line[k])) == s;
            if (same)
                QTest::addRow("unanimous reference line %d", row) << s;
        }
    }

    void unanimousReferences()
    {
        QFETCH(QString, sentence);
        const Json::Value record = check(sentence, 2);
        QVERIFY2(record["corrections"].empty(), qPrintable(describe(sentence, record)));
    }

    // Offsets count UTF-16 code units, whatever precedes the finding.
    void offsetsAfterNonAscii_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("word");
        QTest::newRow("Chinese before the error") << QStringLiteral("我认为 he go to school every day.") << "go";
        QTest::newRow("Chinese punctuation") << QStringLiteral("老师说：“He go home.”") << "go";
        QTest::newRow("emoji outside the BMP") << QStringLiteral("😀😀 I recieve letters.") << "recieve";
        QTest::newRow("accented word") << QStringLiteral("The café was importent to us.") << "importent";
        QTest::newRow("typographic apostrophe") << QStringLiteral("It’s true that she don’t know.") << QStringLiteral("don’t");
        QTest::newRow("full-width space") << QStringLiteral("中文\u3000They is here.") << "is";
    }

    void offsetsAfterNonAscii()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, word);
        const Json::Value record = check(sentence);
        QVERIFY2(record["corrections"].size() >= 1, qPrintable(describe(sentence, record)));
        const Json::Value &c = record["corrections"][0u];
        QCOMPARE(c["start"].asInt(), int(sentence.indexOf(word)));
        QCOMPARE(covered(sentence, c), word);
    }

    void garbageInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only spaces") << QByteArray("    ");
        QTest::newRow("only punctuation") << QByteArray("?!.,;:()[]{}\"'");
        QTest::newRow("invalid UTF-8") << QByteArray("He go \xff\xfe\xc3 to sch\x80ool.");
        QTest::newRow("truncated UTF-8 sequence") << QByteArray("I recieve \xe4\xb8");
        QTest::newRow("embedded NUL") << QByteArray("He go\0 home.", 12);
        QTest::newRow("one 5000-letter word") << QByteArray(5000, 'q');
        QTest::newRow("100 KB of errors") << QByteArray("he go to scool an apple the the ").repeated(3200);
        QTest::newRow("100 KB without spaces") << QByteArray("abc,").repeated(25600);
        QTest::newRow("100 KB hyphen chain") << QByteArray("wrd-").repeated(25600);
        QTest::newRow("100 KB of Chinese") << QByteArray("中文字符").repeated(8600);
    }

    void garbageInput()
    {
        QFETCH(QByteArray, bytes);
        const std::string text(bytes.constData(), size_t(bytes.size()));
        const Json::Value record = m_checker->checkSentence(3, text, 0, sentenceConfig(3), {});
        QCOMPARE(record["sentInd"].asInt(), 3);
        QVERIFY(record["corrections"].isArray());
        QVERIFY(record["corrections"].size() <= 100);
        const int length = QString::fromUtf8(bytes).size();
        for (const Json::Value &c : record["corrections"]) {
            QVERIFY(c["start"].asInt() >= 0);
            QVERIFY(c["end"].asInt() >= c["start"].asInt());
            QVERIFY(c["end"].asInt() <= length);
        }
        // every text in the record must be valid UTF-8 for the JSON writer
        Json::StreamWriterBuilder writer;
        writer["emitUTF8"] = true;
        const QByteArray json = QByteArray::fromStdString(Json::writeString(writer, record));
        QVERIFY(QString::fromUtf8(json).toUtf8() == json);
    }

    void configuration_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("switchedOff"); // key set to "0", or empty
        QTest::addColumn<QStringList>("expectedTypes");
        QTest::newRow("sentence finds grammar and spelling")
            << "He go to scool." << 0 << "" << QStringList{"GRAMMAR", "NONWORD"};
        QTest::newRow("title has no grammar check") << "He go to scool" << 1 << "" << QStringList{"NONWORD"};
        QTest::newRow("spelling switched off") << "He go to scool." << 0 << "server.spell" << QStringList{"GRAMMAR"};
        QTest::newRow("real-word check switched off") << "Its a nice day." << 0 << "server.real" << QStringList{};
        QTest::newRow("articles switched off") << "She ate a apple." << 0 << "server.det" << QStringList{};
        QTest::newRow("word forms switched off") << "I have many informations." << 0 << "server.mor" << QStringList{};
        QTest::newRow("style switched off") << "It is very unique." << 0 << "server.style" << QStringList{};
    }

    void configuration()
    {
        QFETCH(QString, sentence);
        QFETCH(int, kind);
        QFETCH(QString, switchedOff);
        QFETCH(QStringList, expectedTypes);
        std::vector<std::string> config = kind == 1 ? titleConfig() : sentenceConfig();
        for (size_t i = 0; i + 1 < config.size(); i += 2)
            if (config[i] == switchedOff.toStdString())
                config[i + 1] = "0";
        const Json::Value record = m_checker->checkSentence(0, sentence.toStdString(), kind, config, {});
        QStringList types;
        for (const Json::Value &c : record["corrections"])
            types << QString::fromStdString(c["errorType"].asString());
        types.sort();
        QCOMPARE(types, expectedTypes);
    }

    void confidenceLevels_data()
    {
        QTest::addColumn<int>("confidence");
        QTest::addColumn<int>("findings");
        // "in order to" is a low-certainty style finding, "then" after "better" a medium one
        QTest::newRow("low level shows only sure findings") << 1 << 0;
        QTest::newRow("medium level adds likely findings") << 2 << 1;
        QTest::newRow("high level shows all") << 3 << 2;
    }

    void confidenceLevels()
    {
        QFETCH(int, confidence);
        QFETCH(int, findings);
        const QString sentence = QStringLiteral("We worked hard in order to do better then they did.");
        const Json::Value record = check(sentence, confidence);
        QVERIFY2(int(record["corrections"].size()) == findings, qPrintable(describe(sentence, record)));
    }

    // A capitalised word inside a sentence is usually a name: beside another capitalised
    // word only the highest level judges a long near miss of a common word; alone among
    // lower-case words it is the common word with a stray capital.
    void capitalisedMisspellingNeedsHighLevel()
    {
        const QString sentence = QStringLiteral("Today is an Importent Day for us.");
        QCOMPARE(check(sentence, 2)["corrections"].size(), 0u);
        const Json::Value high = check(sentence, 3);
        QCOMPARE(high["corrections"].size(), 1u);
        QCOMPARE(covered(sentence, high["corrections"][0u]), QStringLiteral("Importent"));
        QCOMPARE(high["corrections"][0u]["candidates"][0u]["correction"].asString(), std::string("Important"));
        const QString alone = QStringLiteral("Today is an Importent day for us.");
        const Json::Value medium = check(alone, 2);
        QCOMPARE(medium["corrections"].size(), 1u);
        QCOMPARE(medium["corrections"][0u]["candidates"][0u]["correction"].asString(), std::string("important"));
    }

    void userWordsAreNotMisspelt()
    {
        const std::string sentence = "They recieve the parcel today.";
        const Json::Value plain = m_checker->checkSentence(0, sentence, 0, sentenceConfig(), {});
        QCOMPARE(plain["corrections"].size(), 1u);
        QCOMPARE(plain["corrections"][0u]["errorType"].asString(), std::string("NONWORD"));
        const Json::Value withWord = m_checker->checkSentence(0, sentence, 0, sentenceConfig(), {"recieve"});
        QCOMPARE(withWord["corrections"].size(), 0u);
    }

    void repeatedOpener()
    {
        const QString sentence = QStringLiteral("Then we went to the museum.");
        const Json::Value alone = check(sentence, 2, {"We had lunch."});
        QCOMPARE(alone["corrections"].size(), 0u);
        const Json::Value repeated = check(sentence, 2, {"Then we had lunch."});
        QCOMPARE(repeated["corrections"].size(), 1u);
        const Json::Value &c = repeated["corrections"][0u];
        QCOMPARE(c["errorType"].asString(), std::string("STYLE"));
        QCOMPARE(covered(sentence, c), QStringLiteral("Then"));
        QCOMPARE(c["candidates"][0u]["correction"].asString(), std::string("After that,"));
    }

    void fragmentSuggestion_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("expected");
        QTest::newRow("noun phrase alone") << "The beautiful old city of Beijing." << 0 << true;
        QTest::newRow("because clause alone") << "Because I was very tired." << 0 << true;
        QTest::newRow("complete sentence") << "Beijing is a beautiful old city." << 0 << false;
        QTest::newRow("this as subject") << "This makes the journey easy." << 0 << false;
        QTest::newRow("regular past tense as the verb") << "The dog wagged its tail happily." << 0 << false;
        QTest::newRow("participle alone after the noun") << "The letter written by my grandfather." << 0 << true;
        QTest::newRow("exclamation") << "What a beautiful day it was!" << 0 << false;
        QTest::newRow("title is never a fragment") << "The beautiful old city of Beijing" << 1 << false;
        QTest::newRow("short reply") << "Of course." << 0 << false;
    }

    void fragmentSuggestion()
    {
        QFETCH(QString, sentence);
        QFETCH(int, kind);
        QFETCH(bool, expected);
        const Json::Value record = m_checker->checkSentence(0, sentence.toStdString(), kind,
                                                            kind ? titleConfig(3) : sentenceConfig(3), {});
        int suggestions = 0;
        for (const Json::Value &c : record["corrections"])
            if (c["errorType"].asString() == "SUGGESTION") {
                ++suggestions;
                QCOMPARE(c["start"].asInt(), 0);
                QCOMPARE(c["end"].asInt(), int(sentence.size()));
            }
        QCOMPARE(suggestions, expected ? 1 : 0);
    }

    void wholeRequest()
    {
        Json::Value request;
        request["sents"].append("He go to school.");
        request["sents"].append("This one came from the cache.");
        request["sents"].append("A title without grammar");
        request["configs"].append(0);
        request["configs"].append(-1);
        request["configs"].append(1);
        Json::Value types(Json::arrayValue), sentence(Json::arrayValue), title(Json::arrayValue);
        for (const std::string &s : sentenceConfig())
            sentence.append(s);
        for (const std::string &s : titleConfig())
            title.append(s);
        types.append(sentence);
        types.append(title);
        request["configTypes"] = types;
        std::vector<Json::Value> records;
        QVERIFY(m_checker->checkRequest(request, {}, [&](const Json::Value &r) { records.push_back(r); }));
        QCOMPARE(records.size(), size_t(3));
        QCOMPARE(records[0]["sentInd"].asInt(), 0);
        QCOMPARE(records[0]["corrections"].size(), 1u);
        QCOMPARE(records[1]["sentInd"].asInt(), 2);
        QCOMPARE(records[2]["sentInd"].asInt(), -1);
        for (const char *key : {"lexicalScore", "syntaxScore"}) {
            QVERIFY(records[2][key].isDouble());
            QVERIFY(records[2][key].asDouble() >= 0.0 && records[2][key].asDouble() <= 1.0);
        }
    }

    void malformedRequests_data()
    {
        QTest::addColumn<QString>("json");
        QTest::newRow("not an object") << "[1,2,3]";
        QTest::newRow("sents missing") << "{\"configs\":[0]}";
        QTest::newRow("sents not an array") << "{\"sents\":\"text\"}";
        QTest::newRow("sentence not a string") << "{\"sents\":[1]}";
        QTest::newRow("configs not an array") << "{\"sents\":[\"a\"],\"configs\":5}";
    }

    void malformedRequests()
    {
        QFETCH(QString, json);
        Json::Value request;
        Json::Reader().parse(json.toStdString(), request);
        int emitted = 0;
        QVERIFY(!m_checker->checkRequest(request, {}, [&](const Json::Value &) { ++emitted; }));
        QCOMPARE(emitted, 0);
    }

    void requestWithBadConfigIndexUsesDefaults()
    {
        Json::Value request;
        request["sents"].append("He go home.");
        request["configs"].append(7);
        std::vector<Json::Value> records;
        QVERIFY(m_checker->checkRequest(request, {}, [&](const Json::Value &r) { records.push_back(r); }));
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(records[0]["corrections"].size(), 1u);
    }

    void scores()
    {
        const std::vector<std::string> simple = {"I like my dog.", "My dog is big.", "I play with my dog."};
        const std::vector<std::string> rich = {
            "Although the committee deliberated extensively, its recommendations remained controversial.",
            "Researchers who analysed the evidence concluded that the phenomenon was unprecedented.",
            "Consequently, policymakers must reconcile economic ambitions with environmental obligations."};
        const Json::Value simpleSummary = m_checker->summaryRecord(simple, {});
        const Json::Value richSummary = m_checker->summaryRecord(rich, {});
        QCOMPARE(simpleSummary["sentInd"].asInt(), -1);
        QVERIFY(richSummary["lexicalScore"].asDouble() > simpleSummary["lexicalScore"].asDouble() + 0.2);
        QVERIFY(richSummary["syntaxScore"].asDouble() > simpleSummary["syntaxScore"].asDouble());

        // errors lower the syntax score of the same text
        std::vector<Json::Value> records;
        for (size_t i = 0; i < rich.size(); ++i) {
            Json::Value r;
            r["sentInd"] = int(i);
            Json::Value c;
            c["errorType"] = "GRAMMAR";
            r["corrections"].append(c);
            r["corrections"].append(c);
            records.push_back(r);
        }
        QVERIFY(m_checker->summaryRecord(rich, records)["syntaxScore"].asDouble()
                < richSummary["syntaxScore"].asDouble());
        const Json::Value empty = m_checker->summaryRecord({}, {});
        QCOMPARE(empty["lexicalScore"].asDouble(), 0.0);
        QCOMPARE(empty["syntaxScore"].asDouble(), 0.0);
    }

    void polishLevels_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("level 1 offers the most") << 1 << 4 << 20;
        QTest::newRow("level 3 offers only the strongest") << 3 << 1 << 2;
    }

    void polishLevels()
    {
        QFETCH(int, level);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        const std::vector<std::string> sentences = {"It is a very important day for us.",
                                                    "We had a big problem with the good old car.",
                                                    "I think the weather is nice."};
        Json::Value out;
        QVERIFY(m_checker->polish(sentences, level, &out));
        QVERIFY(out.isArray());
        int total = 0;
        for (const Json::Value &record : out) {
            const int ind = record["sentInd"].asInt();
            QVERIFY(ind >= 0 && ind < 3);
            const QString sentence = QString::fromStdString(sentences[size_t(ind)]);
            for (const Json::Value &c : record["corrections"]) {
                ++total;
                QCOMPARE(c["errorType"].asString(), std::string("IMPROVE"));
                QVERIFY(!c["errorInfo"].asString().empty());
                QVERIFY(c["candidates"].size() >= 1);
                QVERIFY(!covered(sentence, c).isEmpty());
            }
        }
        QVERIFY2(total >= minimum && total <= maximum, qPrintable(QString::number(total)));
        // the strongest suggestion is there at every level
        QCOMPARE(out[0u]["sentInd"].asInt(), 0);
        const Json::Value &first = out[0u]["corrections"][0u];
        QCOMPARE(covered(QString::fromStdString(sentences[0]), first), QStringLiteral("a very important"));
        QCOMPARE(first["candidates"][0u]["correction"].asString(), std::string("a crucial"));
    }

    void polishFitsTheContext_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("span");
        QTest::addColumn<QString>("candidate");
        QTest::newRow("article follows the new word") << "It was a good idea to go there." << "a good" << "an excellent";
        QTest::newRow("countable plural") << "We met a lot of people in Shanghai." << "a lot of" << "numerous";
        QTest::newRow("uncountable noun") << "They spent a lot of money on it." << "a lot of" << "a great deal of";
        QTest::newRow("sentence-initial connective gets a comma") << "But we did not give up at all." << "But" << "However,";
    }

    void polishFitsTheContext()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, span);
        QFETCH(QString, candidate);
        Json::Value out;
        QVERIFY(m_checker->polish({sentence.toStdString()}, 1, &out));
        bool found = false;
        for (const Json::Value &c : out[0u]["corrections"]) {
            if (covered(sentence, c) != span)
                continue;
            found = true;
            QCOMPARE(QString::fromStdString(c["candidates"][0u]["correction"].asString()), candidate);
        }
        QVERIFY(found);
    }

    // A polish candidate must keep the sentence's grammar: with every candidate applied
    // in turn, the check finds nothing it did not find in the sentence as written.
    void polishKeepsGrammar_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("quantifier"); // a span that must (or must not) get a suggestion
        QTest::addColumn<bool>("offered");
        QTest::newRow("a lot of with a countable singular") << "There are a lot of scientist in this city." << "a lot of" << false;
        QTest::newRow("lots of with a countable singular") << "I visited lots of place in Beijing." << "lots of" << false;
        QTest::newRow("many with an uncountable noun") << "He gave me many information about it." << "many" << false;
        QTest::newRow("a lot of with a plural") << "A lot of students think that it is a good idea." << "A lot of" << true;
        QTest::newRow("a lot of with a mass noun") << "We spent a lot of money on the trip." << "a lot of" << true;
        QTest::newRow("many with a plural") << "Many people think that it is very important." << "Many" << true;
        QTest::newRow("lots of with adjectives and a plural") << "Lots of young people need help." << "Lots of" << true;
        QTest::newRow("articles before adjectives") << "It was a good chance and a big problem." << "a big problem" << true;
        QTest::newRow("sentence-initial connective") << "But I think it is a very good idea." << "But" << true;
        QTest::newRow("verb in the third person") << "The result shows that it is very difficult." << "shows" << false;
    }

    // Polishes sentence (level 1) and applies each candidate in turn: the polished
    // texts that get a finding the sentence did not have, and the spans offered.
    QStringList polishBreaksGrammar(const QString &sentence, QStringList *spans = nullptr)
    {
        const auto findings = [&](const QString &text) {
            QStringList list;
            const Json::Value record = check(text, 2);
            for (const Json::Value &c : record["corrections"])
                list << QString::fromStdString(c["explainType"].asString());
            list.sort();
            return list;
        };
        const QStringList before = findings(sentence);
        QStringList broken;
        Json::Value out;
        if (!m_checker->polish({sentence.toStdString(), "This second sentence makes the text long enough."}, 1, &out))
            return {QStringLiteral("not polishable")};
        for (const Json::Value &record : out) {
            if (record["sentInd"].asInt() != 0)
                continue;
            for (const Json::Value &c : record["corrections"]) {
                if (spans)
                    *spans << covered(sentence, c);
                for (const Json::Value &candidate : c["candidates"]) {
                    QString polished = sentence;
                    polished.replace(c["start"].asInt(), c["end"].asInt() - c["start"].asInt(),
                                     QString::fromStdString(candidate["correction"].asString()));
                    QStringList after = findings(polished);
                    for (const QString &f : before)
                        after.removeOne(f);
                    if (!after.isEmpty())
                        broken << polished + QStringLiteral(": ") + after.join(',');
                }
            }
        }
        return broken;
    }

    void polishKeepsGrammar()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, quantifier);
        QFETCH(bool, offered);
        QStringList spans;
        const QStringList broken = polishBreaksGrammar(sentence, &spans);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
        QCOMPARE(spans.contains(quantifier), offered);
    }

    // The same over real corrected learner sentences.
    void polishKeepsGrammarOfReferences_data() { unanimousReferences_data(); }

    void polishKeepsGrammarOfReferences()
    {
        QFETCH(QString, sentence);
        const QStringList broken = polishBreaksGrammar(sentence);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
    }

    void polishRefusesUnsuitableText_data()
    {
        QTest::addColumn<QStringList>("sentences");
        QTest::newRow("no sentences") << QStringList{};
        QTest::newRow("too short") << QStringList{"Good idea."};
        QTest::newRow("mostly quotation") << QStringList{"He said \"this is a very good and big plan for all of us\"."};
        QTest::newRow("garbage bytes") << QStringList{QString::fromLatin1("\xff\xfe")};
    }

    void polishRefusesUnsuitableText()
    {
        QFETCH(QStringList, sentences);
        std::vector<std::string> list;
        for (const QString &s : sentences)
            list.push_back(s.toStdString());
        Json::Value out = "untouched";
        QVERIFY(!m_checker->polish(list, 2, &out));
        QCOMPARE(out.asString(), std::string("untouched"));
    }

    void synonyms_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("adjective") << "I am happy today." << "happy" << "glad" << QStringList{};
        QTest::newRow("plural noun keeps its number") << "The cars are red." << "cars" << "automobiles" << QStringList{};
        QTest::newRow("verb after to") << "I want to buy a book." << "buy" << "purchase" << QStringList{};
        QTest::newRow("after Chinese text") << QStringLiteral("中文 I want to buy it.") << "buy" << "purchase"
                                            << QStringList{};
        QTest::newRow("capitalised word") << "Big dogs bark." << "Big" << "Large" << QStringList{};
        // An -ing or -ed adjective is the adjective, not a form of its verb.
        QTest::newRow("-ing adjective after an article") << "It is an interesting book." << "interesting"
                                                         << "fascinating"
                                                         << QStringList{"concerning", "worrying", "occupying"};
        QTest::newRow("-ing adjective at the start") << "Interesting ideas came." << "Interesting" << "Fascinating"
                                                     << QStringList{"Concerning", "Worrying"};
        QTest::newRow("-ed adjective after am") << "I am bored today." << "bored" << "world-weary"
                                                << QStringList{"drilled", "tired of"};
        QTest::newRow("-ed form after a noun stays the verb") << "The story interested him." << "interested"
                                                              << "concerned" << QStringList{};
        QTest::newRow("-ing form that is no adjective") << "They are eating now." << "eating" << "feeding"
                                                        << QStringList{};
    }

    void synonyms()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, word);
        QFETCH(QString, expected);
        const int start = int(sentence.indexOf(word));
        const Json::Value list = m_checker->synonyms(sentence.toStdString(), start, start + int(word.size()));
        QVERIFY(list.isArray());
        QStringList words;
        for (const Json::Value &w : list)
            words << QString::fromStdString(w.asString());
        QVERIFY2(words.contains(expected), qPrintable(words.join(',')));
        QVERIFY(!words.contains(word, Qt::CaseInsensitive));
        QFETCH(QStringList, absent);
        for (const QString &a : absent)
            QVERIFY2(!words.contains(a), qPrintable(words.join(',')));
    }

    void synonymsOfBadSpans_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("negative start") << "I am happy." << -3 << 2;
        QTest::newRow("end before start") << "I am happy." << 8 << 5;
        QTest::newRow("beyond the sentence") << "I am happy." << 50 << 60;
        QTest::newRow("Chinese span") << QStringLiteral("我很高兴") << 0 << 2;
        QTest::newRow("digits") << "It costs 300 yuan." << 9 << 12;
        QTest::newRow("empty sentence") << "" << 0 << 1;
    }

    void synonymsOfBadSpans()
    {
        QFETCH(QString, sentence);
        QFETCH(int, start);
        QFETCH(int, end);
        const Json::Value list = m_checker->synonyms(sentence.toStdString(), start, end);
        QVERIFY(list.isArray());
        QCOMPARE(list.size(), 0u);
    }

    void explanations_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("mustContain");
        QTest::addColumn<QStringList>("mustNotContain");
        QTest::newRow("agreement page with candidate")
            << "/?et=sv_agreement&ct=goes&fk=go" << QStringList{"主谓一致", "goes", "He go to school", "Rule"}
            << QStringList{};
        QTest::newRow("spelling page") << "et=nonword&ct=receive&fk=recieve"
                                       << QStringList{"拼写错误", "recieve", "receive"} << QStringList{};
        QTest::newRow("echoed text is escaped")
            << "/?et=nonword&ct=%3Cscript%3Ealert(1)%3C/script%3E&fk=a%26b"
            << QStringList{"&lt;script&gt;", "a&amp;b"} << QStringList{"<script>"};
        QTest::newRow("unknown type") << "/?et=%3Cb%3Enothing" << QStringList{"暂无", "&lt;b&gt;nothing"}
                                      << QStringList{"<b>nothing"};
        QTest::newRow("polish page with meaning and example")
            << "/?lexsub=very%20important,crucial,vital&pos=JJ"
            << QStringList{"润色", "crucial", "vital", "释义", "例句"} << QStringList{};
        QTest::newRow("a mark put into a gap reads whole")
            << "/?et=comma_after_opener&ct=,%20the&fk=however%20the" << QStringList{"建议：<b>however, the</b>"}
            << QStringList{};
        QTest::newRow("words put before the next word read whole")
            << "/?et=preposition_missing&ct=to%20music&fk=listen%20music%20now"
            << QStringList{"建议：<b>listen to music now</b>"} << QStringList{};
        QTest::newRow("a candidate that fills no gap stands alone")
            << "/?et=sv_agreement&ct=goes%20there&fk=go" << QStringList{"建议：<b>goes there</b>"} << QStringList{};
        QTest::newRow("empty query") << "" << QStringList{"暂无"} << QStringList{};
        QTest::newRow("truncated escape") << "/?et=sv_agreement&ct=%E4%B8" << QStringList{"主谓一致"} << QStringList{};
    }

    void explanations()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, mustContain);
        QFETCH(QStringList, mustNotContain);
        const QByteArray html = QByteArray::fromStdString(m_checker->explanationHtml(query.toStdString()));
        const QString text = QString::fromUtf8(html);
        QVERIFY2(text.toUtf8() == html, "the page is not valid UTF-8");
        for (const QString &s : mustContain)
            QVERIFY2(text.contains(s), qPrintable(s + QStringLiteral(" missing in ") + text));
        for (const QString &s : mustNotContain)
            QVERIFY2(!text.contains(s), qPrintable(s + QStringLiteral(" present in ") + text));
    }

    // Many threads at once give the same answers as one thread.
    void concurrentUse()
    {
        const std::vector<std::string> sentences = {"I recieve letters becuase he go there.", "Its a importent day.",
                                                    "They is happy and we was sad.", "My freind can speaks English."};
        std::vector<std::string> expected;
        Json::StreamWriterBuilder writer;
        for (const std::string &s : sentences)
            expected.push_back(Json::writeString(writer, m_checker->checkSentence(0, s, 0, sentenceConfig(), {})));
        std::atomic<int> mismatches{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                for (int round = 0; round < 25; ++round) {
                    const size_t i = size_t(t + round) % sentences.size();
                    const Json::Value r = m_checker->checkSentence(0, sentences[i], 0, sentenceConfig(), {});
                    if (Json::writeString(writer, r) != expected[i])
                        ++mismatches;
                    m_checker->synonyms(sentences[i], 0, 1);
                }
            });
        }
        for (std::thread &th : threads)
            th.join();
        QCOMPARE(mismatches.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestChecker)
#include "tst_checker.moc"
