// Capitalised slips of closed-class names (continents, countries, cities, months,
// languages): "Afica" is Africa misspelt, while names of people and firms a letter
// from such a name stay unflagged.

#include "closednames.h"
#include "lexicon.h"
#include "spellingrule.h"
#include "spellingsuggester.h"
#include "tokenizer.h"

#include <QtTest>

#include "pennovapaths.h"

#include <memory>

using namespace PennovaChecker;

class TestCheckerNameSpelling : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<SpellingSuggester> m_speller;
    std::unique_ptr<SpellingRule> m_rule; // with the shipped names
    QTemporaryDir m_dir;

    QString writeFile(const QString &name, const QByteArray &text)
    {
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write(text);
        return f.fileName();
    }

private slots:
    void initTestCase()
    {
        m_lexicon = std::make_unique<Lexicon>(PENNOVA_SOURCE_DIR "/server/checker/data", "/usr/share/wordnet");
        m_speller = std::make_unique<SpellingSuggester>(*m_lexicon, "/usr/share/hunspell");
        QVERIFY(m_speller->hasDictionary());
        m_rule = std::make_unique<SpellingRule>(*m_speller);
        std::string error;
        QVERIFY(m_rule->loadClosedNames(PENNOVA_SOURCE_DIR "/server/checker/data/closed-names.txt", &error));
        QVERIFY2(error.empty(), error.c_str());
        QVERIFY(m_dir.isValid());
    }

    // "word->first candidate" for each finding, in order; "" when none.
    void capitalisedSlips_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected");
        // flagged: a place, month or language expected there
        QTest::newRow("continent after a compass word") << "North Afica has the biggest share." << "Afica->Africa";
        QTest::newRow("continent cut short after a place word") << "Prices fell in Eastern Europ in 2008."
                                                                << "Europ->Europe";
        QTest::newRow("month with a letter added after a preposition") << "It stayed cold until Julay this year."
                                                                        << "Julay->July";
        QTest::newRow("place word before a place word") << "The Midde East grew fastest." << "Midde->Middle";
        QTest::newRow("country in a list of countries") << "We compared the USA, Gernany and China."
                                                        << "Gernany->Germany";
        QTest::newRow("city after in") << "The shortest metro is in Koyoto." << "Koyoto->Kyoto";
        QTest::newRow("slip that also splits into two words") << "It grew fast in the United Kingdoom."
                                                              << "Kingdoom->Kingdom";
        QTest::newRow("country opening the sentence after a preposition") << "In Indonecia, however, it rose."
                                                                          << "Indonecia->Indonesia";
        QTest::newRow("month beside a number") << "Sales peaked on 15 Augst 2010." << "Augst->August";
        QTest::newRow("nationality after of") << "It is a custom of Japanes people." << "Japanes->Japanese";
        QTest::newRow("short month after a preposition") << "It rose from January to Jule last year." << "Jule->June";
        // lower-case languages and nationalities the dictionary knows only capitalised
        QTest::newRow("nationality in lower case") << "For example, a serbian artist won." << "serbian->Serbian";
        QTest::newRow("plural nationality in lower case") << "Choose about half australians." << "australians->Australians";
        QTest::newRow("language in lower case") << "The growth of swedish is slow." << "swedish->Swedish";
        // clean look-alikes: names of people and firms, known names, places spelt right
        QTest::newRow("person a letter from a month, subject") << "Then Mauch said it was the team to beat." << "";
        QTest::newRow("person a letter from a country, object") << "Why trust Jagan now?" << "";
        QTest::newRow("name after a title") << "We asked Mr Frace about it." << "";
        QTest::newRow("name before a surname") << "We met Frace Johnson at the gate." << "";
        QTest::newRow("street name") << "He lived in Quirry Street for years." << "";
        QTest::newRow("person beside another name in a list") << "It spread from Abigail and Jagan to all." << "";
        QTest::newRow("name written twice") << "In Frace the people of Frace voted." << "";
        QTest::newRow("short name a letter from a month") << "We met Jule in the park." << "";
        QTest::newRow("name two letters from a city") << "He sang in Boylston last year." << "";
        QTest::newRow("place spelt right") << "Prices fell in Eastern Europe in 2008." << "";
        QTest::newRow("known name a letter from a country") << "They fought in Korean waters near Kenya." << "";
        QTest::newRow("first letter differs") << "We drove to Mrance and back." << "";
        QTest::newRow("short word a letter from a city") << "They flew to Rone today." << "";
        QTest::newRow("plural of a language in lower case") << "Many englishes are spoken there." << "";
    }

    void capitalisedSlips()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        std::vector<Finding> found;
        m_rule->check(Tokenizer::tokenize(sentence.toStdString()), {}, {}, &found);
        QStringList got;
        for (const Finding &f : found) {
            QVERIFY(!f.candidates.empty());
            got << sentence.mid(f.start, f.end - f.start) + "->" + QString::fromStdString(f.candidates[0].correction);
        }
        QCOMPARE(got.join(' '), expected);
    }

    // Without the names the rule keeps to what it judged before: a slip in a short
    // capitalised word inside a sentence passes as a name.
    void withoutNames()
    {
        const SpellingRule bare(*m_speller);
        std::vector<Finding> found;
        bare.check(Tokenizer::tokenize("North Afica has the biggest share."), {}, {}, &found);
        QVERIFY(found.empty());
    }

    void nearNames_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letter dropped") << "afica" << "Africa";
        QTest::newRow("two names as near, the commoner first") << "easte" << "East Easter";
        QTest::newRow("first letter changed") << "mfrica" << "";
        QTest::newRow("two letters dropped") << "afic" << "";
        QTest::newRow("the name itself") << "africa" << "";
        QTest::newRow("empty") << "" << "";
    }

    void nearNames()
    {
        QFETCH(QString, word);
        QFETCH(QString, expected);
        ClosedNames names;
        const QString path = writeFile("names.txt", "# commonest first\nEast\tplaceword\nEaster\tcity\n\nAfrica\tcontinent\n");
        std::string error;
        QVERIFY2(names.load(path.toStdString(), &error), error.c_str());
        QCOMPARE(names.size(), size_t(3));
        QVERIFY(names.contains("east"));
        QStringList got;
        for (const std::string &n : names.near(word.toStdString()))
            got << QString::fromStdString(n);
        QCOMPARE(got.join(' '), expected);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("text"); // empty: no file at all
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("line without a class") << QByteArray("Africa\tcontinent\nEurope\n");
        QTest::newRow("lower-case name") << QByteArray("africa\tcontinent\n");
        QTest::newRow("name with a space") << QByteArray("Hong Kong\tcity\n");
        QTest::newRow("empty class") << QByteArray("Africa\t\n");
    }

    void badFiles()
    {
        QFETCH(QByteArray, text);
        ClosedNames names;
        QVERIFY(names.load(writeFile("good.txt", "Africa\tcontinent\n").toStdString()));
        QVERIFY(!names.empty());
        const QString path = text.isEmpty() ? m_dir.filePath("none.txt") : writeFile("bad.txt", text);
        std::string error;
        QVERIFY(!names.load(path.toStdString(), &error));
        QVERIFY(!error.empty());
        QVERIFY(names.empty()); // nothing half-read is kept
        QVERIFY(names.near("afica").empty());
    }
};

QTEST_GUILESS_MAIN(TestCheckerNameSpelling)
#include "tst_checker_namespelling.moc"
