// The preposition classifier's slots and features (what pennova-preptrain learns from native
// text), the model file with its twelve classes, and the shipped model on clear native uses.

#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "perceptronmodel.h"
#include "prepositionchoicerule.h"
#include "prepositionmodelrule.h"
#include "postagger.h"
#include "prepositionmodelslots.h"
#include "shippeddata.h"

#include "support/taggedsentence.h"
#include <QtTest>

#include <memory>
#include <sstream>

using namespace PennovaChecker;
using M = PrepositionModelSlots;

namespace {

QString wordOf(const Tagged &t, int i)
{
    return i < 0 ? QStringLiteral("-") : QString::fromStdString(t.tokens[size_t(i)].text);
}

// "preposition:g=governor:o=object:v=verb" for each slot
QStringList describeSlots(const Tagged &t)
{
    QStringList out;
    for (const M::Slot &s : M::find(t.tokens, t.tags))
        out << wordOf(t, s.at) + ":g=" + wordOf(t, s.governor) + ":o=" + wordOf(t, s.object) + ":v=" + wordOf(t, s.verb);
    return out;
}

QStringList featuresOfFirst(const Tagged &t)
{
    const std::vector<M::Slot> found = M::find(t.tokens, t.tags);
    if (found.empty())
        return {};
    QStringList out;
    for (const std::string &f : M::featureNames(t.tokens, t.tags, found.front()))
        out << QString::fromStdString(f);
    return out;
}

QByteArray header()
{
    QByteArray h = "pennova-perceptron 1\nclasses";
    for (const std::string &c : M::classNames())
        h += " " + QByteArray::fromStdString(c);
    return h + "\n";
}

QByteArray weights(int count)
{
    QByteArray w;
    for (int c = 0; c < count; ++c)
        w += " " + QByteArray::number(c == 1 ? 3.5 : 0.25);
    return w;
}

} // namespace

class TestCheckerPrepModel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<NounForms> m_nouns;
    std::unique_ptr<Lemmatizer> m_lemmatizer;
    PosTagger m_tagger;
    PerceptronModel m_model;

