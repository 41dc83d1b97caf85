// Login, logout, session activation, registration and the account command line,
// through real HTTP on loopback.

#include "passwordhasher.h"
#include "servercommandline.h"
#include "usercommand.h"
#include "support/testserver.h"

#include <QtTest>

#include <sqlite3.h>

#include <set>
#include <sstream>

namespace {
std::string md5(const std::string &password)
{
    return PennovaServer::PasswordHasher::protocolHash(password);
}

QStringList parts(const std::string &body)
{
    return QString::fromStdString(body).split(QLatin1Char('|'));
}
} // namespace

class TestServerAccounts : public QObject
{
    Q_OBJECT

private:
    std::string post(const std::string &path, const std::string &body, int *status = nullptr)
    {
        const auto res = m_server.post(path, body);
        if (status)
            *status = res ? res->status : -1;
        return res ? res->body : std::string("<no reply>");
    }

    TestServer m_server;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        QVERIFY(m_server.addUser("demo123", "demo@example.com", "demo123456"));
    }

    void loginReplies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("code");
        const QByteArray hash = QByteArray::fromStdString(md5("demo123456"));
        QTest::newRow("right password") << "userName=demo123&hashUserPassword=" + hash << 200 << "Success";
        QTest::newRow("lower-case hash") << "userName=demo123&hashUserPassword=" + hash.toLower() << 200 << "Success";
        QTest::newRow("name in other case") << "userName=DEMO123&hashUserPassword=" + hash << 200 << "Success";
        QTest::newRow("wrong password") << "userName=demo123&hashUserPassword=" + QByteArray::fromStdString(md5("nope12")) << 200 << "Failure";
        QTest::newRow("hash not hex") << QByteArray("userName=demo123&hashUserPassword=demo123456") << 200 << "Failure";
        QTest::newRow("unknown user") << "userName=nobody77&hashUserPassword=" + hash << 200 << "UserNotExit";
        QTest::newRow("sql-looking name") << "userName=' OR '1'='1&hashUserPassword=" + hash << 200 << "UserNotExit";
        QTest::newRow("empty name") << "userName=&hashUserPassword=" + hash << 200 << "UserNotExit";
        QTest::newRow("overlong name") << "userName=" + QByteArray(500, 'a') + "&hashUserPassword=" + hash << 200 << "UserNotExit";
        QTest::newRow("missing password field") << QByteArray("userName=demo123") << 400 << "";
        QTest::newRow("garbage body") << QByteArray("\x01\x02=&&==") << 400 << "";
        QTest::newRow("huge body") << "userName=demo123&hashUserPassword=" + QByteArray(2 * 1024 * 1024, 'A') << 413 << "";
    }

    void loginReplies()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, code);
        int actual = 0;
        const std::string reply = post("/Login-new.ashx", body.toStdString(), &actual);
        QCOMPARE(actual, status);
        if (status != 200)
            return;
        const QStringList p = parts(reply);
        QCOMPARE(p.size(), 3);
        QCOMPARE(p[0], code);
        if (code == QLatin1String("Success")) {
            QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{32}$")).match(p[1]).hasMatch());
            // The service's form of the name comes first, then further items.
            QCOMPARE(p[2].split(QLatin1Char(';')).first(), QStringLiteral("demo123"));
        } else {
            QVERIFY(p[1].isEmpty());
        }
    }

    void sessionKeysAreFreshEachLogin()
    {
        std::set<std::string> keys;
        for (int i = 0; i < 10; ++i)
            keys.insert(m_server.login("demo123", "demo123456"));
        QCOMPARE(int(keys.size()), 10);
        QVERIFY(!keys.count(std::string()));
    }

    void logoutAndActivation()
    {
        const std::string key = m_server.login("demo123", "demo123456");
        QVERIFY(!key.empty());
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=" + key), std::string("Success||"));
        QCOMPARE(post("/Logout-new.ashx", "sessionKey=" + key), std::string("Success||"));
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=" + key), std::string("SessionError||"));
        QCOMPARE(post("/Logout-new.ashx", "sessionKey=" + key), std::string("SessionError||"));
        QCOMPARE(post("/Logout-new.ashx", "sessionKey="), std::string("SessionError||"));
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=' OR 1=1 --"), std::string("SessionError||"));
        int status = 0;
        post("/Logout-new.ashx", "session=" + key, &status);
        QCOMPARE(status, 400);
    }

    void sessionsExpireWithoutActivation()
    {
        const std::string kept = m_server.login("demo123", "demo123456");
        const std::string idle = m_server.login("demo123", "demo123456");
        m_server.advanceClock(3000);
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=" + kept), std::string("Success||"));
        m_server.advanceClock(3000); // idle is now 6000 s old, kept 3000 s since activation
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=" + idle), std::string("SessionError||"));
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=" + kept), std::string("Success||"));
        m_server.advanceClock(3601);
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=" + kept), std::string("SessionError||"));
    }

    void sessionsInUseAreRenewedByEveryRequest()
    {
        const std::string used = m_server.login("demo123", "demo123456");
        const std::string idle = m_server.login("demo123", "demo123456");
        int status = 0;
        // Word-list requests every 3000 s of a 3600 s lifetime keep the session alive
        // without any activation; the idle one expires.
        for (int round = 0; round < 3; ++round) {
            m_server.advanceClock(3000);
            post("/NotPublic/UserWordList.ashx", "sessionKey=" + used, &status);
            QCOMPARE(status, 200);
        }
        post("/NotPublic/UserWordList.ashx", "sessionKey=" + idle, &status);
        QCOMPARE(status, 403);
        m_server.advanceClock(3599);
        QCOMPARE(post("/ActivateSession-new.ashx", "sessionKey=" + used), std::string("Success||"));
        m_server.advanceClock(3600);
        post("/NotPublic/UserWordList.ashx", "sessionKey=" + used, &status);
        QCOMPARE(status, 403);
    }

    void repeatedWrongPasswordsLockTheNameForAWhile()
    {
        QVERIFY(m_server.addUser("guessme1", "g@example.com", "rightpass"));
        const std::string wrong = "userName=guessme1&hashUserPassword=" + md5("wrongpass");
        for (int i = 0; i < 10; ++i)
            QCOMPARE(post("/Login-new.ashx", wrong), std::string("Failure||"));
        // Locked: even the right password is refused, in any spelling of the name.
        QVERIFY(m_server.login("guessme1", "rightpass").empty());
        QVERIFY(m_server.login("GUESSME1", "rightpass").empty());
        QVERIFY(!m_server.login("demo123", "demo123456").empty()); // other names are not affected
        m_server.advanceClock(300);
        QVERIFY(!m_server.login("guessme1", "rightpass").empty());
    }

    void passwordsAreStoredAsArgon2OfTheHash()
    {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open_v2((m_server.dataDir() + "/pennova.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        sqlite3_stmt *stmt = nullptr;
        QCOMPARE(sqlite3_prepare_v2(db, "SELECT password FROM users WHERE name = 'demo123'", -1, &stmt, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
        const std::string stored(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        QVERIFY(stored.rfind("$argon2id$", 0) == 0);
        QVERIFY(stored.find(md5("demo123456")) == std::string::npos);
    }

    void registration_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("reply");
        const QString hash = QString::fromStdString(md5("abcdef"));
        QTest::newRow("accepted") << "student01" << "s01@example.com" << hash << "success";
        QTest::newRow("plus in the e-mail arrives as %2b") << "student02" << "s02%2btag@example.com" << hash << "success";
        QTest::newRow("empty name") << "" << "s03@example.com" << hash << "100";
        QTest::newRow("name too short") << "abc12" << "s03@example.com" << hash << "200";
        QTest::newRow("name too long") << "abcdefghij1234567" << "s03@example.com" << hash << "200";
        QTest::newRow("name with a symbol") << "stu_dent3" << "s03@example.com" << hash << "200";
        QTest::newRow("chinese name") << "学生学生学生" << "s03@example.com" << hash << "200";
        QTest::newRow("sql-looking name") << "x' OR '1'='1" << "s03@example.com" << hash << "200";
        QTest::newRow("taken name in other case") << "DEMO123" << "s03@example.com" << hash << "300";
        QTest::newRow("empty e-mail") << "student03" << "" << hash << "010";
        QTest::newRow("e-mail too long") << "student03" << QString(95, QLatin1Char('a')) + "@example.com" << hash << "020";
        QTest::newRow("e-mail without domain") << "student03" << "s03@example" << hash << "030";
        QTest::newRow("chinese e-mail") << "student03" << "学生@example.com" << hash << "030";
        QTest::newRow("taken e-mail in other case") << "student03" << "DEMO@example.com" << hash << "040";
        QTest::newRow("password not a hash") << "student03" << "s03@example.com" << "abcdef" << "001";
        QTest::newRow("everything wrong, each digit") << "a!" << "nope" << "" << "231";
    }

    void registration()
    {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, password);
        QFETCH(QString, reply);
        const std::string body = ("u=" + name + "&e=" + email + "&p=" + password).toStdString();
        int status = 0;
        QCOMPARE(QString::fromStdString(post("/tessel/register", body, &status)), reply);
        QCOMPARE(status, 200);
        if (reply == QLatin1String("success"))
            QVERIFY(!m_server.login(name.toStdString(), "abcdef").empty());
    }

    void registrationRefusesMalformedForms_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("register without fields") << "/tessel/register" << QByteArray("hello");
        QTest::newRow("name check without u") << "/tessel/DoesUserNameExist" << QByteArray("name=demo123");
        QTest::newRow("e-mail check without e") << "/tessel/DoesEmailExist" << QByteArray("");
        QTest::newRow("huge register") << "/tessel/register" << "u=" + QByteArray(3 * 1024 * 1024, 'x');
    }

    void registrationRefusesMalformedForms()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        int status = 0;
        post(path.toStdString(), body.toStdString(), &status);
        QCOMPARE(status, 400);
    }

    void existenceChecks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("reply");
        QTest::newRow("existing name") << "/tessel/DoesUserNameExist" << "u=demo123" << "True";
        QTest::newRow("existing name in capitals") << "/tessel/DoesUserNameExist" << "u=DEMO123" << "True";
        QTest::newRow("unknown name") << "/tessel/DoesUserNameExist" << "u=nobody99" << "False";
        QTest::newRow("sql-looking name") << "/tessel/DoesUserNameExist" << "u=' OR 1=1 --" << "False";
        QTest::newRow("existing e-mail") << "/tessel/DoesEmailExist" << "e=demo@example.com" << "True";
        QTest::newRow("e-mail registered with %2b, checked with +")
            << "/tessel/DoesEmailExist" << "e=s02+tag@example.com" << "True";
        QTest::newRow("unknown e-mail") << "/tessel/DoesEmailExist" << "e=who@example.com" << "False";
    }

    void existenceChecks()
    {
        QFETCH(QString, path);
        QFETCH(QString, body);
        QFETCH(QString, reply);
        QCOMPARE(QString::fromStdString(post(path.toStdString(), body.toStdString())), reply);
    }

    void userCommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("loginAs");
        QTest::addColumn<QString>("password");
        QTest::newRow("add") << QStringList{"user", "add", "teacher1", "t1@example.com", "classroom"} << 0
                             << "teacher1" << "classroom";
        QTest::newRow("add a taken name") << QStringList{"user", "add", "teacher1", "t2@example.com", "classroom"} << 1
                                          << "" << "";
        QTest::newRow("add a bad name") << QStringList{"user", "add", "t-1", "t3@example.com", "classroom"} << 1 << "" << "";
        QTest::newRow("add a bad e-mail") << QStringList{"user", "add", "teacher3", "t3", "classroom"} << 1 << "" << "";
        QTest::newRow("add a short password") << QStringList{"user", "add", "teacher4", "t4@example.com", "abc"} << 1
                                              << "" << "";
        QTest::newRow("add with blanks around the password")
            << QStringList{"user", "add", "teacher5", "t5@example.com", "  classroom5 "} << 0 << "teacher5" << "classroom5";
        QTest::newRow("passwd") << QStringList{"user", "passwd", "teacher1", "newsecret"} << 0 << "teacher1" << "newsecret";
        QTest::newRow("passwd of nobody") << QStringList{"user", "passwd", "nobody11", "newsecret"} << 1 << "" << "";
    }

    void userCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, loginAs);
        QFETCH(QString, password);
        std::vector<std::string> args{"--data", m_server.dataDir()};
        for (const QString &a : arguments)
            args.push_back(a.toStdString());
        auto line = PennovaServer::ServerCommandLine::parse(args, "/nonexistent");
        line.options.fastPasswordHash = true; // the hash's cost is not what is tested here
        std::ostringstream out;
        std::ostringstream err;
        QCOMPARE(PennovaServer::UserCommand::run(line, out, err), exitCode);
        QCOMPARE(err.str().empty(), exitCode == 0);
        if (!loginAs.isEmpty())
            QVERIFY(!m_server.login(loginAs.toStdString(), password.toStdString()).empty());
    }
};

QTEST_GUILESS_MAIN(TestServerAccounts)
#include "tst_serveraccounts.moc"
