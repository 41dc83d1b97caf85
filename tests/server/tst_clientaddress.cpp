// The client address behind a load balancer: a trusted proxy names the client in
// X-Real-IP, anyone else cannot, and the login throttle keeps pupils behind one proxy apart.

#include "clientaddress.h"
#include "passwordhasher.h"
#include "servercommandline.h"
#include "support/testserver.h"

#include <QtTest>

#include <httplib.h>

using PennovaServer::ClientAddress;

class TestClientAddress : public QObject
{
    Q_OBJECT

private slots:
    void of_data()
    {
        QTest::addColumn<QString>("peer");
        QTest::addColumn<QStringList>("realIp"); // one entry per header
        QTest::addColumn<QString>("expected");
        QTest::newRow("trusted proxy names the client") << "127.0.0.1" << QStringList{"10.1.2.3"} << "10.1.2.3";
        QTest::newRow("trusted proxy names an IPv6 client") << "127.0.0.1" << QStringList{"2001:db8::7"} << "2001:db8::7";
        QTest::newRow("trusted proxy without header") << "127.0.0.1" << QStringList{} << "127.0.0.1";
        QTest::newRow("untrusted peer cannot name another") << "192.0.2.9" << QStringList{"10.1.2.3"} << "192.0.2.9";
        QTest::newRow("garbage header") << "127.0.0.1" << QStringList{"10.1.2.3; drop"} << "127.0.0.1";
        QTest::newRow("a list of addresses") << "127.0.0.1" << QStringList{"10.1.2.3, 10.9.9.9"} << "127.0.0.1";
        QTest::newRow("a host name") << "127.0.0.1" << QStringList{"evil.example"} << "127.0.0.1";
        QTest::newRow("oversized header") << "127.0.0.1" << QStringList{QString(5000, '1')} << "127.0.0.1";
        QTest::newRow("empty header") << "127.0.0.1" << QStringList{""} << "127.0.0.1";
        QTest::newRow("two headers") << "127.0.0.1" << QStringList{"10.1.2.3", "10.1.2.4"} << "127.0.0.1";
    }

    void of()
    {
        QFETCH(QString, peer);
        QFETCH(QStringList, realIp);
        QFETCH(QString, expected);
        PennovaServer::ServerOptions options;
        options.trustedProxies = {"127.0.0.1", "::1"};
        httplib::Request req;
        req.remote_addr = peer.toStdString();
        for (const QString &value : realIp)
            req.headers.emplace("X-Real-IP", value.toStdString());
        QCOMPARE(QString::fromStdString(ClientAddress::of(req, options)), expected);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("trusted"); // empty: the line is invalid
        QTest::newRow("two proxies") << QStringList{"--trusted-proxy", "127.0.0.1", "--trusted-proxy", "::1"}
                                     << QStringList{"127.0.0.1", "::1"};
        QTest::newRow("a host name") << QStringList{"--trusted-proxy", "nginx.local"} << QStringList{};
        QTest::newRow("a network") << QStringList{"--trusted-proxy", "10.0.0.0/8"} << QStringList{};
        QTest::newRow("no value") << QStringList{"--trusted-proxy"} << QStringList{};
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, trusted);
        std::vector<std::string> args;
        for (const QString &a : arguments)
            args.push_back(a.toStdString());
        const auto line = PennovaServer::ServerCommandLine::parse(args, "/h");
        QCOMPARE(line.mode == PennovaServer::ServerCommandLine::Mode::Invalid, trusted.isEmpty());
        QStringList parsed;
        for (const std::string &proxy : line.options.trustedProxies)
            parsed << QString::fromStdString(proxy);
        if (!trusted.isEmpty())
            QCOMPARE(parsed, trusted);
    }

    // Wrong passwords from one pupil slow down that pupil's logins only, when the server
    // trusts the proxy; otherwise every login through it is one address.
    void throttleBehindProxy_data()
    {
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<QString>("otherPupilReply");
        QTest::newRow("trusted proxy: the other pupil logs in") << true << "Success";
        QTest::newRow("untrusted: the header changes nothing") << false << "Failure";
    }

    void throttleBehindProxy()
    {
        QFETCH(bool, trusted);
        QFETCH(QString, otherPupilReply);
        PennovaServer::ServerOptions options = TestServer::defaultOptions();
        options.maxLoginFailures = 3;
        if (trusted)
            options.trustedProxies = {"127.0.0.1"};
        TestServer server(options);
        QVERIFY(server.start());
        QVERIFY(server.addUser("pupil123", "p@example.com", "pupil123456"));
        const auto login = [&server](const std::string &pupil, const std::string &password) {
            httplib::Client client = server.client();
            const auto res = client.Post("/Login-new.ashx", httplib::Headers{{"X-Real-IP", pupil}},
                                         "userName=pupil123&hashUserPassword="
                                             + PennovaServer::PasswordHasher::protocolHash(password),
                                         "application/x-www-form-urlencoded");
            return res ? QString::fromStdString(res->body.substr(0, res->body.find('|'))) : QString("no reply");
        };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(login("10.0.0.1", "wrongpassword"), QString("Failure"));
        QCOMPARE(login("10.0.0.1", "pupil123456"), QString("Failure"));
        QCOMPARE(login("10.0.0.2", "pupil123456"), otherPupilReply);
    }
};

QTEST_GUILESS_MAIN(TestClientAddress)
#include "tst_clientaddress.moc"
