// The server under abuse on loopback: memory per request, slow and idle connections,
// the listen backlog, ranges, anonymous counters, budgets, throttles and sessions.

#include "httplistener.h"
#include "loginthrottle.h"
#include "passwordhasher.h"
#include "requestframe.h"
#include "serverstorage.h"
#include "serviceserver.h"
#include "sqlitedatabase.h"
#include "support/processmemory.h"
#include "support/rawconnection.h"
#include "support/testserver.h"
#include "usagelogstore.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <json/json.h>
#include <sqlite3.h>

#include "pennovapaths.h"

#include <sys/stat.h>

#include <memory>
#include <thread>
#include <vector>

namespace {
constexpr int MaxGrowthMiB = 50;

// An empty database of its own for a store under test.
struct ScratchDatabase
{
    QTemporaryDir dir;
    PennovaServer::SqliteDatabase db{dir.filePath("scratch.db").toStdString()};
};

std::string loginBody(const std::string &name, const std::string &password)
{
    return "userName=" + name + "&hashUserPassword=" + PennovaServer::PasswordHasher::protocolHash(password);
}

int corrections(const std::string &record)
{
    Json::Value value;
    Json::Reader().parse(record, value);
    return value["corrections"].isArray() ? int(value["corrections"].size()) : -1;
}
} // namespace

class TestServerAbuse : public QObject
{
    Q_OBJECT

private:
    static PennovaServer::ServerOptions options()
    {
        PennovaServer::ServerOptions o = TestServer::defaultOptions();
        o.threads = 64;
        o.headerTimeoutMs = 300;
        o.keepAliveMs = 150;
        o.bodyTimeoutMs = 300;
        o.maxWordsPerMinute = 200;
        o.registrationsPerHour = 3;
        return o;
    }

    std::string freshKey(const std::string &name)
    {
        m_server.addUser(name, name + "@example.com", "secret123");
        return m_server.login(name, "secret123");
    }

