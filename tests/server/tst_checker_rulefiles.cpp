// The rule files: every shipped rule's examples go through the whole checker (the wrong
// sentence is flagged at its span with the first candidate, the mended sentence and the
// look-alikes are clean); the parser refuses broken files with the file and line; the
// engine's pattern items match what they say.

#include "englishchecker.h"
#include "explanationpages.h"
#include "wordnetdictionary.h"
#include "lexicon.h"
#include "rulefileparser.h"
#include "ruleengine.h"
#include "rulelibrary.h"
#include "shippeddata.h"
#include "support/checkerrecords.h"

#include <QtTest>

#include <memory>
#include <random>

using namespace PennovaChecker;

namespace {

void writeFile(const QString &path, const std::string &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content.c_str());
}

std::string rulesFolder() { return ShippedData::folder(ShippedData::Checker) + "/rules"; }

std::vector<DataRule> shippedRules(QStringList *errors)
{
    std::vector<DataRule> rules;
    const QDir dir(QString::fromStdString(rulesFolder()));
    for (const QString &name : dir.entryList({QStringLiteral("*.rules")}, QDir::Files, QDir::Name)) {
        std::string error;
        if (!RuleFileParser::parseFile(dir.filePath(name).toStdString(), &rules, &error))
            *errors << QString::fromStdString(error);
    }
    return rules;
}

Json::Value check(const EnglishChecker &checker, const QString &sentence, int confidence)
{
    return checker.checkSentence(0, sentence.toStdString(), 0, CheckerRecords::sentenceConfig(confidence), {});
}

// A rule file of one rule around the pattern and suggestion given.
std::string oneRule(const std::string &pattern, const std::string &suggest, const std::string &more = {})
{
    return "rule t.one\nexplain fixed_phrase\ncertainty 3\npattern " + pattern + "\nsuggest " + suggest + "\n"
        + more + "wrong <x> y => z\n";
}

// The sentences of a page's example ("Is important to study. Have many people here.").
QStringList sentencesOf(const std::string &text)
{
    static const QRegularExpression boundary(QStringLiteral("(?<=[.!?])\\s+(?=[A-Z\"])"));
    return QString::fromStdString(text).split(boundary, Qt::SkipEmptyParts);
}

} // namespace

class TestCheckerRuleFiles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;
    std::unique_ptr<Lexicon> m_lexicon;

