// The deployment's nginx files: the upstream generator, and two pennova-server processes
// on one data folder behind an unprivileged nginx that serves every host's routes.

#include "support/farmclient.h"
#include "support/localfarm.h"
#include "support/builtfile.h"
#include "pennovapaths.h"

#include <QtTest>

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

#include <httplib.h>

namespace {
// An upstream that answers one POST by hand: a check reply whose second record waits
// until the test lets it go, or a busy refusal.
class FakeUpstream : public QObject
{
public:
    enum class Reply { Streamed, Busy };

    explicit FakeUpstream(Reply reply)
        : m_reply(reply)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
    }

    int port() const { return m_server.serverPort(); }

    // Sends the last record and ends the streamed reply.
    void finish()
    {
        if (m_streaming)
            m_streaming->write("7\r\nrecord2\r\n0\r\n\r\n");
    }

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &request = m_requests[socket];
        request += socket->readAll();
        const int end = request.indexOf("\r\n\r\n");
        const QRegularExpressionMatch length =
            QRegularExpression("\r\ncontent-length: *(\\d+)", QRegularExpression::CaseInsensitiveOption).match(request);
        if (end < 0 || request.size() < end + 4 + (length.hasMatch() ? length.captured(1).toInt() : 0))
            return;
        request.clear();
        if (m_reply == Reply::Busy) {
            socket->write("HTTP/1.1 503 Service Unavailable\r\nRetry-After: 7\r\nContent-Length: 4\r\n\r\nbusy");
            return;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nTransfer-Encoding: chunked\r\n\r\n"
                      "7\r\nrecord1\r\n");
        m_streaming = socket;
    }

    Reply m_reply;
    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_requests;
    QTcpSocket *m_streaming = nullptr; // owned by this object
};

QString serverProgram()
{
    return builtFile(QStringLiteral("pennova-server"));
}

// Request lines a server logged for a route with a status (a request id may follow).
int logged(const QByteArray &log, const QByteArray &line)
{
    int count = 0;
    for (const QByteArray &entry : log.split('\n'))
        count += entry == line || entry.startsWith(line + ' ');
    return count;
}
} // namespace

