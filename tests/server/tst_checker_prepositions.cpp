// The preposition table: the slots it reads after verbs, adjectives and nouns, when it
// overrules the writer, the table file it accepts, and its findings on learner sentences
// beside right look-alikes (attachment, phrasal verbs, times and places).

#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "postagger.h"
#include "prepositionchoicerule.h"
#include "prepositionslots.h"
#include "shippeddata.h"
#include "support/prepositioncounts.h"
#include "wordforms.h"

#include <QtTest>

#include <memory>
#include <sstream>

using namespace PennovaChecker;
using P = PrepositionSlots;

namespace {

using PrepositionCounts::row;

std::string header()
{
    return PrepositionCounts::header("pennova-preposition-counts 1");
}

// As native text has them: one word chooses, the others attach what they like.
std::string nativeTable()
{
    return header() + row("J:interested", {{"in", 180}, {"to", 2}})
        + row("V:depend", {{"on", 150}, {"upon", 0}, {"in", 3}})
        + row("V:arrive", {{"at", 60}, {"in", 55}, {"on", 8}, {"from", 10}})
        + row("V:discuss", {{"-", 120}, {"with", 6}, {"in", 4}})
        + row("V:mention", {{"-", 90}, {"in", 5}, {"to", 3}})
        + row("V:listen", {{"to", 140}, {"for", 3}})
        + row("V:look", {{"at", 300}, {"for", 120}, {"in", 40}, {"into", 30}, {"-", 10}})
        + row("V:give", {{"-", 400}, {"to", 60}})
        + row("V:need", {{"-", 150}, {"for", 2}})
        + row("J:good", {{"at", 30}, {"for", 40}, {"to", 20}, {"in", 25}})
        + row("N:reason", {{"for", 120}, {"of", 40}, {"to", 4}})
        + row("N:effect", {{"on", 70}, {"of", 90}})
        + row("J:proud", {{"of", 25}})
        // seen too seldom for the gate of choices, but taking its object directly in nearly all its
        // active uses; its passive agent says nothing of those
        + row("V:influence", {{"-", 16}, {"by", 12}})
        + row("V:trust", {{"-", 15}, {"in", 3}})
        + row("V:master", {{"-", 6}})
        + row("V:represent", {{"-", 30}})
        // a participle whose favourite is its agent
        + row("V:determine", {{"by", 50}, {"-", 20}})
        // before a person and an infinitive nearly every adjective takes "for"; one takes "of"
        + row("J:+i", {{"for", 28}, {"of", 1}}) + row("J:foolish+i", {{"of", 1}}) + row("J:easy+i", {{"for", 4}})
        // an adjective that takes "to" itself: "open to anyone to join"
        + row("J:open", {{"to", 24}, {"for", 6}});
}

} // namespace

class TestCheckerPrepositions : public QObject
{
    Q_OBJECT

private:
    // The preposition slots of a sentence read with the given tags.
    std::vector<P::Slot> slotsOf(const QString &sentence, const QString &tags) const
    {
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<std::string> t;
        for (const QString &x : tags.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            t.push_back(x.toStdString());
        return P::find(tokens, t, *m_lexicon);
    }

    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<WordForms> m_forms;
    std::unique_ptr<NounForms> m_nouns;
    std::unique_ptr<PosTagger> m_tagger;
    std::unique_ptr<Lemmatizer> m_lemmatizer;
    std::unique_ptr<PrepositionChoiceRule> m_rule;

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
        m_rule = std::make_unique<PrepositionChoiceRule>(*m_lexicon);
        std::istringstream in(nativeTable());
        QVERIFY2(m_rule->load(in, &error), error.c_str());
    }

