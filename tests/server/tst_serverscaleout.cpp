// Four pennova-server processes on one PostgreSQL, as behind a load balancer: parallel
// word-list adds, registrations of one name and checks of one account, spread over the
// processes, lose nothing, duplicate nothing and never overspend the word budget.

#include "passwordhasher.h"
#include "support/postgrestestserver.h"
#include "support/testserver.h"

#include "support/builtfile.h"
#include "pennovapaths.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <httplib.h>
#include <libpq-fe.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace {
constexpr int Processes = 4;
constexpr int WordsPerMinute = 100;

QString program()
{
    return builtFile(QStringLiteral("pennova-server"));
}

// Runs job(i) for i in [0, count) on `threads` threads at once.
void inParallel(int count, int threads, const std::function<void(int)> &job)
{
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            for (int i = next++; i < count; i = next++)
                job(i);
        });
    }
    for (std::thread &thread : pool)
        thread.join();
}
} // namespace

class TestServerScaleOut : public QObject
{
    Q_OBJECT

private:
    httplib::Result post(int process, const std::string &path, const std::string &body,
                         const std::string &type = "application/x-www-form-urlencoded")
    {
        httplib::Client client("127.0.0.1", m_ports[std::size_t(process % Processes)]);
        client.set_read_timeout(60, 0);
        return client.Post(path, body, type);
    }

    std::string login(int process, const std::string &name)
    {
        const auto res = post(process, "/Login-new.ashx",
                              "userName=" + name + "&hashUserPassword=" + PennovaServer::PasswordHasher::protocolHash("secret123"));
        if (!res || res->body.rfind("Success|", 0) != 0)
            return {};
        const std::string rest = res->body.substr(8);
        return rest.substr(0, rest.find('|'));
    }

    std::string registration(int process, const std::string &name, const std::string &email)
    {
        const auto res = post(process, "/tessel/register",
                              "u=" + name + "&e=" + email + "&p=" + PennovaServer::PasswordHasher::protocolHash("secret123"));
        return res ? res->body : std::string("no reply");
    }

    std::int64_t count(const std::string &sql)
    {
        PGconn *conn = PQconnectdb(m_url.c_str());
        PGresult *result = PQexec(conn, sql.c_str());
        const std::int64_t n = PQresultStatus(result) == PGRES_TUPLES_OK ? std::atoll(PQgetvalue(result, 0, 0)) : -1;
        PQclear(result);
        PQfinish(conn);
        return n;
    }