private slots:
    void initTestCase()
    {
        const std::string data = ShippedData::folder(ShippedData::Checker);
        m_lexicon = std::make_unique<Lexicon>(data, "/usr/share/wordnet");
        m_nouns = std::make_unique<NounForms>(*m_lexicon, "/usr/share/wordnet");
        m_lemmatizer = std::make_unique<Lemmatizer>(*m_lexicon, *m_nouns);
        QVERIFY(m_tagger.load(data + "/pos-model.txt"));
        std::string error;
        QVERIFY2(m_model.load(data + "/preposition-classifier.txt", &error), error.c_str());
    }

    void prepositionSlots_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a verb's preposition and its object")
            << "They depend on their parents." << "PRP VBP IN PRP$ NNS ."
            << QStringList{"on:g=depend:o=parents:v=depend"};
        QTest::newRow("an adjective's, over an adverb of manner")
            << "He prepared carefully for the exam." << "PRP VBD RB IN DT NN ."
            << QStringList{"for:g=prepared:o=exam:v=prepared"};
        QTest::newRow("a noun's, the clause's verb further back")
            << "She made a cake for her mother." << "PRP VBD DT NN IN PRP$ NN ."
            << QStringList{"for:g=cake:o=mother:v=made"};
        QTest::newRow("to before a noun is a preposition") << "I went to school." << "PRP VBD TO NN ."
                                                           << QStringList{"to:g=went:o=school:v=went"};
        QTest::newRow("to before a verb is an infinitive's") << "I want to go home." << "PRP VBP TO VB NN ."
                                                             << QStringList{};
        QTest::newRow("a particle is the verb's own") << "She looked up the word." << "PRP VBD RP DT NN ."
                                                      << QStringList{};
        QTest::newRow("a sentence's opening time phrase has no governor")
            << "In the morning we run." << "IN DT NN PRP VBP ." << QStringList{"In:g=-:o=morning:v=-"};
        QTest::newRow("a stranded preposition has no object")
            << "This is the house we looked at." << "DT VBZ DT NN PRP VBD IN ."
            << QStringList{"at:g=looked:o=-:v=looked"};
        QTest::newRow("the clause's verb is not looked for past a conjunction")
            << "I know that in winter it snows." << "PRP VBP IN IN NN PRP VBZ ."
            << QStringList{"in:g=-:o=winter:v=-"};
        QTest::newRow("a preposition outside the set") << "He walked through the park." << "PRP VBD IN DT NN ."
                                                       << QStringList{};
        QTest::newRow("tags of another length") << "They depend on their parents." << "PRP VBP IN" << QStringList{};
    }

    void prepositionSlots()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, expected);
        QCOMPARE(describeSlots(tagged(sentence, tags)), expected);
    }

    // What the classifier reads: present and absent features of the first slot.
    void features_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("an adjective governs")
            << "He is interested in music." << "PRP VBZ JJ IN NN ."
            << QStringList{"g=J:interested", "o=music", "ot=NN", "go=J:interested music", "v=is"}
            << QStringList{"otime", "ocap"};
        QTest::newRow("a time object") << "We met in the morning." << "PRP VBD IN DT NN ."
                                       << QStringList{"otime", "od=the NN", "g=V:met"} << QStringList{"ocap"};
        QTest::newRow("a place is no time") << "We met in the kitchen." << "PRP VBD IN DT NN ."
                                            << QStringList{"o=kitchen"} << QStringList{"otime"};
        QTest::newRow("a name") << "She lives in London." << "PRP VBZ IN NNP ." << QStringList{"ocap", "o=london"}
                                << QStringList{};
        QTest::newRow("a gerund object") << "She is good at drawing." << "PRP VBZ JJ IN VBG ."
                                         << QStringList{"o=ing:drawing", "g=J:good"} << QStringList{};
        QTest::newRow("a noun governs; the clause's verb with the object")
            << "She made a cake for her mother." << "PRP VBD DT NN IN PRP$ NN ."
            << QStringList{"g=N:cake", "v=made", "vo=made mother", "od=her NN"} << QStringList{"gadv=N:cake"};
        QTest::newRow("over an adverb") << "He prepared carefully for the exam." << "PRP VBD RB IN DT NN ."
                                        << QStringList{"g=V:prepared", "gadv=V:prepared", "p1=carefully"}
                                        << QStringList{};
        QTest::newRow("no object") << "This is the house we looked at." << "DT VBZ DT NN PRP VBD IN ."
                                   << QStringList{"o=none ."} << QStringList{"ot=NN"};
    }

    void features()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const QStringList names = featuresOfFirst(tagged(sentence, tags));
        QVERIFY(!names.isEmpty());
        for (const QString &f : present)
            QVERIFY2(names.contains(f), qPrintable(f + " missing from " + names.join(QLatin1Char('|'))));
        for (const QString &f : absent)
            QVERIFY2(!names.contains(f), qPrintable(f + " in " + names.join(QLatin1Char('|'))));
    }

    // The preposition itself is no feature: the learner's choice and the native one read the same.
    void featuresIgnoreThePreposition_data()
    {
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("tags");
        QTest::newRow("an adjective's") << "He is interested on music." << "He is interested in music."
                                        << "PRP VBZ JJ IN NN .";
        QTest::newRow("a subject's") << "She is good in math." << "She is good at math." << "PRP VBZ JJ IN NN .";
        QTest::newRow("a verb's") << "It depends from the weather." << "It depends on the weather."
                                  << "PRP VBZ IN DT NN .";
    }

    void featuresIgnoreThePreposition()
    {
        QFETCH(QString, wrong);
        QFETCH(QString, right);
        QFETCH(QString, tags);
        const QStringList a = featuresOfFirst(tagged(wrong, tags)), b = featuresOfFirst(tagged(right, tags));
        QVERIFY(!a.isEmpty());
        QCOMPARE(a, b);
    }

    // The model file with the twelve prepositions: more classes than the other models had.
    void modelFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        const QByteArray key = QByteArray::number(qulonglong(PerceptronModel::hash("x")), 16);
        QTest::newRow("a row per class") << header() + "features 1\n" + key + weights(M::kClasses) + "\n" << true;
        QTest::newRow("a row a weight short") << header() + "features 1\n" + key + weights(M::kClasses - 1) + "\n"
                                              << false;
        QTest::newRow("a row a weight over") << header() + "features 1\n" + key + weights(M::kClasses + 1) + "\n"
                                             << false;
        QTest::newRow("truncated rows") << header() + "features 2\n" + key + weights(M::kClasses) + "\n" << false;
        QTest::newRow("truncated row") << header() + "features 1\n" + key + " 1 2" << false;
        QTest::newRow("row too long") << header() + "features 1\n" + key + weights(M::kClasses)
                + QByteArray(int(PerceptronModel::kMaxLine), ' ') + "\n"
                                      << false;
        QTest::newRow("garbage") << QByteArray("\x7f\x45\x4c\x46 binary\n") << false;
    }

    void modelFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        std::istringstream in(text.toStdString());
        PerceptronModel model;
        std::string error;
        QCOMPARE(model.load(in, &error), valid);
        QCOMPARE(error.empty(), valid);
        if (!valid) {
            QVERIFY(model.empty());
            return;
        }
        QCOMPARE(model.classes(), M::classNames());
        const std::vector<float> scores = model.scores({PerceptronModel::hash("x")});
        QCOMPARE(scores.size(), size_t(M::kClasses));
        QCOMPARE(scores[1], 3.5f);
        QCOMPARE(scores[size_t(M::kClasses) - 1], 0.25f);
    }

    // The flag decision on the classifier's scores.
    void decide_data()
    {
        QTest::addColumn<QList<float>>("scores");
        QTest::addColumn<int>("written");
        QTest::addColumn<float>("margin");
        QTest::addColumn<int>("expected");
        const auto scores = [](int best, float top, int second, float next) {
            QList<float> s(M::kClasses, 0.0f);
            s[best] = top;
            s[second] = next;
            return s;
        };
        QTest::newRow("the written one best") << scores(1, 30, 4, 2) << 1 << 25.0f << -1;
        QTest::newRow("another best by the margin") << scores(5, 30, 2, 1) << 2 << 25.0f << 5;
        QTest::newRow("another best, short of the margin") << scores(5, 30, 2, 6) << 2 << 25.0f << -1;
        QTest::newRow("exactly the margin") << scores(5, 25, 2, 0) << 2 << 25.0f << 5;
        QTest::newRow("the written one third: still the best is named") << scores(3, 40, 0, 39) << 6 << 25.0f << 3;
        QTest::newRow("written out of range") << scores(5, 30, 2, 1) << M::kClasses << 25.0f << -1;
        QTest::newRow("scores of another model") << QList<float>{30, 0, 0} << 1 << 25.0f << -1;
    }

    void decide()
    {
        QFETCH(QList<float>, scores);
        QFETCH(int, written);
        QFETCH(float, margin);
        QFETCH(int, expected);
        PrepositionModelRule::Gate gate;
        gate.margin = margin;
        QCOMPARE(PrepositionModelRule::decide(std::vector<float>(scores.begin(), scores.end()), written, gate),
                 expected);
    }

    // Which slots the rule lets the classifier judge.
    void judged_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<bool>("expected");
        QTest::newRow("a verb's object") << "Society faced to feminism." << "NN VBD TO NN ." << true;
        QTest::newRow("an adjective's, over an adverb in -ly") << "He prepared carefully to the exam."
                                                              << "PRP VBD RB IN DT NN ." << true;
        QTest::newRow("over another adverb") << "I have read so far for the view." << "PRP VBP VBN RB RB IN DT NN ."
                                             << false;
        QTest::newRow("after a noun") << "She made a cake for her mother." << "PRP VBD DT NN IN PRP$ NN ." << false;
        QTest::newRow("after a gerund") << "It leads to increasing of benefits." << "PRP VBZ TO VBG IN NNS ." << false;
        QTest::newRow("a time") << "We met in the morning." << "PRP VBD IN DT NN ." << false;
        QTest::newRow("a name") << "She lives in London." << "PRP VBZ IN NNP ." << false;
        QTest::newRow("a number in the phrase") << "He performed on four continents." << "PRP VBD IN CD NNS ."
                                                << false;
        QTest::newRow("a gerund object") << "I learned from taking the class." << "PRP VBD IN VBG DT NN ." << false;
        QTest::newRow("after a particle") << "We sat in on the talks." << "PRP VBD RP IN DT NNS ." << false;
        QTest::newRow("no governor") << "In the end we won." << "IN DT NN PRP VBD ." << false;
        QTest::newRow("no object") << "This is the house we looked at." << "DT VBZ DT NN PRP VBD IN ." << false;
        QTest::newRow("a participle's by names the doer") << "Benefits are earned by the workers."
                                                          << "NNS VBP VBN IN DT NNS ." << false;
        QTest::newRow("a participle's other preposition") << "Benefits are earned from the workers."
                                                          << "NNS VBP VBN IN DT NNS ." << true;
    }

    void judged()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(bool, expected);
        const Tagged t = tagged(sentence, tags);
        const std::vector<M::Slot> found = M::find(t.tokens, t.tags);
        QVERIFY(!found.empty());
        QCOMPARE(PrepositionModelRule::judged(t.tokens, t.tags, found.back()), expected);
    }

    // The table's row of the word before: counted often enough, never with the written preposition.
    void tableAllows_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<bool>("expected");
        //                           of in to for on with at from about by into over -
        QTest::newRow("never written, often counted") << QByteArray("V:face 0 0 0 0 0 6 0 0 0 0 0 0 30") << true;
        QTest::newRow("written once") << QByteArray("V:face 0 0 1 0 0 6 0 0 0 0 0 0 30") << false;
        QTest::newRow("too few prepositions counted") << QByteArray("V:face 0 0 0 0 0 4 0 0 0 0 0 0 90") << false;
        QTest::newRow("no row for the word") << QByteArray("V:meet 0 0 0 0 0 9 0 0 0 0 0 0 30") << false;
        QTest::newRow("a word seen too seldom in all") << QByteArray("V:face 0 0 0 0 0 6 0 0 0 0 0 0 8") << false;
        QTest::newRow("seen just often enough in all") << QByteArray("V:face 0 0 0 0 0 6 0 0 0 0 0 0 14") << true;
    }

    void tableAllows()
    {
        QFETCH(QByteArray, row);
        QFETCH(bool, expected);
        PrepositionChoiceRule counts(*m_lexicon);
        std::istringstream in("pennova-preposition-counts 1\nclasses of in to for on with at from about by into over -\n"
                              + row.toStdString() + "\n");
        std::string error;
        QVERIFY2(counts.load(in, &error), error.c_str());
        PrepositionModelRule rule;
        rule.setCounts(&counts);
        Tagged t = tagged("Society faced to feminism.", "NN VBD TO NN .");
        t.tokens[1].lemma = "face";
        const std::vector<M::Slot> found = M::find(t.tokens, t.tags);
        QCOMPARE(found.size(), size_t(1));
        QCOMPARE(rule.tableAllows(t.tokens, t.tags, found.front()), expected);
    }

    // A lead short of the full margin is enough where the table's own first choice after the
    // word agrees with the classifier; a passive participle's phrase waits for the full margin.
    void nearChoice_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("best");
        QTest::addColumn<float>("lead");
        QTest::addColumn<QString>("expected");
        const QString active = "It depends from the weather.", activeTags = "PRP VBZ IN DT NN .";
        //                                  of in to for on with at from about by into over -
        const QByteArray dominant("V:depend 0 1 0 2 58 0 0 0 1 2 0 0 9");
        QTest::newRow("the table's first choice by the smaller lead")
            << active << activeTags << dominant << "on" << 22.0f << "on";
        QTest::newRow("short of the smaller lead") << active << activeTags << dominant << "on" << 21.5f << "";
        QTest::newRow("the classifier's best not the table's first")
            << active << activeTags << dominant << "for" << 24.0f << "";
        QTest::newRow("the table's first choice too weak a share")
            << active << activeTags << QByteArray("V:depend 0 9 0 8 12 0 0 0 1 2 0 0 9") << "on" << 24.0f << "";
        QTest::newRow("no row for the word")
            << active << activeTags << QByteArray("V:rely 0 1 0 2 58 0 0 0 1 2 0 0 9") << "on" << 24.0f << "";
        QTest::newRow("the written one best") << active << activeTags << dominant << "from" << 30.0f << "";
        QTest::newRow("a passive participle")
            << "It was depended from the weather." << "PRP VBD VBN IN DT NN ." << dominant << "on" << 24.0f << "";
        QTest::newRow("a verb paired with a plural before it")
            << "Views and depends from the weather." << "NNS CC VBZ IN DT NN ." << dominant << "on" << 24.0f << "";
        QTest::newRow("a verb after and after a singular")
            << "It rains and depends from the weather." << "PRP VBZ CC VBZ IN DT NN ." << dominant << "on" << 24.0f
            << "on";
        QTest::newRow("a participle without be")
            << "Things depended from the weather." << "NNS VBN IN DT NN ." << dominant << "on" << 24.0f << "on";
    }

    void nearChoice()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QByteArray, row);
        QFETCH(QString, best);
        QFETCH(float, lead);
        QFETCH(QString, expected);
        PrepositionChoiceRule counts(*m_lexicon);
        std::istringstream in("pennova-preposition-counts 1\nclasses of in to for on with at from about by into over -\n"
                              + row.toStdString() + "\n");
        std::string error;
        QVERIFY2(counts.load(in, &error), error.c_str());
        PrepositionModelRule rule;
        rule.setCounts(&counts);
        Tagged t = tagged(sentence, tags);
        m_lemmatizer->fill(&t.tokens, t.tags);
        const std::vector<M::Slot> found = M::find(t.tokens, t.tags);
        QCOMPARE(found.size(), size_t(1));
        std::vector<float> scores(M::kClasses, 0.0f);
        scores[size_t(M::classOf(best.toStdString()))] = lead;
        const int choice = rule.nearChoice(t.tokens, t.tags, found.front(), scores);
        QCOMPARE(choice < 0 ? QString() : QString::fromStdString(M::classNames()[size_t(choice)]), expected);
    }

    // The shipped model on common native uses: its best class is the written preposition, so
    // the trainer and the checker read the same features. (It is right on about 61 % of held-out
    // native prepositions and misreads some plain ones, "stayed at home" as "with", which is why
    // no rule flags by it alone.)
    void shippedModelOnNativeUses_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("preposition");
        QTest::newRow("a verb's") << "The result depends on the weather." << "on";
        QTest::newRow("an adjective's") << "She is interested in modern music." << "in";
        QTest::newRow("an adjective's of") << "He has always been afraid of dogs." << "of";
        QTest::newRow("a verb's to") << "We listened to the radio all evening." << "to";
        QTest::newRow("a time") << "He usually works in the morning." << "in";
        QTest::newRow("a place") << "She was at home all day." << "at";
        QTest::newRow("a passive's agent") << "The book was written by a famous author." << "by";
    }

    void shippedModelOnNativeUses()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, preposition);
        QCOMPARE(m_model.classes(), M::classNames());
        std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        const std::vector<std::string> tags = m_tagger.tag(tokens);
        m_lemmatizer->fill(&tokens, tags);
        const std::vector<M::Slot> found = M::find(tokens, tags);
        const auto slot = std::find_if(found.begin(), found.end(), [&](const M::Slot &s) {
            return tokens[size_t(s.at)].lower == preposition.toStdString();
        });
        QVERIFY(slot != found.end());
        const std::vector<float> scores = m_model.scores(M::features(tokens, tags, *slot));
        const int best = int(std::max_element(scores.begin(), scores.end()) - scores.begin());
        QCOMPARE(QString::fromStdString(M::classNames()[size_t(best)]), preposition);
    }
};

QTEST_GUILESS_MAIN(TestCheckerPrepModel)
#include "tst_checker_prepmodel.moc"