    // the slots as "key/column" with the tags written out, so the tagger's mood does not matter
    void slotsFound_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("adjective and its preposition") << "I am interested in music ." << "PRP VBP JJ IN NN ."
                                                       << QStringList{"J:interested/in"};
        QTest::newRow("verb, lemma from the token") << "It depends on the weather ." << "PRP VBZ IN DT NN ."
                                                    << QStringList{"V:depends/on"};
        QTest::newRow("direct object") << "We discussed the plan ." << "PRP VBD DT NN ." << QStringList{"V:discussed/-"};
        QTest::newRow("noun before a noun's preposition")
            << "The reason for the delay ." << "DT NN IN DT NN ." << QStringList{"N:reason/for"};
        QTest::newRow("infinitive to is no preposition") << "I want to go ." << "PRP VBP TO VB ." << QStringList{};
        QTest::newRow("a particle is the verb's own") << "Look up the word ." << "VB RP DT NN ." << QStringList{};
        QTest::newRow("stranded preposition") << "the house we looked at ." << "DT NN PRP VBD IN ." << QStringList{};
        QTest::newRow("the subject of a clause is no object") << "I think the plan works ." << "PRP VBP DT NN VBZ ."
                                                             << QStringList{};
        QTest::newRow("auxiliary is no governor") << "He is in the room ." << "PRP VBZ IN DT NN ." << QStringList{};
        QTest::newRow("quantifier is no governor") << "too much about it ." << "RB JJ IN PRP ." << QStringList{};
        QTest::newRow("tags of another length") << "I am interested in music ." << "PRP VBP" << QStringList{};
    }

    // an adjective's person-and-infinitive frame, besides its own row
    void frameKeys_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("expected"); // "key/frame key/pooled key" per slot
        QTest::newRow("person and infinitive") << "It is easy for me to say ." << "PRP VBZ JJ IN PRP TO VB ."
                                               << QStringList{"J:easy/J:easy+i/J:+i"};
        QTest::newRow("person without infinitive") << "It is easy for me ." << "PRP VBZ JJ IN PRP ."
                                                   << QStringList{"J:easy//"};
        QTest::newRow("a thing is no person") << "It is easy for the kids to say ." << "PRP VBZ JJ IN DT NNS TO VB ."
                                              << QStringList{"J:easy//"};
        QTest::newRow("to before a noun is no infinitive") << "It is close to me to the station ."
                                                           << "PRP VBZ JJ TO PRP TO DT NN ."
                                                           << QStringList{"J:close//"};
        QTest::newRow("a particle read as an adjective") << "It is up to you to decide ."
                                                         << "PRP VBZ JJ TO PRP TO VB ." << QStringList{"J:up//"};
        QTest::newRow("a verb's frame is its own") << "He appealed to us to stay ." << "PRP VBD TO PRP TO VB ."
                                                   << QStringList{"V:appealed//"};
    }

    void frameKeys()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const P::Slot &s : slotsOf(sentence, tags))
            got << QString::fromStdString(P::key(s) + "/" + P::frameKey(s) + "/" + P::pooledFrameKey(s));
        QCOMPARE(got, expected);
    }

    void slotsFound()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const P::Slot &s : slotsOf(sentence, tags))
            got << QString::fromStdString(P::key(s) + "/" + P::classNames()[size_t(s.column)]);
        QCOMPARE(got, expected);
    }

    void decide_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("participle");
        QTest::addColumn<bool>("nouns");       // the gate lets nouns speak
        QTest::addColumn<QString>("expected"); // "" to leave it
        QTest::newRow("choice: never seen, another dominant") << "J:interested" << 1 << "on" << false << false << "in";
        QTest::newRow("choice: seen, left alone") << "J:interested" << 1 << "to" << false << false << "";
        QTest::newRow("choice: no dominant preposition") << "J:good" << 1 << "with" << false << false << "";
        QTest::newRow("choice: too few seen") << "J:proud" << 1 << "from" << false << false << "";
        QTest::newRow("extra: the verb takes its object directly") << "V:discuss" << 0 << "about" << false << false << "-";
        QTest::newRow("extra: not after a passive") << "V:discuss" << 0 << "about" << true << false << "";
        QTest::newRow("missing: the verb never takes it directly") << "V:listen" << 0 << "-" << false << false << "to";
        QTest::newRow("missing: seen directly") << "V:look" << 0 << "-" << false << false << "";
        QTest::newRow("noun: of is no evidence") << "N:effect" << 2 << "to" << false << true << "";
        QTest::newRow("noun: another dominant") << "N:reason" << 2 << "about" << false << true << "for";
        QTest::newRow("noun: off by default") << "N:reason" << 2 << "about" << false << false << "";
        QTest::newRow("unknown word") << "V:xyzzy" << 0 << "on" << false << false << "";
        QTest::newRow("extra: few seen, nearly every active use direct") << "V:influence" << 0 << "on" << false << false
                                                                          << "-";
        QTest::newRow("extra: about after such a verb") << "V:influence" << 0 << "about" << false << false << "-";
        QTest::newRow("extra: the agent's by is no extra") << "V:influence" << 0 << "by" << false << false << "";
        QTest::newRow("extra: with opens the clause's own phrase") << "V:influence" << 0 << "with" << false << false
                                                                   << "";
        QTest::newRow("extra: few seen, not after a passive") << "V:influence" << 0 << "on" << true << false << "";
        QTest::newRow("extra: the verb takes a preposition too") << "V:trust" << 0 << "on" << false << false << "";
        QTest::newRow("extra: too few active uses") << "V:master" << 0 << "on" << false << false << "";
        QTest::newRow("choice: a participle's favourite by is its agent") << "V:determine" << 0 << "at" << true
                                                                          << false << "";
    }

    void decide()
    {
        QFETCH(QString, key);
        QFETCH(int, kind);
        QFETCH(QString, written);
        QFETCH(bool, participle);
        QFETCH(bool, nouns);
        QFETCH(QString, expected);
        P::Slot s;
        s.kind = P::Governor(kind);
        s.lemma = key.mid(2).toStdString();
        s.column = written == QLatin1String("-") ? P::kDirect : P::classOf(written.toStdString());
        s.governor = 1;
        s.preposition = s.column == P::kDirect ? -1 : 2;
        s.participle = participle;
        PrepositionChoiceRule::Gate gate = m_rule->gate();
        gate.nouns = nouns;
        const int got = PrepositionChoiceRule::decide(m_rule->countsOf(key.toStdString()), s, gate);
        QCOMPARE(got < 0 ? QString() : QString::fromStdString(P::classNames()[size_t(got)]), expected);
    }

    // whole sentences through the tagger: the finding's kind and suggestion, or none
    void check_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected"); // "kind: written -> suggestion", or ""
        QTest::newRow("wrong preposition after an adjective")
            << "I am very interested on music." << "preposition_choice: on -> in";
        QTest::newRow("wrong preposition after a verb") << "The result depends of the weather."
                                                        << "preposition_choice: of -> on";
        QTest::newRow("extra preposition") << "We discussed about the plan." << "redundant_preposition: about -> ";
        QTest::newRow("missing preposition") << "I listen music every day." << "preposition_missing: listen -> listen to";
        QTest::newRow("clean: depend on") << "The result depends on the weather." << "";
        QTest::newRow("clean: arrive at") << "We arrived at the station." << "";
        QTest::newRow("clean: a time attaches to the clause") << "We discussed it in the morning." << "";
        QTest::newRow("clean: a place name") << "They arrived on Monday in Paris." << "";
        QTest::newRow("clean: phrasal verb") << "Look up the word in the dictionary." << "";
        QTest::newRow("clean: a passive's agent") << "The plan was discussed by the board." << "";
        QTest::newRow("clean: adjective before its noun") << "An interested reader on the bus smiled." << "";
        QTest::newRow("clean: a time after a wrong-looking preposition") << "It depends of the season." << "";
        QTest::newRow("clean: a bare noun before of is a preposition of its own")
            << "She is interested on behalf of her son." << "";
        QTest::newRow("clean: the object stands before the verb") << "I liked the account you gave of the trip." << "";
        QTest::newRow("left alone: to before an -ing form wants an infinitive, not a deletion")
            << "Children need to learning English." << "";
        QTest::newRow("clean: direct object") << "We discussed the plan." << "";
        QTest::newRow("extra preposition after a verb seen seldom") << "Such films can influence on children."
                                                                   << "redundant_preposition: on -> ";
        QTest::newRow("extra about after a verb seen seldom") << "These people represent about the nation."
                                                             << "redundant_preposition: about -> ";
        QTest::newRow("clean: about before an amount means roughly")
            << "These people represent about a quarter of the nation." << "";
        QTest::newRow("clean: about before a number") << "These people represent about 20 percent of the nation."
                                                      << "";
        QTest::newRow("frame: to before a person and an infinitive") << "It was very easy to me to understand him."
                                                                     << "preposition_choice: to -> for";
        QTest::newRow("frame: with before a person and an infinitive, no row of the adjective's own")
            << "It is very necessary with us to protect nature." << "preposition_choice: with -> for";
        QTest::newRow("clean frame: for") << "It was very easy for me to understand him." << "";
        QTest::newRow("clean frame: of, seen after this adjective") << "It was very foolish of him to go." << "";
        QTest::newRow("clean frame: the adjective takes to itself") << "It is always open to anyone to join." << "";
        QTest::newRow("clean: no infinitive after the person") << "It was very easy to me." << "";
    }

    // the frame speaks only when all adjectives' uses of it are many and agree
    void frameGate_data()
    {
        QTest::addColumn<int>("minTotal");
        QTest::addColumn<double>("minBestShare");
        QTest::addColumn<QString>("expected");
        QTest::newRow("enough uses, one preposition dominant") << 20 << 0.9 << "preposition_choice: to -> for";
        QTest::newRow("too few uses") << 30 << 0.9 << "";
        QTest::newRow("no preposition dominant enough") << 20 << 0.99 << "";
    }

    void frameGate()
    {
        QFETCH(int, minTotal);
        QFETCH(double, minBestShare);
        QFETCH(QString, expected);
        const PrepositionChoiceRule::Gate saved = m_rule->gate();
        PrepositionChoiceRule::Gate gate = saved;
        gate.frameMinTotal = uint32_t(minTotal);
        gate.frameMinBestShare = minBestShare;
        m_rule->setGate(gate);
        const Tagged t = tag(QStringLiteral("It was very easy to me to understand him."));
        std::vector<Finding> found;
        m_rule->check(t.tokens, t.tags, &found);
        m_rule->setGate(saved);
        QStringList got;
        for (const Finding &f : found)
            got << QString::fromStdString(f.explainType + ": " + f.errorInfo + " -> "
                                          + (f.candidates.empty() ? std::string() : f.candidates[0].correction));
        QCOMPARE(got.join(QLatin1String("; ")), expected);
    }

    // whether an unneeded preposition found after a verb is one, with the tags written out
    void extraStandsAlone_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<bool>("expected");
        QTest::newRow("after a modal") << "They can influence on children ." << "PRP MD VB IN NNS ." << true;
        QTest::newRow("after its subject") << "Films influence on children ." << "NNS VBP IN NNS ." << true;
        QTest::newRow("after more: the noun") << "Friends have more influence on them ." << "NNS VBP JJR VB IN PRP ."
                                              << false;
        QTest::newRow("after an adjective: the noun") << "It has strong influence on them ." << "PRP VBZ JJ VB IN PRP ."
                                                      << false;
        QTest::newRow("after a determiner: the noun") << "It has an effect on them ." << "PRP VBZ DT VB IN PRP ."
                                                      << false;
        QTest::newRow("about before a quantity") << "They represent about half the people ."
                                                 << "PRP VBP IN DT DT NNS ." << false;
        QTest::newRow("about before a topic") << "They represent about the people ." << "PRP VBP IN DT NNS ." << true;
    }

    void extraStandsAlone()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(bool, expected);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<std::string> t;
        for (const QString &x : tags.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            t.push_back(x.toStdString());
        QCOMPARE(t.size(), tokens.size());
        int verb = -1;
        for (size_t k = 0; k + 1 < t.size(); ++k)
            if (t[k].rfind("VB", 0) == 0 && t[k + 1] == "IN")
                verb = int(k);
        QVERIFY(verb > 0);
        P::Slot s;
        s.kind = P::Verb;
        s.governor = verb;
        s.preposition = verb + 1;
        s.object = verb + 2;
        s.column = P::classOf(tokens[size_t(verb) + 1].lower);
        QCOMPARE(PrepositionChoiceRule::extraStandsAlone(tokens, t, s), expected);
    }

    void check()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        const Tagged t = tag(sentence);
        std::vector<Finding> found;
        m_rule->check(t.tokens, t.tags, &found);
        QStringList got;
        const std::string text = sentence.toStdString();
        for (const Finding &f : found) {
            const QString candidate = f.candidates.empty() ? QString()
                                                           : QString::fromStdString(f.candidates[0].correction);
            got << QString::fromStdString(f.explainType + ": " + f.errorInfo + " -> ") + candidate;
        }
        QCOMPARE(got.join(QLatin1String("; ")), expected);
    }

    // the table the server ships, counted from native text, decides the common slips alone
    void shippedTable_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected");
        QTest::newRow("depend of") << "Success depends of hard work." << "preposition_choice: of -> on";
        QTest::newRow("responsible of") << "Parents are responsible of their children." << "preposition_choice: of -> for";
        QTest::newRow("aware about") << "She is aware about the risk." << "preposition_choice: about -> of";
        QTest::newRow("clean: depend on") << "Success depends on hard work." << "";
        QTest::newRow("clean: a time after the verb") << "They arrived in the morning." << "";
        QTest::newRow("clean: talk about") << "We talked about the plan." << "";
        QTest::newRow("to before a person and an infinitive") << "It is important to them to study hard."
                                                              << "preposition_choice: to -> for";
        QTest::newRow("clean: important to a person") << "It is important to them." << "";
        QTest::newRow("clean: important for a person to") << "It is important for them to study hard." << "";
        QTest::newRow("clean: open to anyone to join") << "It is open to anyone to join." << "";
    }

    void shippedTable()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        PrepositionChoiceRule shipped(*m_lexicon);
        std::string error;
        QVERIFY2(shipped.load(ShippedData::folder(ShippedData::Checker) + "/preposition-model.txt", &error),
                 error.c_str());
        const Tagged t = tag(sentence);
        std::vector<Finding> found;
        shipped.check(t.tokens, t.tags, &found);
        QStringList got;
        for (const Finding &f : found)
            got << QString::fromStdString(f.explainType + ": " + f.errorInfo + " -> "
                                          + (f.candidates.empty() ? std::string() : f.candidates[0].correction));
        QCOMPARE(got.join(QLatin1String("; ")), expected);
    }

    // findings of rules before it leave the slot alone
    void earlierFindingWins()
    {
        const Tagged t = tag(QStringLiteral("I am very interested on music."));
        std::vector<Finding> found(1);
        found[0].start = t.tokens[3].start;
        found[0].end = t.tokens[4].end;
        m_rule->check(t.tokens, t.tags, &found);
        QCOMPARE(found.size(), size_t(1));
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        const std::string good = row("V:depend", {{"on", 150}});
        QTest::newRow("valid") << QByteArray::fromStdString(header() + good) << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not a table\n") << false;
        QTest::newRow("truncated after the first line") << QByteArray("pennova-preposition-counts 1\n") << false;
        QTest::newRow("other columns") << QByteArray("pennova-preposition-counts 1\nclasses of in\n") << false;
        QTest::newRow("row cut short") << QByteArray::fromStdString(header() + "V:depend 1 2 3\n") << false;
        QTest::newRow("negative count") << QByteArray::fromStdString(header() + row("V:depend", {{"on", -1}}))
                                        << false;
        QTest::newRow("bad kind") << QByteArray::fromStdString(header() + row("X:depend", {{"on", 1}})) << false;
        QTest::newRow("repeated row") << QByteArray::fromStdString(header() + good + good) << false;
        QTest::newRow("oversized line")
            << QByteArray::fromStdString(header() + "V:" + std::string(PrepositionChoiceRule::kMaxLine, 'a') + " 1\n")
            << false;
    }

    void load()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        PrepositionChoiceRule rule(*m_lexicon);
        std::istringstream in(text.toStdString());
        std::string error;
        QCOMPARE(rule.load(in, &error), valid);
        QCOMPARE(error.empty(), valid);
        QCOMPARE(rule.rows(), size_t(valid ? 1 : 0));
    }

    void missingFileLeavesTheRuleSilent()
    {
        PrepositionChoiceRule rule(*m_lexicon);
        std::string error;
        QVERIFY(!rule.load("/nonexistent/preposition-model.txt", &error));
        const Tagged t = tag(QStringLiteral("I am very interested on music."));
        std::vector<Finding> found;
        rule.check(t.tokens, t.tags, &found);
        QVERIFY(found.empty());
    }

    // the same counts give the same file whatever order they were gathered in, and read back
    void saveIsReproducible()
    {
        PrepositionChoiceRule::Table a, b;
        const std::vector<std::string> keys = {"V:depend", "J:proud", "N:reason", "V:listen"};
        for (size_t i = 0; i < keys.size(); ++i) {
            a[keys[i]] = PrepositionChoiceRule::Counts(size_t(P::kColumns), uint32_t(i + 1));
            b[keys[keys.size() - 1 - i]] = PrepositionChoiceRule::Counts(size_t(P::kColumns), uint32_t(keys.size() - i));
        }
        std::ostringstream outA, outB;
        QVERIFY(PrepositionChoiceRule::save(outA, a));
        QVERIFY(PrepositionChoiceRule::save(outB, b));
        QCOMPARE(outA.str(), outB.str());
        PrepositionChoiceRule rule(*m_lexicon);
        std::istringstream in(outA.str());
        QVERIFY(rule.load(in));
        QCOMPARE(rule.rows(), keys.size());
        QCOMPARE(*rule.countsOf("N:reason"), a.at("N:reason"));
    }
};

QTEST_GUILESS_MAIN(TestCheckerPrepositions)
#include "tst_checker_prepositions.moc"
