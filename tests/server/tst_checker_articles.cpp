// The learned article check: the model file parser, the averaged perceptron trained on a
// tiny corpus, the slots and features read around noun phrases, the flag decision, and the
// checker's article findings on learner sentences beside right look-alikes. Then "the" before
// a noun meant in general: the native counts' file, the uses read in a sentence, the rule's
// decision and the shipped counts.

#include "articlechoicerule.h"
#include "articleslots.h"
#include "englishchecker.h"
#include "genericnouns.h"
#include "grammarrules.h"
#include "generictherule.h"
#include "perceptronmodel.h"
#include "shippeddata.h"
#include "support/learnertable.h"
#include "support/taggedsentence.h"

#include <QtTest>

#include <memory>
#include <sstream>

using namespace PennovaChecker;
using LearnerTable::columns;
using LearnerTable::row;

namespace {

// "first..head=choice" for each slot, e.g. "good..idea=a"
QStringList describeSlots(const Tagged &t)
{
    QStringList out;
    for (const ArticleSlots::Slot &s : ArticleSlots::find(t.tokens, t.tags))
        out << QString::fromStdString(t.tokens[size_t(s.first)].text + ".." + t.tokens[size_t(s.head)].text + "="
                                      + ArticleSlots::classNames()[size_t(s.written)]);
    return out;
}

const char *const kHeader = "pennova-perceptron 1\nclasses none a the\n";

// "the life@in" for each use of a noun in general ("" governor: none)
QStringList describeUses(const Tagged &t, const Tagged &previous = {})
{
    QStringList out;
    for (const GenericNouns::Use &u : GenericNouns::uses(t.tokens, t.tags, previous.tokens))
        out << QString::fromStdString((u.withThe ? "the " : "") + u.noun + (u.modified ? "+" : "") + "@" + u.governor);
    return out;
}

// A file in the temporary folder with the given text, removed with the object.
struct TempFile
{
    explicit TempFile(const QByteArray &text)
        : path(QDir(QDir::tempPath()).filePath(QStringLiteral("tst_articles_generic.txt")))
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    ~TempFile() { QFile::remove(path); }
    std::string name() const { return path.toStdString(); }
    QString path;
};

// Counts for the rule's tests: nouns native text keeps bare or puts "the" before.
const char *const kCounts = "# noun governor bare the\n"
                            "life * 30 1\nlife in 12 0\nlife of 50 0\n"
                            "world * 2 30\nworld in 0 50\n"
                            "town * 3 3\ntown in 11 2\n"
                            "society * 9 2\n"
                            "prison in 7 0\nprison to 2 1\n"
                            "cities in 6 0\n"
                            "people + 30 2\nmen + 3 0\nproblems + 16 1\n"
                            "things * 20 4\nthing * 20 4\ncars * 12 8\n";

} // namespace

