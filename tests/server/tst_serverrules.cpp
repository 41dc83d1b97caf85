// A school's rule files in the server's data folder (DATA/rules): a file added or edited
// while the server runs changes the next check without a restart, a broken file drops
// only its rules, and --disable-rule switches a built-in rule or family off. "rules check" runs a
// file's examples before the server reads it.

#include "englishchecker.h"
#include "frame.h"
#include "rulescommand.h"
#include "servercommandline.h"
#include "serviceserver.h"
#include "support/checkerrecords.h"
#include "support/testserver.h"

#include <QtTest>

#include <json/json.h>

#include <sstream>

namespace {

Json::Value parseJson(const std::string &text)
{
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value value;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &value, &errors))
        return Json::Value();
    return value;
}

PennovaServer::ServerOptions options()
{
    PennovaServer::ServerOptions o = TestServer::defaultOptions();
    o.ruleReloadMs = 0; // look at the folder on every check
    o.disabledRules = {"phrases.in_nowadays", "transitivity"}; // a rule, and a family of the rule classes
    return o;
}

const char SchoolRule[] = "rule school.in_these_days\n"
                          "explain fixed_phrase\n"
                          "certainty 3\n"
                          "pattern [in these days] ,\n"
                          "suggest these days\n"
                          "wrong <In these days>, people are busy. => These days\n";

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

} // namespace

class TestServerRules : public QObject
{
    Q_OBJECT

private:
    TestServer m_server{options()};
    std::string m_key;

    // "span -> first candidate" of each correction the server finds in the sentence.
    QStringList check(const QString &sentence)
    {
        const auto res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                                                 m_key, {sentence.toStdString()}, {0})));
        std::vector<std::string> texts;
        if (!res || res->status != 200 || !TestFrames::records(res->body, &texts) || texts.size() != 2)
            return {QStringLiteral("no reply")};
        QStringList out;
        const Json::Value record = parseJson(texts[0]);
        for (const Json::Value &c : record["corrections"])
            out << CheckerRecords::covered(sentence, c) + QStringLiteral(" -> ")
                    + QString::fromStdString(c["candidates"][0u]["correction"].asString());
        return out;
    }

    QString rulesFolder() const { return QString::fromStdString(m_server.dataDir()) + QStringLiteral("/rules"); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_server.addUser("teacher01", "teacher01@example.com", "secret123");
        m_key = m_server.login("teacher01", "secret123");
        QVERIFY(!m_key.empty());
    }

    void addedAndEditedFileChangesTheNextCheck()
    {
        const QString sentence = QStringLiteral("In these days, people are busy.");
        QCOMPARE(check(sentence), QStringList());
        QVERIFY(QDir().mkpath(rulesFolder()));
        writeFile(rulesFolder() + "/school.rules", SchoolRule);
        QCOMPARE(check(sentence), QStringList{QStringLiteral("In these days -> These days")});

        QByteArray edited = SchoolRule;
        edited.replace("suggest these days", "suggest nowadays");
        writeFile(rulesFolder() + "/school.rules", edited);
        QCOMPARE(check(sentence), QStringList{QStringLiteral("In these days -> Nowadays")});

        // a broken edit drops the file's rules; the server goes on checking
        writeFile(rulesFolder() + "/school.rules", edited + "pattern [in\n");
        QCOMPARE(check(sentence), QStringList());
        QCOMPARE(check(QStringLiteral("She go to school.")), QStringList{QStringLiteral("go -> goes")});

        QVERIFY(QFile::remove(rulesFolder() + "/school.rules"));
        QCOMPARE(check(sentence), QStringList());
    }

    void disabledRuleIsSilent()
    {
        const QString sentence = QStringLiteral("In nowadays, people are busy.");
        // the checker flags it on its own; this server has the rule switched off
        const Json::Value plain = m_server.server().checker().checkSentence(0, sentence.toStdString(), 0,
                                                                          CheckerRecords::sentenceConfig(2), {});
        QCOMPARE(CheckerRecords::describe(sentence, plain),
                 QStringLiteral("GRAMMAR/fixed_phrase 'In nowadays' -> 'Nowadays'"));
        QCOMPARE(check(sentence), QStringList());
        QCOMPARE(check(QStringLiteral("As a results, we won.")), QStringList{QStringLiteral("As a results -> As a result")});
    }

    void disabledFamilyIsSilent()
    {
        const QString sentence = QStringLiteral("The more I study, the more I satisfy.");
        const Json::Value plain = m_server.server().checker().checkSentence(0, sentence.toStdString(), 0,
                                                                          CheckerRecords::sentenceConfig(2), {});
        QCOMPARE(CheckerRecords::describe(sentence, plain),
                 QStringLiteral("GRAMMAR/feeling_passive 'I satisfy' -> 'I am satisfied'"));
        QCOMPARE(check(sentence), QStringList());
        // the families beside it go on
        QCOMPARE(check(QStringLiteral("The more I study, the more she go.")), QStringList{QStringLiteral("go -> goes")});
    }

    void rulesCheckCommand_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // a line the output or the errors must hold
        QTest::newRow("examples hold") << QByteArray(SchoolRule) << 0
                                       << "1 rules, 1 examples, 0 failed, 0 files refused";
        QByteArray unflagged = SchoolRule;
        unflagged.replace("pattern [in these days] ,", "pattern [in those days] ,");
        QTest::newRow("wrong example not flagged")
            << unflagged << 1 << "school.rules:6: rule school.in_these_days: 'In these days' not flagged; found nothing";
        QByteArray otherCorrection = SchoolRule;
        otherCorrection.replace("suggest these days", "suggest nowadays");
        QTest::newRow("another correction")
            << otherCorrection << 1 << "'In these days' -> 'Nowadays', not 'These days'";
        QTest::newRow("look-alike flagged") << QByteArray(SchoolRule).append("clean In these days, we rest.\n") << 1
                                            << "look-alike 'In these days, we rest.' gets fixed_phrase";
        QTest::newRow("broken file") << QByteArray(SchoolRule).append("colour red\n") << 1
                                     << "school.rules:7: unknown key 'colour'";
    }

    void rulesCheckCommand()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("rules"))));
        writeFile(dir.filePath(QStringLiteral("rules/school.rules")), file);
        const auto line = PennovaServer::ServerCommandLine::parse({"--data", dir.path().toStdString(), "rules", "check"},
                                                                 "/h");
        std::ostringstream out, err;
        QCOMPARE(PennovaServer::RulesCommand::run(line, out, err, &m_server.server().checker()), exitCode);
        const QString printed = QString::fromStdString(out.str() + err.str());
        QVERIFY2(printed.contains(output), qPrintable(printed));
    }
};

QTEST_GUILESS_MAIN(TestServerRules)
#include "tst_serverrules.moc"
