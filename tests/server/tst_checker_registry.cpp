// The rule registry: overlapping findings are settled by priority, then certainty, the
// same whatever order the rules were added or spoke in; a family switched off by id
// (--disable-rule) stays silent while the others go on; every family is registered once.

#include "englishchecker.h"
#include "functionrule.h"
#include "ruleengine.h"
#include "ruleregistry.h"
#include "support/checkerrecords.h"

#include <QtTest>

#include <memory>

using namespace PennovaChecker;

namespace {

Finding finding(int start, int end, const char *correction, int certainty)
{
    Finding f;
    f.start = start;
    f.end = end;
    f.errorType = "GRAMMAR";
    f.explainType = "test";
    f.certainty = certainty;
    f.candidates.push_back({correction});
    return f;
}

// A rule that reports the given findings whatever the sentence.
std::unique_ptr<Rule> saying(const char *id, int priority, std::vector<Finding> findings, unsigned needs = 0)
{
    return std::make_unique<FunctionRule>(id, "GRAMMAR", priority, needs,
                                          [findings](const Sentence &, std::vector<Finding> &out) {
                                              out.insert(out.end(), findings.begin(), findings.end());
                                          });
}

QStringList corrections(const std::vector<Finding> &found)
{
    QStringList out;
    for (const Finding &f : found)
        out << QString::fromStdString(f.candidates.at(0).correction);
    return out;
}

Json::Value check(const EnglishChecker &checker, const char *sentence, const RuleEngine *local = nullptr)
{
    return checker.checkSentence(0, sentence, 0, CheckerRecords::sentenceConfig(2), {}, {}, local);
}

bool hasKind(const Json::Value &record, const char *explain)
{
    for (const Json::Value &c : record["corrections"])
        if (c["explainType"].asString() == explain)
            return true;
    return false;
}

} // namespace

