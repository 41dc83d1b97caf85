// The client's own service classes against a real pennova-server on loopback: what the
// program sends, the server must understand, and what the server answers, the program
// must read.

#include "checktask.h"
#include "enrichmenttask.h"
#include "passwordhash.h"
#include "serverstorage.h"
#include "serviceserver.h"
#include "support/testserver.h"
#include "synonym.h"
#include "useraccess.h"
#include "usercountlog.h"
#include "usernewword.h"
#include "userregister.h"
#include "wordliststore.h"
#include "accountstore.h"
#include "usagelogstore.h"

#include <QtTest>

#include <json/json.h>

#include <memory>
#include <set>
#include <vector>

using namespace ZeltraLib;

class TestServerClients : public QObject
{
    Q_OBJECT

private:
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.port()); }

    QString login()
    {
        UserAccess access(host());
        QSignalSpy finished(&access, &UserAccess::LoginFinished);
        access.login(QStringLiteral("pupil001"), passwordHash(QStringLiteral("pupil12345")));
        if (!finished.wait(20000) || finished.first().first().toInt() != -1)
            return {};
        return access.sessionKey();
    }

    TestServer m_server;
    int m_loggers = 0;

private slots:
    void initTestCase()
    {
        qRegisterMetaType<CResultState>("CResultState");
        qRegisterMetaType<QNetworkReply::NetworkError>();
        QVERIFY(m_server.start());
        QVERIFY(m_server.addUser("pupil001", "pupil@example.com", "pupil12345"));
    }

    void loginKeepsTheServicesName()
    {
        UserAccess access(host());
        QSignalSpy finished(&access, &UserAccess::LoginFinished);
        access.login(QStringLiteral("PUPIL001"), passwordHash(QStringLiteral("  pupil12345 ").trimmed()));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toInt(), -1);
        QCOMPARE(access.sessionKey().size(), 32);
        QCOMPARE(access.userName(), QStringLiteral("pupil001"));

        QSignalSpy activated(&access, &UserAccess::ActivateSessionFinished);
        access.activateSession();
        QVERIFY(activated.wait(20000));
        QCOMPARE(activated.first().first().toInt(), -1);

        QSignalSpy loggedOut(&access, &UserAccess::LogoutFinished);
        access.logout(false);
        QVERIFY(loggedOut.wait(20000));
        QCOMPARE(loggedOut.first().first().toInt(), -1);
        // The key is gone on the server: a second logout is a session error.
        QCOMPARE(access.logoutInBlock(), 2300);
    }

    // The login reply is read byte for byte: the name must come back as the user knows it.
    void loginNameAsTheUserKnowsIt_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ascii name typed in another case takes the service's form")
            << "caseuser01" << "CASEUSER01" << "caseuser01";
        QTest::newRow("chinese name of a sign-in account stays readable")
            << "sina_李雷同学" << "sina_李雷同学" << "sina_李雷同学";
    }

    void loginNameAsTheUserKnowsIt()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QVERIFY(m_server.addUser(stored.toStdString(), "", "secret123"));
        UserAccess access(host());
        QSignalSpy finished(&access, &UserAccess::LoginFinished);
        access.login(typed, passwordHash(QStringLiteral("secret123")));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toInt(), -1);
        QCOMPARE(access.userName(), expected);
    }

    void wrongPasswordIsAFailureNotANetworkError()
    {
        UserAccess access(host());
        QSignalSpy finished(&access, &UserAccess::LoginFinished);
        access.login(QStringLiteral("pupil001"), passwordHash(QStringLiteral("wrong-one")));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toInt(), 0);
        access.login(QStringLiteral("nobody000"), passwordHash(QStringLiteral("wrong-one")));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.at(1).first().toInt(), 1001);
    }

    void checkStreamReachesTheClient_data()
    {
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<QList<int>>("configs");
        QTest::addColumn<int>("records");
        QTest::newRow("three sentences") << QStringList{"I has a dog.", "She go to school.", "Fine."}
                                         << QList<int>{0, 0, 0} << 4;
        QTest::newRow("title, cached sentence, chinese")
            << QStringList{"My Holiday", "We swam.", "他说 teh cat."} << QList<int>{1, -1, 0} << 3;
        // Within the client's 10,000-word limit, but more lines than an essay has sentences.
        QStringList wordList;
        for (int i = 0; i < 6000; ++i)
            wordList << QStringLiteral("word");
        QTest::newRow("a word list of 6,000 one-word lines")
            << wordList << QList<int>(6000, 1) << 6001;
    }

    void checkStreamReachesTheClient()
    {
        QFETCH(QStringList, sentences);
        QFETCH(QList<int>, configs);
        QFETCH(int, records);
        CheckTask task(host());
        QSignalSpy results(&task, &CheckTask::signalUpdateResult);
        QSignalSpy finished(&task, &CheckTask::signalFinished);
        CheckRequest request;
        request.session = login();
        QVERIFY(!request.session.isEmpty());
        request.sents = sentences;
        request.configs = configs;
        task.start(request);
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first().first().value<QNetworkReply::NetworkError>(), QNetworkReply::NoError);
        QCOMPARE(results.size(), records);
        const CResultState summary = results.last().first().value<CResultState>();
        QVERIFY(summary.isSummary());
        for (int i = 0; i + 1 < results.size(); ++i) {
            const CResultState state = results.at(i).first().value<CResultState>();
            QVERIFY(!state.isSummary());
            QVERIFY(configs.at(state.sentInd) != -1);
            for (const CorrectionRecord &c : state.corrections)
                QVERIFY(c.start >= 0 && c.end <= sentences.at(state.sentInd).size());
        }
    }

    void unknownSessionIsAuthenticationRequired()
    {
        CheckTask task(host());
        QSignalSpy finished(&task, &CheckTask::signalFinished);
        CheckRequest request;
        request.session = QStringLiteral("00000000000000000000000000000000");
        request.sents = QStringList{"Hello."};
        request.configs = QList<int>{0};
        task.start(request);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().value<QNetworkReply::NetworkError>(), QNetworkReply::AuthenticationRequiredError);
    }

    void polishReplies_data()
    {
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<int>("error");
        QTest::newRow("too short is code 299") << QStringList{"Hi."} << int(QNetworkReply::UnknownContentError);
        QTest::newRow("a paragraph") << QStringList{"I think this is a very good idea for our class.",
                                                    "We can learn a lot of new things from it.",
                                                    "Many students like to read good books."}
                                     << int(QNetworkReply::NoError);
    }

    void polishReplies()
    {
        QFETCH(QStringList, sentences);
        QFETCH(int, error);
        Json::Value root(Json::objectValue);
        root["session"] = login().toStdString();
        root["clientVersion"] = ClientVersion.toStdString();
        root["confidence"] = 2;
        root["sents"] = Json::Value(Json::arrayValue);
        for (const QString &s : sentences)
            root["sents"].append(s.toStdString());
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "";
        EnrichmentTask task(host());
        QSignalSpy finished(&task, &EnrichmentTask::signalFinished);
        task.start(QByteArray::fromStdString(Json::writeString(builder, root) + "\n"));
        QVERIFY(finished.wait(60000));
        QCOMPARE(int(finished.first().first().value<QNetworkReply::NetworkError>()), error);
        for (const CResultState &state : task.results())
            QVERIFY(state.sentInd >= 0 && state.sentInd < sentences.size());
    }

    void synonymsReadAsTheServerSentThem()
    {
        const auto raw = m_server.post("/syms/", Synonym::requestBody(QStringLiteral("I walk home."), 2, 6).toStdString());
        QVERIFY(raw);
        Json::Value array;
        Json::CharReaderBuilder builder;
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        std::string errors;
        QVERIFY(reader->parse(raw->body.data(), raw->body.data() + raw->body.size(), &array, &errors));
        QStringList expected;
        for (const Json::Value &item : array)
            expected << QString::fromStdString(item.asString());

        Synonym synonym(host());
        QSignalSpy result(&synonym, &Synonym::signalResult);
        synonym.request(QStringLiteral("I walk home."), 2, 6);
        QVERIFY(result.wait(20000));
        QCOMPARE(result.first().first().toStringList(), expected);
    }

    // The usage-log client's own bodies, stored by the server as they were meant.
    void usageUploadsAreStored_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("events of a session") << "event";
        QTest::newRow("events of the login phase, blocking and anonymous") << "anonymous";
        QTest::newRow("corrections with texts the form must escape") << "correction";
        QTest::newRow("choices in chinese, with & and % in the sentence") << "choice";
        QTest::newRow("choice without a chosen word") << "emptyChoice";
        QTest::newRow("check statistics, not awaited") << "statistics";
    }

    void usageUploadsAreStored()
    {
        using PennovaServer::UsageLogStore;
        QFETCH(QString, kind);
        // A fresh user per row, so that each row sees only its own uploads.
        const std::string name = "logger" + std::to_string(++m_loggers) + "x";
        QVERIFY(m_server.addUser(name, name + "@example.com", "logger12345"));
        const std::int64_t user = m_server.server().storage().accounts().findByName(name)->id;
        UsageLogStore &store = m_server.server().storage().usage();
        UserCountLog log(host());
        const QString key = QString::fromStdString(m_server.login(name, "logger12345"));
        QVERIFY(!key.isEmpty());

        if (kind == "event") {
            QSignalSpy done(&log, &UserCountLog::AddUserEventFinished);
            log.addUserEvent(key, {{QStringLiteral("Main_Check"), 3}, {QStringLiteral("Tip_Go"), 1}}, ClientVersion);
            QVERIFY(done.wait(20000));
            const auto counts = store.counts(user, "event");
            QCOMPARE(int(counts.size()), 2);
            QCOMPARE(counts[0].name, std::string("Main_Check"));
            QCOMPARE(counts[0].count, std::int64_t(3));
            QCOMPARE(counts[1].name, std::string("Tip_Go"));
        } else if (kind == "anonymous") {
            const std::size_t before = store.counts(0, "event").size();
            log.addUserEventInBlock(AnonymousSessionKey, {{QStringLiteral("Login_Regester"), 2}}, ClientVersion);
            const auto counts = store.counts(0, "event");
            QCOMPARE(counts.size(), before + 1);
        } else if (kind == "correction") {
            QSignalSpy done(&log, &UserCountLog::AddUserErrorLogFinished);
            log.addUserErrorLog(key, {{QStringLiteral("recieve"), QStringLiteral("receive")},
                                      {QStringLiteral("R&D"), QStringLiteral("R%D")},
                                      {QStringLiteral("dont"), QStringLiteral("don't")}});
            QVERIFY(done.wait(20000));
            const auto entries = store.corrections(user);
            QCOMPARE(int(entries.size()), 3);
            std::set<std::pair<std::string, std::string>> pairs;
            for (const auto &e : entries)
                pairs.insert({e.found, e.replacement});
            QVERIFY(pairs.count({"R&D", "R%D"}));
            QVERIFY(pairs.count({"dont", "don't"}));
        } else if (kind == "choice" || kind == "emptyChoice") {
            QSignalSpy done(&log, &UserCountLog::sinalAddIgnorDataFinished);
            WordChoice choice;
            choice.sentence = kind == "choice" ? QStringLiteral("我们 & 100% \"good\" friends.") : QStringLiteral("It is nice.");
            choice.wordIndex = kind == "choice" ? 16 : 6;
            choice.wordLength = 4;
            choice.chooseWord = kind == "choice" ? QStringLiteral("great") : QString();
            log.addIgnorData(key, {choice});
            QVERIFY(done.wait(20000));
            const auto stored = store.choices(user);
            QCOMPARE(int(stored.size()), 1);
            QCOMPARE(QString::fromStdString(stored[0].sentence), choice.sentence);
            QCOMPARE(stored[0].wordIdx, std::int64_t(choice.wordIndex));
            QCOMPARE(QString::fromStdString(stored[0].chooseWord), choice.chooseWord);
        } else {
            log.addCheckCount(key, QStringLiteral("error"), {{1, 4}, {4, 2}, {99, 7}});
            log.addCheckCount(key, QStringLiteral("level"), {{1, 12}});
            QTRY_COMPARE_WITH_TIMEOUT(int(store.counts(user, "error").size()), 2, 20000);
            QTRY_COMPARE_WITH_TIMEOUT(int(store.counts(user, "level").size()), 1, 20000);
            QCOMPARE(store.counts(user, "error")[0].name, std::string("Grammar"));
        }
    }

    // 64 clients at once, each checking a text and adding words to one shared list:
    // every request is answered, none is reset, and no word is lost.
    void manyClientsAtOnceAreAllAnswered()
    {
        constexpr int Clients = 64;
        constexpr int AddsPerClient = 3;
        QVERIFY(m_server.addUser("crowd0001", "crowd@example.com", "crowd12345"));
        const QString key = QString::fromStdString(m_server.login("crowd0001", "crowd12345"));
        QVERIFY(!key.isEmpty());
        m_server.server().checker(); // loaded before the crowd comes, not by its first check
        std::vector<std::unique_ptr<CheckTask>> checks;
        std::vector<std::unique_ptr<UserNewWord>> lists;
        QList<QNetworkReply::NetworkError> checkErrors;
        int addsOk = 0;
        int addsFailed = 0;
        QSet<QString> sent;
        for (int c = 0; c < Clients; ++c) {
            checks.push_back(std::make_unique<CheckTask>(host()));
            connect(checks.back().get(), &CheckTask::signalFinished, this,
                    [&checkErrors](QNetworkReply::NetworkError error) { checkErrors << error; });
            lists.push_back(std::make_unique<UserNewWord>(host()));
            connect(lists.back().get(), &UserNewWord::AddUserWordFinished, this,
                    [&addsOk, &addsFailed](bool ok) { ++(ok ? addsOk : addsFailed); });
        }
        for (int c = 0; c < Clients; ++c) {
            CheckRequest request;
            request.session = key;
            request.sents = QStringList{QStringLiteral("She go to school."), QStringLiteral("It is fine.")};
            request.configs = QList<int>{0, 0};
            checks[std::size_t(c)]->start(request);
            for (int a = 0; a < AddsPerClient; ++a) {
                const QString word = QStringLiteral("crowdword%1x%2").arg(c).arg(a);
                sent.insert(word);
                lists[std::size_t(c)]->addUserWord(key, {word});
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(int(checkErrors.size()) + addsOk + addsFailed, Clients * (1 + AddsPerClient), 120000);
        QCOMPARE(checkErrors, QList<QNetworkReply::NetworkError>(Clients, QNetworkReply::NoError));
        QCOMPARE(addsFailed, 0);
        const std::int64_t user = m_server.server().storage().accounts().findByName("crowd0001")->id;
        QSet<QString> stored;
        for (const std::string &word : m_server.server().storage().words().words(user))
            stored.insert(QString::fromStdString(word));
        QCOMPARE(stored, sent);
    }

    void registration()
    {
        UserRegister reg(host());
        QSignalSpy registered(&reg, &UserRegister::RegisterFinished);
        reg.registerUser(QStringLiteral("newpupil1"), QStringLiteral("new+one@example.com"), passwordHash(QStringLiteral("abcdef")));
        QVERIFY(registered.wait(20000));
        QCOMPARE(registered.first().first().toInt(), -1);
        reg.registerUser(QStringLiteral("newpupil1"), QStringLiteral("other@example.com"), passwordHash(QStringLiteral("abcdef")));
        QVERIFY(registered.wait(20000));
        QCOMPARE(registered.at(1).first().toInt(), 1002);

        QSignalSpy emailExists(&reg, &UserRegister::ExistUserEmailFinished);
        reg.existUserEmail(QStringLiteral("new+one@example.com"));
        QVERIFY(emailExists.wait(20000));
        QCOMPARE(emailExists.first().first().toBool(), true);
    }
};

QTEST_GUILESS_MAIN(TestServerClients)
#include "tst_serverclients.moc"
