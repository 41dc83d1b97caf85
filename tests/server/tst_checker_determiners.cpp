// The native counts of determiners by noun and slot: the phrases read in a tagged sentence
// (the same code counts native text and reads a learner's), the table file, a count that
// survives saving, when a noun counts as one native text hardly leaves bare, and the shipped
// table's word on a few nouns.

#include "articlerules.h"
#include "noundeterminers.h"
#include "shippeddata.h"

#include <QtTest>

#include <sstream>

using namespace PennovaChecker;

namespace {

// "noun=slot:written" for each use, e.g. "problem=be:a"
QStringList describeUses(const QString &sentence, const QString &tagList)
{
    const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
    std::vector<std::string> tags;
    for (const QString &tag : tagList.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        tags.push_back(tag.toStdString());
    QStringList out;
    for (const NounDeterminers::Use &u : NounDeterminers::uses(tokens, tags))
        out << QString::fromStdString(tokens[size_t(u.head)].lower + "=" + u.slot + ":"
                                      + NounDeterminers::classNames()[size_t(u.written)] + (u.ofAfter ? "+of" : ""));
    return out;
}

const char *const kHeader = "pennova-noun-determiners 1\nclasses bare a other\n";

} // namespace

class TestCheckerDeterminers : public QObject
{
    Q_OBJECT

private slots:
    void uses_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QStringList>("uses");
        QTest::newRow("a noun after be and a") << "It is a problem ." << "PRP VBZ DT NN ." << QStringList{"problem=be:a"};
        QTest::newRow("be over not, bare")
            << "He was not president ." << "PRP VBD RB NN ." << QStringList{"president=be:bare"};
        QTest::newRow("become, an adjective between")
            << "She became good captain ." << "PRP VBD JJ NN ." << QStringList{"captain=be:bare"};
        QTest::newRow("a superlative with the") << "It is the most beautiful city ." << "PRP VBZ DT RBS JJ NN ."
                                                << QStringList{"city=be:other"};
        QTest::newRow("after as") << "She served as chairman ." << "PRP VBD IN NN ." << QStringList{"chairman=as:bare"};
        QTest::newRow("after a preposition, its own slot")
            << "We stayed at home ." << "PRP VBD IN NN ." << QStringList{"home=at:bare"};
        QTest::newRow("a possessive determiner before the verb")
            << "He likes my car ." << "PRP VBZ PRP$ NN ." << QStringList{"car=*:other"};
        QTest::newRow("only the last of two nouns heads the phrase")
            << "We saw a bus stop ." << "PRP VBD DT NN NN ." << QStringList{"stop=*:a"};
        QTest::newRow("after a name, inside a longer name")
            << "We love Kyoto city ." << "PRP VBP NNP NN ." << QStringList{};
        QTest::newRow("the first word of a sentence") << "Water is good ." << "NN VBZ JJ ." << QStringList{};
        QTest::newRow("plurals and names are no use") << "They are students in Paris ." << "PRP VBP NNS IN NNP ."
                                                      << QStringList{};
        QTest::newRow("a noun glued to a hyphen") << "It is a same - sex school ." << "PRP VBZ DT JJ HYPH NN NN ."
                                                  << QStringList{};
        QTest::newRow("a preposition inside a compound governs nothing")
            << "We love the eat-in kitchen ." << "PRP VBP DT VB HYPH IN NN ." << QStringList{"kitchen=*:bare"};
        QTest::newRow("a possessive before the noun") << "It is in today's world ." << "PRP VBZ IN NN NN ."
                                                      << QStringList{"world=in:other"};
        QTest::newRow("an of-phrase after the noun")
            << "We saw the number of cars ." << "PRP VBD DT NN IN NNS ." << QStringList{"number=*:other+of"};
        QTest::newRow("of as the slot, not after the noun")
            << "It is a lack of money ." << "PRP VBZ DT NN IN NN ." << QStringList{"lack=be:a+of", "money=of:bare"};
        QTest::newRow("another preposition after the noun")
            << "It grew in number in May ." << "PRP VBD IN NN IN NNP ." << QStringList{"number=in:bare"};
        QTest::newRow("tags that do not match the tokens") << "It is a problem ." << "PRP VBZ" << QStringList{};
    }

