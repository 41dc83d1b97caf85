// The server under hostile load, second round: memory before authentication, what a
// check costs and whose turn it is, ambiguous framing, login floods, each user's share of
// the usage data, two servers on one database, and failures an administrator can trace.

#include "httplistener.h"
#include "passwordhasher.h"
#include "ratelimiter.h"
#include "requestframing.h"
#include "serverstorage.h"
#include "serviceserver.h"
#include "sqlitedatabase.h"
#include "sqlstatement.h"
#include "support/processmemory.h"
#include "support/rawconnection.h"
#include "support/testserver.h"
#include "usagelogstore.h"
#include "workgate.h"

#include <QTemporaryFile>
#include <QtTest>

#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {
constexpr int MaxGrowthMiB = 50;

// A connection of one store that lets another process write just before each of its
// writes, as a second server on the same folder may.
class InterleavedConnection : public PennovaServer::SqlConnection
{
public:
    InterleavedConnection(PennovaServer::SqlConnection &inner, std::function<void()> otherWrite)
        : m_inner(inner)
        , m_otherWrite(std::move(otherWrite))
    {
    }

    std::unique_ptr<PennovaServer::SqlQuery> prepare(const char *sql) override
    {
        if (std::strncmp(sql, "SELECT", 6) != 0)
            m_otherWrite();
        return m_inner.prepare(sql);
    }

private:
    PennovaServer::SqlConnection &m_inner;
    std::function<void()> m_otherWrite;
};

class InterleavedDatabase : public PennovaServer::SqlDatabase
{
public:
    InterleavedDatabase(PennovaServer::SqliteDatabase &inner, std::function<void()> otherWrite)
        : m_inner(inner)
        , m_otherWrite(std::move(otherWrite))
    {
    }
    Dialect dialect() const override { return m_inner.dialect(); }

protected:
    void withConnection(bool transaction, const std::function<void(PennovaServer::SqlConnection &)> &body) override
    {
        const auto run = [&](PennovaServer::SqlConnection &c) {
            InterleavedConnection interleaved(c, m_otherWrite);
            body(interleaved);
        };
        transaction ? m_inner.transaction(run) : m_inner.locked(run);
    }

private:
    PennovaServer::SqliteDatabase &m_inner;
    std::function<void()> m_otherWrite;
};

// Standard error of this process, captured while the object lives.
class CapturedStderr
{
public:
    CapturedStderr()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(2);
        ::dup2(m_file.handle(), 2);
    }
    ~CapturedStderr() { restore(); }

    QByteArray text()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};
} // namespace

class TestServerHostile : public QObject
{
    Q_OBJECT

private:
    static PennovaServer::ServerOptions options()
    {
        PennovaServer::ServerOptions o = TestServer::defaultOptions();
        o.threads = 32;
        o.maxWordsPerMinute = 200;
        o.checkWorkers = 1;
        return o;
    }

    std::string freshKey(TestServer &server, const std::string &name)
    {
        server.addUser(name, name + "@example.com", "secret123");
        return server.login(name, "secret123");
    }

