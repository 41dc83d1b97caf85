// The verb object table: the slots it counts and reads after verbs, when it adds a preposition
// before a direct object, the table file it accepts, and the table the server ships.

#include "lemmatizer.h"
#include "lexicon.h"
#include "missingprepositionrule.h"
#include "nounforms.h"
#include "postagger.h"
#include "prepositionslots.h"
#include "shippeddata.h"
#include "support/prepositioncounts.h"
#include "wordforms.h"

#include <QtTest>

#include <memory>
#include <sstream>

using namespace PennovaChecker;
using P = PrepositionSlots;
using M = MissingPrepositionRule;

namespace {

using PrepositionCounts::row;

std::string header()
{
    return PrepositionCounts::header("pennova-verb-objects 1");
}

// As native text has them: verbs that take their object through one preposition, verbs that
// take it directly, and the few objects a mostly intransitive verb took directly.
std::string nativeTable()
{
    return header() + row("V:depend", {{"on", 150}, {"in", 3}}) + row("V:listen", {{"to", 140}, {"for", 3}})
        + row("V:arrive", {{"at", 60}, {"in", 40}, {"from", 5}}) + row("V:discuss", {{"-", 120}, {"with", 6}})
        + row("V:live", {{"in", 100}, {"with", 20}, {"-", 4}}) + row("O:live:life", {{"-", 4}})
        + row("V:talk", {{"to", 45}, {"about", 45}, {"with", 15}, {"-", 2}})
        + row("V:agree", {{"with", 18}, {"to", 10}, {"on", 9}, {"in", 1}})
        + row("V:belong", {{"to", 12}}) + row("V:insist", {{"on", 11}, {"-", 1}});
}

QStringList split(const QString &tags) { return tags.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

} // namespace

class TestCheckerVerbObjects : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<WordForms> m_forms;
    std::unique_ptr<NounForms> m_nouns;
    std::unique_ptr<PosTagger> m_tagger;
    std::unique_ptr<Lemmatizer> m_lemmatizer;
    std::unique_ptr<M> m_rule;

    struct Tagged
    {
        std::vector<Token> tokens;
        std::vector<std::string> tags;
    };
    Tagged tag(const QString &sentence) const
    {
        Tagged t{Tokenizer::tokenize(sentence.toStdString()), {}};
        t.tags = m_tagger->tag(t.tokens);
        m_lemmatizer->fill(&t.tokens, t.tags);
        return t;
    }

    static QString describe(const std::vector<Finding> &found)
    {
        QStringList got;
        for (const Finding &f : found) {
            QStringList candidates;
            for (const Candidate &c : f.candidates)
                candidates << QString::fromStdString(c.correction);
            got << QString::fromStdString(f.explainType + ": " + f.errorInfo + " -> ") + candidates.join(" | ");
        }
        return got.join(QLatin1String("; "));
    }

private slots:
    void initTestCase()
    {
        const std::string data = ShippedData::folder(ShippedData::Checker);
        m_lexicon = std::make_unique<Lexicon>(data, "/usr/share/wordnet");
        m_forms = std::make_unique<WordForms>("/usr/share/hunspell", "/usr/share/wordnet");
        m_nouns = std::make_unique<NounForms>(*m_lexicon, "/usr/share/wordnet");
        m_tagger = std::make_unique<PosTagger>(m_lexicon.get(), m_forms.get());
        std::string error;
        QVERIFY2(m_tagger->load(data + "/pos-model.txt", &error), error.c_str());
        m_lemmatizer = std::make_unique<Lemmatizer>(*m_lexicon, *m_nouns);
        m_rule = std::make_unique<M>(*m_lexicon);
        std::istringstream in(nativeTable());
        QVERIFY2(m_rule->load(in, &error), error.c_str());
    }

