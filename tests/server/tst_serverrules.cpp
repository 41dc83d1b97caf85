// A school's rule files in the server's data folder (DATA/rules): a file added or edited
// while the server runs changes the next check without a restart, a broken file drops
// only its rules, and --disable-rule switches a built-in rule off.

#include "englishchecker.h"
#include "frame.h"
#include "serviceserver.h"
#include "support/checkerrecords.h"
#include "support/testserver.h"

#include <QtTest>

#include <json/json.h>

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
    o.disabledRules = {"phrases.in_nowadays"};
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
};

QTEST_GUILESS_MAIN(TestServerRules)
#include "tst_serverrules.moc"
