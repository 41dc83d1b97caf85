// The verb complement table: the slots it reads after verbs ("to" + verb, the -ing form, "to" +
// -ing), when it overrules the writer, the guards that leave a slot alone whatever the table
// says, the table file it accepts, and its findings on learner sentences beside right
// look-alikes; the shipped table and the checker that runs it.

#include "englishchecker.h"
#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "postagger.h"
#include "ruleregistry.h"
#include "shippeddata.h"
#include "verbcomplementrule.h"
#include "verbcomplementslots.h"
#include "wordforms.h"

#include <QtTest>

#include <memory>
#include <sstream>

using namespace PennovaChecker;
using S = VerbComplementSlots;

namespace {

std::string header() { return "pennova-verb-complements 1\nclasses to ing to-ing uses\n"; }

std::string row(const std::string &key, int to, int ing, int toIng, int uses)
{
    return key + " " + std::to_string(to) + " " + std::to_string(ing) + " " + std::to_string(toIng) + " "
        + std::to_string(uses) + "\n";
}

// As native text has them: verbs that take one form, verbs that take both, verbs seldom followed
// by a verb at all, and verbs the guards keep.
std::string nativeTable()
{
    return header() + row("want", 360, 0, 0, 700) + row("decide", 80, 0, 0, 190) + row("suggest", 0, 30, 0, 160)
        + row("consider", 0, 15, 0, 220) + row("finish", 0, 14, 0, 88) + row("object", 0, 0, 12, 40)
        + row("start", 50, 60, 0, 350) + row("like", 110, 7, 1, 250) + row("sit", 0, 12, 0, 900)
        + row("promise", 9, 0, 0, 60) + row("stop", 0, 40, 0, 200) + row("stand", 0, 20, 0, 370)
        + row("let", 0, 20, 0, 300) + row("see", 0, 30, 0, 1400) + row("seem", 300, 0, 0, 800)
        + row("choose", 30, 0, 0, 120) + row("hope", 55, 0, 0, 190) + row("think", 3, 0, 0, 970)
        + row("give_up", 0, 12, 0, 40);
}

std::vector<std::string> splitTags(const QString &tags)
{
    std::vector<std::string> out;
    for (const QString &x : tags.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out.push_back(x.toStdString());
    return out;
}

QString described(const std::vector<Finding> &found)
{
    QStringList got;
    for (const Finding &f : found)
        got << QString::fromStdString(f.explainType + ": " + f.errorInfo + " -> "
                                      + (f.candidates.empty() ? std::string() : f.candidates[0].correction));
    return got.join(QLatin1String("; "));
}

} // namespace

class TestCheckerComplements : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<WordForms> m_forms;
    std::unique_ptr<NounForms> m_nouns;
    std::unique_ptr<PosTagger> m_tagger;
    std::unique_ptr<Lemmatizer> m_lemmatizer;
    std::unique_ptr<VerbComplementRule> m_rule;

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
        m_rule = std::make_unique<VerbComplementRule>(*m_lexicon);
        std::istringstream in(nativeTable());
        QVERIFY2(m_rule->load(in, &error), error.c_str());
    }

    void lemmas_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("lemma");
        QTest::newRow("irregular past from the lexicon") << "went" << "VBD" << "go";
        QTest::newRow("-s on a verb outside the lexicon's tables") << "deserves" << "VBZ" << "deserve";
        QTest::newRow("-ies") << "studies" << "VBZ" << "study";
        QTest::newRow("lost e before -ing") << "hoping" << "VBG" << "hope";
        QTest::newRow("lost e before -ed") << "stared" << "VBD" << "stare";
        QTest::newRow("doubled consonant") << "planned" << "VBD" << "plan";
        QTest::newRow("two syllables keep their stem") << "visiting" << "VBG" << "visit";
        QTest::newRow("base of a WordNet verb") << "postpone" << "VB" << "postpone";
        QTest::newRow("no verb") << "morning" << "VBG" << "";
    }

    void lemmas()
    {
        QFETCH(QString, word);
        QFETCH(QString, tag);
        QFETCH(QString, lemma);
        QCOMPARE(QString::fromStdString(S::lemmaOf(word.toStdString(), tag.toStdString(), *m_lexicon)), lemma);
    }

    // the slots as "key/form" with the tags written out, so the tagger's mood does not matter
    void slotsFound_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("infinitive") << "I decided to go ." << "PRP VBD TO VB ." << QStringList{"decide/to"};
        QTest::newRow("negated infinitive") << "I decided not to go ." << "PRP VBD RB TO VB ."
                                            << QStringList{"decide/to"};
        QTest::newRow("gerund") << "We enjoy reading books ." << "PRP VBP VBG NNS ." << QStringList{"enjoy/ing"};
        QTest::newRow("to before -ing is a preposition") << "They object to paying taxes ." << "PRP VBP TO VBG NNS ."
                                                         << QStringList{"object/to-ing"};
        QTest::newRow("particle goes with the verb") << "He gave up smoking ." << "PRP VBD RP VBG ."
                                                     << QStringList{"give_up/ing"};
        QTest::newRow("perfect counts") << "She has decided to stay ." << "PRP VBZ VBN TO VB ."
                                        << QStringList{"decide/to"};
        QTest::newRow("passive is left out") << "He was asked to leave ." << "PRP VBD VBN TO VB ." << QStringList{};
        QTest::newRow("a participle after its noun is left out") << "A man considered to be wise ."
                                                                 << "DT NN VBD TO VB JJ ." << QStringList{};
        QTest::newRow("an object before the verb") << "It is what you would have considered to be wise ."
                                                   << "PRP VBZ WP PRP MD VB VBN TO VB JJ ." << QStringList{};
        QTest::newRow("used to is a past habit") << "I used to swim ." << "PRP VBD TO VB ." << QStringList{};
        QTest::newRow("going to is the future") << "I am going to swim ." << "PRP VBP VBG TO VB ." << QStringList{};
        QTest::newRow("an -ing subject of a clause") << "I think going abroad is good ." << "PRP VBP VBG RB VBZ JJ ."
                                                     << QStringList{};
        QTest::newRow("-ing after a linking verb is an adjective") << "It became boring ." << "PRP VBD VBG ."
                                                                  << QStringList{};
        QTest::newRow("-ing preposition") << "It changed lives including ours ." << "PRP VBD NNS VBG PRP ."
                                          << QStringList{};
        QTest::newRow("noun read as a verb after an adjective") << "A smooth finish to resist stains ."
                                                                << "DT JJ VB TO VB NNS ." << QStringList{};
        QTest::newRow("base form after a noun is no verb") << "The finish to resist stains ." << "DT NN VB TO VB NNS ."
                                                           << QStringList{};
        QTest::newRow("auxiliary is no governor") << "He is to go ." << "PRP VBZ TO VB ." << QStringList{};
        QTest::newRow("tags of another length") << "I decided to go ." << "PRP VBD" << QStringList{};
    }

    void slotsFound()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, expected);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        QStringList got;
        for (const S::Slot &s : S::find(tokens, splitTags(tags), *m_lexicon))
            got << QString::fromStdString(s.key + "/" + S::classNames()[size_t(s.form)]);
        QCOMPARE(got, expected);
    }

    void decide_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("written"); // "to" or "ing"
        QTest::addColumn<QString>("expected"); // the column suggested, "" to leave it
        QTest::newRow("ing never seen, to dominant") << "want" << "ing" << "to";
        QTest::newRow("to never seen, ing dominant") << "suggest" << "to" << "ing";
        QTest::newRow("to never seen, to + -ing dominant") << "object" << "to" << "to-ing";
        QTest::newRow("the written form seen") << "want" << "to" << "";
        QTest::newRow("both forms common") << "start" << "ing" << "";
        QTest::newRow("the written form seen a little") << "like" << "ing" << "";
        QTest::newRow("too few verbs seen after it") << "promise" << "ing" << "";
        QTest::newRow("a verb that seldom takes a verb (sat reading)") << "sit" << "to" << "";
        QTest::newRow("unknown verb") << "xyzzy" << "to" << "";
    }

    void decide()
    {
        QFETCH(QString, key);
        QFETCH(QString, written);
        QFETCH(QString, expected);
        const S::Column form = written == QLatin1String("to") ? S::Infinitive : S::Gerund;
        const int got = VerbComplementRule::decide(m_rule->countsOf(key.toStdString()), form, m_rule->gate());
        QCOMPARE(got < 0 ? QString() : QString::fromStdString(S::classNames()[size_t(got)]), expected);
    }

    void gateDirections()
    {
        VerbComplementRule::Gate gate = m_rule->gate();
        gate.toInfinitive = false;
        QCOMPARE(VerbComplementRule::decide(m_rule->countsOf("want"), S::Gerund, gate), -1);
        QCOMPARE(VerbComplementRule::decide(m_rule->countsOf("suggest"), S::Infinitive, gate), int(S::Gerund));
        gate = m_rule->gate();
        gate.toGerund = false;
        QCOMPARE(VerbComplementRule::decide(m_rule->countsOf("suggest"), S::Infinitive, gate), -1);
        QCOMPARE(VerbComplementRule::decide(m_rule->countsOf("want"), S::Gerund, gate), int(S::Infinitive));
    }

    // whole sentences through the tagger with the table above: the finding, or none
    void check_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected"); // "kind: written -> suggestion", or ""
        QTest::newRow("suggest to") << "I suggest to go to the park." << "verb_gerund: to go -> going";
        QTest::newRow("considered to") << "We considered to move abroad." << "verb_gerund: to move -> moving";
        QTest::newRow("want -ing") << "I want going home." << "verb_infinitive: going -> to go";
        QTest::newRow("decided -ing") << "They decided going abroad." << "verb_infinitive: going -> to go";
        QTest::newRow("negated") << "He decided not going there." << "verb_infinitive: not going -> not to go";
        QTest::newRow("to as a preposition") << "They object to pay taxes." << "gerund_after_preposition: pay -> paying";
        QTest::newRow("clean: want to") << "I want to go home." << "";
        QTest::newRow("clean: suggest doing") << "I suggest going to the park." << "";
        // guard: both forms right, with different meanings
        QTest::newRow("both forms: stopped to smoke (in order to)") << "He stopped to smoke a cigarette." << "";
        QTest::newRow("both forms: can't stand to wait") << "I can't stand to wait." << "";
        // guard: an object and a bare verb
        QTest::newRow("object and bare verb: let him go") << "Please let him go home." << "";
        QTest::newRow("object and bare verb: saw them leave") << "We saw them leave early." << "";
        // guard: the -ing word is a noun
        QTest::newRow("noun -ing: want clothing") << "They want clothing." << "";
        QTest::newRow("noun -ing: the building") << "I like the building." << "";
        QTest::newRow("noun -ing as a modifier") << "The institute seeks licensing partners." << "";
        // guard: the -ing word is an adjective
        QTest::newRow("adjective -ing: seems boring") << "The film seems boring." << "";
        QTest::newRow("adjective -ing after a verb of its own") << "They chose interesting topics." << "";
        // the -ing form is the verb of another clause
        QTest::newRow("the -ing form opens a clause") << "I think going abroad is good." << "";
        QTest::newRow("passive with its infinitive") << "He was considered to be the best." << "";
    }

    void check()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        const Tagged t = tag(sentence);
        std::vector<Finding> found;
        m_rule->check(t.tokens, t.tags, &found);
        QCOMPARE(described(found), expected);
    }

    // the guards by kind, on slots the table alone would flag
    void guards_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QString>("guard"); // "" for none
        QTest::newRow("stop") << "He stopped to smoke ." << "PRP VBD TO VB ." << "both_forms";
        QTest::newRow("stand") << "I can't stand to wait ." << "PRP MD VB TO VB ." << "both_forms";
        QTest::newRow("let") << "Let going ." << "VB VBG ." << "object_verb";
        QTest::newRow("see") << "I see to eat ." << "PRP VBP TO VB ." << "object_verb";
        QTest::newRow("noun without an object") << "They want clothing ." << "PRP VBP VBG ." << "noun_ing";
        QTest::newRow("noun before a noun") << "They want parking spaces ." << "PRP VBP VBG NNS ." << "noun_ing";
        QTest::newRow("adjective") << "They want amazing ." << "PRP VBP VBG ." << "adjective_ing";
        QTest::newRow("a verb with its object") << "They want going home ." << "PRP VBP VBG RB ." << "";
        QTest::newRow("infinitive, no guard") << "We suggest to go ." << "PRP VBP TO VB ." << "";
    }

    void guards()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QString, guard);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        const std::vector<std::string> t = splitTags(tags);
        const std::vector<S::Slot> found = S::find(tokens, t, *m_lexicon);
        QCOMPARE(found.size(), size_t(1));
        const char *got = VerbComplementRule::guard(tokens, t, found[0], *m_lexicon);
        QCOMPARE(QString::fromLatin1(got ? got : ""), guard);
    }

    // findings of rules before it leave the slot alone
    void earlierFindingWins()
    {
        const Tagged t = tag(QStringLiteral("I want going home."));
        std::vector<Finding> found(1);
        found[0].start = t.tokens[1].start;
        found[0].end = t.tokens[1].end;
        m_rule->check(t.tokens, t.tags, &found);
        QCOMPARE(found.size(), size_t(1));
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        const std::string good = row("want", 360, 0, 0, 700);
        QTest::newRow("valid") << QByteArray::fromStdString(header() + good) << true;
        QTest::newRow("valid with a particle") << QByteArray::fromStdString(header() + row("give_up", 0, 4, 0, 40))
                                               << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not a table\n") << false;
        QTest::newRow("truncated after the first line") << QByteArray("pennova-verb-complements 1\n") << false;
        QTest::newRow("other columns") << QByteArray("pennova-verb-complements 1\nclasses to ing\n") << false;
        QTest::newRow("row cut short") << QByteArray::fromStdString(header() + "want 1 2\n") << false;
        QTest::newRow("row with a word for a count") << QByteArray::fromStdString(header() + "want 1 2 x 4\n") << false;
        QTest::newRow("row with an extra count") << QByteArray::fromStdString(header() + "want 1 2 3 4 5\n") << false;
        QTest::newRow("negative count") << QByteArray::fromStdString(header() + row("want", -1, 0, 0, 5)) << false;
        QTest::newRow("oversized count") << QByteArray::fromStdString(header() + row("want", 1, 0, 0, 2000000000))
                                         << false;
        QTest::newRow("bad key") << QByteArray::fromStdString(header() + row("Want!", 1, 0, 0, 5)) << false;
        QTest::newRow("repeated row") << QByteArray::fromStdString(header() + good + good) << false;
        QTest::newRow("oversized line")
            << QByteArray::fromStdString(header() + std::string(VerbComplementRule::kMaxLine, 'a') + " 1 0 0 1\n")
            << false;
    }

    void load()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        VerbComplementRule rule(*m_lexicon);
        std::istringstream in(text.toStdString());
        std::string error;
        QCOMPARE(rule.load(in, &error), valid);
        QCOMPARE(error.empty(), valid);
        QCOMPARE(rule.rows(), size_t(valid ? 1 : 0));
    }

    void missingFileLeavesTheRuleSilent()
    {
        VerbComplementRule rule(*m_lexicon);
        std::string error;
        QVERIFY(!rule.load("/nonexistent/verb-complements.txt", &error));
        QVERIFY(!error.empty());
        const Tagged t = tag(QStringLiteral("I want going home."));
        std::vector<Finding> found;
        rule.check(t.tokens, t.tags, &found);
        QVERIFY(found.empty());
    }

    // the same counts give the same file whatever order they were gathered in, and read back
    void saveIsReproducible()
    {
        VerbComplementRule::Table a, b;
        const std::vector<std::string> keys = {"want", "give_up", "enjoy", "decide"};
        for (size_t i = 0; i < keys.size(); ++i) {
            a[keys[i]] = VerbComplementRule::Counts(size_t(S::kColumns), uint32_t(i + 1));
            b[keys[keys.size() - 1 - i]] = VerbComplementRule::Counts(size_t(S::kColumns), uint32_t(keys.size() - i));
        }
        std::ostringstream outA, outB;
        QVERIFY(VerbComplementRule::save(outA, a));
        QVERIFY(VerbComplementRule::save(outB, b));
        QCOMPARE(outA.str(), outB.str());
        VerbComplementRule rule(*m_lexicon);
        std::istringstream in(outA.str());
        QVERIFY(rule.load(in));
        QCOMPARE(rule.rows(), keys.size());
        QCOMPARE(*rule.countsOf("give_up"), a.at("give_up"));
    }

    // the table the server ships, counted from native text, decides the common slips alone
    void shippedTable_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected");
        QTest::newRow("want -ing") << "I want going home." << "verb_infinitive: going -> to go";
        QTest::newRow("decided -ing") << "They decided going abroad." << "verb_infinitive: going -> to go";
        QTest::newRow("considered to") << "We considered to move abroad." << "verb_gerund: to move -> moving";
        QTest::newRow("finished to") << "She finished to read the book." << "verb_gerund: to read -> reading";
        QTest::newRow("clean: want to") << "I want to go home." << "";
        QTest::newRow("clean: finished reading") << "She finished reading the book." << "";
        QTest::newRow("clean: start either way") << "It started raining." << "";
        QTest::newRow("clean: stopped to smoke") << "He stopped to smoke." << "";
    }

    void shippedTable()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        VerbComplementRule shipped(*m_lexicon);
        std::string error;
        QVERIFY2(shipped.load(ShippedData::folder(ShippedData::Checker) + "/verb-complements.txt", &error),
                 error.c_str());
        QVERIFY(shipped.rows() >= 100);
        const Tagged t = tag(sentence);
        std::vector<Finding> found;
        shipped.check(t.tokens, t.tags, &found);
        QCOMPARE(described(found), expected);
    }

    // the checker runs the table after its hand-written rules, and explains what it finds
    void checkerRunsIt()
    {
        const EnglishChecker checker;
        QVERIFY(checker.registry().find("verb_complement_model"));
        const Json::Value record = checker.checkSentence(0, "I want going home.", 0, {}, {});
        bool found = false;
        for (const Json::Value &c : record["corrections"]) {
            if (c["explainType"].asString() != "verb_infinitive")
                continue;
            found = true;
            QCOMPARE(QString::fromStdString(c["candidates"][0u]["correction"].asString()), QStringLiteral("to go"));
        }
        QVERIFY(found);
        const QString page = QString::fromStdString(checker.explanationHtml("/?et=verb_infinitive&fk=x"));
        QVERIFY(!page.contains(QStringLiteral("暂无")));
        QVERIFY(page.contains(QStringLiteral("不定式")));
        // "enjoy to" and "decided going" are the hand-written rules': one finding each, theirs
        for (const char *sentence : {"I enjoy to swim in the sea.", "They decided going abroad."}) {
            const Json::Value handled = checker.checkSentence(0, sentence, 0, {}, {});
            QCOMPARE(int(handled["corrections"].size()), 1);
            QVERIFY(handled["corrections"][0u]["explainType"].asString() != "verb_infinitive");
        }
    }
};

QTEST_GUILESS_MAIN(TestCheckerComplements)
#include "tst_checker_complements.moc"