    // The records of a check; the number of findings of each.
    QList<int> check(const std::string &key, const std::vector<std::string> &sentences, int *status)
    {
        const auto res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                           key, sentences, std::vector<int>(sentences.size(), 0))));
        *status = res ? res->status : -1;
        QList<int> out;
        std::vector<std::string> records;
        if (res && res->status == 200 && TestFrames::records(res->body, &records)) {
            for (const std::string &record : records)
                out << corrections(record);
        }
        return out;
    }

    TestServer m_server{options()};
    std::string m_key;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        // The checker loads on first use: load it now, so that its memory is not counted
        // against the first request measured below. The dictionary, never asked for here,
        // is never loaded.
        m_server.server().checker();
        m_key = freshKey("abuser01");
        QVERIFY(!m_key.empty());
    }

    // A sentence is checked up to 2000 characters and 400 tokens; a longer one is
    // answered without findings, and the summary still follows.
    void longSentencesGetNoFindings_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<bool>("checked");
        const QString misspelt = QStringLiteral("Thsi sentense");
        QTest::newRow("2000 characters") << misspelt + QString(2000 - misspelt.size(), ' ') << true;
        QTest::newRow("2001 characters") << misspelt + QString(2001 - misspelt.size(), ' ') << false;
        QTest::newRow("2000 characters beyond ASCII") << misspelt + ' ' + QString(1999 - misspelt.size(), QChar(0x4e2d)) << true;
        QTest::newRow("2001 characters beyond ASCII") << misspelt + ' ' + QString(2000 - misspelt.size(), QChar(0x4e2d)) << false;
        QTest::newRow("400 tokens") << misspelt + QString(398, ',') << true;
        QTest::newRow("401 tokens") << misspelt + QString(399, ',') << false;
    }

    void longSentencesGetNoFindings()
    {
        QFETCH(QString, sentence);
        QFETCH(bool, checked);
        int status = 0;
        const QList<int> found = check(m_key, {"Thsi is wrnog.", sentence.toStdString()}, &status);
        QCOMPARE(status, 200);
        QCOMPARE(found.size(), 3); // two sentences and the summary
        QVERIFY(found[0] > 0);
        QCOMPARE(found[1] > 0, checked);
    }

    // Punctuation counts as no word (a sentence costs one at least), so the budget hardly
    // bounds it: the sentence limits must.
    void memoryPerRequestStaysSmall_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("sentences");
        QTest::addColumn<int>("commas");
        QTest::addColumn<bool>("knownSession");
        QTest::addColumn<int>("maxGrowthMiB");
        const int mib = 1024 * 1024;
        QTest::newRow("check: 7 MiB of commas in one sentence") << "/apps_compressed/" << 1 << 7 * mib << true << MaxGrowthMiB;
        QTest::newRow("polish: 7 MiB of commas in one sentence") << "/lexsub/" << 1 << 7 * mib << true << MaxGrowthMiB;
        QTest::newRow("check: 300 sentences of 400 commas") << "/apps_compressed/" << 300 << 400 << true << MaxGrowthMiB;
        // The session is looked at before the request is inflated into memory.
        QTest::newRow("check: unknown session, 7 MiB") << "/apps_compressed/" << 1 << 7 * mib << false << 4;
        QTest::newRow("polish: unknown session, 7 MiB") << "/lexsub/" << 1 << 7 * mib << false << 4;
    }

    void memoryPerRequestStaysSmall()
    {
        QFETCH(QString, path);
        QFETCH(int, sentences);
        QFETCH(int, commas);
        QFETCH(bool, knownSession);
        QFETCH(int, maxGrowthMiB);
        const std::vector<std::string> text(std::size_t(sentences), std::string(std::size_t(commas), ','));
        const std::string key = knownSession ? m_key : std::string("0123456789ABCDEF0123456789ABCDEF");
        const std::string json = path == "/lexsub/" ? TestFrames::polishRequest(key, text, 1)
                                                    : TestFrames::checkRequest(key, text, std::vector<int>(text.size(), 0));
        const std::string body = TestFrames::frame(json);
        const long before = ProcessMemory::statusKiB("VmRSS:");
        if (!ProcessMemory::resetPeak()) // the peak starts again from here
            QSKIP("the peak resident size cannot be reset here");
        const auto res = m_server.post(path.toStdString(), body);
        const long growthKiB = ProcessMemory::statusKiB("VmHWM:") - before;
        QVERIFY(res);
        QVERIFY2(growthKiB < maxGrowthMiB * 1024, qPrintable(QStringLiteral("%1 KiB").arg(growthKiB)));
        if (!knownSession) {
            QCOMPARE(res->body, std::string("unauthorized"));
        } else if (path == "/apps_compressed/") {
            std::vector<std::string> records;
            QCOMPARE(res->status, 200);
            QVERIFY(TestFrames::records(res->body, &records));
            QCOMPARE(records.size(), text.size() + 1);
        }
    }

    // The session and the size of a request are read while inflating it into a small
    // window, before anything is parsed.
    void requestIsOutlinedBeforeParsing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("session"); // "-": none found
        const std::string key = "0123456789ABCDEF0123456789ABCDEF";
        const std::string request = TestFrames::checkRequest(key, {"One.", "Two."}, {0, 0});
        const QByteArray frame = QByteArray::fromStdString(TestFrames::frame(request));
        const auto framed = [](const std::string &json) { return QByteArray::fromStdString(TestFrames::frame(json)); };
        // 2n + 5 values: the object, the session, the array and n + 1 empty arrays in it.
        const auto manyValues = [](int n) {
            std::string json = "{\"session\":\"K\",\"sents\":[";
            for (int i = 0; i < n; ++i)
                json += "[],";
            return json + "[]]}\n";
        };
        QTest::newRow("client request") << frame << 0 << QString::fromStdString(key);
        QTest::newRow("polish request") << framed(TestFrames::polishRequest(key, {"Hi."}, 2)) << 0 << QString::fromStdString(key);
        QTest::newRow("session first") << framed("{\"session\":\"K\",\"sents\":[]}\n") << 0 << "K";
        QTest::newRow("session between members, spaced")
            << framed("{\"a\":[1,{\"session\":\"X\"}], \"session\" : \"K\" ,\"b\":\"session\"}") << 0 << "K";
        QTest::newRow("member imitated inside a sentence")
            << framed("{\"sents\":[],\"zzz\":\"x\\\",\\\"session\\\":\\\"K\"}\n") << 0 << "-";
        QTest::newRow("session nested only") << framed("{\"a\":{\"session\":\"K\"}}") << 0 << "-";
        QTest::newRow("session not a string") << framed("{\"session\":7}") << 0 << "-";
        QTest::newRow("session with an escape") << framed("{\"session\":\"A\\u0042\"}") << 0 << "-";
        QTest::newRow("session beyond ASCII") << framed("{\"session\":\"\xe4\xb8\xad\"}\n") << 0 << QStringLiteral("中");
        QTest::newRow("truncated zlib data") << frame.left(frame.size() - 4) << 400 << "-";
        QTest::newRow("garbage") << QByteArray("not a frame at all") << 400 << "-";
        QTest::newRow("raw length beyond the limit") << framed(request + std::string(9 * 1024 * 1024, ' ')) << 413 << "-";
        QTest::newRow("values at the limit") << framed(manyValues(997)) << 0 << "K";
        QTest::newRow("values beyond the limit") << framed(manyValues(998)) << 413 << "-";
        QTest::newRow("nested beyond the limit") << framed("{\"session\":\"K\",\"a\":[[[[[[[[[]]]]]]]]]}") << 400 << "-";
        QTest::newRow("nested to the limit") << framed("{\"session\":\"K\",\"a\":[[[[[[[]]]]]]]}") << 0 << "K";
    }

    void requestIsOutlinedBeforeParsing()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, session);
        const auto outline = PennovaServer::RequestFrame::outline(body.toStdString(), 8 * 1024 * 1024, 1999, 8);
        QCOMPARE(outline.status, status);
        QCOMPARE(outline.session ? QString::fromStdString(*outline.session) : QStringLiteral("-"), session);
    }

    // Slow peers: connections that trickle a header hold no thread for long, and others
    // are served meanwhile.
    void slowConnectionsDoNotHoldTheServer()
    {
        std::vector<std::unique_ptr<RawConnection>> slow;
        for (int i = 0; i < 40; ++i) {
            slow.push_back(std::make_unique<RawConnection>(m_server.port()));
            QVERIFY(slow.back()->connected());
            QVERIFY(slow.back()->send("G"));
        }
        // And some that send a whole header, then trickle the body.
        for (int i = 0; i < 8; ++i) {
            slow.push_back(std::make_unique<RawConnection>(m_server.port()));
            QVERIFY(slow.back()->send("POST /Login-new.ashx HTTP/1.1\r\nHost: localhost\r\nContent-Length: 1000\r\n\r\nu"));
        }
        const auto res = m_server.get("/test.htm");
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        for (auto &connection : slow)
            QTRY_VERIFY_WITH_TIMEOUT(connection->closedByServer(), 5000);
        QVERIFY(m_server.post("/Login-new.ashx", loginBody("abuser01", "secret123"))); // still serving
    }

    void idleKeepAliveConnectionsAreClosed()
    {
        RawConnection connection(m_server.port());
        QVERIFY(connection.send("GET /test.htm HTTP/1.1\r\nHost: localhost\r\n\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(connection.closedByServer(), 5000);
        QVERIFY(connection.received().rfind("HTTP/1.1 200", 0) == 0);
    }

    void listenBacklogIsRaised()
    {
        QProcess ss;
        ss.start(QStringLiteral("ss"), {QStringLiteral("-ltnH"), QStringLiteral("sport = :%1").arg(m_server.port())});
        QVERIFY(ss.waitForFinished(10000));
        const QStringList columns = QString::fromLocal8Bit(ss.readAllStandardOutput()).simplified().split(' ');
        QVERIFY2(columns.size() >= 4, qPrintable(columns.join(' ')));
        // Send-Q of a listener: its backlog, as far as the kernel allows.
        QFile limit(QStringLiteral("/proc/sys/net/core/somaxconn"));
        const int kernelLimit = limit.open(QIODevice::ReadOnly) ? limit.readAll().trimmed().toInt() : 4096;
        QCOMPARE(columns[2].toInt(), qMin(PennovaServer::ServerOptions().listenBacklog, kernelLimit));
        QVERIFY(columns[2].toInt() > 5);
    }

    // More connections than threads and queue: the extra ones are answered 503 with
    // Retry-After at once, the queued ones are served in turn, and none is reset.
    void overloadIsAnsweredBusyNotReset()
    {
        PennovaServer::HttpListener::Limits limits;
        limits.threads = 1;
        limits.maxQueuedConnections = 2;
        limits.bodyTimeoutMs = 600;
        limits.bodyGraceMs = 600;
        limits.lingerMs = 100;
        PennovaServer::HttpListener small(limits);
        small.Get("/test.htm", [](const httplib::Request &, httplib::Response &res) { res.set_content("ok", "text/plain"); });
        small.Post("/echo", [](const httplib::Request &req, httplib::Response &res) { res.set_content(req.body, "text/plain"); });
        const int port = small.bind_to_any_port("127.0.0.1");
        QVERIFY(port > 0);
        std::thread serving([&small] { small.listen_after_bind(); });
        const auto stop = qScopeGuard([&] {
            small.stop();
            serving.join();
        });
        QVERIFY(QTest::qWaitFor([&small] { return small.is_running(); }, 5000));
        // holds the only thread: its body never comes (a header still on its way would wait
        // without a thread)
        RawConnection holder(port);
        QVERIFY(holder.send("POST /echo HTTP/1.1\r\nHost: localhost\r\nContent-Length: 100\r\n\r\n"));
        QTRY_COMPARE(small.activeConnections(), 1);
        std::vector<std::unique_ptr<RawConnection>> others;
        for (int i = 0; i < 6; ++i) {
            others.push_back(std::make_unique<RawConnection>(port));
            QVERIFY(others.back()->send("GET /test.htm HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n"));
        }
        int served = 0;
        int refused = 0;
        for (auto &connection : others) {
            QTRY_VERIFY_WITH_TIMEOUT(connection->closedByServer(), 10000);
            QVERIFY(!connection->wasReset());
            const std::string &reply = connection->received();
            if (reply.rfind("HTTP/1.1 200", 0) == 0) {
                ++served;
            } else {
                QVERIFY2(reply.rfind("HTTP/1.1 503", 0) == 0, reply.c_str());
                QVERIFY2(reply.find("\r\nRetry-After: 5\r\n") != std::string::npos, reply.c_str());
                QVERIFY(reply.size() > reply.find("\r\n\r\n") + 4); // the body came whole
                ++refused;
            }
        }
        QCOMPARE(served + refused, 6);
        QVERIFY(served >= 1);
        QVERIFY(refused >= 3);
    }

    void severalRangesAreRefused_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("length"); // -1: the whole picture
        QString many = QStringLiteral("bytes=0-1000");
        for (int i = 1; i < 1100; ++i) // an 8 KB header
            many += QStringLiteral(",0-1000");
        QTest::newRow("no range") << QString() << 200 << -1;
        QTest::newRow("one range") << QStringLiteral("bytes=0-9") << 206 << 10;
        QTest::newRow("two ranges") << QStringLiteral("bytes=0-9,20-29") << 416 << 0;
        QTest::newRow("1100 overlapping ranges") << many << 416 << 0;
    }

    void severalRangesAreRefused()
    {
        QFETCH(QString, range);
        QFETCH(int, status);
        QFETCH(int, length);
        httplib::Headers headers;
        if (!range.isEmpty())
            headers.emplace("Range", range.toStdString());
        const auto res = m_server.client().Get("/images/login_pic.png", headers);
        QVERIFY(res);
        QCOMPARE(res->status, status);
        QFile picture(QStringLiteral(PENNOVA_SOURCE_DIR "/server/assets/login_pic.png"));
        QVERIFY(picture.open(QIODevice::ReadOnly));
        if (status != 416)
            QCOMPARE(qint64(res->body.size()), length < 0 ? picture.size() : length);
        else
            QVERIFY(res->body.size() < 100);
    }

    void anonymousCountersDoNotGrow()
    {
        PennovaServer::UsageLogStore &usage = m_server.server().storage().usage();
        for (int i = 0; i < 40; ++i)
            usage.addAnonymousCounts("9." + std::to_string(i), {{"Login_Login", 1}, {"Made_Up_" + std::to_string(i), 1}}, 5);
        const auto counts = usage.counts(0, "event");
        QCOMPARE(counts.size(), std::size_t(1)); // unknown names are not kept
        QCOMPARE(counts[0].count, std::int64_t(40)); // nothing lost
        // The versions beyond the cap share one row.
        for (int i = 0; i < 40; ++i)
            usage.addAnonymousCounts("8." + std::to_string(i), {{"Login_Close", 1}}, 5);
        const auto res = m_server.post("/NotPublic/UserCountBulkAdd.ashx",
                                       "sessionKey=5206-5206&group=event&version=7.0&data=Invented:1;Login_Succ:2;");
        QVERIFY(res);
        QCOMPARE(res->body, std::string("ok"));
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open_v2(PennovaServer::ServerStorage::databaseFile(m_server.dataDir()).c_str(), &db,
                                 SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        sqlite3_stmt *rows = nullptr;
        sqlite3_prepare_v2(db, "SELECT COUNT(*), SUM(name NOT LIKE 'Login_%') FROM usage_counts WHERE user_id = 0", -1, &rows, nullptr);
        QCOMPARE(sqlite3_step(rows), SQLITE_ROW);
        const int total = sqlite3_column_int(rows, 0);
        const int unknown = sqlite3_column_int(rows, 1);
        sqlite3_finalize(rows);
        sqlite3_close(db);
        QVERIFY2(total <= 5 + 10, qPrintable(QString::number(total)));
        QCOMPARE(unknown, 0);
    }

    void wordBudgetIsPerAccount()
    {
        const std::string first = freshKey("budget01");
        const std::string again = m_server.login("budget01", "secret123");
        const std::string other = freshKey("budget02");
        std::string words;
        for (int i = 0; i < 150; ++i)
            words += "word ";
        int status = 0;
        check(first, {words + "."}, &status);
        QCOMPARE(status, 200);
        check(again, {words + "."}, &status);
        QCOMPARE(status, 200); // the bucket holds two minutes' words (400)
        check(again, {words + "."}, &status);
        QCOMPARE(status, 429); // the second session shares the account's budget
        check(other, {words + "."}, &status);
        QCOMPARE(status, 200);
    }

    void wrongPasswordsSlowDownWithoutLockingOut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("later");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("same name and address at once") << "victim" << "10.0.0.1" << 0 << false;
        QTest::newRow("same name and address after the delay") << "victim" << "10.0.0.1" << 1 << true;
        QTest::newRow("same name, other case") << "VICTIM" << "10.0.0.1" << 0 << false;
        QTest::newRow("same name from an address without failures") << "victim" << "10.0.0.2" << 0 << true;
        QTest::newRow("other name from the guessing address") << "someone" << "10.0.0.1" << 0 << true;
    }

    void wrongPasswordsSlowDownWithoutLockingOut()
    {
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(int, later);
        QFETCH(bool, allowed);
        ScratchDatabase scratch;
        PennovaServer::LoginThrottle throttle(scratch.db, 10, 300);
        for (int i = 0; i < 10; ++i)
            throttle.failed("victim", "10.0.0.1", 1000);
        QCOMPARE(throttle.allowed(name.toStdString(), address.toStdString(), 1000 + later), allowed);
        // Every further failure doubles the wait, up to the ceiling.
        for (int i = 0; i < 20; ++i)
            throttle.failed("victim", "10.0.0.1", 1000);
        QCOMPARE(throttle.wait("victim", "10.0.0.1", 1000), std::int64_t(60));
    }

    void guessingManyNamesFromOneAddressIsSlowed()
    {
        ScratchDatabase scratch;
        PennovaServer::LoginThrottle throttle(scratch.db, 10, 300);
        for (int i = 0; i < 50; ++i)
            throttle.failed("name" + std::to_string(i), "10.0.0.9", 1000);
        QVERIFY(!throttle.allowed("fresh", "10.0.0.9", 1000));
        QVERIFY(throttle.allowed("fresh", "10.0.0.8", 1000));
        QVERIFY(throttle.allowed("fresh", "10.0.0.9", 1000 + 300)); // the window passed
    }

    void guessingFromManyAddressesIsSlowed()
    {
        ScratchDatabase scratch;
        PennovaServer::LoginThrottle throttle(scratch.db, 10, 300);
        for (int i = 0; i < 100; ++i)
            throttle.failed("victim", "10.1.0." + std::to_string(i), 1000);
        QVERIFY(!throttle.allowed("victim", "10.1.0.7", 1000)); // one failure of its own
        QVERIFY(throttle.allowed("victim", "10.2.0.1", 1000));  // none: the owner gets in
        QVERIFY(throttle.allowed("other", "10.1.0.7", 1000));
    }

    void rightPasswordGetsInOverHttp()
    {
        QVERIFY(m_server.addUser("target01", "target01@example.com", "secret123"));
        for (int i = 0; i < 12; ++i) {
            const auto res = m_server.post("/Login-new.ashx", loginBody("target01", "wrong-guess"));
            QVERIFY(res);
            QVERIFY(res->body.rfind("Failure|", 0) == 0);
        }
        RawConnection other(m_server.port(), "127.0.0.2");
        QVERIFY(other.connected());
        QVERIFY(other.send(RawConnection::formPost("/Login-new.ashx", loginBody("target01", "secret123"))));
        QTRY_VERIFY_WITH_TIMEOUT(other.closedByServer(), 10000);
        QVERIFY2(other.received().find("Success|") != std::string::npos, other.received().c_str());
        QVERIFY(m_server.login("target01", "secret123").empty()); // the guessing address waits
        m_server.advanceClock(60);
        QVERIFY(!m_server.login("target01", "secret123").empty());
    }

    void registrationsAreThrottledPerAddress()
    {
        const auto registration = [this](int i) {
            const auto res = m_server.post("/tessel/register", "u=flood" + std::to_string(100 + i) + "&e=flood" + std::to_string(i)
                                                                   + "@example.com&p=" + PennovaServer::PasswordHasher::protocolHash("secret123"));
            return res ? res->body : std::string("no reply");
        };
        for (int i = 0; i < 3; ++i)
            QCOMPARE(registration(i), std::string("success"));
        QCOMPARE(registration(3), std::string("error"));
        QVERIFY(!m_server.server().storage().accounts().nameExists("flood103"));
        m_server.advanceClock(3600);
        QCOMPARE(registration(4), std::string("success"));
    }

    void passwordChangeEndsSessions()
    {
        const std::string first = freshKey("changer1");
        const std::string second = m_server.login("changer1", "secret123");
        const std::string bystander = freshKey("changer2");
        QVERIFY(!first.empty() && !second.empty() && first != second);
        QVERIFY(m_server.server().storage().accounts().setPassword("changer1", PennovaServer::PasswordHasher::protocolHash("newsecret9")));
        for (const std::string &key : {first, second}) {
            const auto res = m_server.post("/ActivateSession-new.ashx", "sessionKey=" + key);
            QVERIFY(res);
            QVERIFY(res->body.rfind("SessionError", 0) == 0);
        }
        const auto kept = m_server.post("/ActivateSession-new.ashx", "sessionKey=" + bystander);
        QVERIFY(kept && kept->body.rfind("Success", 0) == 0);
        QVERIFY(!m_server.login("changer1", "newsecret9").empty());
    }

    void sessionKeysAreNotStoredAndFilesAreOwnerOnly()
    {
        const std::string key = freshKey("secrets1");
        QVERIFY(!key.empty());
        const std::string db = PennovaServer::ServerStorage::databaseFile(m_server.dataDir());
        int files = 0;
        for (const std::string &path : {db, db + "-wal", db + "-shm"}) {
            struct stat info{};
            if (::stat(path.c_str(), &info) != 0)
                continue;
            ++files;
            QCOMPARE(int(info.st_mode & 0777), 0600);
            QFile file(QString::fromStdString(path));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(!file.readAll().contains(QByteArray::fromStdString(key)), path.c_str());
        }
        QVERIFY(files >= 2);
    }
};

QTEST_GUILESS_MAIN(TestServerAbuse)
#include "tst_serverabuse.moc"
