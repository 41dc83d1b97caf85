#include "resultcode.h"
#include "support/scriptedhttpserver.h"
#include "useraccess.h"

#include <QSignalSpy>
#include <QTest>

using namespace ZeltraLib;

namespace {
const QByteArray LoginPath = "/Login-new.ashx";
const QByteArray LogoutPath = "/Logout-new.ashx";
const QByteArray ActivatePath = "/ActivateSession-new.ashx";
} // namespace

// Session operations against a loopback server.
class TestUserAccess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loginReply_data();
    void loginReply();
    void loginRequest();
    void loginFailsOnNetwork_data();
    void loginFailsOnNetwork();
    void guardFiresOnceAndIgnoresLateReply();
    void restartedLoginIgnoresAbandonedReply();
    void withoutSession_data();
    void withoutSession();
    void sessionOperations_data();
    void sessionOperations();
    void blockingLogout();
    void blockingLogoutGivesUp();
    void renewedGlobalHasNoSession();
};

void TestUserAccess::loginReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::newRow("success replaces the typed name")
        << QByteArray("Success|K-1|Demo123;vip;2030") << -1 << "K-1" << "Demo123";
    QTest::newRow("success with empty third part keeps typed name")
        << QByteArray("Success|K-2|") << -1 << "K-2" << "demo123";
    QTest::newRow("success without third part keeps typed name")
        << QByteArray("Success|K-3") << -1 << "K-3" << "demo123";
    QTest::newRow("third part starting with semicolon empties the name")
        << QByteArray("Success|K-4|;x") << -1 << "K-4" << "";
    QTest::newRow("user missing leaves no session") << QByteArray("UserNotExit||") << 1001 << ""
                                                    << "demo123";
    QTest::newRow("unknown word is failure") << QByteArray("Nope|K|n") << 0 << "" << "demo123";
    QTest::newRow("empty body is failure") << QByteArray() << 0 << "" << "demo123";
    QTest::newRow("four parts give an empty key")
        << QByteArray("Success|K|n|extra") << -1 << "" << "demo123";
}

void TestUserAccess::loginReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, code);
    QFETCH(QString, key);
    QFETCH(QString, name);
    ScriptedHttpServer server;
    server.setReply(LoginPath, reply);
    UserAccess access(server.host());
    QSignalSpy finished(&access, &UserAccess::LoginFinished);
    access.login(QStringLiteral("demo123"), QStringLiteral("HASH"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), code);
    QCOMPARE(access.sessionKey(), key);
    QCOMPARE(access.userName(), name);
}

void TestUserAccess::loginRequest()
{
    ScriptedHttpServer server;
    server.setReply(LoginPath, "Success|K|");
    UserAccess access(server.host());
    QCOMPARE(access.baseUrl(), QStringLiteral("http://") + server.host() + QLatin1Char('/'));
    QSignalSpy finished(&access, &UserAccess::LoginFinished);
    access.login(QString::fromUtf8("张三&x=1"), QStringLiteral("BED3482F502C7BBFB6F9FA54F36E77D7"));
    QVERIFY(finished.wait());
    QCOMPARE(server.requests().size(), 1);
    const auto &request = server.requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.headers.value("content-type"),
             QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.body, QString::fromUtf8("userName=张三%26x=1&hashUserPassword="
                                             "BED3482F502C7BBFB6F9FA54F36E77D7")
                               .toUtf8());
    QCOMPARE(access.passwordHash(), QStringLiteral("BED3482F502C7BBFB6F9FA54F36E77D7"));
}

void TestUserAccess::loginFailsOnNetwork_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("server error status") << 500 << QByteArray("Success|K|");
    QTest::newRow("not found status") << 404 << QByteArray();
    QTest::newRow("oversized body") << 200 << QByteArray(3 * 1024 * 1024, 'x');
    QTest::newRow("nobody listening") << 0 << QByteArray();
}

void TestUserAccess::loginFailsOnNetwork()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QString host;
    ScriptedHttpServer server;
    if (status == 0) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        host = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
    } else {
        server.setReply(LoginPath, body, status);
        host = server.host();
    }
    UserAccess access(host);
    QSignalSpy finished(&access, &UserAccess::LoginFinished);
    access.login(QStringLiteral("demo123"), QStringLiteral("HASH"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(ResultCode::NetworkError));
    QVERIFY(access.sessionKey().isEmpty());
}

void TestUserAccess::guardFiresOnceAndIgnoresLateReply()
{
    ScriptedHttpServer server;
    server.setHeld(LoginPath, true);
    UserAccess access(server.host());
    QCOMPARE(access.timeOutMs(), 10000);
    access.setTimeOutMs(150);
    QSignalSpy finished(&access, &UserAccess::LoginFinished);
    QSignalSpy received(&server, &ScriptedHttpServer::requestReceived);
    access.login(QStringLiteral("demo123"), QStringLiteral("HASH"));
    QVERIFY(received.wait());
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(ResultCode::NetworkError));
    // The late success must neither signal nor open a session.
    server.answerHeld(LoginPath, "Success|LATE|");
    QVERIFY(!finished.wait(300));
    QCOMPARE(finished.count(), 1);
    QVERIFY(access.sessionKey().isEmpty());
}