class TestCheckerRegistry : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void settling_data()
    {
        QTest::addColumn<bool>("lowFirst"); // the rule of the lower priority number is added first
        QTest::addColumn<int>("lowCertainty");
        QTest::addColumn<int>("highCertainty");
        QTest::addColumn<int>("highStart"); // where the other rule's finding starts
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("overlap: lower priority wins, added first") << true << 2 << 3 << 2 << QStringList{"low"};
        QTest::newRow("overlap: lower priority wins, added last") << false << 2 << 3 << 2 << QStringList{"low"};
        QTest::newRow("overlap: priority over certainty") << true << 1 << 3 << 0 << QStringList{"low"};
        QTest::newRow("apart: both kept in text order") << false << 2 << 2 << 20 << QStringList{"low", "high"};
        QTest::newRow("touching ends do not overlap") << true << 2 << 2 << 5 << QStringList{"low", "high"};
    }
    void settling()
    {
        QFETCH(bool, lowFirst);
        QFETCH(int, lowCertainty);
        QFETCH(int, highCertainty);
        QFETCH(int, highStart);
        QFETCH(QStringList, expected);
        RuleRegistry registry;
        auto low = saying("low", 10, {finding(0, 5, "low", lowCertainty)});
        auto high = saying("high", 20, {finding(highStart, highStart + 4, "high", highCertainty)});
        if (lowFirst) {
            QVERIFY(registry.add(std::move(low)));
            QVERIFY(registry.add(std::move(high)));
        } else {
            QVERIFY(registry.add(std::move(high)));
            QVERIFY(registry.add(std::move(low)));
        }
        QCOMPARE(registry.rules().front()->id(), std::string("low"));
        const std::vector<Token> tokens;
        const std::vector<std::string> tags;
        const Sentence sentence{tokens, tags};
        QCOMPARE(corrections(RuleRegistry::settle(registry.collect(sentence), {}, 100)), expected);
    }

    void settlingWithinOnePriority_data()
    {
        QTest::addColumn<int>("firstCertainty");
        QTest::addColumn<int>("secondCertainty");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the surer finding wins, said second") << 2 << 3 << "second";
        QTest::newRow("the surer finding wins, said first") << 3 << 2 << "first";
        QTest::newRow("equal certainty: the first said") << 2 << 2 << "first";
    }
    void settlingWithinOnePriority()
    {
        QFETCH(int, firstCertainty);
        QFETCH(int, secondCertainty);
        QFETCH(QString, expected);
        std::vector<Finding> found = {finding(0, 6, "first", firstCertainty), finding(3, 9, "second", secondCertainty)};
        QCOMPARE(corrections(RuleRegistry::settle(found, {}, 100)), QStringList{expected});
    }

    void settlingAnAddedMark_data()
    {
        QTest::addColumn<QString>("addition");
        QTest::addColumn<QStringList>("expected");
        // "Afica you": the comma goes into the gap after the word the spelling finding mends
        QTest::newRow("a mark after the word leaves the word to another finding")
            << "Afica," << QStringList{"Africa", "Afica,"};
        QTest::newRow("a change of the word itself still overlaps") << "Africa" << QStringList{"Africa"};
    }
    void settlingAnAddedMark()
    {
        QFETCH(QString, addition);
        QFETCH(QStringList, expected);
        Finding spelling = finding(10, 15, "Africa", 3);
        spelling.errorInfo = "Afica";
        Finding other = finding(10, 15, qPrintable(addition), 2);
        other.errorInfo = "Afica";
        QCOMPARE(corrections(RuleRegistry::settle({spelling, other}, {}, 100)), expected);
        // two marks after the same word still settle to one
        Finding again = finding(10, 15, "Afica;", 2);
        again.errorInfo = "Afica";
        QCOMPARE(RuleRegistry::settle({other, again}, {}, 100).size(), size_t(addition == "Afica," ? 1 : 2));
    }

    void settlingAdmitsAndLimits()
    {
        std::vector<Finding> found = {finding(0, 3, "unsure", 1), finding(2, 5, "sure", 3), finding(10, 12, "b", 3),
                                      finding(20, 22, "c", 3)};
        // the unsure one is not admitted, so it does not hide the sure one it overlaps
        const auto admit = [](const Finding &f) { return f.certainty >= 2; };
        QCOMPARE(corrections(RuleRegistry::settle(found, admit, 100)), (QStringList{"sure", "b", "c"}));
        QCOMPARE(corrections(RuleRegistry::settle(found, admit, 2)), (QStringList{"sure", "b"}));
        QVERIFY(RuleRegistry::settle({}, admit, 100).empty());
    }

    void switchesAndIds()
    {
        RuleRegistry registry;
        QVERIFY(registry.add(saying("spell", 10, {finding(0, 2, "s", 3)}, SwitchSpell)));
        QVERIFY(registry.add(saying("style", 20, {finding(4, 6, "t", 3)}, SwitchStyle | SwitchGrammar)));
        QVERIFY(!registry.add(saying("spell", 30, {}))); // an id is taken once
        QCOMPARE(int(registry.rules().size()), 2);
        const std::vector<Token> tokens;
        const std::vector<std::string> tags;
        Sentence sentence{tokens, tags};
        sentence.switches = SwitchStyle; // the style rule needs grammar too
        QCOMPARE(corrections(registry.collect(sentence)), QStringList{});
        sentence.switches = SwitchAll;
        QCOMPARE(corrections(registry.collect(sentence)), (QStringList{"s", "t"}));
        QVERIFY(registry.setEnabled("spell", false));
        QVERIFY(!registry.setEnabled("no.such.rule", false));
        QCOMPARE(corrections(registry.collect(sentence)), QStringList{"t"});
        RuleEngine local;
        local.disable("style");
        sentence.localRules = &local;
        QVERIFY(registry.collect(sentence).empty());
    }

    void builtInFamiliesRegistered()
    {
        const RuleRegistry &registry = m_checker->registry();
        QVERIFY(registry.rules().size() >= 30);
        for (const char *id : {"morphology", "confusion", "tense", "verb_forms", "agreement", "articles", "transitivity",
                               "noun_number", "article_choice", "generic_the", "spelling", "rules.prepositions",
                               "rules.negation", "rules.feelings", "rules.confusions", "rules.articles", "fragment"})
            QVERIFY2(registry.find(id), id);
        for (size_t k = 1; k < registry.rules().size(); ++k)
            QVERIFY(registry.rules()[k - 1]->priority() < registry.rules()[k]->priority());
    }

    void disableFamilyById_data()
    {
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("explain"); // what the family finds there
        QTest::newRow("verb forms") << "verb_forms" << "I going to the library now." << "be_missing";
        QTest::newRow("feeling verbs in transitivity") << "transitivity" << "The more I study, the more I satisfy."
                                                       << "feeling_passive";
        QTest::newRow("spelling") << "spelling" << "I like my familly." << "nonword";
        QTest::newRow("a family of the rule files") << "rules.prepositions" << "I am interested on music."
                                                    << "preposition_choice";
        QTest::newRow("double negatives") << "rules.negation" << "I don't have nothing to do." << "double_negative";
        QTest::newRow("feeling adjectives") << "rules.feelings" << "I am boring in the class." << "feeling_adjective";
        QTest::newRow("look-alike confusions") << "rules.confusions" << "The company has it's own rules."
                                               << "confusion_its";
        QTest::newRow("present verbs after a past clause") << "tense.past_anchor"
                                                   << "After I finished school, I start to work." << "tense_past_time";
    }
    void disableFamilyById()
    {
        QFETCH(QString, disabled);
        QFETCH(QString, sentence);
        QFETCH(QString, explain);
        const std::string text = sentence.toStdString(), kind = explain.toStdString();
        QVERIFY2(hasKind(check(*m_checker, text.c_str()), kind.c_str()),
                 qPrintable(CheckerRecords::describe(sentence, check(*m_checker, text.c_str()))));
        RuleEngine local;
        local.disable(disabled.toStdString());
        const Json::Value off = check(*m_checker, text.c_str(), &local);
        QVERIFY2(!hasKind(off, kind.c_str()), qPrintable(CheckerRecords::describe(sentence, off)));
        // the other families go on: a misspelling beside it is still found
        if (disabled != QLatin1String("spelling")) {
            const std::string more = text.substr(0, text.size() - 1) + " becuase of it.";
            QVERIFY(hasKind(check(*m_checker, more.c_str(), &local), "nonword"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCheckerRegistry)
#include "tst_checker_registry.moc"
