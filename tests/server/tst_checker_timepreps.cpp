// The prepositions before phrases of time: the slots TimePrepositionRule reads (the same code
// counts native text in pennova-prepositiontrain), its decision on a table's counts, the word
// before that takes the preposition itself, and the table file.

#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "prepositionchoicerule.h"
#include "shippeddata.h"
#include "timeprepositionrule.h"

#include "support/taggedsentence.h"
#include <QtTest>

#include <memory>
#include <sstream>

using namespace PennovaChecker;

namespace {

QByteArray header() { return "pennova-time-prepositions 1\nclasses in on at\n"; }

// "preposition:phrase:head row" for each slot
QStringList describe(const Tagged &t)
{
    QStringList out;
    for (const TimePrepositionRule::Slot &s : TimePrepositionRule::find(t.tokens, t.tags))
        out << QString::fromStdString(t.tokens[size_t(s.at)].lower + ":" + s.phrase + ":" + s.head2);
    return out;
}

} // namespace

class TestCheckerTimePreps : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<NounForms> m_nouns;
    std::unique_ptr<Lemmatizer> m_lemmatizer;

    // Hand-tagged tokens with the checker's lemmas ("days" -> "day").
    Tagged lemmatised(const QString &sentence, const QString &tags) const
    {
        Tagged t = tagged(sentence, tags);
        m_lemmatizer->fill(&t.tokens, t.tags);
        return t;
    }

    // The first slot of a tagged sentence, judged on a table of the given rows.
    static int decideFirst(const QByteArray &rows, const Tagged &t)
    {
        TimePrepositionRule rule;
        std::istringstream in((header() + rows).toStdString());
        if (!rule.load(in))
            return -2;
        const std::vector<TimePrepositionRule::Slot> found = TimePrepositionRule::find(t.tokens, t.tags);
        return found.empty() ? -3 : rule.decide(found.front());
    }

