#include "networkhelper.h"
#include "support/scriptedhttpserver.h"

#include <QFile>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ZeltraLib;

namespace {

// Output of "ping -c 1 127.0.0.1" on this Linux machine (iputils).
const char *const LinuxReply =
    "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n"
    "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.231 ms\n"
    "\n"
    "--- 127.0.0.1 ping statistics ---\n"
    "1 packets transmitted, 1 received, 0% packet loss, time 0ms\n"
    "rtt min/avg/max/mdev = 0.231/0.231/0.231/0.000 ms\n";

// A lost packet: the summary still says "time 0ms", which is not a reply time.
const char *const LinuxLost =
    "PING 10.255.255.1 (10.255.255.1) 56(84) bytes of data.\n"
    "\n"
    "--- 10.255.255.1 ping statistics ---\n"
    "1 packets transmitted, 0 received, 100% packet loss, time 0ms\n";

// Writes an executable stand-in for ping that logs each run and prints `output`.
QString fakePing(const QTemporaryDir &dir, const QByteArray &output)
{
    const QString path = dir.filePath(QStringLiteral("fakeping"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("#!/bin/sh\necho \"$@\" >> \"" + QFile::encodeName(dir.filePath("runs")) + "\"\n");
    file.write("cat <<'END'\n" + output + "\nEND\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

QStringList runs(const QTemporaryDir &dir)
{
    QFile file(dir.filePath(QStringLiteral("runs")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

// Ping parsing and tries, reachability checks, downloads.
class TestNetworkHelper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parsePingTime_data();
    void parsePingTime();
    void pingTarget_data();
    void pingTarget();
    void pingTries_data();
    void pingTries();
    void pingRefusesOptionLikeHost();
    void pingRealLoopback();
    void checkHttp_data();
    void checkHttp();
    void checkHttpThroughProxy();
    void download_data();
    void download();
};

void TestNetworkHelper::parsePingTime_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("time");
    QTest::newRow("real loopback reply, fraction cut") << LinuxReply << 0;
    QTest::newRow("23.4 ms is 23")
        << "64 bytes from 10.0.0.1: icmp_seq=1 ttl=57 time=23.4 ms\n" << 23;
    QTest::newRow("whole milliseconds") << "64 bytes from h: icmp_seq=1 ttl=57 time=187 ms" << 187;
    QTest::newRow("below a millisecond is 0") << "Reply from 10.0.0.1: bytes=32 time<1ms TTL=64"
                                              << 0;
    QTest::newRow("lost packet summary is no reply") << LinuxLost << -1;
    QTest::newRow("unknown host") << "ping: nonexistent.invalid: Name or service not known" << -1;
    QTest::newRow("unreachable")
        << "From 10.0.0.254 icmp_seq=1 Destination Host Unreachable\n" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("garbage") << "ms ms =ms time= ms time=abc ms \x01\x02" << -1;
    QTest::newRow("truncated before unit") << "64 bytes from h: icmp_seq=1 time=12" << -1;
    QTest::newRow("oversized number") << "time=123456789012345 ms" << -1;
    QTest::newRow("chinese text around") << QString::fromUtf8("来自 h 的回复: time=42.9 ms 完成")
                                         << 42;
    QTest::newRow("first reply wins") << "time=5.1 ms\ntime=9.0 ms" << 5;
    QTest::newRow("huge noise then reply")
        << QString(200000, QLatin1Char('x')) + QStringLiteral(" time=7.7 ms") << 7;
}

void TestNetworkHelper::parsePingTime()
{
    QFETCH(QString, output);
    QFETCH(int, time);
    QCOMPARE(NetworkHelper::parsePingTime(output), time);
}

void TestNetworkHelper::pingTarget_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("target");
    QTest::newRow("service host drops the port") << "127.0.0.1:18640" << "127.0.0.1";
    QTest::newRow("name without port") << "check.example.cn" << "check.example.cn";
    QTest::newRow("blanks trimmed") << "  www.example.com  " << "www.example.com";
    QTest::newRow("bracketed ipv6 with port") << "[::1]:80" << "::1";
    QTest::newRow("bare ipv6") << "::1" << "::1";
    QTest::newRow("option-like host refused") << "-f" << "";
    QTest::newRow("shell characters refused") << "a.cn;rm -rf /" << "";
    QTest::newRow("chinese name refused") << QString::fromUtf8("例子.中国") << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("oversized") << QString(300, QLatin1Char('a')) << "";
}

void TestNetworkHelper::pingTarget()
{
    QFETCH(QString, host);
    QFETCH(QString, target);
    QCOMPARE(NetworkHelper::pingTarget(host), target);
}

void TestNetworkHelper::pingTries_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("tries");
    QTest::addColumn<int>("expectedRuns");
    QTest::addColumn<int>("time");
    QTest::newRow("no time with two tries runs twice") << QByteArray(LinuxLost) << 2 << 2 << -1;
    QTest::newRow("no time with three tries runs three times") << QByteArray("garbage") << 3 << 3
                                                               << -1;
    QTest::newRow("23 ms answers on the first try")
        << QByteArray("64 bytes from x: icmp_seq=1 ttl=64 time=23.4 ms") << 2 << 1 << 23;
    QTest::newRow("zero tries still runs once") << QByteArray("nothing") << 0 << 1 << -1;
}

void TestNetworkHelper::pingTries()
{
    QFETCH(QByteArray, output);
    QFETCH(int, tries);
    QFETCH(int, expectedRuns);
    QFETCH(int, time);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    NetworkHelper helper;
    helper.setPingProgram(fakePing(dir, output));
    QSignalSpy finished(&helper, &NetworkHelper::signalPingFinished);
    helper.ping(QStringLiteral("127.0.0.1:18640"), tries);
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), time);
    const QStringList calls = runs(dir);
    QCOMPARE(calls.size(), expectedRuns);
    QCOMPARE(calls.first(), QStringLiteral("-c 1 127.0.0.1"));
}

void TestNetworkHelper::pingRefusesOptionLikeHost()
{
    QTemporaryDir dir;
    NetworkHelper helper;
    helper.setPingProgram(fakePing(dir, "time=1.0 ms"));
    QSignalSpy finished(&helper, &NetworkHelper::signalPingFinished);
    helper.ping(QStringLiteral("-i 0.001"), 2);
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).toInt(), -1);
    QVERIFY(runs(dir).isEmpty());