    // Which phrases a sentence holds, with their slot and written determiner.
    void uses()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QStringList, uses);
        QCOMPARE(describeUses(sentence, tags), uses);
    }

    void file_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("aForCity"); // "a" before "city" after be
        QTest::newRow("rows") << QByteArray(kHeader) + "city=be 0 3 3\ncity=all 2 40 97\n" << true << 3;
        QTest::newRow("a preposition slot") << QByteArray(kHeader) + "home=at 31 0 2\n" << true << 0;
        QTest::newRow("the of-phrase slot") << QByteArray(kHeader) + "number=-of 2 80 95\n" << true << 0;
        QTest::newRow("another table's header") << QByteArray("pennova-verb-complements 1\nclasses bare a other\n")
                                                << false << 0;
        QTest::newRow("other columns") << QByteArray("pennova-noun-determiners 1\nclasses bare the\n") << false << 0;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not a table\n") << false << 0;
        QTest::newRow("empty") << QByteArray() << false << 0;
        QTest::newRow("truncated row") << QByteArray(kHeader) + "city=be 0 3" << false << 0;
        QTest::newRow("a key without a slot") << QByteArray(kHeader) + "city 0 3 3\n" << false << 0;
        QTest::newRow("a key in capitals") << QByteArray(kHeader) + "City=be 0 3 3\n" << false << 0;
        QTest::newRow("a negative count") << QByteArray(kHeader) + "city=be 0 -3 3\n" << false << 0;
        QTest::newRow("a repeated row") << QByteArray(kHeader) + "city=be 0 3 3\ncity=be 0 3 3\n" << false << 0;
        QTest::newRow("an oversized row") << QByteArray(kHeader) + QByteArray(100000, 'a') + "=be 1 0 0\n" << false
                                          << 0;
    }

    // A malformed table loads nothing, so the rules fall back on the lexicon.
    void file()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(int, aForCity);
        NounDeterminers table;
        std::istringstream in(text.toStdString());
        std::string error;
        QCOMPARE(table.load(in, &error), valid);
        QCOMPARE(error.empty(), valid);
        QCOMPARE(table.empty(), !valid);
        QCOMPARE(int(table.counts("city", "be").a), aForCity);
        QVERIFY(!table.load("/nonexistent/noun-determiners.txt", &error));
        QVERIFY(table.empty());
    }

    // Counted uses come back from the file with their sum over all slots; a row seen fewer
    // times than the minimum is left out.
    void roundTrip()
    {
        NounDeterminers counts;
        NounDeterminers::Use be, as;
        be.slot = "be";
        be.written = NounDeterminers::A;
        as.slot = "as";
        for (int i = 0; i < 3; ++i)
            counts.add("member", be);
        counts.add("member", as);
        NounDeterminers::Use of = be;
        of.ofAfter = true;
        of.written = NounDeterminers::Other;
        counts.add("member", of);
        counts.add("member", of);
        std::stringstream file;
        QVERIFY(counts.save(file, 2));
        NounDeterminers loaded;
        std::string error;
        QVERIFY2(loaded.load(file, &error), error.c_str());
        QCOMPARE(int(loaded.counts("member", "be").a), 3);
        QCOMPARE(int(loaded.counts("member", "be").other), 2); // its slot too
        QCOMPARE(int(loaded.counts("member", NounDeterminers::ofPhrase()).other), 2);
        QCOMPARE(int(loaded.counts("member", NounDeterminers::ofPhrase()).a), 0);
        QCOMPARE(int(loaded.counts("member", "as").total()), 0); // seen once
        const NounDeterminers::Counts all = loaded.counts("member", "all");
        QCOMPARE(int(all.a), 3);
        QCOMPARE(int(all.other), 2);
        QCOMPARE(int(all.bare), 1);
    }

    void rarelyBare_data()
    {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QString>("slot"); // "" for any
        QTest::addColumn<bool>("rarely");
        QTest::newRow("seldom bare anywhere, never after be") << "problem" << "be" << true;
        QTest::newRow("seldom bare, any slot") << "problem" << "" << true;
        QTest::newRow("seldom bare, the slot never seen") << "problem" << "as" << true;
        QTest::newRow("seldom bare but a role after be") << "president" << "be" << false;
        QTest::newRow("often bare: a mass use") << "school" << "be" << false;
        QTest::newRow("seldom bare but seen too rarely") << "engagement" << "be" << false;
        QTest::newRow("never seen") << "freshman" << "be" << false;
    }

    // A noun counts as one native text hardly leaves bare only when seen often enough, and
    // bare at most the limit's share both over all slots and in its own.
    void rarelyBare()
    {
        QFETCH(QString, noun);
        QFETCH(QString, slot);
        QFETCH(bool, rarely);
        NounDeterminers table;
        std::istringstream in(std::string(kHeader)
                              + "problem=all 2 40 60\nproblem=be 0 20 20\n"
                                "president=all 5 20 75\npresident=be 15 1 1\n"
                                "school=all 50 20 30\nschool=be 0 4 2\n"
                                "engagement=all 1 5 12\n");
        QVERIFY(table.load(in));
        const std::string s = slot.toStdString();
        QCOMPARE(ArticleRules::rarelyBare(&table, noun.toStdString(), s.empty() ? nullptr : s.c_str()), rarely);
        QVERIFY(!ArticleRules::rarelyBare(nullptr, noun.toStdString(), nullptr));
    }

    void shipped_data()
    {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<bool>("rarely");
        QTest::newRow("a counted noun") << "problem" << true;
        QTest::newRow("a counted noun with a rare plural") << "city" << true;
        QTest::newRow("a role") << "chairman" << false;
        QTest::newRow("a set phrase noun") << "home" << false;
        QTest::newRow("a mass noun") << "water" << false;
        QTest::newRow("a noun of both kinds") << "part" << false;
    }

    // The shipped table tells counted nouns after "be" from roles, set phrases and mass nouns.
    void shipped()
    {
        QFETCH(QString, noun);
        QFETCH(bool, rarely);
        NounDeterminers table;
        std::string error;
        QVERIFY2(table.load(ShippedData::folder(ShippedData::Checker) + "/noun-determiners.txt", &error),
                 error.c_str());
        QVERIFY(table.rows() > 10000);
        QCOMPARE(ArticleRules::rarelyBare(&table, noun.toStdString(), "be"), rarely);
    }
};

QTEST_GUILESS_MAIN(TestCheckerDeterminers)
#include "tst_checker_determiners.moc"