    // what the trainer counts and the rule reads, as "key/column", with the tags written out
    void slotsFound_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("preposition before the object") << "We waited for the bus ." << "PRP VBD IN DT NN ."
                                                       << QStringList{"V:waited/for"};
        QTest::newRow("direct object after a subject") << "They listen music ." << "PRP VBP NN ."
                                                       << QStringList{"V:listen/-"};
        QTest::newRow("a verb that is also a noun, without a cue, before a bare noun")
            << "People talk music ." << "NNS VBP NN ." << QStringList{};
        QTest::newRow("passive") << "The song was played on the radio ." << "DT NN VBD VBN IN DT NN ."
                                 << QStringList{};
        QTest::newRow("an amount of time") << "We waited two hours ." << "PRP VBD CD NNS ." << QStringList{};
        QTest::newRow("a time word") << "We waited a minute ." << "PRP VBD DT NN ." << QStringList{};
        QTest::newRow("an amount") << "They talked a lot ." << "PRP VBD DT NN ." << QStringList{};
        QTest::newRow("home") << "I arrived home ." << "PRP VBD NN ." << QStringList{};
        QTest::newRow("phrasal verb") << "They looked it up ." << "PRP VBD PRP RP ." << QStringList{};
        QTest::newRow("gerund before a bare noun") << "I need listening practice ." << "PRP VBP VBG NN ."
                                                   << QStringList{};
        QTest::newRow("a bare -ing noun") << "We went shopping ." << "PRP VBD NN ." << QStringList{};
        QTest::newRow("a bare adjective read as a noun") << "The firm went public ." << "DT NN VBD NN ."
                                                         << QStringList{};
        QTest::newRow("subject after its verb") << "\" Yes \" , replied Tom ." << "`` UH '' , VBD NNP ."
                                                << QStringList{};
        QTest::newRow("linking verb") << "He will become a teacher ." << "PRP MD VB DT NN ." << QStringList{};
        QTest::newRow("a noun read as a verb after a preposition")
            << "They left out of account the cost ." << "PRP VBD RP IN VB DT NN ." << QStringList{};
        QTest::newRow("a word the tagger cannot know") << "It happened becouse of it ." << "PRP VBD NN IN PRP ."
                                                       << QStringList{};
        QTest::newRow("what-clause") << "We are looking what we want ." << "PRP VBP VBG WP PRP VBP ."
                                     << QStringList{"W:looking/-"};
        QTest::newRow("what-clause after a preposition") << "Look at what we did ." << "VB IN WP PRP VBD ."
                                                         << QStringList{"W:look/at"};
        QTest::newRow("exclamation") << "Look what you did !" << "VB WP PRP VBD ." << QStringList{};
        QTest::newRow("tags of another length") << "They listen music ." << "PRP VBP" << QStringList{};
    }

    void slotsFound()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, expected);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<std::string> t;
        for (const QString &x : split(tags))
            t.push_back(x.toStdString());
        QStringList got;
        for (const M::Slot &s : M::find(tokens, t, *m_lexicon))
            got << QString::fromStdString(s.key + "/" + P::classNames()[size_t(s.column)]);
        QCOMPARE(got, expected);
    }

    void decide_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "" to leave it; "best second" when two are offered
        QTest::newRow("never directly, one preposition dominant") << "V:depend" << "on";
        QTest::newRow("two prepositions: both offered") << "V:arrive" << "at in";
        QTest::newRow("directly now and then") << "V:discuss" << "";
        QTest::newRow("directly seldom, below the share") << "V:live" << "in";
        QTest::newRow("no preposition dominant") << "V:talk" << "";
        QTest::newRow("the first under half, far ahead of the rest") << "V:agree" << "with to";
        QTest::newRow("seen a few times, never directly") << "V:belong" << "to";
        QTest::newRow("seen a few times, once directly") << "V:insist" << "";
        QTest::newRow("unknown verb") << "V:xyzzy" << "";
    }

    void decide()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        int second = -1;
        const int got = M::decide(m_rule->countsOf(key.toStdString()), m_rule->gate(), &second);
        QStringList words;
        for (int c : {got, second})
            if (c >= 0)
                words << QString::fromStdString(P::classNames()[size_t(c)]);
        QCOMPARE(words.join(QLatin1Char(' ')), expected);
    }

    void decideWithTooFewCounts()
    {
        const M::Counts shortRow(3, 100);
        QCOMPARE(M::decide(&shortRow, m_rule->gate()), -1);
        QCOMPARE(M::decide(nullptr, m_rule->gate()), -1);
    }

    // whole sentences through the tagger: each finding's kind and candidates, or none
    void check_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing after a verb") << "It depends the weather."
                                              << "verb_preposition_missing: depends -> depends on";
        QTest::newRow("missing, two prepositions offered")
            << "We arrived the station late." << "verb_preposition_missing: arrived -> arrived at | arrived in";
        QTest::newRow("an object the verb was given directly elsewhere: missing")
            << "We live the city now." << "verb_preposition_missing: live -> live in";
        QTest::newRow("what-clause read as the verb's objects") << "Nobody listened what he said."
                                                                << "verb_preposition_missing: listened -> listened to";
        QTest::newRow("clean: with its preposition") << "It depends on the weather." << "";
        QTest::newRow("clean: an object native writers gave the verb") << "They live a quiet life." << "";
        QTest::newRow("clean: a transitive verb") << "We discussed the plan." << "";
        QTest::newRow("clean: home") << "We arrived home late." << "";
        QTest::newRow("clean: a time") << "We arrived this morning." << "";
        QTest::newRow("clean: a passive") << "The music was listened to by many." << "";
    }

    void check()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        const Tagged t = tag(sentence);
        std::vector<Finding> found;
        m_rule->check(t.tokens, t.tags, &found);
        QCOMPARE(describe(found), expected);
    }

    // findings of rules before it leave the verb alone
    void earlierFindingWins()
    {
        const Tagged t = tag(QStringLiteral("It depends the weather."));
        std::vector<Finding> found(1);
        found[0].start = t.tokens[3].start;
        found[0].end = t.tokens[3].end;
        m_rule->check(t.tokens, t.tags, &found);
        QCOMPARE(found.size(), size_t(1));
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rows"); // -1: refused
        const std::string good = row("V:depend", {{"on", 150}});
        QTest::newRow("valid") << QByteArray::fromStdString(header() + good) << 1;
        QTest::newRow("valid with an object row")
            << QByteArray::fromStdString(header() + good + row("O:live:life", {{"-", 3}})) << 2;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not a table\n") << -1;
        QTest::newRow("the preposition table's header")
            << QByteArray::fromStdString("pennova-preposition-counts 1\n" + header().substr(header().find('\n') + 1)
                                         + good)
            << -1;
        QTest::newRow("truncated after the first line") << QByteArray("pennova-verb-objects 1\n") << -1;
        QTest::newRow("other columns") << QByteArray("pennova-verb-objects 1\nclasses of in\n") << -1;
        QTest::newRow("row cut short") << QByteArray::fromStdString(header() + "V:depend 1 2 3\n") << -1;
        QTest::newRow("row cut in the middle of a count")
            << QByteArray::fromStdString(header() + good.substr(0, good.size() / 2)) << -1;
        QTest::newRow("negative count") << QByteArray::fromStdString(header() + row("V:depend", {{"on", -1}})) << -1;
        QTest::newRow("an adjective's row") << QByteArray::fromStdString(header() + row("J:proud", {{"of", 1}}))
                                            << -1;
        QTest::newRow("repeated row") << QByteArray::fromStdString(header() + good + good) << -1;
        QTest::newRow("oversized line")
            << QByteArray::fromStdString(header() + "V:" + std::string(M::kMaxLine, 'a') + " 1\n") << -1;
    }

    void load()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, rows);
        M rule(*m_lexicon);
        std::istringstream in(text.toStdString());
        std::string error;
        QCOMPARE(rule.load(in, &error), rows >= 0);
        QCOMPARE(error.empty(), rows >= 0);
        QCOMPARE(int(rule.rows()), std::max(rows, 0));
    }

    void missingFileLeavesTheRuleSilent()
    {
        M rule(*m_lexicon);
        std::string error;
        QVERIFY(!rule.load("/nonexistent/verb-objects.txt", &error));
        QVERIFY(!error.empty());
        const Tagged t = tag(QStringLiteral("It depends the weather."));
        std::vector<Finding> found;
        rule.check(t.tokens, t.tags, &found);
        QVERIFY(found.empty());
    }

    // the same counts give the same file whatever order they were gathered in, and read back
    void saveIsReproducible()
    {
        M::Table a, b;
        const std::vector<std::string> keys = {"V:depend", "W:look", "O:live:life", "V:listen"};
        for (size_t i = 0; i < keys.size(); ++i) {
            a[keys[i]] = M::Counts(size_t(P::kColumns), uint32_t(i + 1));
            b[keys[keys.size() - 1 - i]] = M::Counts(size_t(P::kColumns), uint32_t(keys.size() - i));
        }
        std::ostringstream outA, outB;
        QVERIFY(M::save(outA, a));
        QVERIFY(M::save(outB, b));
        QCOMPARE(outA.str(), outB.str());
        M rule(*m_lexicon);
        std::istringstream in(outA.str());
        QVERIFY(rule.load(in));
        QCOMPARE(rule.rows(), keys.size());
        QCOMPARE(*rule.countsOf("O:live:life"), a.at("O:live:life"));
    }

    // the table the server ships, counted from native text: verbs that take their object
    // through a preposition get it, verbs that take it directly are left alone
    void shippedTable_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("depend") << "V:depend" << "on";
        QTest::newRow("listen") << "V:listen" << "to";
        QTest::newRow("wait") << "V:wait" << "for";
        QTest::newRow("belong") << "V:belong" << "to";
        QTest::newRow("discuss takes its object") << "V:discuss" << "";
        QTest::newRow("make takes its object") << "V:make" << "";
        QTest::newRow("visit takes its object") << "V:visit" << "";
        QTest::newRow("think: about, of or a clause") << "V:think" << "";
    }

    void shippedTable()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        M shipped(*m_lexicon);
        std::string error;
        QVERIFY2(shipped.load(ShippedData::folder(ShippedData::Checker) + "/verb-objects.txt", &error), error.c_str());
        const M::Counts *counts = shipped.countsOf(key.toStdString());
        QVERIFY2(counts, qPrintable(key)); // every one of them is common in native text
        const int got = M::decide(counts, shipped.gate());
        QCOMPARE(got < 0 ? QString() : QString::fromStdString(P::classNames()[size_t(got)]), expected);
    }
};

QTEST_GUILESS_MAIN(TestCheckerVerbObjects)
#include "tst_checker_verbobjects.moc"