private slots:
    void initTestCase()
    {
        m_lexicon = std::make_unique<Lexicon>(ShippedData::folder(ShippedData::Checker), "/usr/share/wordnet");
        m_nouns = std::make_unique<NounForms>(*m_lexicon, "/usr/share/wordnet");
        m_lemmatizer = std::make_unique<Lemmatizer>(*m_lexicon, *m_nouns);
    }

    void phraseSlots_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a bare day") << "We met on Monday." << "PRP VBD IN NNP ."
                                    << QStringList{"on:P:monday:H:monday"};
        QTest::newRow("a determiner and an adjective before the head")
            << "In the same time, prices rose." << "IN DT JJ NN , NNS VBD ."
            << QStringList{"in:P:the_same_time:H:the_time"};
        QTest::newRow("a plural head keeps its form") << "At the present days we drive." << "IN DT JJ NNS PRP VBP ."
                                                       << QStringList{"at:P:the_present_days:H:the_days"};
        QTest::newRow("two slots") << "We work at night, but rest on Sundays." << "PRP VBP IN NN , CC VBP IN NNPS ."
                                   << QStringList{"at:P:night:H:night", "on:P:sundays:H:sundays"};
        QTest::newRow("a modifier of the next noun") << "We met at the morning session." << "PRP VBD IN DT NN NN ."
                                                      << QStringList{};
        QTest::newRow("an of-phrase pins the head down") << "He left on the morning of the fifth."
                                                          << "PRP VBD IN DT NN IN DT JJ ." << QStringList{};
        QTest::newRow("a relative clause pins it down") << "It was in an age when knights rode."
                                                         << "PRP VBD IN DT NN WRB NNS VBD ." << QStringList{};
        QTest::newRow("paired with another") << "Sunrise at the summer and winter solstices."
                                              << "NN IN DT NN CC NN NNS ." << QStringList{};
        QTest::newRow("a possessive") << "We read it in the morning's paper." << "PRP VBD PRP IN DT NN POS NN ."
                                      << QStringList{};
        QTest::newRow("too many words before the head") << "We met in the very early cold morning."
                                                         << "PRP VBD IN DT RB JJ JJ NN ." << QStringList{};
        QTest::newRow("a number") << "She was born in 1990." << "PRP VBD VBN IN CD ." << QStringList{};
        QTest::newRow("no time word") << "We met in the kitchen." << "PRP VBD IN DT NN ." << QStringList{};
        QTest::newRow("way is no time") << "Do it in the same way." << "VB PRP IN DT JJ NN ." << QStringList{};
        QTest::newRow("a preposition outside the three") << "We met during the morning." << "PRP VBD IN DT NN ."
                                                          << QStringList{};
    }

    void phraseSlots()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, expected);
        QCOMPARE(describe(lemmatised(sentence, tags)), expected);
    }

    // The phrase's row decides where it was counted often enough, else the determiner and head's.
    void decide_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<int>("expected");
        //                                              in on at
        QTest::newRow("the phrase never with the written one") << QByteArray("P:the_same_time 0 0 82\n") << 2;
        QTest::newRow("the phrase with it once") << QByteArray("P:the_same_time 1 0 82\n") << -1;
        QTest::newRow("the phrase too seldom, no head row") << QByteArray("P:the_same_time 0 0 7\n") << -1;
        QTest::newRow("the phrase too seldom, the head row decides")
            << QByteArray("P:the_same_time 0 0 7\nH:the_time 0 1 40\n") << 2;
        QTest::newRow("the head row knows the written one as rare")
            << QByteArray("P:the_same_time 0 0 82\nH:the_time 1 0 129\n") << 2;
        QTest::newRow("the head row knows it as more than rare")
            << QByteArray("P:the_same_time 0 0 82\nH:the_time 5 0 95\n") << -1;
        QTest::newRow("no choice sure enough") << QByteArray("P:the_same_time 0 6 30\n") << -1;
        QTest::newRow("just sure enough") << QByteArray("P:the_same_time 0 3 27\n") << 2;
        QTest::newRow("no row") << QByteArray("P:the_morning 40 0 1\n") << -1;
    }

    void decide()
    {
        QFETCH(QByteArray, rows);
        QFETCH(int, expected);
        QCOMPARE(decideFirst(rows, tagged("In the same time, prices rose.", "IN DT JJ NN , NNS VBD .")), expected);
    }

    // A preposition the word before was counted with more than now and then is that word's
    // ("believe in the future"), and a verb, adjective or noun the counts never saw may take it.
    void governorTakes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QByteArray>("governorRow");
        QTest::addColumn<int>("findings");
        const QString believe = "They believe on the future.", believeTags = "PRP VBP IN DT NN .";
        //                                  of in to for on with at from about by into over -
        QTest::newRow("the word before never counted with it")
            << believe << believeTags << QByteArray("V:believe 0 40 2 0 0 0 0 0 0 0 0 0 30") << 1;
        QTest::newRow("the word before counted with it rarely")
            << believe << believeTags << QByteArray("V:believe 0 40 0 0 2 0 0 0 0 0 0 0 30") << 1;
        QTest::newRow("the word before counted with it often")
            << believe << believeTags << QByteArray("V:believe 0 40 0 0 5 0 0 0 0 0 0 0 30") << 0;
        QTest::newRow("a verb counted with too few prepositions to tell")
            << believe << believeTags << QByteArray("V:believe 0 8 0 0 0 0 0 0 0 0 0 0 30") << 0;
        QTest::newRow("a verb the counts never saw")
            << believe << believeTags << QByteArray("V:trust 0 40 0 0 0 0 0 0 0 0 0 0 30") << 0;
        QTest::newRow("a noun the counts never saw") << "Our focus on the future is clear."
                                                     << "PRP$ NN IN DT NN VBZ JJ ."
                                                     << QByteArray("V:trust 0 40 0 0 0 0 0 0 0 0 0 0 30") << 0;
        QTest::newRow("a pronoun before: no word to take it") << "They visit us on the future."
                                                              << "PRP VBP PRP IN DT NN ."
                                                              << QByteArray("V:trust 0 40 0 0 0 0 0 0 0 0 0 0 30")
                                                              << 1;
        QTest::newRow("the sentence's start") << "On the future, we travel." << "IN DT NN , PRP VBP ."
                                              << QByteArray("V:trust 0 40 0 0 0 0 0 0 0 0 0 0 30") << 1;
    }

    void governorTakes()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QByteArray, governorRow);
        QFETCH(int, findings);
        PrepositionChoiceRule governors(*m_lexicon);
        std::istringstream g("pennova-preposition-counts 1\nclasses of in to for on with at from about by into over -\n"
                             + governorRow.toStdString() + "\n");
        QVERIFY(governors.load(g));
        TimePrepositionRule rule;
        std::istringstream in((header() + "P:the_future 35 0 0\n").toStdString());
        QVERIFY(rule.load(in));
        rule.setGovernors(&governors);
        const Tagged t = lemmatised(sentence, tags);
        std::vector<Finding> out;
        rule.check(t.tokens, t.tags, &out);
        QCOMPARE(int(out.size()), findings);
        if (findings) {
            QCOMPARE(out.front().explainType, std::string("preposition_time"));
            QCOMPARE(QString::fromStdString(out.front().candidates.front().correction).toLower(), QString("in"));
        }
    }

    void tableFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("loads");
        QTest::newRow("rows of both kinds") << header() + "P:the_morning 45 1 0\nH:the_days 15 1 0\n" << true;
        QTest::newRow("another kind of key") << header() + "V:the_morning 45 1 0\n" << false;
        QTest::newRow("a count short") << header() + "P:the_morning 45 1\n" << false;
        QTest::newRow("other classes") << QByteArray("pennova-time-prepositions 1\nclasses in on\nP:x 1 2\n") << false;
        QTest::newRow("another table") << QByteArray("pennova-preposition-counts 1\nclasses in on at\n") << false;
    }

    void tableFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, loads);
        TimePrepositionRule rule;
        std::istringstream in(text.toStdString());
        std::string error;
        QCOMPARE(rule.load(in, &error), loads);
        QCOMPARE(rule.rows() > 0, loads);
        QCOMPARE(error.empty(), loads);
    }

    // The shipped table on learners' choices and their native twins.
    void shippedTable_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QString>("expected");
        QTest::newRow("in the same time") << "In the same time, prices rose." << "IN DT JJ NN , NNS VBD ." << "at";
        QTest::newRow("at the same time") << "At the same time, prices rose." << "IN DT JJ NN , NNS VBD ." << "";
        QTest::newRow("on the future") << "On the future, we travel." << "IN DT NN , PRP VBP ." << "in";
        QTest::newRow("in the future") << "In the future, we travel." << "IN DT NN , PRP VBP ." << "";
        QTest::newRow("at the present days") << "At the present days, we drive." << "IN DT JJ NNS , PRP VBP ."
                                              << "in";
        QTest::newRow("in the moment, native beside at the moment") << "Live in the moment." << "VB IN DT NN ."
                                                                     << "";
    }

    void shippedTable()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QString, expected);
        TimePrepositionRule rule;
        std::string error;
        QVERIFY2(rule.load(ShippedData::folder(ShippedData::Checker) + "/time-prepositions.txt", &error), error.c_str());
        const Tagged t = lemmatised(sentence, tags);
        const std::vector<TimePrepositionRule::Slot> found = TimePrepositionRule::find(t.tokens, t.tags);
        QCOMPARE(found.size(), size_t(1));
        const int choice = rule.decide(found.front());
        QCOMPARE(choice < 0 ? QString() : QString::fromStdString(TimePrepositionRule::classNames()[size_t(choice)]),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestCheckerTimePreps)
#include "tst_checker_timepreps.moc"