class TestCheckerArticles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void modelFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<float>("scoreOfA"); // for the feature "x" when valid
        QTest::newRow("two rows") << QByteArray(kHeader) + "features 2\n" + QByteArray::number(qulonglong(PerceptronModel::hash("x")), 16)
                + " 0.5 2.25 -1\nabc 1 1 1\n" << true << 2.25f;
        QTest::newRow("no rows") << QByteArray(kHeader) + "features 0\n" << true << 0.0f;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not a model\n") << false << 0.0f;
        QTest::newRow("empty") << QByteArray() << false << 0.0f;
        QTest::newRow("truncated before the count") << QByteArray(kHeader) << false << 0.0f;
        QTest::newRow("truncated rows") << QByteArray(kHeader) + "features 3\nabc 1 1 1\n" << false << 0.0f;
        QTest::newRow("truncated row") << QByteArray(kHeader) + "features 1\nabc 1 1" << false << 0.0f;
        QTest::newRow("row too long") << QByteArray(kHeader) + "features 1\nabc 1 1 1" + QByteArray(600, ' ') + "\n"
                                      << false << 0.0f;
        QTest::newRow("count beyond the limit") << QByteArray(kHeader) + "features 99999999999\n" << false << 0.0f;
        QTest::newRow("count not a number") << QByteArray(kHeader) + "features many\n" << false << 0.0f;
        QTest::newRow("not a number") << QByteArray(kHeader) + "features 1\nabc 1 x 1\n" << false << 0.0f;
        QTest::newRow("infinite weight") << QByteArray(kHeader) + "features 1\nabc 1 inf 1\n" << false << 0.0f;
        QTest::newRow("huge weight") << QByteArray(kHeader) + "features 1\nabc 1 1e30 1\n" << false << 0.0f;
        QTest::newRow("extra column") << QByteArray(kHeader) + "features 1\nabc 1 1 1 1\n" << false << 0.0f;
        QTest::newRow("key zero") << QByteArray(kHeader) + "features 1\n0 1 1 1\n" << false << 0.0f;
        QTest::newRow("repeated key") << QByteArray(kHeader) + "features 2\nabc 1 1 1\nabc 2 2 2\n" << false << 0.0f;
        QTest::newRow("one class") << QByteArray("pennova-perceptron 1\nclasses none\nfeatures 0\n") << false << 0.0f;
        QByteArray classes = "classes";
        for (size_t c = 0; c <= PerceptronModel::kMaxClasses; ++c)
            classes += " c" + QByteArray::number(qulonglong(c));
        QTest::newRow("too many classes") << QByteArray("pennova-perceptron 1\n") + classes + "\nfeatures 0\n" << false
                                          << 0.0f;
        QTest::newRow("the most classes, a row of weights too many")
            << QByteArray("pennova-perceptron 1\n") + classes.left(classes.lastIndexOf(' ')) + "\nfeatures 1\nabc"
                + QByteArray(" 1").repeated(int(PerceptronModel::kMaxClasses) + 1) + "\n"
            << false << 0.0f;
    }

    void modelFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(float, scoreOfA);
        std::istringstream in(text.toStdString());
        PerceptronModel model;
        std::string error;
        QCOMPARE(model.load(in, &error), valid);
        QCOMPARE(error.empty(), valid);
        if (!valid) {
            QVERIFY(model.empty());
            return;
        }
        QCOMPARE(model.classes(), ArticleSlots::classNames());
        QCOMPARE(model.scores({PerceptronModel::hash("x")})[1], scoreOfA);
    }

    // A failed load keeps no half-read rows, and the rule rejects a model of other classes.
    void failedLoadLeavesNothing()
    {
        PerceptronModel model;
        std::istringstream good(std::string(kHeader) + "features 1\nabc 1 1 1\n");
        QVERIFY(model.load(good));
        std::istringstream bad(std::string(kHeader) + "features 2\nabc 1 1 1\n");
        QVERIFY(!model.load(bad));
        QCOMPARE(model.featureCount(), size_t(0));

        const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("tst_articles_model.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("pennova-perceptron 1\nclasses in on at\nfeatures 0\n");
        file.close();
        ArticleChoiceRule rule;
        std::string error;
        QVERIFY(!rule.load(path.toStdString(), &error));
        QVERIFY(!error.empty());
        QVERIFY(!rule.load("/nonexistent/article-model.txt", &error));
        QVERIFY(rule.model().empty());
        file.remove();
    }

    // Trained on a tiny tagged corpus, the model learns which article each context takes,
    // including for a sentence it never saw, and a save and load keeps its scores.
    void trainsOnTinyCorpus()
    {
        const Tagged corpus[] = {
            tagged("I have a car.", "PRP VBP DT NN ."),
            tagged("She has a dog.", "PRP VBZ DT NN ."),
            tagged("We have a house.", "PRP VBP DT NN ."),
            tagged("The sun is hot.", "DT NN VBZ JJ ."),
            tagged("The sun rose.", "DT NN VBD ."),
            tagged("They like music.", "PRP VBP NN ."),
            tagged("He likes music.", "PRP VBZ NN ."),
        };
        std::vector<PerceptronModel::Example> examples;
        for (int round = 0; round < 3; ++round)
            for (const Tagged &t : corpus)
                for (const ArticleSlots::Slot &s : ArticleSlots::find(t.tokens, t.tags))
                    examples.push_back({ArticleSlots::features(t.tokens, t.tags, s), int(s.written)});
        QCOMPARE(examples.size(), size_t(21));
        PerceptronModel model(ArticleSlots::classNames());
        model.train(examples, 5);
        for (const PerceptronModel::Example &e : examples)
            QCOMPARE(model.predict(e.features), e.label);
        // unseen: "You have car." -> a; "Sun is hot." -> the
        const Tagged car = tagged("You have car.", "PRP VBP NN .");
        const Tagged sun = tagged("Sun is hot.", "NN VBZ JJ .");
        QCOMPARE(model.predict(ArticleSlots::features(car.tokens, car.tags, ArticleSlots::find(car.tokens, car.tags)[0])),
                 int(ArticleSlots::A));
        QCOMPARE(model.predict(ArticleSlots::features(sun.tokens, sun.tags, ArticleSlots::find(sun.tokens, sun.tags)[0])),
                 int(ArticleSlots::The));

        std::stringstream file;
        QVERIFY(model.save(file, 0.0f));
        PerceptronModel loaded;
        QVERIFY(loaded.load(file));
        for (const PerceptronModel::Example &e : examples) {
            const std::vector<float> a = model.scores(e.features), b = loaded.scores(e.features);
            for (size_t c = 0; c < a.size(); ++c)
                QVERIFY(qAbs(a[c] - b[c]) <= 1e-3f * qMax(1.0f, qAbs(a[c])));
        }

        // a feature seen fewer times than the minimum is left out of the model
        PerceptronModel pruned(ArticleSlots::classNames());
        std::vector<PerceptronModel::Example> once = examples;
        once.push_back({{PerceptronModel::hash("rare")}, int(ArticleSlots::The)});
        pruned.train(once, 5, 2);
        QCOMPARE(pruned.scores({PerceptronModel::hash("rare")}), std::vector<float>(3, 0.0f));
    }

    void phraseSlots_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("article, adjective and noun") << "It is a good idea." << "PRP VBZ DT JJ NN ."
                                                     << QStringList{"good..idea=a"};
        QTest::newRow("no article before an adjective") << "It is good idea." << "PRP VBZ JJ NN ."
                                                        << QStringList{"good..idea=none"};
        QTest::newRow("compound noun ends at its last noun")
            << "The school bus came." << "DT NN NN VBD ." << QStringList{"school..bus=the"};
        QTest::newRow("adverb before an adjective") << "It was a very old house." << "PRP VBD DT RB JJ NN ."
                                                    << QStringList{"very..house=a"};
        QTest::newRow("possessive determines the phrase") << "My car broke." << "PRP$ NN VBD ." << QStringList{};
        QTest::newRow("demonstrative determines the phrase") << "This book is old." << "DT NN VBZ JJ ."
                                                             << QStringList{};
        QTest::newRow("number determines the phrase") << "Two cars came." << "CD NNS VBD ." << QStringList{};
        QTest::newRow("genitive determines the phrase") << "John's car is red." << "NNP NN VBZ JJ ."
                                                        << QStringList{};
        QTest::newRow("proper noun is no head") << "We saw the United Nations." << "PRP VBD DT NNP NNPS ."
                                                << QStringList{};
        QTest::newRow("participle after a verb is no modifier")
            << "I have visited places." << "PRP VBP VBN NNS ." << QStringList{"places..places=none"};
        QTest::newRow("participle after an article is a modifier")
            << "It was the written test." << "PRP VBD DT VBN NN ." << QStringList{"written..test=the"};
        QTest::newRow("possessive before a noun modifier")
            << "It harms people's health." << "PRP VBZ NNS NN ." << QStringList{};
        QTest::newRow("time adverb read as a noun") << "It is crucial nowadays." << "PRP VBZ JJ NN ." << QStringList{};
        QTest::newRow("preposition before of read as a noun")
            << "It is illegal outside of parks." << "PRP VBZ JJ NN IN NNS ." << QStringList{"parks..parks=none"};
        QTest::newRow("the inside of is a noun phrase")
            << "We saw the inside of it." << "PRP VBD DT NN IN PRP ." << QStringList{"inside..inside=the"};
        QTest::newRow("tags of another length") << "It is a good idea." << "PRP VBZ DT" << QStringList{};
        QTest::newRow("non-ASCII before the phrase") << "“The tea” is hot." << "`` DT NN '' VBZ JJ ."
                                                     << QStringList{"tea..tea=the"};
    }

    void phraseSlots()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, expected);
        QCOMPARE(describeSlots(tagged(sentence, tags)), expected);
    }

    // The features read the words around the slot but never the written article, so the
    // same phrase with and without one gets the same features.
    void features_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("present");
        QTest::newRow("context words and head")
            << "He is a good student of math." << "PRP VBZ DT JJ NN IN NN ."
            << QStringList{"h=student", "ht=NN", "f=good", "p1=is", "p2=he", "n1=of", "hn1=student of", "m=good",
                           "mt=JJ", "gov=is student", "new", "len=2"};
        QTest::newRow("sentence start") << "The cat sat." << "DT NN VBD ." << QStringList{"p1=<s>", "p2=<s>", "h=cat"};
        QTest::newRow("head named before")
            << "A cat saw the cat." << "DT NN VBD DT NN ." << QStringList{"seen", "gov=saw cat"};
    }

    void features()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, present);
        const Tagged t = tagged(sentence, tags);
        // the last slot with an article
        ArticleSlots::Slot s;
        for (const ArticleSlots::Slot &slot : ArticleSlots::find(t.tokens, t.tags))
            if (slot.article >= 0)
                s = slot;
        QVERIFY(s.article >= 0);
        QStringList names;
        for (const std::string &n : ArticleSlots::featureNames(t.tokens, t.tags, s))
            names << QString::fromStdString(n);
        for (const QString &p : present)
            QVERIFY2(names.contains(p), qPrintable(p + QStringLiteral(" not in ") + names.join(QLatin1Char('|'))));
        for (const QString &n : names)
            QVERIFY2(!n.endsWith(QLatin1String("=a")) && !n.endsWith(QLatin1String("=the")), qPrintable(n));
        // without its article the phrase reads the same
        QString bare = sentence;
        QString bareTags = tags;
        const Token &article = t.tokens[size_t(s.article)];
        bare.remove(article.start, article.end - article.start + 1);
        QStringList tagList = tags.split(QLatin1Char(' '));
        tagList.removeAt(s.article);
        bareTags = tagList.join(QLatin1Char(' '));
        const Tagged b = tagged(bare, bareTags);
        ArticleSlots::Slot bareSlot;
        bareSlot.head = -1;
        for (const ArticleSlots::Slot &slot : ArticleSlots::find(b.tokens, b.tags))
            if (slot.head == s.head - 1)
                bareSlot = slot;
        QCOMPARE(bareSlot.head, s.head - 1);
        QCOMPARE(bareSlot.written, ArticleSlots::None);
        if (s.article != 0) // a sentence's first word is capitalised without its article
            QCOMPARE(ArticleSlots::features(b.tokens, b.tags, bareSlot), ArticleSlots::features(t.tokens, t.tags, s));
    }

    void decide_data()
    {
        QTest::addColumn<float>("none");
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("the");
        QTest::addColumn<int>("written");
        QTest::addColumn<bool>("plural");
        QTest::addColumn<int>("expected");
        const ArticleChoiceRule::Margins m = ArticleChoiceRule::Margins::defaults();
        const float needA = m.singular[ArticleSlots::None][ArticleSlots::A];
        QTest::newRow("confident a where none is written") << 0.0f << needA + 1 << 1.0f << 0 << false << 1;
        QTest::newRow("a only a little ahead") << 0.0f << needA - 1 << 1.0f << 0 << false << -1;
        QTest::newRow("written choice is the best") << 0.0f << needA + 1 << 1.0f << 1 << false << -1;
        QTest::newRow("a before a plural head is off") << 0.0f << needA + 50 << 1.0f << 0 << true << -1;
        QTest::newRow("the for a is off") << 0.0f << 1.0f << 1000.0f << 1 << false << -1;
        const float needThe = m.singular[ArticleSlots::None][ArticleSlots::The];
        QTest::newRow("confident the where none is written") << 0.0f << 1.0f << needThe + 1 << 0 << false << 2;
        QTest::newRow("a people: no deletion before a plural") << 1000.0f << 0.0f << 0.0f << 1 << true << -1;
        QTest::newRow("written out of range") << 0.0f << 100.0f << 0.0f << 3 << false << -1;
    }

    void decide()
    {
        QFETCH(float, none);
        QFETCH(float, a);
        QFETCH(float, the);
        QFETCH(int, written);
        QFETCH(bool, plural);
        QFETCH(int, expected);
        QCOMPARE(ArticleChoiceRule::decide({none, a, the}, written, plural, ArticleChoiceRule::Margins::defaults()),
                 expected);
        QCOMPARE(ArticleChoiceRule::decide({none, a}, written, plural, ArticleChoiceRule::Margins::defaults()), -1);
    }

    // a/an before a word the lexicon does not know: only first letters a misspelling cannot
    // change decide its sound
    void unknownWordSound_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("sound");
        QTest::newRow("misspelt word in a") << "adiction" << 1;
        QTest::newRow("misspelt word in i") << "intresting" << 1;
        QTest::newRow("misspelt word in e") << "enviroment" << 1;
        QTest::newRow("misspelt word in o") << "oportunity" << 1;
        QTest::newRow("misspelt word in a consonant and a vowel") << "bautiful" << 0;
        QTest::newRow("u may sound as you") << "uber" << -1;
        QTest::newRow("eu sounds as you") << "eulogium" << -1;
        QTest::newRow("on may sound as won") << "onesie" << -1;
        QTest::newRow("h may be silent") << "hapy" << -1;
        QTest::newRow("y may be a vowel") << "ytterbia" << -1;
        QTest::newRow("letters read out one by one") << "sms" << -1;
        QTest::newRow("consonants read out one by one") << "mbank" << -1;
        QTest::newRow("digits inside") << "a4paper" << -1;
        QTest::newRow("too short to tell") << "ab" << -1;
    }

    void unknownWordSound()
    {
        QFETCH(QString, word);
        QFETCH(int, sound);
        QCOMPARE(GrammarRules::unknownWordSound(word.toStdString()), sound);
    }

    // The shipped model through the whole checker: learner sentences get their article
    // finding; the corrected sentences and right look-alikes get none.
    void learnerArticles_data()
    {
        columns();
        row("a before an adverb and adjective", "It plays very important role in our life.", "very", "a very",
            "article_needed", "It plays a very important role in our life.");
        row("a before an amount", "Improving public health includes significant amount of small steps.",
            "significant", "a significant", "article_needed",
            "Improving public health includes a significant amount of small steps.");
        row("a after a preposition", "After long day you want to sleep.", "long", "a long", "article_needed",
            "After a long day you want to sleep.");
        row("the after a preposition", "He is one of the best teachers in world.", "world", "the world",
            "article_needed", "He is one of the best teachers in the world.");
        row("the before an of-phrase after a preposition", "We ate lunch on campus of the university.", "campus",
            "the campus", "article_needed", "We ate lunch on the campus of the university.");
        row("a before a role", "She is student of this university.", "student", "a student", "article_needed",
            "She is a student of this university.");
        row("a after a sentence adverb", "It is indeed rather strange thing.", "rather", "a rather", "article_needed",
            "It is indeed a rather strange thing.");
        row("the before an of-phrase on a noun seldom counted", "It is responsibility of their parents.",
            "responsibility", "the responsibility", "article_needed", "It is the responsibility of their parents.");
        row("the before life in general", "We learn a lot in the life.", " the ", "", "article_unneeded",
            "We learn a lot in life.");
        row("the before people in general", "The people want to be happy.", "The people", "People",
            "article_unneeded", "People want to be happy.");
        row("the before a subject of study in general", "I am interested in the history.", " the ", "",
            "article_unneeded", "I am interested in history.");
    }

    void learnerArticles() { LearnerTable::verify(*m_checker); }

    void articleLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("uncountable complement") << "It is important information for us.";
        QTest::newRow("plural complement") << "They are important problems of our time.";
        QTest::newRow("meal without an article") << "We had breakfast at home.";
        QTest::newRow("generic plural subject") << "Students need time to rest.";
        QTest::newRow("possessive before the noun") << "It is my favourite part of the day.";
        QTest::newRow("a lot of") << "She has a lot of friends in Beijing.";
        QTest::newRow("by bus") << "We went to school by bus.";
        QTest::newRow("bare noun after a preposition") << "Food waste on campus has become a serious problem.";
        QTest::newRow("possessive noun before the head") << "Technology has a bad impact on people's health.";
        QTest::newRow("time phrase with last") << "He was away for most of last year.";
        QTest::newRow("a people as a nation") << "They are a kind people.";
        QTest::newRow("headline style name") << "Main Street is closed today.";
        QTest::newRow("the society of an of-phrase") << "He studies the society of bees.";
        QTest::newRow("the nature of an of-phrase") << "We talked about the nature of the problem.";
        QTest::newRow("the life of a clause") << "She liked the life he led.";
        QTest::newRow("the water of a prepositional phrase") << "The water in the lake is cold.";
        QTest::newRow("the facts of an adverb") << "Look at the facts above.";
        QTest::newRow("the world of one reference") << "People all over the world use the internet.";
        QTest::newRow("the public of one reference") << "The public has a right to know.";
        QTest::newRow("life named before") << "Life is short, and the life of a bee is shorter.";
        QTest::newRow("people met in a story in the past") << "We went to Hainan, and the people were friendly.";
        QTest::newRow("in town as a set phrase") << "It affects everyone in the town.";
        QTest::newRow("a noun native text seldom counts") << "I think that cars will use electric fuel, not gasoline.";
        QTest::newRow("a determiner before a comma and adjective") << "In this case another, complicated question arises.";
        QTest::newRow("a determiner before modifiers joined by commas")
            << "It was good to leave the large, university, tertiary care center model of practice.";
    }

    void articleLookAlikes() { LearnerTable::verifyClean(*m_checker); }

    // "it's" after a verb: an object's "its" misspelt needs no article after it; a clause's
    // "it is" still does
    void itsAfterAVerb_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("kinds"); // the explanation kinds found, in order
        QTest::newRow("object of a regular past") << "The dog licked it's paw." << "confusion_its";
        QTest::newRow("object of an irregular past") << "The cat hurt it's leg." << "confusion_its";
        QTest::newRow("clause after think") << "I think it's good idea." << "article_missing";
        QTest::newRow("clause after said") << "She said it's big problem." << "article_missing";
    }

    void itsAfterAVerb()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, kinds);
        const Json::Value record = m_checker->checkSentence(0, sentence.toStdString(), 0, CheckerRecords::sentenceConfig(), {}, {});
        QStringList got;
        for (const Json::Value &c : record["corrections"])
            got << QString::fromStdString(c["explainType"].asString());
        QCOMPARE(got.join(' '), kinds);
    }

    // A misspelt article or word inside a noun phrase, or a misspelt word before a verb, is the
    // spelling rule's: no article is put before it ("the tha", "a better oin way", "the mean")
    void misspeltInPhrase_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("kinds"); // the explanation kinds found, in order
        QTest::newRow("misspelt article before a compound")
            << "The most obvious difference is tha temperature difference between the seasons." << "nonword";
        QTest::newRow("misspelt article after be") << "The main difference is tha temperature of the water." << "nonword";
        QTest::newRow("misspelt word after an adjective")
            << "So depending on the study it would be better oin way or the other." << "nonword";
        QTest::newRow("misspelt word after be and an adjective") << "So it would be better oin way." << "nonword";
        QTest::newRow("misspelt adverb before a verb read as a noun")
            << "A short break will not necesseraly mean that an athlete will stop." << "nonword";
    }

    void misspeltInPhrase() { itsAfterAVerb(); }

    void genericCountsFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("bareInSociety"); // counts of "society" after "in"
        QTest::newRow("rows and a comment") << QByteArray("# counts\nsociety * 9 2\nsociety in 4 0\n") << true << 4;
        QTest::newRow("blank lines and no final newline") << QByteArray("\nsociety in 4 1\n\nlife * 3 0") << true << 4;
        QTest::newRow("a noun never bare") << QByteArray("world in 0 50\n") << true << 0;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not counts at all\n") << false << 0;
        QTest::newRow("empty") << QByteArray() << false << 0;
        QTest::newRow("comments only") << QByteArray("# noun governor bare the\n") << false << 0;
        QTest::newRow("truncated row") << QByteArray("society in 4") << false << 0;
        QTest::newRow("extra column") << QByteArray("society in 4 0 1\n") << false << 0;
        QTest::newRow("negative count") << QByteArray("society in -4 0\n") << false << 0;
        QTest::newRow("never seen") << QByteArray("society in 0 0\n") << false << 0;
        QTest::newRow("not a number") << QByteArray("society in many 0\n") << false << 0;
        QTest::newRow("count beyond the limit") << QByteArray("society in 99999999999 0\n") << false << 0;
        QTest::newRow("oversized word") << QByteArray(100000, 'a') + " in 1 0\n" << false << 0;
        QTest::newRow("bad row after good ones") << QByteArray("society in 4 0\nlife * x\n") << false << 0;
    }

    // The counts file: a malformed one leaves the table empty (the rule silent).
    void genericCountsFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(int, bareInSociety);
        const TempFile file(text);
        GenericNouns counts;
        std::string error;
        QCOMPARE(counts.load(file.name(), &error), valid);
        QCOMPARE(error.empty(), valid);
        QCOMPARE(counts.empty(), !valid);
        QCOMPARE(int(counts.counts("society", "in").bare), bareInSociety);
        QVERIFY(!counts.load("/nonexistent/generic-nouns.txt", &error));
        QVERIFY(counts.empty());
    }

    // Counted uses survive a save and a load; a noun or pair seen fewer times than the minimum
    // is left out of the file.
    void genericCountsRoundTrip()
    {
        GenericNouns counts;
        const Tagged bare = tagged("We learn in life .", "PRP VBP IN NN .");
        const Tagged subject = tagged("The life is short .", "DT NN VBZ JJ .");
        const Tagged modified = tagged("We help old people .", "PRP VBP JJ NNS .");
        for (const Tagged *t : {&bare, &bare, &bare, &subject, &modified, &modified})
            for (const GenericNouns::Use &u : GenericNouns::uses(t->tokens, t->tags))
                counts.add(u);
        QCOMPARE(int(counts.counts("life", "in").bare), 3);
        QCOMPARE(int(counts.counts("life").the), 1); // the start of a sentence is no preposition
        QCOMPARE(int(counts.counts("life", "^").the), 1);
        // a plural after adjectives has its own row, not the governor's
        QCOMPARE(int(counts.counts("people", GenericNouns::modifiedRow()).bare), 2);
        QCOMPARE(int(counts.counts("people", "help").total()), 0);
        QCOMPARE(int(counts.counts("people").total()), 0);
        const TempFile file("");
        QVERIFY(counts.save(file.name(), 2));
        GenericNouns loaded;
        QVERIFY(loaded.load(file.name()));
        QCOMPARE(int(loaded.counts("life", "in").bare), 3);
        QCOMPARE(int(loaded.counts("people", GenericNouns::modifiedRow()).bare), 2);
        QCOMPARE(int(loaded.counts("life", "^").total()), 0); // seen once: left out
        QVERIFY(!counts.save("/nonexistent/folder/generic-nouns.txt"));
    }

    void genericUses_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QString>("previous"); // the sentence before (untagged)
        QTest::addColumn<QStringList>("uses");
        QTest::newRow("after a preposition, the clause ends")
            << "Crime is common in the society ." << "NN VBZ JJ IN DT NN ." << ""
            << QStringList{"crime@^", "the society@in"};
        QTest::newRow("subject before its verb") << "The life is short ." << "DT NN VBZ JJ ." << ""
                                                 << QStringList{"the life@^"};
        QTest::newRow("object of a verb") << "We must protect the nature ." << "PRP MD VB DT NN ." << ""
                                          << QStringList{"the nature@protect"};
        QTest::newRow("before a conjunction") << "We need the money and time ." << "PRP VBP DT NN CC NN ." << ""
                                              << QStringList{"the money@need", "time@"};
        QTest::newRow("an of-phrase pins the noun") << "He studies the society of bees ." << "PRP VBZ DT NN IN NNS ."
                                                    << "" << QStringList{"bees@of"};
        QTest::newRow("an of-phrase pins the noun's nature")
            << "We discussed the nature of the problem ." << "PRP VBD DT NN IN DT NN ." << ""
            << QStringList{"the problem@of"};
        QTest::newRow("a clause pins the noun") << "She liked the life he led ." << "PRP VBD DT NN PRP VBD ." << ""
                                                << QStringList{};
        QTest::newRow("a prepositional phrase pins the noun")
            << "The water in the lake is cold ." << "DT NN IN DT NN VBZ JJ ." << "" << QStringList{"the lake@in"};
        QTest::newRow("an adverb after the noun pins it") << "Look at the facts above ." << "VB IN DT NNS RB ." << ""
                                                          << QStringList{};
        QTest::newRow("an adjective names one kind") << "We protect the natural world ." << "PRP VBP DT JJ NN ."
                                                     << "" << QStringList{};
        QTest::newRow("a plural after a plain adjective") << "The young people are here ." << "DT JJ NNS VBP RB ."
                                                         << "" << QStringList{"the people+@^"};
        QTest::newRow("a plural after adjectives that count or point")
            << "In the past few years the present members left ." << "IN DT JJ JJ NNS DT JJ NNS VBD ." << ""
            << QStringList{};
        QTest::newRow("a plural after a superlative") << "The best students are here ." << "DT JJS NNS VBP RB ." << ""
                                                      << QStringList{};
        QTest::newRow("a noun before the head names one kind")
            << "The air pollution is bad ." << "DT NN NN VBZ JJ ." << "" << QStringList{};
        QTest::newRow("nouns joined before another noun")
            << "We fund the research and development work ." << "PRP VBP DT NN CC NN NN ." << "" << QStringList{};
        QTest::newRow("part of a known set") << "Many of the people are here ." << "JJ IN DT NNS VBP RB ." << ""
                                             << QStringList{};
        QTest::newRow("all of a known set") << "All the people are here ." << "PDT DT NNS VBP RB ." << ""
                                            << QStringList{};
        QTest::newRow("a place in an order") << "We saw the rest ." << "PRP VBD DT NN ." << "" << QStringList{};
        QTest::newRow("named before in the sentence")
            << "Society changes , and the society grows ." << "NN VBZ , CC DT NN VBZ ." << ""
            << QStringList{"society@^"};
        QTest::newRow("named in the sentence before, in the plural")
            << "Many men were in the prison ." << "JJ NNS VBD IN DT NN ." << "We visited two prisons." << QStringList{};
        QTest::newRow("another noun in the sentence before")
            << "Many men were in the prison ." << "JJ NNS VBD IN DT NN ." << "We visited two schools."
            << QStringList{"the prison@in"};
    }

    // Where a noun stands alone or after "the" with nothing to pin it down, and what governs it.
    void genericUses()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QString, previous);
        QFETCH(QStringList, uses);
        const Tagged before{Tokenizer::tokenize(previous.toStdString()), {}};
        QCOMPARE(describeUses(tagged(sentence, tags), before), uses);
    }

    void sameNoun_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("equal") << "fact" << "fact" << true;
        QTest::newRow("plural in -s") << "fact" << "facts" << true;
        QTest::newRow("plural in -es") << "boxes" << "box" << true;
        QTest::newRow("plural in -ies") << "society" << "societies" << true;
        QTest::newRow("another noun") << "fact" << "factory" << false;
        QTest::newRow("empty") << "" << "" << false;
    }
    void sameNoun()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(GenericNouns::sameNoun(a.toStdString(), b.toStdString()), same);
    }

    void genericRule_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("found"); // "covered text -> correction", "" for none
        QTest::newRow("a noun native text keeps bare after its preposition")
            << "We learn in the life ." << "PRP VBP IN DT NN ." << "" << "' the ' -> ''";
        QTest::newRow("a subject at the start keeps its capital") << "The life is short ." << "DT NN VBZ JJ ." << ""
                                                                 << "'The life' -> 'Life'";
        QTest::newRow("a plural after its preposition") << "They live in the cities ." << "PRP VBP IN DT NNS ." << ""
                                                        << "' the ' -> ''";
        QTest::newRow("a set phrase of a counted noun") << "He is in the town ." << "PRP VBZ IN DT NN ." << "" << "";
        QTest::newRow("a singular seen only after prepositions")
            << "He is in the prison ." << "PRP VBZ IN DT NN ." << "" << "";
        QTest::newRow("a noun of one reference") << "We live in the world ." << "PRP VBP IN DT NN ." << "" << "";
        QTest::newRow("a noun seen too rarely") << "The society is old ." << "DT NN VBZ JJ ." << "" << "";
        QTest::newRow("a pair seen too rarely") << "He went to the prison ." << "PRP VBD TO DT NN ." << "" << "";
        QTest::newRow("after of the noun is one the reader knows")
            << "It is the meaning of the life ." << "PRP VBZ DT NN IN DT NN ." << "" << "";
        QTest::newRow("the sentence before named it") << "We learn in the life ." << "PRP VBP IN DT NN ."
                                                      << "Life is hard." << "";
        QTest::newRow("a bare noun is right") << "We learn in life ." << "PRP VBP IN NN ." << "" << "";
        QTest::newRow("a plural after adjectives, counted over its governors")
            << "We help the old people ." << "PRP VBP DT JJ NNS ." << "" << "' the ' -> ''";
        QTest::newRow("a plural after adjectives, seen fewer times than a noun alone needs")
            << "We solve the risky problems ." << "PRP VBP DT JJ NNS ." << "" << "' the ' -> ''";
        QTest::newRow("a plural after adjectives seen too rarely")
            << "We help the old men ." << "PRP VBP DT JJ NNS ." << "" << "";
        QTest::newRow("a plural alone, kept bare a little less often than a singular needs")
            << "We like the things ." << "PRP VBP DT NNS ." << "" << "' the ' -> ''";
        QTest::newRow("a singular as often bare as that plural") << "We like the thing ." << "PRP VBP DT NN ." << ""
                                                                 << "";
        QTest::newRow("a plural native text often writes with the")
            << "We like the cars ." << "PRP VBP DT NNS ." << "" << "";
    }

    // The rule flags "the" where the counts keep the noun bare there, and only there.
    void genericRule()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QString, previous);
        QFETCH(QString, found);
        const TempFile file(kCounts);
        GenericTheRule rule;
        QVERIFY(rule.load(file.name()));
        const Tagged t = tagged(sentence, tags);
        std::vector<Finding> out;
        rule.check(t.tokens, t.tags, previous.toStdString(), &out);
        QStringList got;
        for (const Finding &f : out) {
            QCOMPARE(QString::fromStdString(f.explainType), QStringLiteral("article_unneeded"));
            got << QStringLiteral("'%1' -> '%2'")
                       .arg(sentence.mid(f.start, f.end - f.start),
                            QString::fromStdString(f.candidates.empty() ? std::string() : f.candidates[0].correction));
        }
        QCOMPARE(got.join(QStringLiteral("; ")), found);
        // without counts the rule says nothing
        GenericTheRule silent;
        QVERIFY(!silent.load("/nonexistent/generic-nouns.txt"));
        out.clear();
        silent.check(t.tokens, t.tags, {}, &out);
        QVERIFY(out.empty());
    }

    // The shipped counts: nouns of one reference come out with "the", nouns meant in
    // general bare, as native text uses them.
    void shippedGenericCounts_data()
    {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QString>("governor");
        QTest::addColumn<bool>("flagged"); // "the" before it would be flagged
        QTest::newRow("in the world") << "world" << "in" << false;
        QTest::newRow("the world at the start") << "world" << "^" << false;
        QTest::newRow("the public") << "public" << "" << false;
        QTest::newRow("the government") << "government" << "^" << false;
        QTest::newRow("the economy") << "economy" << "^" << false;
        QTest::newRow("the environment") << "environment" << "protect" << false;
        QTest::newRow("the internet") << "internet" << "use" << false;
        QTest::newRow("in the past") << "past" << "in" << false;
        QTest::newRow("in the future") << "future" << "in" << false;
        QTest::newRow("in the life") << "life" << "in" << true;
        QTest::newRow("the life at the start") << "life" << "^" << true;
        QTest::newRow("the people at the start") << "people" << "^" << true;
    }
    void shippedGenericCounts()
    {
        QFETCH(QString, noun);
        QFETCH(QString, governor);
        QFETCH(bool, flagged);
        GenericTheRule rule;
        std::string error;
        QVERIFY2(rule.load(ShippedData::folder(ShippedData::Checker) + "/generic-nouns.txt", &error), error.c_str());
        QVERIFY(rule.counts().size() > 1000);
        GenericNouns::Use use;
        use.withThe = true;
        use.noun = noun.toStdString();
        use.governor = governor.toStdString();
        use.preposition = governor == "in";
        QCOMPARE(rule.bareShare(use) >= GenericTheRule::kThreshold, flagged);
    }

    // The sentence before, as the checker is given it, makes a noun known.
    void genericTheAfterTheSentenceBefore()
    {
        const auto kinds = [&](const std::vector<std::string> &previous) {
            const Json::Value record = m_checker->checkSentence(0, "We learn a lot in the life.", 0,
                                                                CheckerRecords::sentenceConfig(), {}, previous);
            QStringList out;
            for (const Json::Value &c : record["corrections"])
                out << QString::fromStdString(c["explainType"].asString());
            return out;
        };
        QCOMPARE(kinds({}), QStringList{"article_unneeded"});
        QCOMPARE(kinds({"My grandfather had a long life."}), QStringList{});
        QCOMPARE(kinds({"My grandfather had a long day."}), QStringList{"article_unneeded"});
    }
};

QTEST_GUILESS_MAIN(TestCheckerArticles)
#include "tst_checker_articles.moc"