private slots:
    void initTestCase()
    {
        m_checker = std::make_unique<EnglishChecker>();
        const std::string data = ShippedData::folder(ShippedData::Checker);
        m_lexicon = std::make_unique<Lexicon>(data, "/usr/share/wordnet");
    }

    void shippedFilesLoad()
    {
        QStringList errors;
        const std::vector<DataRule> rules = shippedRules(&errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QStringList families;
        for (const DataRule &r : rules)
            if (!families.contains(QString::fromStdString(r.family)))
                families << QString::fromStdString(r.family);
        QVERIFY2(families.contains(QStringLiteral("phrases")) && families.contains(QStringLiteral("prepositions")),
                 qPrintable(families.join(QLatin1Char(' '))));
        // the checker runs the same rules
        QCOMPARE(m_checker->builtInRules().rules().size(), rules.size());
        QVERIFY(m_checker->builtInRules().errors().empty());
    }

    void wrongExamples_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("span");
        QTest::addColumn<QString>("correction");
        QTest::addColumn<QString>("explain");
        QTest::addColumn<int>("confidence");
        QStringList errors;
        for (const DataRule &r : shippedRules(&errors))
            for (const RuleExample &e : r.wrong)
                QTest::newRow(qPrintable(QStringLiteral("%1 line %2").arg(QString::fromStdString(r.id)).arg(e.line)))
                    << QString::fromStdString(e.sentence) << QString::fromStdString(e.span)
                    << QString::fromStdString(e.correction) << QString::fromStdString(r.explain)
                    << (r.certainty >= 2 ? 2 : 3);
    }

    // flagged at the span with the first candidate; mended, the sentence is clean
    void wrongExamples()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, span);
        QFETCH(QString, correction);
        QFETCH(QString, explain);
        QFETCH(int, confidence);
        const Json::Value record = check(*m_checker, sentence, confidence);
        const Json::Value *hit = nullptr;
        for (const Json::Value &c : record["corrections"]) {
            // a deletion covers the spaces around the word too
            const QString covered = c["candidates"][0u]["candidateType"].asString() == "DELETION"
                ? CheckerRecords::covered(sentence, c).trimmed()
                : CheckerRecords::covered(sentence, c);
            if (covered == span && QString::fromStdString(c["explainType"].asString()) == explain)
                hit = &c;
        }
        QVERIFY2(hit, qPrintable(QStringLiteral("got: ") + CheckerRecords::describe(sentence, record)));
        const Json::Value &first = (*hit)["candidates"][0u];
        QCOMPARE(QString::fromStdString(first["correction"].asString()), correction);
        const QString page = QString::fromStdString(m_checker->explanationHtml("et=" + explain.toStdString()));
        QVERIFY2(!page.contains(QStringLiteral("暂无")), qPrintable(explain));

        const int start = (*hit)["start"].asInt();
        const int end = (*hit)["end"].asInt();
        const QString put = first["candidateType"].asString() == "DELETION" ? QStringLiteral(" ") : correction;
        const QString mended = sentence.left(start) + put + sentence.mid(end);
        const Json::Value after = check(*m_checker, mended, 3);
        QVERIFY2(after["corrections"].empty(), qPrintable(mended + QStringLiteral(": ")
                                                          + CheckerRecords::describe(mended, after)));
    }

    void lookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QStringList errors;
        for (const DataRule &r : shippedRules(&errors))
            for (size_t k = 0; k < r.clean.size(); ++k)
                QTest::newRow(qPrintable(QStringLiteral("%1 clean %2").arg(QString::fromStdString(r.id)).arg(k + 1)))
                    << QString::fromStdString(r.clean[k]);
    }

    // right English of the same shape gets no finding at the most sensitive confidence
    void lookAlikes()
    {
        QFETCH(QString, sentence);
        const Json::Value record = check(*m_checker, sentence, 3);
        QVERIFY2(record["corrections"].empty(), qPrintable(CheckerRecords::describe(sentence, record)));
    }

    void pageExamples_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("wrong");
        QTest::addColumn<QStringList>("right");
        for (const ExplanationPages::Example &e : ExplanationPages::examples())
            QTest::newRow(e.kind.c_str()) << QString::fromStdString(e.kind) << sentencesOf(e.wrong)
                                          << sentencesOf(e.right);
    }

    // An explanation page teaches with its own examples: the checker finds that kind in the
    // wrong one and nothing at all in the right one (at the most sensitive confidence).
    void pageExamples()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, wrong);
        QFETCH(QStringList, right);
        QVERIFY(!wrong.isEmpty() && !right.isEmpty());
        // each sentence after the ones before it, as in an essay
        const auto inEssay = [this](const QStringList &sentences, int k) {
            std::vector<std::string> previous;
            for (int j = 0; j < k; ++j)
                previous.push_back(sentences.at(j).toStdString());
            return m_checker->checkSentence(k, sentences.at(k).toStdString(), 0, CheckerRecords::sentenceConfig(3),
                                            {}, previous);
        };
        QString got;
        bool found = false;
        for (int k = 0; k < wrong.size(); ++k) {
            const QString &sentence = wrong.at(k);
            const Json::Value record = inEssay(wrong, k);
            for (const Json::Value &c : record["corrections"])
                found = found || QString::fromStdString(c["explainType"].asString()) == kind;
            got += CheckerRecords::describe(sentence, record) + QLatin1Char(' ');
        }
        QVERIFY2(found, qPrintable(QStringLiteral("wrong example: ") + got));
        for (int k = 0; k < right.size(); ++k) {
            const Json::Value record = inEssay(right, k);
            QVERIFY2(record["corrections"].empty(),
                     qPrintable(QStringLiteral("right example: ") + CheckerRecords::describe(right.at(k), record)));
        }
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error"); // the start of the message after "x.rules:"

        QTest::newRow("garbage") << QByteArray("\x01\x02\xff\xfe garbage\n") << "1: not a 'key value' line";
        QTest::newRow("binary with a NUL") << QByteArray("rule a\0b", 8) << "1: not a text file";
        QTest::newRow("oversized")
            << QByteArray("# ").append(QByteArray(int(RuleFileParser::MaxFileBytes), 'x')) << "1: file larger than";
        QTest::newRow("truncated after the pattern")
            << QByteArray("# comment\n\nrule a.b\nexplain fixed_phrase\ncertainty 3\npattern in nowadays\n")
            << "3: rule a.b has no suggest";
        QTest::newRow("truncated inside a word set")
            << QByteArray("rule a.b\nexplain fixed_phrase\ncertainty 3\npattern {in at\n") << "4: '{' without '}'";
        QTest::newRow("truncated regular expression")
            << QByteArray(oneRule("/[A-Z", "x").c_str()) << "4: '/' without a closing '/'";
        QTest::newRow("unknown key") << QByteArray(oneRule("a b", "c", "colour red\n").c_str())
                                     << "6: unknown key 'colour'";
        QTest::newRow("a page without its summary")
            << QByteArray(oneRule("a", "b", "title T\nabout A\n").c_str()) << "1: rule t.one gives part of a page";
        QTest::newRow("a page's second title")
            << QByteArray(oneRule("a", "b", "title T\ntitle U\n").c_str()) << "7: a second 'title'";
        QTest::newRow("key before any rule") << QByteArray("explain fixed_phrase\n") << "1: 'explain' before the first";
        QTest::newRow("back-reference past the items")
            << QByteArray(oneRule("a [b]", "\\3").c_str()) << "1: bad back-reference \\3";
        QTest::newRow("back-reference to a sentence start")
            << QByteArray(oneRule("^ [b]", "\\1").c_str()) << "1: bad back-reference \\1";
        QTest::newRow("back-reference without a number")
            << QByteArray(oneRule("a b", "\\x").c_str()) << "5: '\\' must be followed";
        QTest::newRow("unknown word form") << QByteArray(oneRule("a b", "\\1:ed").c_str()) << "5: unknown form 'ed'";
        QTest::newRow("empty alternative") << QByteArray(oneRule("a b", "c |").c_str())
                                           << "5: an alternative of 'suggest' is empty";
        QTest::newRow("deletion as an alternative") << QByteArray(oneRule("a b", "c | -").c_str())
                                                    << "5: an alternative of 'suggest' is empty or a deletion";
        QTest::newRow("back-reference of an alternative past the items")
            << QByteArray(oneRule("a [b]", "c | \\3").c_str()) << "1: bad back-reference \\3";
        QTest::newRow("unknown word class") << QByteArray(oneRule("a @adverb", "x").c_str())
                                            << "4: unknown word class '@adverb'";
        QTest::newRow("unknown named class") << QByteArray(oneRule("a class:adverbs", "x").c_str())
                                             << "4: unknown word class 'adverbs' (modal, determiner";
        QTest::newRow("empty named class") << QByteArray(oneRule("a class:", "x").c_str())
                                           << "4: unknown word class ''";
        QTest::newRow("lemma without a word") << QByteArray(oneRule("a lemma:", "x").c_str())
                                              << "4: a lemma is one word";
        QTest::newRow("unknown part of speech") << QByteArray(oneRule("a pos:pronoun", "x").c_str())
                                                << "4: unknown part of speech 'pos:pronoun'";
        QTest::newRow("negated sentence start") << QByteArray(oneRule("!^ a", "x").c_str())
                                                << "4: '!' and '&' take conditions on one token";
        QTest::newRow("skip joined to a word") << QByteArray(oneRule("a skip:2&b c", "x").c_str())
                                               << "4: '!' and '&' take conditions on one token";
        QTest::newRow("condition missing after &") << QByteArray(oneRule("a b& c", "x").c_str())
                                                   << "4: '&' without a condition after it";
        QTest::newRow("truncated after &") << QByteArray(oneRule("a pos:adj&", "x").c_str())
                                           << "4: '&' without a condition after it";
        QTest::newRow("oversized joined item")
            << QByteArray(oneRule("a " + std::string(150, 'b') + "&" + std::string(60, 'c'), "x").c_str())
            << "4: an item longer than 200";
        QTest::newRow("attached sentence start") << QByteArray(oneRule("~^ a", "x").c_str())
                                                 << "4: '~' before an item that matches no token";
        QTest::newRow("bad regular expression") << QByteArray(oneRule("/(a/", "x").c_str())
                                                << "4: bad regular expression";
        QTest::newRow("skip without bound") << QByteArray(oneRule("a skip:99 b", "x").c_str()) << "4: skip needs";
        QTest::newRow("oversized item") << QByteArray(oneRule("/" + std::string(300, 'a') + "/", "x").c_str())
                                        << "4: an item longer than 200";
        QTest::newRow("too many items")
            << QByteArray(oneRule("a b c d e f g h i j k l m n o p q", "x").c_str()) << "4: more than 16 items";
        QTest::newRow("too many skips") << QByteArray(oneRule("a skip:8 b skip:8 c skip:8 d", "x").c_str())
                                        << "4: more than 2 skip or 4 optional items";
        QTest::newRow("too many optional items")
            << QByteArray(oneRule("a ?b ?c ?d ?e ?f g", "x").c_str()) << "4: more than 2 skip or 4 optional items";
        QTest::newRow("stray closing mark") << QByteArray(oneRule("a ] b", "x").c_str())
                                            << "4: ']' without an item before it";
        QTest::newRow("span mark not closed") << QByteArray(oneRule("a [b c", "x").c_str()) << "4: '[' without ']'";
        QTest::newRow("span ending on an optional item")
            << QByteArray(oneRule("[a ?b]", "x").c_str()) << "4: the marked span must";
        QTest::newRow("deletion of two words") << QByteArray(oneRule("[a b]", "-").c_str())
                                               << "1: rule t.one deletes";
        QTest::newRow("example without a span")
            << QByteArray("rule a.b\nexplain fixed_phrase\ncertainty 3\npattern a\nsuggest b\nwrong a c => b\n")
            << "6: a wrong example marks its span";
        QTest::newRow("example without a correction")
            << QByteArray("rule a.b\nexplain fixed_phrase\ncertainty 3\npattern a\nsuggest b\nwrong <a> c\n")
            << "6: a wrong example is written";
        QTest::newRow("rule without an example")
            << QByteArray("rule a.b\nexplain fixed_phrase\ncertainty 3\npattern a\nsuggest b\n")
            << "1: rule a.b has no wrong example";
        QTest::newRow("certainty out of range") << QByteArray("rule a.b\ncertainty 5\n") << "2: certainty is 1, 2 or 3";
        QTest::newRow("unknown error type") << QByteArray("rule a.b\ntype SHOUTING\n") << "2: unknown error type";
        QTest::newRow("bad rule id") << QByteArray("rule a b!\n") << "1: bad rule id";
        QTest::newRow("rule defined twice")
            << QByteArray((oneRule("a", "b") + oneRule("a", "b")).c_str()) << "7: rule t.one is defined twice";
        std::string many;
        for (int i = 0; i <= RuleFileParser::MaxRules; ++i)
            many += "rule r" + std::to_string(i) + "\nexplain x\ncertainty 1\npattern a\nsuggest b\nwrong <a> => b\n";
        QTest::newRow("too many rules") << QByteArray(many.c_str()) << "6001: more than 1000 rules";
    }

    // a broken file loads no rule and says where it broke
    void brokenFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        std::vector<DataRule> rules;
        std::string why;
        QVERIFY(!RuleFileParser::parse(text.toStdString(), "x.rules", &rules, &why));
        QVERIFY2(QString::fromStdString(why).startsWith(QStringLiteral("x.rules:") + error), why.c_str());
        QVERIFY(rules.empty());
    }

    // cut and scrambled copies of a shipped file: refused with a place, or read, never a crash
    void mangledFilesNeverCrash()
    {
        QFile f(QString::fromStdString(rulesFolder()) + QStringLiteral("/prepositions.rules"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const std::string original = f.readAll().toStdString();
        QVERIFY(original.size() > 1000);
        std::mt19937 random(7);
        const std::vector<Token> tokens = Tokenizer::tokenize("I am interested on music, in the other hand.");
        const std::vector<std::string> tags(tokens.size());
        const QRegularExpression place(QStringLiteral("^x\\.rules:[0-9]+: "));
        int refused = 0;
        for (int round = 0; round < 400; ++round) {
            std::string text = original.substr(0, 1 + random() % original.size());
            for (int k = 0; k < 3; ++k)
                text[random() % text.size()] = "[]{}/\\?<>=: \n#x\x01"[random() % 16];
            std::vector<DataRule> rules;
            std::string why;
            if (!RuleFileParser::parse(text, "x.rules", &rules, &why)) {
                QVERIFY2(place.match(QString::fromStdString(why)).hasMatch(), why.c_str());
                ++refused;
                continue;
            }
            RuleEngine engine;
            engine.add(rules);
            std::vector<Finding> found;
            for (const std::string &family : engine.families())
                engine.run(family, tokens, tags, *m_lexicon, &found);
        }
        QVERIFY(refused > 0 && refused < 400); // both ways taken
    }

    // rules that start with a word, a class, a tag or a sentence start run at each position in
    // the order they were written, each only where it can start
    void rulesRunInFileOrder()
    {
        const std::string file = "rule t.tag\nexplain x\ncertainty 2\npattern [tag:VB] home\nsuggest a\nwrong <x> => y\n"
                                 "rule t.word\nexplain x\ncertainty 2\npattern [go] home\nsuggest b\nwrong <x> => y\n"
                                 "rule t.start\nexplain x\ncertainty 2\npattern ^ [=We]\nsuggest c\nwrong <x> => y\n"
                                 "rule t.class\nexplain x\ncertainty 2\npattern [class:modal] go\nsuggest d\nwrong <x> => y\n"
                                 "rule t.set\nexplain x\ncertainty 2\npattern [{go went}] ?now home\nsuggest e\nwrong <x> => y\n";
        std::vector<DataRule> rules;
        std::string why;
        QVERIFY2(RuleFileParser::parse(file, "t.rules", &rules, &why), why.c_str());
        RuleEngine engine;
        engine.add(rules);
        const std::vector<Token> tokens = Tokenizer::tokenize("We can go home.");
        const std::vector<std::string> tags = {"PRP", "MD", "VB", "NN", "."};
        std::vector<Finding> found;
        engine.run("t", tokens, tags, *m_lexicon, &found);
        QStringList got;
        for (const Finding &f : found)
            got << QString::fromStdString(f.candidates.at(0).correction);
        QCOMPARE(got, (QStringList{"C", "d", "a", "b", "e"}));
        engine.disable("t.word");
        found.clear();
        engine.run("t", tokens, tags, *m_lexicon, &found);
        QCOMPARE(int(found.size()), 4);
    }

    // "suggest a | b": the later alternatives follow as candidates, each ranked below the one before
    void alternativeSuggestions()
    {
        const std::string file = "rule t.one\nexplain x\ncertainty 3\npattern {i we} [fell] happy\n"
                                 "suggest feel | felt | \\2\nwrong <x> => y\n";
        std::vector<DataRule> rules;
        std::string why;
        QVERIFY2(RuleFileParser::parse(file, "t.rules", &rules, &why), why.c_str());
        RuleEngine engine;
        engine.add(rules);
        std::vector<Finding> found;
        engine.run("t", Tokenizer::tokenize("We fell happy."), {}, *m_lexicon, &found);
        QCOMPARE(int(found.size()), 1);
        QStringList got;
        for (const Candidate &c : found[0].candidates)
            got << QString::fromStdString(c.correction);
        QCOMPARE(got, (QStringList{"feel", "felt", "fell"}));
        QVERIFY(found[0].candidates[0].score > found[0].candidates[1].score);
        QVERIFY(found[0].candidates[1].score > found[0].candidates[2].score);
    }

    // a rule file's page: its texts escaped, its first wrong example and that example mended;
    // the checker's own table keeps the kinds it has
    void rulePages()
    {
        const std::string file = "rule t.one\nexplain t_kind\ncertainty 3\npattern [of] the\nsuggest off\n"
                                 "title 标题 <b>\nabout 说明 & more\nsummary Say \"off\".\n"
                                 "wrong Coffee of <of> the pot. => off\n"
                                 "rule t.two\nexplain nonword\ncertainty 3\npattern a\nsuggest b\n"
                                 "title X\nabout Y\nsummary Z\nwrong <a> => b\n";
        std::vector<DataRule> rules;
        std::string why;
        QVERIFY2(RuleFileParser::parse(file, "t.rules", &rules, &why), why.c_str());
        RuleEngine engine;
        engine.add(rules);
        const WordNetDictionary wordnet("/usr/share/wordnet");
        const ExplanationPages pages(wordnet, &engine);
        const QString own = QString::fromStdString(pages.page("et=t_kind&ct=off&fk=of"));
        QVERIFY2(own.contains(QStringLiteral("<h3>标题 &lt;b&gt;</h3>")), qPrintable(own));
        QVERIFY2(own.contains(QStringLiteral("说明 &amp; more")), qPrintable(own));
        QVERIFY2(own.contains(QStringLiteral("Coffee of of the pot.</span>")), qPrintable(own));
        QVERIFY2(own.contains(QStringLiteral("Coffee of off the pot.</span>")), qPrintable(own));
        const QString table = QString::fromStdString(pages.page("et=nonword"));
        QVERIFY2(table.contains(QStringLiteral("拼写错误")) && !table.contains(QStringLiteral("<h3>X")), qPrintable(table));
        QVERIFY(QString::fromStdString(ExplanationPages(wordnet).page("et=t_kind")).contains(QStringLiteral("暂无")));
    }

    // the shipped rule files give the pages of kinds that belong to one rule
    void shippedRulePage()
    {
        const QString page = QString::fromStdString(m_checker->explanationHtml("et=confusion_off"));
        QVERIFY2(page.contains(QStringLiteral("off 与 of")), qPrintable(page));
        QVERIFY2(page.contains(QStringLiteral("Please turn off the light.")), qPrintable(page));
    }

    void brokenFileLeavesOthersLoaded()
    {
        QTemporaryDir dir;
        QFile good(dir.filePath(QStringLiteral("a.rules")));
        QVERIFY(good.open(QIODevice::WriteOnly));
        good.write(oneRule("in nowadays", "nowadays").c_str());
        good.close();
        QFile bad(dir.filePath(QStringLiteral("b.rules")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write((oneRule("alpha", "beta") + "rule t.two\nexplain x\nbogus 1\n").c_str());
        bad.close();
        // read no further than its size says
        writeFile(dir.filePath(QStringLiteral("c.rules")), std::string(RuleFileParser::MaxFileBytes + 1, '#'));
        writeFile(dir.filePath(QStringLiteral("notes.txt")), "not a rule file");
        RuleEngine engine;
        engine.loadFolder(dir.path().toStdString());
        QCOMPARE(int(engine.rules().size()), 1);
        QCOMPARE(engine.rules()[0].family, std::string("a"));
        QCOMPARE(int(engine.errors().size()), 2);
        QVERIFY2(engine.errors()[0].find("b.rules:9: unknown key 'bogus'") != std::string::npos,
                 engine.errors()[0].c_str());
        QVERIFY2(engine.errors()[1].find("c.rules:1: file larger than") != std::string::npos,
                 engine.errors()[1].c_str());
    }

    void patternItems_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("suggest");
        QTest::addColumn<QString>("exception");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("tags"); // one per token; "" none
        QTest::addColumn<QString>("span"); // "" = no finding
        QTest::addColumn<QString>("correction");

        QTest::newRow("word in any case") << "[in nowadays]" << "nowadays" << "" << "In nowadays we work." << ""
                                          << "In nowadays" << "Nowadays";
        QTest::newRow("literal matches only as written")
            << "[=Monday]" << "x" << "" << "He came monday." << "" << "" << "";
        QTest::newRow("word set") << "{depend depends} [{of from}]" << "on" << "" << "It depends from it." << ""
                                  << "from" << "on";
        QTest::newRow("tag by prefix") << "[tag:VB] tag:NN" << "\\1:ing" << "" << "I enjoy swim lessons."
                                       << "PRP VBP VB NNS ." << "swim" << "swimming";
        QTest::newRow("tag missing") << "[tag:VB] tag:NN" << "x" << "" << "I enjoy swim lessons."
                                     << "PRP VBP JJ NNS ." << "" << "";
        QTest::newRow("regular expression on the whole token")
            << "arrived [to] /[A-Z][a-z]+/" << "in" << "" << "We arrived to Beijing." << "" << "to" << "in";
        QTest::newRow("regular expression ignoring case")
            << "[/colou?r/i]" << "colour" << "" << "COLOR is red." << "" << "COLOR" << "Colour";
        // inside a sentence a capital is the word's own, not the sentence's
        QTest::newRow("capital inside a sentence not carried over")
            << "[/colou?r/i]" << "colour" << "" << "Its COLOR is red." << "" << "COLOR" << "colour";
        QTest::newRow("capital after a full stop carried over")
            << "[/colou?r/i]" << "colour" << "" << "It is. \"COLOR is red.\"" << "" << "COLOR" << "Colour";
        // a describing word moved behind "the" loses the capital it had for starting the sentence;
        // a name keeps its own
        QTest::newRow("opening adjective moved behind a word")
            << "^ [{last next}] tag:NN" << "the \\2" << "" << "Last chapter is short." << "JJ NN VBZ JJ ."
            << "Last" << "The last";
        QTest::newRow("opening name moved behind a word keeps its capital")
            << "^ [/Internet/]" << "the \\2" << "" << "Internet is fast." << "NN VBZ JJ ." << "Internet"
            << "The Internet";
        QTest::newRow("opening word that stays first")
            << "^ [last] tag:NN" << "\\2 the" << "" << "Last chapter is short." << "JJ NN VBZ JJ ." << "Last"
            << "Last the";
        // a rule opening on alternatives of words is tried only where one of them stands
        QTest::newRow("alternatives of words, one of them")
            << "[/USA|UK|[Ii]nternet/]" << "the \\1" << "" << "We use internet daily." << "" << "internet"
            << "the internet";
        QTest::newRow("alternatives of words keep their case")
            << "[/USA|UK|[Ii]nternet/]" << "the \\1" << "" << "We use INTERNET daily." << "" << "" << "";
        QTest::newRow("alternatives in brackets") << "[/(Turn|Switch)/] of" << "\\1 off" << ""
                                                  << "Please switch of the light." << "" << "" << "";
        QTest::newRow("alternatives in brackets, as written")
            << "^ [/(Turn|Switch)/ of]" << "\\2 off" << "" << "Switch of the light." << "" << "Switch of"
            << "Switch off";
        QTest::newRow("a range of letters is no list") << "[/[a-c]at/]" << "cat" << "" << "A bat flew." << ""
                                                       << "bat" << "cat";
        QTest::newRow("alternatives after a clause start")
            << "<clause> [/In|By/ contrasts]" << "\\2 contrast" << "" << "It rained. By contrasts, it was warm." << ""
            << "By contrasts" << "By contrast";
        QTest::newRow("alternatives inside a clause")
            << "<clause> [/In|By/ contrasts]" << "\\2 contrast" << "" << "It rained In contrasts of colour." << ""
            << "" << "";
        QTest::newRow("regular expression skips a giant token")
            << "[/a+/]" << "x" << "" << QString(QStringLiteral("a")).repeated(5000) << "" << "" << "";
        QTest::newRow("a common verb's base form") << "enjoy [to @verb]" << "\\3:ing" << ""
                                                 << "I enjoy to swim." << "" << "to swim" << "swimming";
        QTest::newRow("not a verb") << "enjoy [to @verb]" << "\\3:ing" << "" << "I enjoy to Paris." << "" << ""
                                    << "";
        QTest::newRow("noun exception") << "forward to [@verb]" << "\\3:ing" << "forward to @noun"
                                        << "I look forward to visit you." << "" << "" << "";
        QTest::newRow("named class") << "class:modal [{to}] @verb" << "-" << "" << "You must to go now." << ""
                                     << " to " << "";
        QTest::newRow("named class, a word outside it") << "class:modal [{to}] @verb" << "-" << ""
                                                        << "You want to go now." << "" << "" << "";
        QTest::newRow("named class with a negative") << "[class:modal] not" << "x" << "" << "You cannot not go." << ""
                                                     << "cannot" << "x";
        QTest::newRow("class of verbs in another form") << "class:gerund_verb [to @verb]" << "\\3:ing" << ""
                                                        << "They avoided to answer." << "" << "to answer"
                                                        << "answering";
        QTest::newRow("class of verbs, a verb outside it") << "class:gerund_verb [to @verb]" << "\\3:ing" << ""
                                                           << "They decided to answer." << "" << "" << "";
        QTest::newRow("class of words takes no other form") << "[class:modal] go" << "x" << ""
                                                            << "The cans go here." << "" << "" << "";
        QTest::newRow("lemma of a past form") << "lemma:depend [of]" << "on" << "" << "It depended of luck." << ""
                                              << "of" << "on";
        QTest::newRow("lemma of an irregular past") << "lemma:go [to] home" << "-" << "" << "He went to home." << ""
                                                    << " to " << "";
        QTest::newRow("lemma of another verb") << "lemma:go [to] home" << "-" << "" << "He got to home." << ""
                                               << "" << "";
        QTest::newRow("sentence end") << "[on] /20[0-9][0-9]/ $" << "in" << "" << "Born on 2010" << "" << "on" << "in";
        QTest::newRow("sentence end not reached") << "[on] /20[0-9][0-9]/ $" << "in" << "" << "Born on 2010." << ""
                                                  << "" << "";
        QTest::newRow("token kinds") << "[on] @number @punct" << "in" << "" << "Born on 2010." << "" << "on" << "in";
        QTest::newRow("a word is no number") << "[on] @number" << "in" << "" << "Born on time." << "" << "" << "";
        QTest::newRow("attached hyphen cancels") << "[my self]" << "myself" << "my self ~-"
                                                 << "It helped my self-esteem." << "" << "" << "";
        QTest::newRow("spaced hyphen does not") << "[my self]" << "myself" << "my self ~-"
                                                << "I did it my self - alone." << "" << "my self" << "myself";
        QTest::newRow("part of speech") << "[quiet] pos:adj" << "quite" << "" << "It is quiet simple." << ""
                                        << "quiet" << "quite";
        QTest::newRow("part of speech, another word") << "[quiet] pos:adj" << "quite" << ""
                                                      << "It is quiet for once." << "" << "" << "";
        QTest::newRow("two conditions on one token")
            << "[quiet] pos:adj&!pos:noun" << "quite" << "" << "It is quiet difficult." << "" << "quiet" << "quite";
        QTest::newRow("two conditions, the negated one fails")
            << "[quiet] pos:adj&!pos:noun" << "quite" << "" << "It is quiet kind." << "" << "" << "";
        QTest::newRow("negated word set") << "[its] !{own} @word" << "it's" << "" << "Its a pity." << "" << "Its"
                                          << "It's";
        QTest::newRow("negated word set, the word itself") << "[its] !{own} @word" << "it's" << ""
                                                           << "It has its own way." << "" << "" << "";
        QTest::newRow("negated item takes punctuation") << "[its] !pos:noun" << "it's" << "" << "I saw its." << ""
                                                        << "its" << "it's";
        QTest::newRow("joined class and regular expression")
            << "am [class:feeling_verb&/.*ing/]" << "\\2:pp" << "" << "I am boring today." << "" << "boring"
            << "bored";
        QTest::newRow("joined class and regular expression, the other form")
            << "am [class:feeling_verb&/.*ing/]" << "\\2:pp" << "" << "I am bored today." << "" << "" << "";
        QTest::newRow("exclamation mark as itself") << "[wow] !" << "great" << "" << "wow !" << "" << "wow" << "great";
        QTest::newRow("optional item present")
            << "[a ?very good]" << "\\3" << "" << "It is a very good idea." << "" << "a very good" << "good";
        QTest::newRow("optional item absent")
            << "[a ?very good]" << "\\2 \\3" << "" << "It is a good idea." << "" << "a good" << "good";
        QTest::newRow("skip within the clause")
            << "[discuss] skip:2 about" << "talk" << "" << "We discuss it all about." << "" << "discuss" << "talk";
        QTest::newRow("skip stops at a comma")
            << "[discuss] skip:3 about" << "talk" << "" << "We discuss it, about time." << "" << "" << "";
        QTest::newRow("skip stops at a conjunction")
            << "[discuss] skip:3 about" << "talk" << "" << "We discuss and argue about it." << "" << "" << "";
        QTest::newRow("skip bounded") << "[discuss] skip:1 about" << "talk" << ""
                                      << "We discuss it all about." << "" << "" << "";
        QTest::newRow("sentence start") << "^ [because] skip:4 , so" << "as" << "" << "\"Because it rains, so.\""
                                        << "" << "Because" << "As";
        QTest::newRow("sentence start elsewhere")
            << "^ [because]" << "as" << "" << "We left because it rained." << "" << "" << "";
        QTest::newRow("clause start after a conjunction")
            << "<clause> [in additions]" << "in addition" << "" << "It is big and in additions cheap." << ""
            << "in additions" << "in addition";
        QTest::newRow("clause start inside a clause")
            << "<clause> [in additions]" << "in addition" << "" << "They invested in additions to it." << "" << ""
            << "";
        QTest::newRow("exception cancels where it overlaps")
            << "[in night]" << "at night" << "in night school" << "I study in night school." << "" << "" << "";
        QTest::newRow("exception elsewhere does not cancel")
            << "[in night]" << "at night" << "in night school" << "I work in night, not in night school." << ""
            << "in night" << "at night";
        QTest::newRow("back-reference with its case")
            << "[{look looks} forward to tag:VB]" << "\\1 forward to \\4:ing" << "" << "Look forward to see you."
            << "VB RB TO VB PRP ." << "Look forward to see" << "Look forward to seeing";
        QTest::newRow("third person") << "he [tag:VB]" << "\\2:s" << "" << "He go home." << "PRP VB NN ." << "go"
                                      << "goes";
        QTest::newRow("past") << "yesterday I [tag:VB]" << "\\3:past" << "" << "Yesterday I go home."
                              << "NN PRP VB NN ." << "go" << "went";
        QTest::newRow("participle") << "have [tag:VB]" << "\\2:pp" << "" << "I have write it." << "PRP VBP VB PRP ."
                                    << "write" << "written";
        QTest::newRow("deletion") << "discuss [about]" << "-" << "" << "We discuss about it." << "" << " about "
                                  << "";
        QTest::newRow("punctuation as an item") << "[so] ," << "so" << "" << "It is late so, we go." << "" << "so"
                                                << "so";
    }

    void patternItems()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, suggest);
        QFETCH(QString, exception);
        QFETCH(QString, sentence);
        QFETCH(QString, tags);
        QFETCH(QString, span);
        QFETCH(QString, correction);
        std::string file = "rule t.one\nexplain fixed_phrase\ncertainty 3\npattern " + pattern.toStdString()
            + "\nsuggest " + suggest.toStdString() + "\n";
        if (!exception.isEmpty())
            file += "unless " + exception.toStdString() + "\n";
        file += "wrong <x> => y\n";
        std::vector<DataRule> rules;
        std::string why;
        QVERIFY2(RuleFileParser::parse(file, "t.rules", &rules, &why), why.c_str());
        RuleEngine engine;
        engine.add(rules);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<std::string> tagList(tokens.size());
        const QStringList given = tags.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int i = 0; i < given.size() && i < int(tagList.size()); ++i)
            tagList[size_t(i)] = given[i].toStdString();
        std::vector<Finding> found;
        engine.run("t", tokens, tagList, *m_lexicon, &found);
        if (span.isEmpty()) {
            QVERIFY2(found.empty(), found.empty() ? "" : found[0].errorInfo.c_str());
            return;
        }
        QCOMPARE(int(found.size()), 1);
        QCOMPARE(sentence.mid(found[0].start, found[0].end - found[0].start), span);
        QCOMPARE(QString::fromStdString(found[0].candidates[0].correction), correction);
    }

    void disabledRuleIsSilent()
    {
        std::vector<DataRule> rules;
        std::string why;
        QVERIFY(RuleFileParser::parse(oneRule("[in nowadays]", "nowadays"), "t.rules", &rules, &why));
        RuleEngine engine;
        engine.add(rules);
        const std::vector<Token> tokens = Tokenizer::tokenize("In nowadays we work.");
        const std::vector<std::string> tags(tokens.size());
        std::vector<Finding> found;
        engine.run("t", tokens, tags, *m_lexicon, &found);
        QCOMPARE(int(found.size()), 1);
        engine.disable("t.one");
        found.clear();
        engine.run("t", tokens, tags, *m_lexicon, &found);
        QVERIFY(found.empty());
    }

    // a school's rules replace built-in ones by id, switch ids off and add families
    void localRules_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("expected"); // CheckerRecords::describe, with the local rules
        const QString conclusion = QStringLiteral("In a conclusion, sleep matters.");
        QTest::newRow("built-in rule alone") << "" << "" << conclusion
                                            << "GRAMMAR/fixed_phrase 'In a conclusion' -> 'In conclusion'";
        QTest::newRow("same id replaces it")
            << QString::fromStdString(oneRule("[in a conclusion]", "to conclude").replace(5, 5, "phrases.in_a_conclusion"))
            << "" << conclusion << "GRAMMAR/fixed_phrase 'In a conclusion' -> 'To conclude'";
        QTest::newRow("disabled id is silent") << "" << "phrases.in_a_conclusion" << conclusion << "";
        QTest::newRow("a new family") << QString::fromStdString(oneRule("[in these days] ,", "these days")) << ""
                                      << "In these days, people are busy."
                                      << "GRAMMAR/fixed_phrase 'In these days' -> 'These days'";
        // the worked example of the README's "Writing a rule"
        const QString readme = QStringLiteral("rule      school.in_these_days\n"
                                              "explain   fixed_phrase\n"
                                              "type      GRAMMAR\n"
                                              "certainty 3\n"
                                              "pattern   <clause> [in these days]\n"
                                              "pattern   [in these days] ,\n"
                                              "unless    in these days of\n"
                                              "suggest   these days\n"
                                              "wrong     <In these days>, people are busy. => These days\n"
                                              "clean     In these days of cheap phones, everyone has one.\n");
        QTest::newRow("worked example: wrong") << readme << "" << "In these days, people are busy."
                                               << "GRAMMAR/fixed_phrase 'In these days' -> 'These days'";
        QTest::newRow("worked example: clean") << readme << "" << "In these days of cheap phones, everyone has one."
                                               << "";
        QTest::newRow("a disabled local rule")
            << QString::fromStdString(oneRule("[in these days] ,", "these days")) << "t.one"
            << "In these days, people are busy." << "";
    }

    void localRules()
    {
        QFETCH(QString, file);
        QFETCH(QString, disabled);
        QFETCH(QString, sentence);
        QFETCH(QString, expected);
        RuleEngine local;
        if (!disabled.isEmpty())
            local.disable(disabled.toStdString());
        std::vector<DataRule> rules;
        std::string why;
        QVERIFY2(file.isEmpty() || RuleFileParser::parse(file.toStdString(), "school.rules", &rules, &why), why.c_str());
        local.add(rules);
        const Json::Value record = m_checker->checkSentence(0, sentence.toStdString(), 0,
                                                            CheckerRecords::sentenceConfig(3), {}, {}, &local);
        QCOMPARE(CheckerRecords::describe(sentence, record), expected);
    }

    void libraryReloadsWhenTheFolderChanges()
    {
        QTemporaryDir dir;
        auto now = std::chrono::steady_clock::time_point();
        std::vector<std::string> reported;
        RuleLibrary library(dir.filePath("rules").toStdString(), {"x.off"}, std::chrono::seconds(2),
                            [&reported](const std::string &m) { reported.push_back(m); }, [&now] { return now; });
        QVERIFY(library.current()->rules().empty()); // no folder yet
        QVERIFY(library.current()->shadows("x.off"));
        QVERIFY(QDir().mkpath(dir.filePath("rules")));
        writeFile(dir.filePath("rules/a.rules"), oneRule("alpha", "beta"));
        library.refresh();
        QVERIFY(library.current()->rules().empty()); // within the interval: not looked at
        now += std::chrono::seconds(2);
        library.refresh();
        QCOMPARE(int(library.current()->rules().size()), 1);
        const std::shared_ptr<const RuleEngine> held = library.current();

        // an edit that breaks the file drops its rules and says where; mending brings them back
        writeFile(dir.filePath("rules/a.rules"), oneRule("alpha", "beta") + "suggest again\n");
        now += std::chrono::seconds(2);
        library.refresh();
        QVERIFY(library.current()->rules().empty());
        QCOMPARE(int(reported.size()), 1);
        QVERIFY2(reported[0].find("a.rules:7: a second 'suggest'") != std::string::npos, reported[0].c_str());
        QCOMPARE(int(held->rules().size()), 1); // a check under way keeps the rules it began with
        now += std::chrono::seconds(2);
        library.refresh(); // nothing changed: not reported again
        QCOMPARE(int(reported.size()), 1);
        writeFile(dir.filePath("rules/a.rules"), oneRule("alpha", "gamma"));
        now += std::chrono::seconds(2);
        library.refresh();
        QCOMPARE(int(library.current()->rules().size()), 1);
        QVERIFY(library.current()->shadows("x.off"));
    }
};

QTEST_GUILESS_MAIN(TestCheckerRuleFiles)
#include "tst_checker_rulefiles.moc"