    QTemporaryDir m_dir;
    PostgresTestServer m_postgres;
    std::string m_url;
    std::vector<std::unique_ptr<QProcess>> m_servers;
    std::vector<int> m_ports;

private slots:
    void initTestCase()
    {
        if (PostgresTestServer::binDir().isEmpty())
            QSKIP("PostgreSQL is not installed (scripts/install-deps.sh installs it)");
        QVERIFY2(m_postgres.start(), qPrintable(m_postgres.error()));
        m_url = m_postgres.createDatabase("scaleout");
        QVERIFY2(!m_url.empty(), qPrintable(m_postgres.error()));
        // Started together, they also race for the schema's creation.
        for (int i = 0; i < Processes; ++i) {
            auto server = std::make_unique<QProcess>();
            server->setStandardErrorFile(m_dir.filePath(QStringLiteral("server%1.log").arg(i)));
            server->start(program(), {"--listen", "127.0.0.1:0", "--data", m_dir.filePath(QStringLiteral("node%1").arg(i)),
                                      "--database", QString::fromStdString(m_url), "--threads", "32",
                                      "--words-per-minute", QString::number(WordsPerMinute),
                                      "--registrations-per-hour", "100", "--load-data", "first-use"});
            m_servers.push_back(std::move(server));
        }
        for (int i = 0; i < Processes; ++i) {
            QProcess &server = *m_servers[std::size_t(i)];
            QVERIFY(server.waitForStarted(30000));
            // Each loads its checker with its first check: the budget case's parallel checks
            // also wait for that together.
            QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine() || server.state() != QProcess::Running, 180000);
            const QString line = QString::fromUtf8(server.readLine()).trimmed();
            const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)$")).match(line);
            if (!m.hasMatch()) {
                QFile log(m_dir.filePath(QStringLiteral("server%1.log").arg(i)));
                log.open(QIODevice::ReadOnly);
                QFAIL(qPrintable("server " + QString::number(i) + ": " + line + " " + QString::fromUtf8(log.readAll())));
            }
            m_ports.push_back(m.captured(1).toInt());
        }
    }

    void cleanupTestCase()
    {
        for (auto &server : m_servers) {
            server->terminate();
            if (!server->waitForFinished(30000))
                server->kill();
        }
        m_postgres.stop();
    }

    void registrationsOfOneNameHaveOneWinner()
    {
        std::mutex mutex;
        std::vector<std::string> replies(20);
        inParallel(20, 20, [&](int i) {
            const std::string reply = registration(i, "samename1", "same" + std::to_string(i) + "@example.com");
            std::lock_guard<std::mutex> guard(mutex);
            replies[std::size_t(i)] = reply;
        });
        int winners = 0;
        int winner = -1;
        for (int i = 0; i < 20; ++i) {
            const std::string &reply = replies[std::size_t(i)];
            if (reply == "success") {
                ++winners;
                winner = i;
            } else {
                QVERIFY2(reply == "300", reply.c_str()); // the name is taken
            }
        }
        QCOMPARE(winners, 1);
        QCOMPARE(count("SELECT COUNT(*) FROM users WHERE name_key = 'samename1'"), std::int64_t(1));
        QCOMPARE(count("SELECT COUNT(*) FROM users WHERE email_key = 'same" + std::to_string(winner) + "@example.com'"),
                 std::int64_t(1));
        for (int i = 0; i < Processes; ++i)
            QVERIFY(!login(i, "samename1").empty()); // every process knows the account
    }

    void parallelWordListAddsLoseNothing()
    {
        QCOMPARE(registration(0, "wordsmith1", "wordsmith1@example.com"), std::string("success"));
        const std::string key = login(1, "wordsmith1");
        QVERIFY(!key.empty());
        std::atomic<int> ok{0};
        inParallel(200, 20, [&](int i) {
            const auto res = post(i, "/NotPublic/UserWordBulkAdd.ashx",
                                  "sessionKey=" + key + "&words=word" + std::to_string(i) + ";shared;");
            if (res && res->status == 200 && res->body == "ok")
                ++ok;
        });
        QCOMPARE(ok.load(), 200);
        for (int process = 0; process < Processes; ++process) {
            const auto res = post(process, "/NotPublic/UserWordList.ashx", "sessionKey=" + key);
            QVERIFY(res);
            const QStringList listed = QString::fromStdString(res->body).split(';', Qt::SkipEmptyParts);
            QCOMPARE(listed.size(), 201);
            const QSet<QString> distinct(listed.begin(), listed.end());
            QCOMPARE(distinct.size(), 201);
            QVERIFY(distinct.contains("shared") && distinct.contains("word0") && distinct.contains("word199"));
        }
    }

    void wordBudgetIsNeverOverspent()
    {
        QCOMPARE(registration(2, "spender01", "spender01@example.com"), std::string("success"));
        std::vector<std::string> keys;
        for (int i = 0; i < Processes; ++i)
            keys.push_back(login(i, "spender01")); // sessions share the account's bucket
        for (const std::string &key : keys)
            QVERIFY(!key.empty());
        const std::string text = "This is a short text that has exactly ten words.";
        std::atomic<int> admitted{0};
        std::atomic<int> refused{0};
        std::atomic<int> other{0};
        QElapsedTimer elapsed;
        elapsed.start();
        inParallel(60, 20, [&](int i) {
            const auto res = post(i, "/apps_compressed/",
                                  TestFrames::frame(TestFrames::checkRequest(keys[std::size_t(i % Processes)], {text}, {0})),
                                  "application/octet-stream");
            const int status = res ? res->status : -1;
            if (status == 200)
                ++admitted;
            else if (status == 429)
                ++refused;
            else if (status != 503) // busy: turned away before the budget
                ++other;
        });
        // The bucket holds 2 minutes' words and refills at 100 a minute while the test runs.
        const int refill = int((elapsed.elapsed() / 1000 + 1) * WordsPerMinute / 60);
        QCOMPARE(other.load(), 0);
        QVERIFY2(admitted * 10 <= 2 * WordsPerMinute + refill,
                 qPrintable(QStringLiteral("%1 checks of 10 words admitted").arg(admitted.load())));
        QVERIFY(admitted >= 1);
        QVERIFY(refused >= 1);
    }
};

QTEST_GUILESS_MAIN(TestServerScaleOut)
#include "tst_serverscaleout.moc"