    int checkStatus(const std::string &key, const std::vector<std::string> &sentences)
    {
        const auto res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                           key, sentences, std::vector<int>(sentences.size(), 0))));
        return res ? res->status : -1;
    }

    TestServer m_server{options()};
    std::string m_key;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_server.server().checker(); // loaded now, not counted against a request below
        m_key = freshKey(m_server, "hostile01");
        QVERIFY(!m_key.empty());
    }

    // Parsing costs far more memory per value than the text it comes from: a frame of
    // a few MB of empty values would take hundreds of MB, whatever its session.
    void framesOfManyValuesStaySmall_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("knownSession");
        QTest::newRow("empty arrays, unknown session") << "[]" << false;
        QTest::newRow("empty strings, unknown session") << "\"\"" << false;
        QTest::newRow("integers, unknown session") << "0" << false;
        QTest::newRow("empty arrays, live session") << "[]" << true;
        QTest::newRow("integers, live session") << "0" << true;
    }

    void framesOfManyValuesStaySmall()
    {
        QFETCH(QString, value);
        QFETCH(bool, knownSession);
        // The session first: the client writes it last, an attacker need not.
        const std::string key = knownSession ? m_key : std::string("0123456789ABCDEF0123456789ABCDEF");
        std::string json = "{\"session\":\"" + key + "\",\"sents\":[";
        const std::string item = value.toStdString() + ",";
        json.reserve(json.size() + 2'000'000 * item.size() + 16);
        for (int i = 0; i < 2'000'000; ++i)
            json += item;
        json += value.toStdString() + "]}\n";
        const std::string frame = TestFrames::frame(json);
        json = std::string();
        const long before = ProcessMemory::statusKiB("VmRSS:");
        if (!ProcessMemory::resetPeak())
            QSKIP("the peak resident size cannot be reset here");
        const auto res = m_server.post("/apps_compressed/", frame);
        const long growthKiB = ProcessMemory::statusKiB("VmHWM:") - before;
        QVERIFY(res);
        QVERIFY2(growthKiB < MaxGrowthMiB * 1024, qPrintable(QStringLiteral("%1 KiB").arg(growthKiB)));
        QCOMPARE(res->status, 413);
        QCOMPARE(res->body, std::string("bad request frame"));
    }

    // The budget pays for what the checker does: every word token, and every sentence at
    // least one, however the words are joined. The bucket holds 400 words here.
    void budgetPaysForWhatIsChecked_data()
    {
        QTest::addColumn<int>("sentences");
        QTest::addColumn<int>("wordsEach");
        QTest::addColumn<QString>("separator");
        QTest::newRow("250 one-word sentences") << 250 << 1 << "";
        QTest::newRow("2 sentences of 150 comma-joined words") << 2 << 150 << ",";
        QTest::newRow("5 sentences of 50 words spaced") << 5 << 50 << " ";
    }

    void budgetPaysForWhatIsChecked()
    {
        QFETCH(int, sentences);
        QFETCH(int, wordsEach);
        QFETCH(QString, separator);
        static int account = 0;
        const std::string key = freshKey(m_server, "budgetee" + std::to_string(++account));
        std::string sentence = "teh";
        for (int i = 1; i < wordsEach; ++i)
            sentence += separator.toStdString() + "teh";
        const std::vector<std::string> text(std::size_t(sentences), sentence);
        QCOMPARE(checkStatus(key, text), 200);
        QCOMPARE(checkStatus(key, text), 429); // 2 x 250 or 300 words: more than the bucket
        QCOMPARE(checkStatus(key, {"Fine."}), 200); // what is left still serves
    }

    // A slot freed goes to the owner running the fewest jobs, the earliest of those:
    // an owner holding every slot does not get the next one before another.
    void gateTurnsGoToTheLeastServedOwner()
    {
        PennovaServer::WorkGate gate(2);
        std::shared_ptr<void> first = gate.enter(1, 0);
        std::shared_ptr<void> second = gate.enter(1, 0);
        QVERIFY(first && second);
        QVERIFY(!gate.enter(2, 0)); // no slot free at once
        QVERIFY(!gate.othersWait(1));
        std::mutex mutex;
        std::vector<int> order;
        std::vector<std::thread> waiters;
        std::vector<std::shared_ptr<void>> tickets(3);
        const auto wait = [&](int index, std::int64_t owner) {
            waiters.emplace_back([&, index, owner] {
                std::shared_ptr<void> ticket = gate.enter(owner, 20000);
                std::lock_guard<std::mutex> guard(mutex);
                tickets[std::size_t(index)] = std::move(ticket);
                order.push_back(index);
            });
            QTRY_COMPARE(gate.waiting(), index + 1);
        };
        const auto admitted = [&] {
            std::lock_guard<std::mutex> guard(mutex);
            return order;
        };
        wait(0, 1); // the same owner twice more, then another
        wait(1, 1);
        wait(2, 2);
        QVERIFY(gate.othersWait(1));
        first.reset();
        QTRY_COMPARE(admitted(), (std::vector<int>{2}));
        second.reset();
        QTRY_COMPARE(admitted(), (std::vector<int>{2, 0}));
        {
            std::lock_guard<std::mutex> guard(mutex);
            tickets[2].reset();
        }
        QTRY_COMPARE(admitted(), (std::vector<int>{2, 0, 1}));
        for (std::thread &t : waiters)
            t.join();
        QCOMPARE(gate.running(), 2);
        QVERIFY(!gate.othersWait(1));
    }

    // With one checking slot, another account's short check is answered between the
    // records of a long one, not after it.
    void aLongCheckDoesNotHoldTheSlot()
    {
        PennovaServer::ServerOptions o = options();
        o.maxWordsPerMinute = 30000;
        TestServer server(o);
        QVERIFY(server.start());
        const std::string longKey = freshKey(server, "longcheck");
        const std::string shortKey = freshKey(server, "shortcheck");
        const std::vector<std::string> text(400, "Thsi sentense has a fwe errors in it.");
        RawConnection longCheck(server.port());
        QVERIFY(longCheck.send(RawConnection::formPost("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                                                  longKey, text, std::vector<int>(text.size(), 0))))));
        // Its first records came: it holds the only slot.
        QTRY_VERIFY_WITH_TIMEOUT(longCheck.closedByServer() || longCheck.received().size() > 1000, 20000);
        const auto res = server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                                              shortKey, {"Thsi is one.", "And two."}, {0, 0})));
        const bool overtaken = !longCheck.closedByServer();
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QVERIFY2(overtaken, "the short check waited for the long one");
        QTRY_VERIFY_WITH_TIMEOUT(longCheck.closedByServer(), 60000);
        QVERIFY(longCheck.received().rfind("HTTP/1.1 200", 0) == 0);
        QVERIFY(longCheck.received().find("\r\n0\r\n\r\n") != std::string::npos); // the stream ended whole
    }

    void requestFramingIsJudged_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<int>("status");
        const QString line = QStringLiteral("POST /x HTTP/1.1\r\nHost: a\r\n");
        QTest::newRow("no body") << line << 0;
        QTest::newRow("one length") << line + "Content-Length: 10" << 0;
        QTest::newRow("the same length twice") << line + "Content-Length: 10\r\ncontent-length:10" << 0;
        QTest::newRow("two lengths") << line + "Content-Length: 10\r\nContent-Length: 11" << 400;
        QTest::newRow("length with a comma list") << line + "Content-Length: 10, 10" << 400;
        QTest::newRow("negative length") << line + "Content-Length: -1" << 400;
        QTest::newRow("empty length") << line + "Content-Length:" << 400;
        QTest::newRow("length 2^66") << line + "Content-Length: 73786976294838206464" << 413;
        QTest::newRow("length just beyond the limit") << line + "Content-Length: 1001" << 413;
        QTest::newRow("length at the limit, leading zeros") << line + "Content-Length: 0001000" << 0;
        QTest::newRow("chunked") << line + "Transfer-Encoding: chunked" << 0;
        QTest::newRow("chunked, other case") << line + "transfer-encoding:  Chunked " << 0;
        QTest::newRow("xchunked") << line + "Transfer-Encoding: xchunked" << 400;
        QTest::newRow("gzip, chunked") << line + "Transfer-Encoding: gzip, chunked" << 400;
        QTest::newRow("chunked twice") << line + "Transfer-Encoding: chunked\r\nTransfer-Encoding: chunked" << 400;
        QTest::newRow("chunked and a length") << line + "Transfer-Encoding: chunked\r\nContent-Length: 5" << 400;
        QTest::newRow("bare newlines") << QStringLiteral("POST /x HTTP/1.1\nContent-Length: 3\nContent-Length: 4") << 400;
        QTest::newRow("garbage") << QStringLiteral("\x01\x02:\r\n::\r\nContent-Length") << 0;
        QTest::newRow("non-ASCII name") << line + QStringLiteral("Cöntent-Length: 99999") << 0;
    }

    void requestFramingIsJudged()
    {
        QFETCH(QString, head);
        QFETCH(int, status);
        QCOMPARE(PennovaServer::RequestFraming::check(head.toStdString(), 1000), status);
    }

    // Refused before any body is read, so a bogus length costs no wait either.
    void ambiguousFramingIsRefusedOverHttp_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("statusLine");
        const QString head = QStringLiteral("POST /tessel/register HTTP/1.1\r\nHost: localhost\r\n"
                                            "Content-Type: application/x-www-form-urlencoded\r\n");
        QTest::newRow("two lengths") << head + "Content-Length: 3\r\nContent-Length: 40\r\n\r\nu=a" << "HTTP/1.1 400";
        QTest::newRow("xchunked") << head + "Transfer-Encoding: xchunked\r\nContent-Length: 3\r\n\r\nu=a" << "HTTP/1.1 400";
        QTest::newRow("length -1") << head + "Content-Length: -1\r\n\r\n" << "HTTP/1.1 400";
        QTest::newRow("length 2^66") << head + "Content-Length: 73786976294838206464\r\n\r\n" << "HTTP/1.1 413";
        QTest::newRow("plain") << head + "Content-Length: 3\r\nConnection: close\r\n\r\nu=a" << "HTTP/1.1 200";
    }

    void ambiguousFramingIsRefusedOverHttp()
    {
        QFETCH(QString, request);
        QFETCH(QString, statusLine);
        RawConnection connection(m_server.port());
        QVERIFY(connection.connected());
        QVERIFY(connection.send(request.toStdString()));
        // Well within the body time-out (60 s): nothing is waited for.
        QTRY_VERIFY_WITH_TIMEOUT(connection.closedByServer(), 5000);
        QVERIFY2(connection.received().rfind(statusLine.toStdString(), 0) == 0, connection.received().c_str());
    }

    // A body that trickles in below the minimum rate gives its thread up after the grace
    // time, long before the body's deadline, and the threads serve others again.
    void slowBodiesGiveTheirThreadsUp()
    {
        PennovaServer::HttpListener::Limits limits;
        limits.threads = 2;
        limits.bodyTimeoutMs = 60000;
        limits.bodyGraceMs = 200;
        limits.minBodyBytesPerSecond = 1000;
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
        // A quick body of the same size passes.
        RawConnection quick(port);
        QVERIFY(quick.send("POST /echo HTTP/1.1\r\nHost: a\r\nConnection: close\r\nContent-Length: 5000\r\n\r\n" + std::string(5000, 'q')));
        QTRY_VERIFY_WITH_TIMEOUT(quick.closedByServer(), 5000);
        QVERIFY2(quick.received().rfind("HTTP/1.1 200", 0) == 0, quick.received().c_str());
        std::vector<std::unique_ptr<RawConnection>> slow;
        for (int i = 0; i < 2; ++i) {
            slow.push_back(std::make_unique<RawConnection>(port));
            QVERIFY(slow.back()->send("POST /echo HTTP/1.1\r\nHost: a\r\nContent-Length: 5000\r\n\r\nx"));
        }
        for (auto &connection : slow)
            QTRY_VERIFY_WITH_TIMEOUT(connection->closedByServer(), 5000);
        RawConnection plain(port);
        QVERIFY(plain.send("GET /test.htm HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(plain.closedByServer(), 5000);
        QVERIFY2(plain.received().rfind("HTTP/1.1 200", 0) == 0, plain.received().c_str());
    }

    // Peers that send their first header a piece at a time hold no thread: a plain request
    // is served at once beside far more of them than there are threads; a header that
    // comes whole late is served, one that never comes whole is closed at its deadline.
    void slowHeadersHoldNoThread_data()
    {
        QTest::addColumn<int>("headerTimeoutMs");
        QTest::addColumn<bool>("finishLate");
        QTest::newRow("headers completed late are served") << 60000 << true;
        QTest::newRow("headers never completed are closed") << 300 << false;
    }

    void slowHeadersHoldNoThread()
    {
        QFETCH(int, headerTimeoutMs);
        QFETCH(bool, finishLate);
        PennovaServer::HttpListener::Limits limits;
        limits.threads = 2;
        limits.headerTimeoutMs = headerTimeoutMs;
        limits.lingerMs = 100;
        PennovaServer::HttpListener small(limits);
        small.Get("/test.htm", [](const httplib::Request &, httplib::Response &res) { res.set_content("ok", "text/plain"); });
        const int port = small.bind_to_any_port("127.0.0.1");
        QVERIFY(port > 0);
        QVERIFY(small.raiseBacklog());
        std::thread serving([&small] { small.listen_after_bind(); });
        const auto stop = qScopeGuard([&] {
            small.stop();
            serving.join();
        });
        QVERIFY(QTest::qWaitFor([&small] { return small.is_running(); }, 5000));
        std::vector<std::unique_ptr<RawConnection>> slow;
        for (int i = 0; i < 20; ++i) {
            slow.push_back(std::make_unique<RawConnection>(port));
            QVERIFY(slow.back()->send("GET /test.htm HTTP/1.1\r\nHost: a"));
        }
        if (finishLate) // (the others may already be past their deadline)
            QTRY_COMPARE_WITH_TIMEOUT(small.connectionsAwaitingHeader(), std::size_t(slow.size()), 5000);
        RawConnection plain(port);
        QVERIFY(plain.send("GET /test.htm HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(plain.closedByServer(), 5000);
        QVERIFY2(plain.received().rfind("HTTP/1.1 200", 0) == 0, plain.received().c_str());
        if (finishLate) {
            for (auto &connection : slow)
                QVERIFY(connection->send("\r\nConnection: close\r\n\r\n"));
            for (auto &connection : slow) {
                QTRY_VERIFY_WITH_TIMEOUT(connection->closedByServer(), 10000);
                QVERIFY2(connection->received().rfind("HTTP/1.1 200", 0) == 0, connection->received().c_str());
            }
        } else {
            for (auto &connection : slow) {
                QTRY_VERIFY_WITH_TIMEOUT(connection->closedByServer(), 5000);
                QVERIFY(connection->received().empty());
            }
        }
        QCOMPARE(small.connectionsAwaitingHeader(), std::size_t(0));
    }

    // Logins wait for a hashing slot only briefly and only a few at once; the others are
    // told to come back, and cheap requests are served meanwhile.
    void loginFloodIsAnsweredBusy()
    {
        PennovaServer::ServerOptions o = options();
        o.fastPasswordHash = false; // a hash takes a while
        o.passwordHashers = 1;
        o.maxHashWaiters = 1;
        TestServer server(o);
        QVERIFY(server.start());
        QVERIFY(server.addUser("floodee1", "floodee1@example.com", "secret123"));
        std::vector<std::unique_ptr<RawConnection>> logins;
        for (int i = 0; i < 12; ++i) {
            logins.push_back(std::make_unique<RawConnection>(server.port(), ("127.0.1." + std::to_string(i + 1)).c_str()));
            QVERIFY(logins.back()->send(RawConnection::formPost("/Login-new.ashx", "userName=floodee1&hashUserPassword="
                                                     + PennovaServer::PasswordHasher::protocolHash("wrong" + std::to_string(i)))));
        }
        const auto page = server.get("/test.htm");
        QVERIFY(page);
        QCOMPARE(page->status, 200);
        int busy = 0;
        int answered = 0;
        for (auto &login : logins) {
            QTRY_VERIFY_WITH_TIMEOUT(login->closedByServer(), 30000);
            const std::string &reply = login->received();
            if (reply.rfind("HTTP/1.1 503", 0) == 0) {
                QVERIFY2(reply.find("\r\nRetry-After: ") != std::string::npos, reply.c_str());
                ++busy;
            } else {
                QVERIFY2(reply.find("Failure|") != std::string::npos, reply.c_str());
                ++answered;
            }
        }
        QVERIFY2(busy >= 6, qPrintable(QString::number(busy)));
        QVERIFY(answered >= 1);
    }

    // Beyond a user's share, new counters and corrections are dropped and the oldest
    // word choices go; other users keep theirs.
    void usageDataStaysWithinItsShare()
    {
        QTemporaryDir dir;
        PennovaServer::SqliteDatabase db(dir.filePath("usage.db").toStdString());
        PennovaServer::UsageLogStore::Limits limits;
        limits.countRows = 5;
        limits.correctionRows = 4;
        limits.choiceRows = 6;
        limits.choiceCharacters = 100;
        PennovaServer::UsageLogStore usage(db, limits);
        std::vector<PennovaServer::UsageLogStore::Count> counts;
        std::vector<PennovaServer::UsageLogStore::Correction> corrections;
        for (int i = 0; i < 9; ++i) {
            counts.push_back({"c" + std::to_string(i), 1});
            corrections.push_back({"w" + std::to_string(i), "r", 1});
        }
        usage.addCounts(7, "check", "1.0", counts);
        usage.addCounts(7, "check", "1.0", counts); // the kept rows still count
        QCOMPARE(usage.counts(7, "check").size(), std::size_t(5));
        QCOMPARE(usage.counts(7, "check")[0].count, std::int64_t(2));
        usage.addCounts(8, "check", "1.0", {{"c0", 1}});
        QCOMPARE(usage.counts(8, "check").size(), std::size_t(1));
        usage.addCorrections(7, corrections);
        usage.addCorrections(7, corrections);
        QCOMPARE(usage.corrections(7).size(), std::size_t(4));
        QCOMPARE(usage.corrections(7)[0].count, std::int64_t(2));
        for (int i = 0; i < 10; ++i)
            usage.addChoices(7, {{"Sentence " + std::to_string(i) + ".", 0, 8, "word"}});
        auto kept = usage.choices(7);
        QCOMPARE(kept.size(), std::size_t(6));
        QCOMPARE(kept.front().sentence, std::string("Sentence 4."));
        QCOMPARE(kept.back().sentence, std::string("Sentence 9."));
        usage.addChoices(7, {{std::string(90, 'x'), 0, 1, "word"}}); // 94 characters: room for it alone
        kept = usage.choices(7);
        QCOMPARE(kept.size(), std::size_t(1));
        QCOMPARE(kept.front().sentence.size(), std::size_t(90));
        usage.addChoices(9, {{"Other user.", 0, 5, "other"}});
        QCOMPARE(usage.choices(9).size(), std::size_t(1));
        QCOMPARE(usage.choices(7).size(), std::size_t(1));
    }

    // A second server writes between this one's read and write: the write waits its
    // turn instead of failing at once.
    void registrationLimitSharesTheDatabase()
    {
        QTemporaryDir dir;
        const std::string file = dir.filePath("shared.db").toStdString();
        PennovaServer::SqliteDatabase mine(file);
        PennovaServer::SqliteDatabase other(file);
        int written = 0;
        InterleavedDatabase interleaved(mine, [&] {
            other.locked([&](PennovaServer::SqlConnection &c) {
                PennovaServer::SqlStatement(c, "INSERT INTO rate_windows(scope, subject, first_at, used) VALUES('other', ?1, 0, 0)")
                    .bind(1, "x" + std::to_string(++written))
                    .run();
            });
        });
        PennovaServer::RateLimiter limiter(interleaved, "registrations", 2, 3600);
        for (const char *address : {"10.0.0.1", "10.0.0.1", "10.0.0.2"})
            QVERIFY(limiter.take(address, 1000));
        QVERIFY(!limiter.take("10.0.0.1", 1001));
        QVERIFY(written >= 4);
    }

    // A failure names its cause, the request and its id on standard error.
    void failuresAreLoggedWithTheirCause()
    {
        TestServer server(options());
        QVERIFY(server.start());
        const std::string key = freshKey(server, "logged01");
        const std::string file = PennovaServer::ServerStorage::databaseFile(server.dataDir());
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "DROP TABLE word_choices", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        CapturedStderr captured;
        const auto res = server.post("/NotPublic/UserChooseBulkAdd.ashx",
                                     "sessionKey=" + key + "&data=[{\"sentence\":\"A b.\",\"wordIdx\":0,\"wordLength\":1,\"chooseWord\":\"c\"}]");
        const QByteArray log = captured.text();
        QVERIFY(res);
        QCOMPARE(res->status, 500);
        QCOMPARE(res->body, std::string("SystemError||"));
        const std::string id = res->get_header_value("X-Request-Id");
        QVERIFY(!id.empty());
        QVERIFY2(log.contains(QByteArray::fromStdString("failure " + id + ": POST /NotPublic/UserChooseBulkAdd.ashx: ")), log.constData());
        QVERIFY2(log.contains("no such table: word_choices"), log.constData());
        QVERIFY2(log.contains(QByteArray::fromStdString(file)), log.constData());
        QVERIFY(!log.contains(QByteArray::fromStdString(key))); // never a session key
    }
};

QTEST_GUILESS_MAIN(TestServerHostile)
#include "tst_serverhostile.moc"
