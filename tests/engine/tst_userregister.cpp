#include "resultcode.h"
#include "support/scriptedhttpserver.h"
#include "userregister.h"

#include <QSignalSpy>
#include <QTest>

using namespace ZeltraLib;

// Registration client: status digits, request bodies, guard.
class TestUserRegister : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decode_data();
    void decode();
    void registerRequest();
    void registerWithoutInput_data();
    void registerWithoutInput();
    void registerFailures_data();
    void registerFailures();
    void registerGuardIgnoresLateReply();
    void existChecks_data();
    void existChecks();
};

void TestUserRegister::decode_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("code");
    QTest::newRow("success") << "success" << -1;
    QTest::newRow("capitalised success is not success") << "Success" << 999;
    QTest::newRow("error") << "error" << 999;
    QTest::newRow("all digits zero") << "000" << 999;
    QTest::newRow("name empty") << "100" << 1007;
    QTest::newRow("name rule") << "200" << 1003;
    QTest::newRow("name taken") << "300" << 1002;
    QTest::newRow("e-mail empty") << "010" << 1008;
    QTest::newRow("e-mail too long") << "020" << 1009;
    QTest::newRow("e-mail rule") << "030" << 1005;
    QTest::newRow("e-mail taken") << "040" << 1004;
    QTest::newRow("password rule") << "001" << 1006;
    QTest::newRow("first matching digit wins") << "241" << 1003;
    QTest::newRow("e-mail before password") << "041" << 1004;
    QTest::newRow("unknown digits") << "999" << 999;
    QTest::newRow("truncated status") << "03" << 999;
    QTest::newRow("oversized status") << "0300000" << 999;
    QTest::newRow("empty reply") << "" << 999;
    QTest::newRow("chinese garbage") << QString::fromUtf8("错误的") << 999;
}

void TestUserRegister::decode()
{
    QFETCH(QString, reply);
    QFETCH(int, code);
    QCOMPARE(UserRegister::decodeRegisterReply(reply), code);
}

void TestUserRegister::registerRequest()
{
    ScriptedHttpServer server;
    server.setReply("/tessel/register", "success");
    UserRegister client(server.host());
    QCOMPARE(client.baseUrl(), QStringLiteral("http://%1/tessel/").arg(server.host()));
    QSignalSpy finished(&client, &UserRegister::RegisterFinished);
    client.registerUser(QStringLiteral("newuser1"), QStringLiteral("a+b+c@mail.cn"),
                        QStringLiteral("HASH"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), -1);
    QCOMPARE(server.requests().first().body,
             QByteArray("u=newuser1&e=a%2bb%2bc@mail.cn&p=HASH"));
}

void TestUserRegister::registerWithoutInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<int>("code");
    QTest::newRow("empty name") << "" << "a@b.cn" << 1007;
    QTest::newRow("empty name and e-mail") << "" << "" << 1007;
    QTest::newRow("empty e-mail") << "newuser1" << "" << 1008;
}

void TestUserRegister::registerWithoutInput()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(int, code);
    ScriptedHttpServer server;
    UserRegister client(server.host());
    QSignalSpy finished(&client, &UserRegister::RegisterFinished);
    client.registerUser(name, email, QStringLiteral("HASH"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), code);
    QVERIFY(server.requests().isEmpty());
}

void TestUserRegister::registerFailures_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("code");
    QTest::newRow("status digits") << QByteArray("030") << 200 << 1005;
    QTest::newRow("server error status") << QByteArray("success") << 500 << 2100;
    QTest::newRow("garbage body") << QByteArray("\xff\xfe\x00", 3) << 200 << 999;
}

void TestUserRegister::registerFailures()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(int, code);
    ScriptedHttpServer server;
    server.setReply("/tessel/register", reply, status);
    UserRegister client(server.host());
    QSignalSpy finished(&client, &UserRegister::RegisterFinished);
    client.registerUser(QStringLiteral("newuser1"), QStringLiteral("a@b.cn"), QStringLiteral("H"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), code);
}

void TestUserRegister::registerGuardIgnoresLateReply()
{
    ScriptedHttpServer server;
    server.setHeld("/tessel/register", true);
    UserRegister client(server.host());
    client.setTimeOutMs(150);
    QSignalSpy finished(&client, &UserRegister::RegisterFinished);
    QSignalSpy received(&server, &ScriptedHttpServer::requestReceived);
    client.registerUser(QStringLiteral("newuser1"), QStringLiteral("a@b.cn"), QStringLiteral("H"));
    QVERIFY(received.wait());
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).toInt(), 2100);
    server.answerHeld("/tessel/register", "success");
    QVERIFY(!finished.wait(300));
    QCOMPARE(finished.count(), 1);
}

void TestUserRegister::existChecks_data()
{
    QTest::addColumn<bool>("email");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("exists");
    QTest::newRow("name taken") << false << QByteArray("True") << 200 << true;
    QTest::newRow("name free") << false << QByteArray("False") << 200 << false;
    QTest::newRow("lower-case true is not taken") << false << QByteArray("true") << 200 << false;
    QTest::newRow("name check network error") << false << QByteArray("True") << 500 << false;
    QTest::newRow("e-mail taken") << true << QByteArray("True") << 200 << true;
    QTest::newRow("e-mail garbage") << true << QByteArray("True\n") << 200 << false;
}

void TestUserRegister::existChecks()
{
    QFETCH(bool, email);
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(bool, exists);
    ScriptedHttpServer server;
    const QByteArray path = email ? "/tessel/DoesEmailExist" : "/tessel/DoesUserNameExist";
    server.setReply(path, reply, status);
    UserRegister client(server.host());
    QSignalSpy finished(&client, email ? &UserRegister::ExistUserEmailFinished
                                       : &UserRegister::ExistUserNameFinished);
    if (email)
        client.existUserEmail(QStringLiteral("a+b@mail.cn"));
    else
        client.existUserName(QStringLiteral("newuser1"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), exists);
    // The e-mail check sends "+" unchanged; only the registration escapes it.
    QCOMPARE(server.requests().first().body,
             email ? QByteArray("e=a+b@mail.cn") : QByteArray("u=newuser1"));
}

QTEST_GUILESS_MAIN(TestUserRegister)
#include "tst_userregister.moc"
