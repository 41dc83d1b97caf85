#include "loginusagelog.h"
#include "support/scriptedhttpserver.h"

#include <QTest>

// Usage events of the login phase and their anonymous upload.
class TestLoginUsageLog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void upload();
    void nothingCountedSendsNothing();
};

void TestLoginUsageLog::upload()
{
    ScriptedHttpServer server;
    server.setReply("/NotPublic/UserCountBulkAdd.ashx", "ok");
    LoginUsageLog log(server.host());
    log.countEvent(QStringLiteral("Login_Login"));
    log.countEvent(QStringLiteral("Proxy_Type_Socks"));
    log.countEvent(QStringLiteral("Login_Login"));
    log.countEvent(QStringLiteral("Login_Close"));
    QCOMPARE(log.counts().value(QStringLiteral("Login_Login")), 2);
    log.uploadAnonymously(); // blocks until the reply is in
    QCOMPARE(server.bodies("/NotPublic/UserCountBulkAdd.ashx"),
             QList<QByteArray>{"sessionKey=5206-5206&group=event&version=0.9.2.0&data="
                               "Login_Close:1;Login_Login:2;Proxy_Type_Socks:1;"});
    // Sent once: a second upload has nothing left.
    QVERIFY(log.counts().isEmpty());
    log.uploadAnonymously();
    QCOMPARE(server.count("/NotPublic/UserCountBulkAdd.ashx"), 1);
}

void TestLoginUsageLog::nothingCountedSendsNothing()
{
    ScriptedHttpServer server;
    LoginUsageLog log(server.host());
    log.uploadAnonymously();
    QVERIFY(server.requests().isEmpty());
}

QTEST_MAIN(TestLoginUsageLog)
#include "tst_loginusagelog.moc"
