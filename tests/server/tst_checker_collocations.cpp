// The collocation check: which verb-object and adjective-noun pairs a tagged sentence has,
// the decision on counts, the model file it accepts, the form of the suggested verb, and the
// checker's findings on learner pairs beside right look-alikes (phrasal verbs, passives,
// idioms, pairs native text has).

#include "collocationmodel.h"
#include "collocationrule.h"
#include "englishchecker.h"
#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "shippeddata.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using namespace PennovaChecker;
using M = CollocationModel;

namespace {

QString writeFile(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath(QStringLiteral("collocation-model.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text);
    return path;
}

// counts for the decision rows: "crime" is committed, never made; "mistake" is made and,
// once, done; "rain" is heavy; "picture" goes with several verbs alike; "damage", "harm",
// "music" and "experiment" are too rare for the main margins ("light rain" too); a break is
// made and taken nearly as often, a decision made far more often
const QByteArray kCounts = "# test counts\n"
                           "P 0 commit crime 12\n"
                           "N 0 crime 20\n"
                           "P 0 make mistake 16\n"
                           "P 0 do mistake 1\n"
                           "N 0 mistake 30\n"
                           "P 0 take medicine 3\n"
                           "N 0 medicine 12\n"
                           "P 0 make picture 4\n"
                           "P 0 take picture 4\n"
                           "N 0 picture 40\n"
                           "P 0 tell lie 6\n"
                           "N 0 lie 4\n"
                           "P 1 heavy rain 9\n"
                           "P 1 light rain 3\n"
                           "N 1 rain 15\n"
                           "P 0 do damage 3\n"
                           "N 0 damage 37\n"
                           "P 0 do harm 7\n"
                           "P 0 make harm 1\n"
                           "N 0 harm 27\n"
                           "P 0 make music 4\n"
                           "N 0 music 92\n"
                           "P 0 conduct experiment 3\n"
                           "N 0 experiment 14\n"
                           "P 0 make break 8\n"
                           "P 0 take break 3\n"
                           "N 0 break 21\n"
                           "P 0 make decision 12\n"
                           "P 0 take decision 2\n"
                           "N 0 decision 30\n";

} // namespace

class TestCheckerCollocations : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<NounForms> m_nouns;
    std::unique_ptr<Lemmatizer> m_lemmatizer;
    std::unique_ptr<EnglishChecker> m_checker;

    // "word/TAG word/TAG ...", lemmatised as the checker does
    std::vector<Token> tagged(const QString &text, std::vector<std::string> *tags) const
    {
        QStringList words;
        tags->clear();
        for (const QString &item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const qsizetype slash = item.lastIndexOf(QLatin1Char('/'));
            words << item.left(slash);
            tags->push_back(item.mid(slash + 1).toStdString());
        }
        std::vector<Token> tokens = Tokenizer::tokenize(words.join(QLatin1Char(' ')).toStdString());
        m_lemmatizer->fill(&tokens, *tags);
        return tokens;
    }

    // the collocation rule's findings on a tagged sentence, with the test counts loaded
    std::vector<Finding> ruleFindings(const QString &sentence) const
    {
        QTemporaryDir dir;
        CollocationRule rule(*m_lexicon);
        if (!rule.load(writeFile(dir, kCounts).toStdString()))
            qFatal("test counts did not load");
        std::vector<std::string> tags;
        const std::vector<Token> tokens = tagged(sentence, &tags);
        std::vector<Finding> out;
        rule.check(tokens, tags, &out);
        return out;
    }

private slots:
    void initTestCase()
    {
        const std::string data = ShippedData::folder(ShippedData::Checker);
        m_lexicon = std::make_unique<Lexicon>(data, "/usr/share/wordnet");
        m_nouns = std::make_unique<NounForms>(*m_lexicon, "/usr/share/wordnet");
        m_lemmatizer = std::make_unique<Lemmatizer>(*m_lexicon, *m_nouns);
        m_checker = std::make_unique<EnglishChecker>();
    }

    void pairs_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("pairs");
        QTest::newRow("object after an article") << "They/PRP made/VBD a/DT crime/NN ./." << "make>crime";
        QTest::newRow("object after adjectives and a number")
            << "We/PRP did/VBD two/CD big/JJ mistakes/NNS ./." << "do>mistake big+mistake";
        QTest::newRow("adverb before an adjective") << "He/PRP did/VBD a/DT very/RB serious/JJ mistake/NN ./."
                                                   << "do>mistake serious+mistake";
        QTest::newRow("adverb before the object's article") << "They/PRP made/VBD quickly/RB a/DT decision/NN ./."
                                                           << "";
        QTest::newRow("head is the last of a compound") << "He/PRP did/VBD his/PRP$ science/NN homework/NN ./."
                                                        << "do>homework";
        QTest::newRow("adjective before a single noun") << "The/DT big/JJ rain/NN stopped/VBD ./." << "big+rain";
        QTest::newRow("adjective before a noun and a day word")
            << "There/EX was/VBD a/DT big/JJ rain/NN yesterday/NN ./." << "be>rain big+rain";
        QTest::newRow("adjective before a compound is left") << "A/DT high/JJ school/NN student/NN ./." << "";
        QTest::newRow("particle before the object") << "He/PRP took/VBD off/RP his/PRP$ coat/NN ./." << "";
        QTest::newRow("pronoun: a double object") << "Tell/VB me/PRP the/DT truth/NN ./." << "";
        QTest::newRow("measure before of") << "They/PRP made/VBD a/DT lot/NN of/IN noise/NN ./." << "";
        QTest::newRow("noun before of") << "She/PRP took/VBD care/NN of/IN him/PRP ./." << "";
        QTest::newRow("object complement") << "It/PRP makes/VBZ life/NN easy/JJ ./." << "";
        QTest::newRow("adjective of a time after the object")
            << "They/PRP made/VBD a/DT crime/NN last/JJ year/NN ./." << "make>crime";
        QTest::newRow("subject of a verb after it") << "I/PRP saw/VBD the/DT children/NNS play/VBP ./." << "";
        QTest::newRow("comparative complement") << "It/PRP makes/VBZ the/DT debt/NN harder/RBR ./." << "";
        QTest::newRow("an adverb of manner after the object")
            << "He/PRP did/VBD a/DT decision/NN quickly/RB ./." << "do>decision";
        QTest::newRow("a question's subject before an adverb and its verb")
            << "Does/VBZ that/DT plan/NN really/RB work/VB ?/." << "";
        QTest::newRow("a day word after the object") << "They/PRP did/VBD the/DT decision/NN yesterday/NN ./."
                                                    << "do>decision";
        QTest::newRow("time noun as an adverbial") << "They/PRP drank/VBD all/DT day/NN ./." << "";
        QTest::newRow("indefinite pronoun") << "I/PRP saw/VBD something/NN ./." << "";
        QTest::newRow("do standing for a verb") << "So/RB do/VBP most/JJS people/NNS ./." << "";
        QTest::newRow("-ing form in a compound") << "sports/NNS doing/VBG opportunities/NNS" << "";
        QTest::newRow("proper noun") << "We/PRP watched/VBD Casablanca/NNP ./." << "";
        QTest::newRow("untagged sentence") << "" << "";
    }