    // A missing program counts as a try without a time.
    helper.setPingProgram(dir.filePath(QStringLiteral("no-such-program")));
    helper.ping(QStringLiteral("127.0.0.1"), 2);
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 2);
    QCOMPARE(finished.at(1).at(0).toInt(), -1);
}

void TestNetworkHelper::pingRealLoopback()
{
    if (QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty())
        QSKIP("no ping program on this machine");
    NetworkHelper helper;
    QSignalSpy finished(&helper, &NetworkHelper::signalPingFinished);
    helper.ping(QStringLiteral("127.0.0.1:18640"), 2);
    QVERIFY(finished.wait(15000));
    QVERIFY2(finished.at(0).at(0).toInt() >= 0, "loopback ping reported no time");
}

void TestNetworkHelper::checkHttp_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("ok");
    QTest::newRow("page served") << 200 << true;
    QTest::newRow("page missing") << 404 << false;
    QTest::newRow("server error") << 500 << false;
}

void TestNetworkHelper::checkHttp()
{
    QFETCH(int, status);
    QFETCH(bool, ok);
    ScriptedHttpServer server;
    server.setReply("/test.htm", "ok", status);
    NetworkHelper helper;
    QSignalSpy finished(&helper, &NetworkHelper::signalCheckHttpFinished);
    helper.checkHttp(QStringLiteral("http://%1/test.htm").arg(server.host()));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), ok);
}

void TestNetworkHelper::checkHttpThroughProxy()
{
    // The scripted server plays the HTTP proxy: it sees the absolute address.
    ScriptedHttpServer proxyServer;
    proxyServer.setReply("http://service.invalid/test.htm", "ok");
    const quint16 port = proxyServer.host().section(QLatin1Char(':'), 1).toUShort();
    NetworkHelper helper;
    QSignalSpy finished(&helper, &NetworkHelper::signalCheckHttpFinished);
    helper.checkHttp(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), port),
                     QStringLiteral("http://service.invalid/test.htm"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(proxyServer.count("http://service.invalid/test.htm"), 1);

    // A proxy nobody listens on fails the check.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 deadPort = closed.serverPort();
    closed.close();
    helper.checkHttp(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), deadPort),
                     QStringLiteral("http://service.invalid/test.htm"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(1).at(0).toBool(), false);
}

void TestNetworkHelper::download_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray png("\x89PNG\r\n\x1a\n....", 12);
    QTest::newRow("picture") << 200 << png << png;
    QTest::newRow("missing picture is empty") << 404 << QByteArray("not found") << QByteArray();
    QTest::newRow("oversized body is empty")
        << 200 << QByteArray(NetworkHelper::MaxDownloadBytes + 4096, 'z') << QByteArray();
}

void TestNetworkHelper::download()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    ScriptedHttpServer server;
    server.setReply("/images/login_pic.png", body, status);
    NetworkHelper helper;
    QSignalSpy finished(&helper, &NetworkHelper::signalDownloadFinished);
    helper.download(QStringLiteral("http://%1/images/login_pic.png").arg(server.host()));
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toByteArray(), expected);
}

QTEST_GUILESS_MAIN(TestNetworkHelper)
#include "tst_networkhelper.moc"
