#include "authenticationwindow.h"
#include "support/scriptedhttpserver.h"
#include "webengineenvironment.h"

#include "useraccess.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// The flow's first page moves on to the final page by itself, as the service's would.
QByteArray forwardTo(const QByteArray &path)
{
    return "<html><body>wait<script>location.replace('" + path + "');</script></body></html>";
}

} // namespace

// The sign-in window in a real web engine against a loopback account service.
class TestAuthenticationWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void finalPage_data();
    void finalPage();
    void linksAreNotFollowed();
    void cancel();
};

void TestAuthenticationWindow::finalPage_data()
{
    QTest::addColumn<int>("provider");
    QTest::addColumn<QByteArray>("finalPath");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::newRow("sina success") << 0 << QByteArray("/loginedbysina.ashx")
                                  << QByteArray("Success|SINAKEY|weibo_user;x;y") << true << "SINAKEY"
                                  << "weibo_user";
    QTest::newRow("qq success, upper-case path") << 1 << QByteArray("/LoginedByQQ.ashx")
                                                 << QByteArray("Success|QQKEY|qq_user;") << true << "QQKEY"
                                                 << "qq_user";
    QTest::newRow("final page without Success") << 0 << QByteArray("/loginedbysina.ashx")
                                                << QByteArray("Failure|KEY|user;") << false << "" << "";
}

void TestAuthenticationWindow::finalPage()
{
    QFETCH(int, provider);
    QFETCH(QByteArray, finalPath);
    QFETCH(QByteArray, text);
    QFETCH(bool, accepted);
    QFETCH(QString, key);
    QFETCH(QString, name);
    ScriptedHttpServer server;
    const QByteArray start = provider == 0 ? "/LoginBySina.ashx?area=tessel" : "/LoginByQQ.ashx?area=tessel";
    server.setReply(start, forwardTo(finalPath), 200, "text/html");
    server.setReply(finalPath, text);
    ZeltraLib::UserAccess access(server.host());
    access.setUserName(QStringLiteral("typed"));
    AuthenticationWindow window(provider, access, server.host());
    QCOMPARE(window.windowTitle(), QStringLiteral("使用第三方账户登录 "));
    QSignalSpy finished(&window, &QDialog::finished);
    window.show();
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.at(0).at(0).toInt(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(server.count(start), 1);
    QCOMPARE(access.sessionKey(), key);
    QCOMPARE(access.userName(), accepted ? name : QStringLiteral("typed"));
}

void TestAuthenticationWindow::linksAreNotFollowed()
{
    ScriptedHttpServer server;
    QSignalSpy received(&server, &ScriptedHttpServer::requestReceived);
    server.setReply("/LoginBySina.ashx?area=tessel",
                    "<html><body><a id='go' href='/loginedbysina.ashx'>go</a>"
                    "<script>document.getElementById('go').click();</script></body></html>",
                    200, "text/html");
    server.setReply("/loginedbysina.ashx", "Success|KEY|user;");
    ZeltraLib::UserAccess access(server.host());
    AuthenticationWindow window(0, access, server.host());
    QSignalSpy finished(&window, &QDialog::finished);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(server.count("/LoginBySina.ashx?area=tessel"), 1, 30000);
    QVERIFY(!finished.wait(1500));
    QCOMPARE(server.count("/loginedbysina.ashx"), 0);
    QVERIFY(access.sessionKey().isEmpty());
}

void TestAuthenticationWindow::cancel()
{
    ScriptedHttpServer server;
    server.setHeld("/LoginBySina.ashx?area=tessel", true);
    ZeltraLib::UserAccess access(server.host());
    AuthenticationWindow window(0, access, server.host());
    window.show();
    window.findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(access.sessionKey().isEmpty());
}

int main(int argc, char *argv[])
{
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestAuthenticationWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_authenticationwindow.moc"