    void pairs()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, pairs);
        std::vector<std::string> tags;
        const std::vector<Token> tokens = tagged(sentence, &tags);
        QStringList got;
        for (const M::Pair &p : M::pairs(tokens, tags))
            got << QString::fromStdString(p.first + (p.kind == M::VerbObject ? ">" : "+") + p.second);
        QCOMPARE(got.join(QLatin1Char(' ')), pairs);
    }

    void judge_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QString>("better");
        QTest::addColumn<bool>("sparse");
        QTest::newRow("made crime: committed") << int(M::VerbObject) << "make" << "crime" << "commit" << false;
        QTest::newRow("did crime: committed") << int(M::VerbObject) << "do" << "crime" << "commit" << false;
        QTest::newRow("did mistake seen once: left") << int(M::VerbObject) << "do" << "mistake" << "" << false;
        QTest::newRow("made mistake: native") << int(M::VerbObject) << "make" << "mistake" << "" << false;
        QTest::newRow("ate medicine: suggested pair too rare") << int(M::VerbObject) << "eat" << "medicine" << "" << false;
        QTest::newRow("said lie: noun too rare") << int(M::VerbObject) << "say" << "lie" << "" << false;
        QTest::newRow("did picture: no word stands out") << int(M::VerbObject) << "do" << "picture" << "" << false;
        QTest::newRow("committed crime: not a flagged word") << int(M::VerbObject) << "commit" << "crime" << "" << false;
        QTest::newRow("big rain: heavy") << int(M::AdjectiveNoun) << "big" << "rain" << "heavy" << false;
        QTest::newRow("big rain counted as a verb pair: left") << int(M::VerbObject) << "big" << "rain" << "" << false;
        QTest::newRow("made damage, rare noun: do, a swap in the group")
            << int(M::VerbObject) << "make" << "damage" << "do" << true;
        QTest::newRow("did damage: native") << int(M::VerbObject) << "do" << "damage" << "" << false;
        QTest::newRow("made harm seen once, do too rare to outweigh it")
            << int(M::VerbObject) << "make" << "harm" << "" << false;
        QTest::newRow("did music: make too small a share of the noun")
            << int(M::VerbObject) << "do" << "music" << "" << false;
        QTest::newRow("did experiment: conduct is no swap in the group")
            << int(M::VerbObject) << "do" << "experiment" << "" << false;
        QTest::newRow("small rain, rare pair: light") << int(M::AdjectiveNoun) << "small" << "rain" << "light" << true;
        QTest::newRow("unknown noun") << int(M::VerbObject) << "make" << "zyzzyva" << "" << false;
    }

    void judge()
    {
        QFETCH(int, kind);
        QFETCH(QString, first);
        QFETCH(QString, noun);
        QFETCH(QString, better);
        QFETCH(bool, sparse);
        QTemporaryDir dir;
        M model;
        QVERIFY(model.load(writeFile(dir, kCounts).toStdString()));
        const M::Verdict v = model.judge(M::Kind(kind), first.toStdString(), noun.toStdString());
        QCOMPARE(QString::fromStdString(v.better), better);
        QCOMPARE(v.sparse, sparse);
        // the rare-noun margins switched off, only the main ones decide
        if (sparse) {
            model.minSparse = 1000;
            QCOMPARE(QString::fromStdString(model.judge(M::Kind(kind), first.toStdString(), noun.toStdString()).better),
                     QString());
        }
        // medicine passes with lower margins for the suggested pair
        model.minSuggested = 3;
        model.minRatio = 3.0;
        if (noun == QLatin1String("medicine"))
            QCOMPARE(QString::fromStdString(model.judge(M::Kind(kind), first.toStdString(), noun.toStdString()).better),
                     QStringLiteral("take"));
    }

    // The second word offered after the first, where native text pairs both with the noun.
    void judgeAlso_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QString>("better");
        QTest::addColumn<QString>("also");
        QTest::newRow("did breaks: make, take close behind") << "do" << "break" << "make" << "take";
        QTest::newRow("did decision: make, take too far behind") << "do" << "decision" << "make" << "";
        QTest::newRow("made crime: commit alone") << "make" << "crime" << "commit" << "";
        QTest::newRow("made break: native, nothing offered") << "make" << "break" << "" << "";
    }

    void judgeAlso()
    {
        QFETCH(QString, first);
        QFETCH(QString, noun);
        QFETCH(QString, better);
        QFETCH(QString, also);
        QTemporaryDir dir;
        M model;
        QVERIFY(model.load(writeFile(dir, kCounts).toStdString()));
        M::Verdict v = model.judge(M::VerbObject, first.toStdString(), noun.toStdString());
        QCOMPARE(QString::fromStdString(v.better), better);
        QCOMPARE(QString::fromStdString(v.also), also);
        // a stricter share for the second word drops it, never the first
        model.minAlsoShare = 0.5;
        v = model.judge(M::VerbObject, first.toStdString(), noun.toStdString());
        QCOMPARE(QString::fromStdString(v.better), better);
        QCOMPARE(QString::fromStdString(v.also), QString());
    }

    // the share of the noun's uses the suggested pair must have, where that margin is set:
    // "commit crime" is 12 of the 20 uses of "crime" as an object
    void nounShare_data()
    {
        QTest::addColumn<double>("share");
        QTest::addColumn<QString>("better");
        QTest::newRow("off") << 0.0 << "commit";
        QTest::newRow("below the pair's share") << 0.5 << "commit";
        QTest::newRow("above the pair's share") << 0.7 << "";
    }

    void nounShare()
    {
        QFETCH(double, share);
        QFETCH(QString, better);
        QTemporaryDir dir;
        M model;
        QVERIFY(model.load(writeFile(dir, kCounts).toStdString()));
        model.minNounShare = share;
        QCOMPARE(QString::fromStdString(model.judge(M::VerbObject, "make", "crime").better), better);
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("counts") << kCounts << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("comments only") << QByteArray("# nothing\n") << false;
        QTest::newRow("garbage") << QByteArray("\x01\x02 binary \xff\n") << false;
        QTest::newRow("unknown record") << QByteArray("N 0 crime 3\nX 0 a b 1\n") << false;
        QTest::newRow("kind out of range") << QByteArray("N 2 crime 3\n") << false;
        QTest::newRow("truncated pair") << QByteArray("N 0 crime 3\nP 0 commit") << false;
        QTest::newRow("count not a number") << QByteArray("N 0 crime many\n") << false;
        QTest::newRow("zero count") << QByteArray("N 0 crime 0\n") << false;
        QTest::newRow("extra field") << QByteArray("N 0 crime 3 4\n") << false;
        QTest::newRow("oversized line") << QByteArray("N 0 ") + QByteArray(200000, 'a') + QByteArray(" 3 x\n") << false;
    }

    void load()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        M model;
        std::string error;
        QCOMPARE(model.load(writeFile(dir, text).toStdString(), &error), ok);
        QCOMPARE(model.isLoaded(), ok);
        QCOMPARE(error.empty(), ok);
        if (!ok)
            QCOMPARE(model.nounTotal(M::VerbObject, "crime"), uint64_t(0));
    }

    void missingFile()
    {
        M model;
        std::string error;
        QVERIFY(!model.load("/nonexistent/collocation-model.txt", &error));
        QVERIFY(!error.empty());
    }

    // the trainer's counting and writing: the same text gives the same file, and it reads back
    void trainedModelRoundTrip()
    {
        M model;
        for (const char *s : {"They/PRP commit/VBP a/DT crime/NN ./.", "Many/JJ commit/VBP crimes/NNS ./.",
                              "Few/JJ commit/VBP another/DT crime/NN ./.", "The/DT heavy/JJ rain/NN fell/VBD ./."}) {
            std::vector<std::string> tags;
            const std::vector<Token> tokens = tagged(QString::fromLatin1(s), &tags);
            model.add(tokens, tags);
        }
        QTemporaryDir dir;
        const std::string a = dir.filePath(QStringLiteral("a.txt")).toStdString();
        const std::string b = dir.filePath(QStringLiteral("b.txt")).toStdString();
        QVERIFY(model.save(a));
        QVERIFY(model.save(b));
        QFile fa(QString::fromStdString(a)), fb(QString::fromStdString(b));
        QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
        QCOMPARE(fa.readAll(), fb.readAll());
        M loaded;
        QVERIFY(loaded.load(a));
        QCOMPARE(loaded.count(M::VerbObject, "commit", "crime"), uint64_t(3));
        QCOMPARE(loaded.nounTotal(M::VerbObject, "crime"), uint64_t(3));
        QCOMPARE(loaded.count(M::AdjectiveNoun, "heavy", "rain"), uint64_t(1));
        QVERIFY(!model.save(dir.filePath(QStringLiteral("no/such/dir/x.txt")).toStdString()));
    }

    void inflect_data()
    {
        QTest::addColumn<QString>("lemma");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("form");
        QTest::newRow("past") << "commit" << "VBD" << "committed";
        QTest::newRow("participle") << "take" << "VBN" << "taken";
        QTest::newRow("third person") << "watch" << "VBZ" << "watches";
        QTest::newRow("-ing") << "make" << "VBG" << "making";
        QTest::newRow("base") << "tell" << "VB" << "tell";
        QTest::newRow("present") << "read" << "VBP" << "read";
    }

    void inflect()
    {
        QFETCH(QString, lemma);
        QFETCH(QString, tag);
        QFETCH(QString, form);
        const CollocationRule rule(*m_lexicon);
        QCOMPARE(QString::fromStdString(rule.inflect(lemma.toStdString(), tag.toStdString())), form);
    }

    // a pair with a word the lexicon does not know in or right after it is not judged
    void readable_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("findings");
        QTest::newRow("known words") << "They/PRP made/VBD a/DT crime/NN ./." << 1;
        QTest::newRow("unknown word before the noun") << "They/PRP made/VBD a/DT zqxv/JJ crime/NN ./." << 0;
        QTest::newRow("unknown word after the noun") << "They/PRP made/VBD a/DT crime/NN zqxv/IN town/NN ./." << 0;
        QTest::newRow("known word after the noun") << "They/PRP made/VBD a/DT crime/NN at/IN home/NN ./." << 1;
        QTest::newRow("-ing form after a determiner") << "the/DT making/VBG crime/NN" << 0;
        QTest::newRow("-ing form after a verb") << "They/PRP kept/VBD making/VBG crime/NN" << 1;
    }

    void readable()
    {
        QFETCH(QString, sentence);
        QFETCH(int, findings);
        QCOMPARE(int(ruleFindings(sentence).size()), findings);
    }

    // the second word, inflected like the first, follows it among the candidates
    void secondCandidate_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QStringList>("candidates");
        QTest::newRow("-ing: making, then taking") << "They/PRP kept/VBD doing/VBG breaks/NNS ./."
                                                   << QStringList{"making", "taking"};
        QTest::newRow("past: made, then took") << "They/PRP did/VBD a/DT break/NN ./." << QStringList{"made", "took"};
        QTest::newRow("a second word too rare: made alone") << "They/PRP did/VBD a/DT decision/NN ./."
                                                            << QStringList{"made"};
    }

    void secondCandidate()
    {
        QFETCH(QString, sentence);
        QFETCH(QStringList, candidates);
        const std::vector<Finding> out = ruleFindings(sentence);
        QCOMPARE(out.size(), size_t(1));
        QStringList got;
        for (const Candidate &c : out.front().candidates)
            got << QString::fromStdString(c.correction);
        QCOMPARE(got, candidates);
        if (out.front().candidates.size() > 1)
            QVERIFY(out.front().candidates[1].score < out.front().candidates[0].score);
    }

    void learnerPairs_data()
    {
        LearnerTable::columns();
        using LearnerTable::row;
        row("made a crime: committed, past kept", "They made a crime last year.", "made", "committed", "collocation",
            "They committed a crime last year.");
        row("do mistakes: make", "People may do mistakes.", "do", "make", "collocation", "People may make mistakes.");
        row("a preposition after the object is no particle", "He did a mistake in the test.", "did", "made",
            "collocation", "He made a mistake in the test.");
        row("doing mistakes: -ing kept", "He keeps doing mistakes.", "doing", "making", "collocation",
            "He keeps making mistakes.");
        row("eats drugs: takes", "She eats drugs every day.", "eats", "takes", "collocation",
            "She takes drugs every day.");
        row("big rain: heavy", "We stayed home because of the big rain.", "big", "heavy", "collocation",
            "We stayed home because of the heavy rain.");
        row("strong rain: heavy", "The strong rain flooded the streets.", "strong", "heavy", "collocation",
            "The heavy rain flooded the streets.");
        row("big rain and a day word: heavy", "It was a big rain yesterday.", "big", "heavy", "collocation",
            "It was a heavy rain yesterday.");
        row("small rain: light", "A small rain fell all morning.", "small", "light", "collocation",
            "A light rain fell all morning.");
        row("make damage: do", "Storms can make damage to old roofs.", "make", "do", "collocation",
            "Storms can do damage to old roofs.");
        row("makes harm: does", "Smoking makes harm to your health.", "makes", "does", "collocation",
            "Smoking does harm to your health.");
        row("passive: mistakes were done", "Many mistakes were done by the team.", "done", "made", "collocation",
            "Many mistakes were made by the team.");
        row("passive with a time after it: committed", "A crime was made last night.", "made", "committed",
            "collocation", "A crime was committed last night.");
        row("relative clause: the mistakes I did", "I regret the mistakes I did.", "did", "made", "collocation",
            "I regret the mistakes I made.");
        row("relative clause with that, a preposition after", "These are the mistakes that we did in class.", "did",
            "made", "collocation", "These are the mistakes that we made in class.");
        row("relative clause before the main verb", "The crime he made was terrible.", "made", "committed",
            "collocation", "The crime he committed was terrible.");
        row("adverb and adjective before the object", "He did a very serious mistake.", "did", "made",
            "collocation", "He made a very serious mistake.");
        row("cheap price: low", "We bought it at a cheap price.", "cheap", "low", "collocation",
            "We bought it at a low price.");
    }

    void learnerPairs() { LearnerTable::verify(*m_checker); }

    void nativePairs_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("make a decision") << "We made a decision yesterday.";
        QTest::newRow("do research") << "They do research on plants.";
        QTest::newRow("take a photo") << "She took a photo of the lake.";
        QTest::newRow("phrasal verb, particle first") << "He took off his coat.";
        QTest::newRow("phrasal verb, particle last") << "They made the story up.";
        QTest::newRow("passive") << "The decision was made by the board.";
        QTest::newRow("relative clause") << "The mistakes we made cost us the game.";
        QTest::newRow("object complement") << "The rain made the road dangerous.";
        QTest::newRow("idiom: take place") << "The meeting took place in May.";
        QTest::newRow("idiom: make sense") << "That makes sense to me.";
        QTest::newRow("do standing for a verb") << "Neither do the other students.";
        QTest::newRow("dictionary phrase: do drugs") << "Countless kids met there and did drugs.";
        QTest::newRow("mistagged complement") << "Interest rates rise, making the debt harder to pay off.";
        QTest::newRow("tell the truth") << "You should tell the truth.";
        QTest::newRow("watch television") << "They watch television every night.";
        QTest::newRow("heavy rain") << "The heavy rain flooded the streets.";
        QTest::newRow("high price") << "They paid a high price for it.";
        QTest::newRow("big house") << "They live in a big house.";
        QTest::newRow("do business") << "We do business with them.";
        QTest::newRow("do damage") << "Storms do damage to crops.";
        QTest::newRow("make music") << "He made music with his friends.";
        QTest::newRow("do experiments") << "They did a few experiments.";
        QTest::newRow("strong wind") << "A strong wind blew all night.";
        QTest::newRow("heavy rain and a day word") << "It was a heavy rain yesterday.";
        QTest::newRow("light lunch") << "We had a light lunch.";
        QTest::newRow("high percentage") << "The report shows a high percentage of smokers.";
        QTest::newRow("-ing form as a modifier") << "She studies the teaching/learning process.";
        QTest::newRow("verb ending a compound") << "He runs a self-made project.";
        QTest::newRow("passive: decision taken") << "The decision was taken by the board.";
        QTest::newRow("passive: mistakes made") << "Mistakes were made.";
        QTest::newRow("passive: work done") << "The work was done quickly.";
        QTest::newRow("passive: damage done") << "The damage was done.";
        QTest::newRow("passive with a complement") << "The room was made ready for the guests.";
        QTest::newRow("passive of a person") << "He was made captain of the team.";
        QTest::newRow("relative clause: homework done") << "The homework I did was easy.";
        QTest::newRow("relative clause: speech made") << "The speech he made in May was long.";
        QTest::newRow("relative clause: the verb's own object") << "The people I made friends with left.";
        QTest::newRow("relative clause: the verb's own complement") << "The things I did for him were small.";
        QTest::newRow("misspelt word after the object") << "They make people understnd the rules.";
    }

    void nativePairs()
    {
        QFETCH(QString, sentence);
        const Json::Value record = LearnerTable::check(*m_checker, sentence, 3);
        for (const Json::Value &c : record["corrections"])
            QVERIFY2(c["explainType"].asString() != "collocation",
                     qPrintable(sentence + QStringLiteral(": ") + CheckerRecords::describe(sentence, record)));
    }
};

QTEST_APPLESS_MAIN(TestCheckerCollocations)
#include "tst_checker_collocations.moc"