void TestUserAccess::restartedLoginIgnoresAbandonedReply()
{
    ScriptedHttpServer server;
    server.setHeld(LoginPath, true);
    UserAccess access(server.host());
    QSignalSpy finished(&access, &UserAccess::LoginFinished);
    QSignalSpy received(&server, &ScriptedHttpServer::requestReceived);
    access.login(QStringLiteral("first1"), QStringLiteral("H1"));
    QVERIFY(received.wait());
    access.login(QStringLiteral("second2"), QStringLiteral("H2"));
    QTRY_COMPARE(server.count(LoginPath), 2);
    // The abandoned request is answered first, with success; only the second counts.
    server.answerHeld(LoginPath, "Success|STALE|first1");
    server.answerHeld(LoginPath, "UserNotExit||");
    QVERIFY(finished.wait());
    QVERIFY(!finished.wait(300));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(ResultCode::UserNotExit));
    QVERIFY(access.sessionKey().isEmpty());
    QCOMPARE(access.userName(), QStringLiteral("second2"));
}

void TestUserAccess::withoutSession_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("logout") << 0;
    QTest::newRow("logout and exit") << 1;
    QTest::newRow("activate session") << 2;
}

void TestUserAccess::withoutSession()
{
    QFETCH(int, operation);
    ScriptedHttpServer server;
    UserAccess access(server.host());
    QSignalSpy logout(&access, &UserAccess::LogoutFinished);
    QSignalSpy activate(&access, &UserAccess::ActivateSessionFinished);
    if (operation == 2)
        access.activateSession();
    else
        access.logout(operation == 1);
    QSignalSpy &spy = operation == 2 ? activate : logout;
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), int(ResultCode::SessionError));
    QCOMPARE(access.exitAfterLogout(), operation == 1);
    QCOMPARE(access.logoutInBlock(), int(ResultCode::SessionError));
    QVERIFY(!spy.wait(200));
    QCOMPARE(spy.count(), 1);
    QVERIFY(server.requests().isEmpty());
}

void TestUserAccess::sessionOperations_data()
{
    QTest::addColumn<bool>("activate");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("code");
    QTest::newRow("logout success") << false << QByteArray("Success||") << 200 << -1;
    QTest::newRow("logout session error") << false << QByteArray("SessionError") << 200 << 2300;
    QTest::newRow("logout network error") << false << QByteArray() << 503 << 2100;
    QTest::newRow("activation success") << true << QByteArray("Success") << 200 << -1;
    QTest::newRow("activation garbage") << true << QByteArray("\x00\x01|", 3) << 200 << 0;
    QTest::newRow("activation network error") << true << QByteArray() << 500 << 2100;
}

void TestUserAccess::sessionOperations()
{
    QFETCH(bool, activate);
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(int, code);
    ScriptedHttpServer server;
    const QByteArray path = activate ? ActivatePath : LogoutPath;
    server.setReply(path, reply, status);
    UserAccess access(server.host());
    access.setSessionKey(QStringLiteral("KEY-7"));
    QSignalSpy spy(&access, activate ? &UserAccess::ActivateSessionFinished
                                     : &UserAccess::LogoutFinished);
    if (activate)
        access.activateSession();
    else
        access.logout(true);
    QVERIFY(spy.wait());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), code);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().path, path);
    QCOMPARE(server.requests().first().body, QByteArray("sessionKey=KEY-7"));
    // A failed activation or logout never clears the session locally.
    QCOMPARE(access.sessionKey(), QStringLiteral("KEY-7"));
}

void TestUserAccess::blockingLogout()
{
    ScriptedHttpServer server;
    server.setReply(LogoutPath, "Success||");
    UserAccess access(server.host());
    access.setSessionKey(QStringLiteral("KEY-8"));
    QCOMPARE(access.logoutInBlock(), int(ResultCode::Success));
    QCOMPARE(server.count(LogoutPath), 1);
    QCOMPARE(server.requests().first().body, QByteArray("sessionKey=KEY-8"));
}

void TestUserAccess::blockingLogoutGivesUp()
{
    // A service that never answers must not keep the program from exiting.
    ScriptedHttpServer server;
    server.setHeld(LogoutPath, true);
    UserAccess access(server.host());
    access.setTimeOutMs(200);
    access.setSessionKey(QStringLiteral("KEY-9"));
    QCOMPARE(access.logoutInBlock(), int(ResultCode::NetworkError));
    QCOMPARE(server.count(LogoutPath), 1);
}

void TestUserAccess::renewedGlobalHasNoSession()
{
    QVERIFY(!hasGlobalUserAccess());
    UserAccess *first = globalUserAccess();
    QVERIFY(hasGlobalUserAccess());
    QCOMPARE(globalUserAccess(), first);
    first->setSessionKey(QStringLiteral("OLD"));
    QPointer<UserAccess> old(first);
    UserAccess *fresh = renewGlobalUserAccess();
    QVERIFY(fresh != first);
    QCOMPARE(globalUserAccess(), fresh);
    QVERIFY(fresh->sessionKey().isEmpty());
    QSignalSpy activate(fresh, &UserAccess::ActivateSessionFinished);
    fresh->activateSession();
    QCOMPARE(activate.count(), 1);
    QCOMPARE(activate.at(0).at(0).toInt(), int(ResultCode::SessionError));
    QTRY_VERIFY(old.isNull());
}

QTEST_GUILESS_MAIN(TestUserAccess)
#include "tst_useraccess.moc"