class TestDeployNginx : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<LocalFarm> m_farm;
    std::string m_key;

    void requireFarm()
    {
        if (LocalFarm::nginxProgram().isEmpty())
            QSKIP("nginx is not installed (scripts/install-deps.sh installs it): deployment test skipped");
        QVERIFY2(m_farm, "the servers or nginx did not start (see initTestCase)");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::exists(serverProgram()));
        if (LocalFarm::nginxProgram().isEmpty())
            return;
        const QString data = m_dir.path() + "/data";
        QProcess add;
        add.start(serverProgram(), {"--data", data, "user", "add", "pupil123", "p@example.com", "pupil123456"});
        QVERIFY(add.waitForFinished(60000));
        QCOMPARE(add.exitCode(), 0);

        // Both processes on the same SQLite data folder; each loads the checker and the
        // dictionary only if a request it gets needs them.
        auto farm = std::make_unique<LocalFarm>(serverProgram(), QStringList{"--data", data, "--load-data", "first-use"});
        QVERIFY2(farm->startServers(2, 180000), qPrintable(farm->error()));
        QVERIFY2(farm->startNginx(30000), qPrintable(farm->error()));
        m_farm = std::move(farm);
        m_key = FarmClient(m_farm->frontPort()).login("pupil123", "pupil123456");
        QVERIFY(!m_key.empty());
    }

    void cleanupTestCase()
    {
        m_farm.reset();
    }

    void upstreamScript_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("servers");
        QTest::newRow("local processes from a first port")
            << QStringList{"3", "18700"} << 0 << QStringList{"127.0.0.1:18700", "127.0.0.1:18701", "127.0.0.1:18702"};
        QTest::newRow("local processes from the default port") << QStringList{"1"} << 0 << QStringList{"127.0.0.1:18641"};
        QTest::newRow("processes on several machines")
            << QStringList{"check1.school.example:18641", "10.0.0.2:18641", "[::1]:18641"} << 0
            << QStringList{"check1.school.example:18641", "10.0.0.2:18641", "[::1]:18641"};
        QTest::newRow("no process") << QStringList{"0"} << 2 << QStringList{};
        QTest::newRow("too many processes") << QStringList{"65"} << 2 << QStringList{};
        QTest::newRow("ports past the last") << QStringList{"2", "65535"} << 2 << QStringList{};
        QTest::newRow("a host without port") << QStringList{"check1.school.example"} << 2 << QStringList{};
        QTest::newRow("a directive smuggled in a host")
            << QStringList{"a:1; } server { listen 80; }"} << 2 << QStringList{};
        QTest::newRow("no argument") << QStringList{} << 2 << QStringList{};
    }

    void upstreamScript()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, servers);
        QProcess script;
        script.start("bash", QStringList{LocalFarm::deployNginxDir() + "/pennova-upstreams.sh"} + arguments);
        QVERIFY(script.waitForFinished(30000));
        QCOMPARE(script.exitCode(), exitCode);
        const QString out = QString::fromUtf8(script.readAllStandardOutput());
        if (exitCode != 0) {
            QVERIFY(out.isEmpty());
            QVERIFY(!script.readAllStandardError().isEmpty());
            return;
        }
        // Both groups list exactly these processes.
        QCOMPARE(out.count("upstream pennova_check {"), 1);
        QCOMPARE(out.count("upstream pennova_web {"), 1);
        QCOMPARE(out.count(QRegularExpression("^    server ", QRegularExpression::MultilineOption)), 2 * servers.size());
        for (const QString &server : servers)
            QCOMPARE(out.count("    server " + server + " "), 2);
    }

    // nginx hands each check record on as it comes, also on a site that compresses
    // replies, and passes a busy refusal on with its Retry-After.
    void replyHandedOn_data()
    {
        QTest::addColumn<bool>("streamed");
        QTest::newRow("check records arrive one by one") << true;
        QTest::newRow("busy refusal keeps Retry-After") << false;
    }

    void replyHandedOn()
    {
        QFETCH(bool, streamed);
        if (LocalFarm::nginxProgram().isEmpty())
            QSKIP("nginx is not installed (scripts/install-deps.sh installs it): deployment test skipped");
        FakeUpstream upstream(streamed ? FakeUpstream::Reply::Streamed : FakeUpstream::Reply::Busy);
        QVERIFY(upstream.port() > 0);
        LocalFarm front(serverProgram(), {});
        QVERIFY2(front.startNginx(30000, {upstream.port()}), qPrintable(front.error()));

        std::atomic<int> chunks{0};
        std::atomic<bool> done{false};
        int status = 0;
        std::string retryAfter;
        std::string body;
        std::thread client([&] {
            httplib::Client http("127.0.0.1", front.frontPort());
            http.set_read_timeout(30, 0);
            httplib::Request req;
            req.method = "POST";
            req.path = "/apps_compressed/";
            req.body = "frame";
            req.set_header("Content-Type", "application/x-www-form-urlencoded");
            req.set_header("Accept-Encoding", "gzip, deflate"); // as Qt's client asks
            req.content_receiver = [&](const char *data, size_t length, uint64_t, uint64_t) {
                body.append(data, length);
                ++chunks;
                return true;
            };
            if (const auto res = http.send(req)) {
                status = res->status;
                retryAfter = res->get_header_value("Retry-After");
            }
            done = true;
        });
        // On a failure the client must still end before the thread goes.
        const auto release = qScopeGuard([&] {
            upstream.finish();
            QTest::qWaitFor([&done] { return done.load(); }, 30000);
            client.join();
        });
        if (streamed) {
            // The first record while the upstream still holds back the second.
            QTRY_VERIFY_WITH_TIMEOUT(chunks > 0, 20000);
            QCOMPARE(body.substr(0, 7), std::string("record1"));
            QVERIFY(!done);
            upstream.finish();
        }
        QTRY_VERIFY_WITH_TIMEOUT(done, 30000);
        if (streamed) {
            QCOMPARE(status, 200);
            QCOMPARE(body, std::string("record1record2"));
        } else {
            QCOMPARE(status, 503);
            QCOMPARE(retryAfter, std::string("7"));
        }
    }

    void everyHostRoute_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("body"); // "KEY" stands for the session key
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("account: reachability") << QByteArray("GET") << QByteArray("/test.htm") << QByteArray() << QByteArray();
        QTest::newRow("account: session kept alive")
            << QByteArray("POST") << QByteArray("/ActivateSession-new.ashx") << QByteArray("sessionKey=KEY") << QByteArray("Success");
        QTest::newRow("account: word list added to")
            << QByteArray("POST") << QByteArray("/NotPublic/UserWordBulkAdd.ashx") << QByteArray("sessionKey=KEY&words=Zeltra;")
            << QByteArray("ok");
        QTest::newRow("web: user name taken")
            << QByteArray("POST") << QByteArray("/tessel/DoesUserNameExist") << QByteArray("u=pupil123") << QByteArray("True");
        QTest::newRow("web: home page") << QByteArray("GET") << QByteArray("/") << QByteArray() << QByteArray("Pennova");
        QTest::newRow("api: template catalog")
            << QByteArray("GET") << QByteArray("/tesseltemplate/gettreeall") << QByteArray() << QByteArray("[");
        QTest::newRow("api: dictionary page")
            << QByteArray("GET") << QByteArray("/tessel/find?content=receive") << QByteArray() << QByteArray("receive");
        QTest::newRow("explain: explanation, not the home page")
            << QByteArray("GET") << QByteArray("/?et=nonword&ct=receive&fk=recieve") << QByteArray() << QByteArray("receive");
        QTest::newRow("check: reachability") << QByteArray("GET") << QByteArray("/apps_compressed/") << QByteArray() << QByteArray("ok");
        QTest::newRow("check: synonyms")
            << QByteArray("POST") << QByteArray("/syms/") << QByteArray(R"({"sent":"It is a big house.","start":8,"end":11})")
            << QByteArray("[");
    }

    void everyHostRoute()
    {
        requireFarm();
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, expected);
        httplib::Client http("127.0.0.1", m_farm->frontPort());
        http.set_read_timeout(60, 0);
        body.replace("KEY", QByteArray::fromStdString(m_key));
        const auto res = method == "GET" ? http.Get(path.toStdString())
                                         : http.Post(path.toStdString(), body.toStdString(), "application/x-www-form-urlencoded");
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        const QByteArray reply = QByteArray::fromStdString(res->body);
        QVERIFY2(reply.contains(expected), reply.left(300).constData());
        if (path.startsWith("/?et="))
            QVERIFY(!reply.contains("Pennova 英语写作辅助"));
    }

    // Checks stream through nginx whole, whichever process answers; the session of one
    // process is known to the other.
    void checksReachBothProcesses()
    {
        requireFarm();
        const std::vector<std::string> sentences = FarmClient::sentencesOf(
            "My Summer Holiday\nI has a dog. He go to school every day. The weather was very nice, and we recieve many gifts.");
        QCOMPARE(sentences.size(), std::size_t(4));
        const FarmClient client(m_farm->frontPort());
        for (int i = 0; i < 6; ++i) {
            const FarmClient::CheckReply reply = client.check(m_key, sentences);
            QVERIFY2(reply.error.empty(), reply.error.c_str());
            QCOMPARE(reply.records, 4);
            QVERIFY(reply.summary);
        }
        const QList<int> ports = m_farm->serverPorts();
        QCOMPARE(ports.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QTRY_VERIFY2(logged(m_farm->serverLog(i), "POST /apps_compressed/ 200") > 0, qPrintable(QString::number(i)));
            // Straight to one process with the session the front gave.
            QCOMPARE(FarmClient(ports[i]).check(m_key, sentences).records, 4);
        }
    }

    // A process that went down is skipped: logins and checks (POSTs both) go to the
    // other one. Runs last: it stops a server.
    void aStoppedProcessIsSkipped()
    {
        requireFarm();
        m_farm->stopServer(1);
        const FarmClient client(m_farm->frontPort());
        const std::vector<std::string> sentences{"He go to school every day."};
        for (int i = 0; i < 4; ++i) {
            const std::string key = client.login("pupil123", "pupil123456");
            QVERIFY(!key.empty());
            const FarmClient::CheckReply reply = client.check(key, sentences);
            QVERIFY2(reply.error.empty(), reply.error.c_str());
            QCOMPARE(reply.records, 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestDeployNginx)
#include "tst_deploynginx.moc"
