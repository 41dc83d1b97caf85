// The shared store on both backends, SQLite and a real PostgreSQL: accounts, sessions,
// word lists, usage logs, feedback, the login throttle, the word budget and the schema's
// versions.

#include "loginthrottle.h"
#include "ratelimiter.h"
#include "schemamigrations.h"
#include "serverstorage.h"
#include "sqlstatement.h"
#include "support/postgrestestserver.h"
#include "wordbudget.h"

#include "support/builtfile.h"
#include "pennovapaths.h"

#include <QProcess>
#include <QtTest>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <atomic>
#include <memory>
#include <thread>

using PennovaServer::AccountStore;
using PennovaServer::ServerOptions;
using PennovaServer::ServerStorage;
using PennovaServer::WordListStore;

// The backend of the row; a fresh, empty database for it in `options`.
#define FRESH_DATABASE(options)                                                                          \
    QFETCH(QString, backend);                                                                            \
    if (backend == "postgresql" && !m_postgresRunning)                                                  \
        QSKIP(qPrintable("PostgreSQL tests skipped: " + m_postgres.error()));                           \
    const ServerOptions options = freshOptions(backend);                                                 \
    QVERIFY2(backend == "sqlite" || !options.database.empty(), qPrintable(m_postgres.error()))

namespace {
const QStringList Backends = {QStringLiteral("sqlite"), QStringLiteral("postgresql")};

QString program()
{
    return builtFile(QStringLiteral("pennova-server"));
}

// A new account's id; 0 when it could not be created.
std::int64_t newUser(ServerStorage &storage, const std::string &name)
{
    if (storage.accounts().create(name, "", "hash") != AccountStore::CreateResult::Created)
        return 0;
    return storage.accounts().findByName(name)->id;
}

// Stores standing for several server processes on one database (SQLite: one process).
std::vector<std::unique_ptr<ServerStorage>> servers(const QString &backend, const ServerOptions &options)
{
    std::vector<std::unique_ptr<ServerStorage>> stores;
    for (int i = 0; i < (backend == "sqlite" ? 1 : 4); ++i)
        stores.push_back(std::make_unique<ServerStorage>(options));
    return stores;
}

// Runs SQL on the database behind the server's back.
bool rawExec(const ServerOptions &options, const char *sql)
{
    if (options.database.empty()) {
        sqlite3 *db = nullptr;
        const bool ok = sqlite3_open(ServerStorage::databaseFile(options.dataDir).c_str(), &db) == SQLITE_OK
                        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return ok;
    }
    PGconn *conn = PQconnectdb(options.database.c_str());
    PGresult *result = PQexec(conn, sql);
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    PQfinish(conn);
    return ok;
}
} // namespace

class TestServerStorage : public QObject
{
    Q_OBJECT

private:
    ServerOptions freshOptions(const QString &backend)
    {
        ServerOptions options;
        options.fastPasswordHash = true;
        options.sessionLifetimeSeconds = 100;
        options.databaseConnections = 8;
        const int n = ++m_databases;
        options.dataDir = m_dir.filePath(QStringLiteral("data%1").arg(n)).toStdString();
        if (backend == "postgresql")
            options.database = m_postgres.createDatabase("store" + std::to_string(n));
        return options;
    }

    static void addBackends()
    {
        QTest::addColumn<QString>("backend");
        for (const QString &backend : Backends)
            QTest::newRow(qPrintable(backend)) << backend;
    }

    QTemporaryDir m_dir;
    PostgresTestServer m_postgres;
    bool m_postgresRunning = false;
    int m_databases = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_postgresRunning = m_postgres.start();
        // Installed but not starting is a failure; only a machine without it skips.
        if (!PostgresTestServer::binDir().isEmpty())
            QVERIFY2(m_postgresRunning, qPrintable(m_postgres.error()));
    }

    void accountsCompareNamesWithoutCase_data() { addBackends(); }
    void accountsCompareNamesWithoutCase()
    {
        FRESH_DATABASE(options);
        ServerStorage storage(options);
        AccountStore &accounts = storage.accounts();
        QVERIFY(accounts.create("Student01", "Me@Example.com", "hash") == AccountStore::CreateResult::Created);
        QVERIFY(accounts.create("STUDENT01", "other@example.com", "hash") == AccountStore::CreateResult::NameTaken);
        QVERIFY(accounts.create("student02", "me@EXAMPLE.com", "hash") == AccountStore::CreateResult::EmailTaken);
        QVERIFY(accounts.create("student03", "", "hash") == AccountStore::CreateResult::Created);
        QVERIFY(accounts.create("student04", "", "hash") == AccountStore::CreateResult::Created); // no address is no clash
        QVERIFY(accounts.create("学生李雷", "", "hash") == AccountStore::CreateResult::Created);
        QCOMPARE(accounts.findByName("学生李雷")->name, std::string("学生李雷"));
        QCOMPARE(accounts.findByName("student01")->name, std::string("Student01"));
        QVERIFY(accounts.emailExists("me@example.COM"));
        QVERIFY(!accounts.nameExists("student05"));

        AccountStore::User user;
        QVERIFY(accounts.login("student01", "hash", &user) == AccountStore::LoginResult::Success);
        QCOMPARE(user.email, std::string("Me@Example.com"));
        QVERIFY(accounts.login("student01", "wrong", nullptr) == AccountStore::LoginResult::WrongPassword);
        QVERIFY(accounts.login("nobody99", "hash", nullptr) == AccountStore::LoginResult::UnknownUser);
    }

    void sessionsExpireAndEndWithAPasswordChange_data() { addBackends(); }
    void sessionsExpireAndEndWithAPasswordChange()
    {
        FRESH_DATABASE(options);
        std::int64_t now = 1000;
        ServerStorage storage(options, [&now] { return now; });
        const std::int64_t id = newUser(storage, "sessions1");
        QVERIFY(id > 0);
        const std::string kept = storage.sessions().open(id);
        const std::string idle = storage.sessions().open(id);
        now += 90;
        QCOMPARE(storage.sessions().find(kept)->userName, std::string("sessions1")); // renewed to 1190
        now += 20;
        QVERIFY(storage.sessions().find(kept));
        QVERIFY(!storage.sessions().find(idle)); // not used for 110 s
        QVERIFY(!storage.sessions().activate(idle));
        QVERIFY(storage.accounts().setPassword("SESSIONS1", "new hash"));
        QVERIFY(!storage.sessions().find(kept));
        QVERIFY(storage.accounts().login("sessions1", "new hash", nullptr) == AccountStore::LoginResult::Success);
        QVERIFY(!storage.accounts().setPassword("missing1", "x"));
    }

    void wordListsKeepOrderWithoutDuplicates_data() { addBackends(); }
    void wordListsKeepOrderWithoutDuplicates()
    {
        FRESH_DATABASE(options);
        ServerStorage storage(options);
        const std::int64_t id = newUser(storage, "wordsuser");
        QVERIFY(id > 0);
        WordListStore &words = storage.words();
        QVERIFY(words.add(id, {"zebra", "café", "学习", "zebra"}) == WordListStore::AddResult::Added);
        QVERIFY(words.add(id, {"apple", "café"}) == WordListStore::AddResult::Added);
        QCOMPARE(words.words(id), (std::vector<std::string>{"zebra", "café", "学习", "apple"}));
        QCOMPARE(words.remove(id, {"学习", "absent"}), std::size_t(1));
        QCOMPARE(words.count(id), std::size_t(3));

        // All or nothing at the limit.
        std::vector<std::string> many;
        for (std::size_t i = 0; i + 4 < WordListStore::MaxWordsPerUser; ++i)
            many.push_back("w" + std::to_string(i));
        QVERIFY(words.add(id, many) == WordListStore::AddResult::Added);
        QVERIFY(words.add(id, {"one", "two"}) == WordListStore::AddResult::TooMany);
        QCOMPARE(words.count(id), WordListStore::MaxWordsPerUser - 1);
        QVERIFY(words.add(id, {"one"}) == WordListStore::AddResult::Added);
    }

    void usageLogsAndFeedbackAddUp_data() { addBackends(); }
    void usageLogsAndFeedbackAddUp()
    {
        FRESH_DATABASE(options);
        ServerStorage storage(options);
        const std::int64_t id = newUser(storage, "usageuser");
        QVERIFY(id > 0);
        auto &usage = storage.usage();
        usage.addCounts(id, "event", "1.0", {{"b_event", 2}, {"B_event", 1}});
        usage.addCounts(id, "event", "1.1", {{"b_event", 3}});
        usage.addCounts(id, "check", "1.1", {{"b_event", 100}});
        const auto counts = usage.counts(id, "event");
        QCOMPARE(counts.size(), std::size_t(2));
        QCOMPARE(counts[0].name, std::string("B_event")); // byte order on both backends
        QCOMPARE(counts[1].count, std::int64_t(5));
        usage.addCorrections(id, {{"teh", "the", 1}, {"teh", "the", 2}, {"recieve", "receive", 1}});
        const auto corrections = usage.corrections(id);
        QCOMPARE(corrections.size(), std::size_t(2));
        QCOMPARE(corrections[1].count, std::int64_t(3));
        usage.addChoices(id, {{"我 like it.", 2, 4, "love"}});
        QCOMPARE(usage.choices(id).at(0).sentence, std::string("我 like it."));

        for (std::size_t i = 0; i < PennovaServer::FeedbackStore::MaxPerUser + 3; ++i)
            storage.feedback().add(id, {"text " + std::to_string(i), "qq", std::int64_t(i)});
        const auto entries = storage.feedback().entries(id);
        QCOMPARE(entries.size(), PennovaServer::FeedbackStore::MaxPerUser);
        QCOMPARE(entries.front().text, "text " + std::to_string(PennovaServer::FeedbackStore::MaxPerUser + 2));
    }

    void textWithNulIsRefusedNotCut_data() { addBackends(); }
    void textWithNulIsRefusedNotCut()
    {
        FRESH_DATABASE(options);
        ServerStorage storage(options);
        const std::string name("nul\0user1", 9);
        bool stored = false;
        try {
            stored = storage.accounts().create(name, "", "hash") == AccountStore::CreateResult::Created;
        } catch (const std::runtime_error &) {
        }
        // Either kept whole or refused; never stored as the cut-off "nul".
        QVERIFY(!storage.accounts().nameExists("nul"));
        if (stored)
            QCOMPARE(storage.accounts().findByName(name)->name, name);
    }

    void wordBudgetIsATokenBucket_data()
    {
        QTest::addColumn<QString>("backend");
        // (second, words, admitted) of each request, at 100 words a minute.
        QTest::addColumn<QList<int>>("requests");
        const QList<std::pair<const char *, QList<int>>> rows = {
            {"a full minute at the end of one client window and at the start of the next", {59, 100, 1, 60, 100, 1}},
            {"the client's fastest pattern over several windows", {59, 100, 1, 60, 100, 1, 120, 100, 1, 180, 100, 1, 240, 100, 1}},
            {"three full minutes at once", {0, 100, 1, 1, 100, 1, 2, 100, 0}},
            {"refills at the limit per minute", {0, 200, 1, 30, 51, 0, 30, 50, 1, 30, 1, 0}},
            {"holds two minutes at most after a long pause", {0, 1, 1, 100000, 201, 0, 100000, 200, 1}},
            {"a clock that went back refills nothing", {1000, 200, 1, 10, 1, 0, 1000, 1, 0, 1001, 1, 1}},
            {"negative or oversized requests take nothing", {0, -5, 0, 0, 201, 0, 0, 200, 1}},
        };
        for (const QString &backend : Backends) {
            for (const auto &row : rows)
                QTest::addRow("%s: %s", qPrintable(backend), row.first) << backend << row.second;
        }
    }

    void wordBudgetIsATokenBucket()
    {
        QFETCH(QList<int>, requests);
        FRESH_DATABASE(options);
        ServerStorage storage(options);
        PennovaServer::WordBudget budget(storage.database(), 100);
        for (int i = 0; i + 2 < requests.size(); i += 3) {
            const bool admitted = budget.take("7", requests[i + 1], 1'800'000'000 + requests[i]);
            QVERIFY2(admitted == bool(requests[i + 2]), qPrintable(QStringLiteral("request %1").arg(i / 3 + 1)));
        }
        QVERIFY(budget.take("8", 200, 1'800'000'000)); // another account has its own bucket
    }

    void wordBudgetIsNeverOverspentConcurrently_data() { addBackends(); }
    void wordBudgetIsNeverOverspentConcurrently()
    {
        FRESH_DATABASE(options);
        const auto stores = servers(backend, options);
        std::vector<std::unique_ptr<PennovaServer::WordBudget>> budgets;
        for (auto &store : stores)
            budgets.push_back(std::make_unique<PennovaServer::WordBudget>(store->database(), 100));
        std::atomic<int> admitted{0};
        std::atomic<int> failures{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < 25; ++i) {
                    try {
                        if (budgets[std::size_t(t) % budgets.size()]->take("42", 7, 1'800'000'000))
                            ++admitted;
                    } catch (const std::exception &) {
                        ++failures;
                    }
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(admitted.load(), 200 / 7); // the whole bucket, not a word more
    }

    void concurrentUploadsAddUpExactly_data() { addBackends(); }
    void concurrentUploadsAddUpExactly()
    {
        FRESH_DATABASE(options);
        const auto stores = servers(backend, options);
        using Count = PennovaServer::UsageLogStore::Count;
        std::vector<Count> forward;
        for (char name = 'a'; name <= 'l'; ++name)
            forward.push_back({std::string("Login_") + name, 1});
        const std::vector<Count> backward(forward.rbegin(), forward.rend());
        std::atomic<int> failures{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < 20; ++i) {
                    try {
                        // The anonymous rows are shared by every client, uploaded in any order.
                        stores[std::size_t(t) % stores.size()]->usage().addCounts(0, "event", "1.0",
                                                                                  (t + i) % 2 ? forward : backward);
                    } catch (const std::exception &) {
                        ++failures;
                    }
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        QCOMPARE(failures.load(), 0);
        const auto counts = stores[0]->usage().counts(0, "event");
        QCOMPARE(counts.size(), forward.size());
        for (const Count &c : counts)
            QCOMPARE(c.count, std::int64_t(8 * 20));
    }

    void loginThrottleIsSharedBetweenServers_data() { addBackends(); }
    void loginThrottleIsSharedBetweenServers()
    {
        FRESH_DATABASE(options);
        ServerStorage first(options);
        ServerStorage second(options);
        PennovaServer::LoginThrottle one(first.database(), 3, 300);
        PennovaServer::LoginThrottle other(second.database(), 3, 300);
        for (int i = 0; i < 3; ++i)
            one.failed("Victim01", "10.0.0.1", 1000);
        QVERIFY(!other.allowed("victim01", "10.0.0.1", 1000));
        QCOMPARE(other.wait("victim01", "10.0.0.1", 1000), std::int64_t(1));
        QVERIFY(other.allowed("victim01", "10.0.0.2", 1000));
        other.failed("victim01", "10.0.0.1", 1000);
        QCOMPARE(one.wait("VICTIM01", "10.0.0.1", 1000), std::int64_t(2));
        QVERIFY(one.allowed("victim01", "10.0.0.1", 1300)); // the window passed
        other.succeeded("victim01", "10.0.0.1");
        QVERIFY(one.allowed("victim01", "10.0.0.1", 1000));
    }

    void registrationLimitIsSharedBetweenServers_data() { addBackends(); }
    void registrationLimitIsSharedBetweenServers()
    {
        FRESH_DATABASE(options);
        ServerStorage first(options);
        ServerStorage second(options);
        PennovaServer::RateLimiter one(first.database(), "registrations", 3, 3600, 2);
        PennovaServer::RateLimiter other(second.database(), "registrations", 3, 3600, 2);
        PennovaServer::RateLimiter elsewhere(second.database(), "elsewhere", 1, 3600);
        QVERIFY(one.take("10.0.0.1", 1000));
        QVERIFY(other.take("10.0.0.1", 1001));
        QVERIFY(one.take("10.0.0.1", 1002));
        QVERIFY(!other.take("10.0.0.1", 1003)); // three within the hour, on either server
        QVERIFY(elsewhere.take("10.0.0.1", 1003)); // another limit counts apart
        QVERIFY(one.take("10.0.0.2", 1003));
        QVERIFY(!other.take("10.0.0.3", 1003)); // the table is full of live windows
        QVERIFY(other.take("10.0.0.3", 4600));  // those have expired
        QVERIFY(one.take("10.0.0.1", 4603)); // a new window, once 10.0.0.2 has expired too
    }

    void newerSchemaIsRefused_data() { addBackends(); }
    void newerSchemaIsRefused()
    {
        FRESH_DATABASE(options);
        {
            ServerStorage storage(options);
            QVERIFY(storage.accounts().create("keepme01", "", "hash") == AccountStore::CreateResult::Created);
        }
        const std::string newer = std::to_string(PennovaServer::SchemaMigrations::knownVersion() + 1);
        QVERIFY(rawExec(options, ("UPDATE schema_version SET version = " + newer).c_str()));
        QString message;
        try {
            ServerStorage again(options);
        } catch (const std::runtime_error &e) {
            message = QString::fromUtf8(e.what());
        }
        QVERIFY2(message.contains("newer than this server knows"), qPrintable(message));

        // The program says so and does not start.
        QStringList arguments{"--listen", "127.0.0.1:0", "--data", QString::fromStdString(options.dataDir)};
        if (!options.database.empty())
            arguments << "--database" << QString::fromStdString(options.database);
        QProcess server;
        server.start(program(), arguments);
        QVERIFY(server.waitForFinished(60000));
        QCOMPARE(server.exitCode(), 1);
        QVERIFY2(server.readAllStandardError().contains("newer than this server knows"), "no clear message");

        // Nothing was lost: this version reads the data again once the version is back.
        const std::string known = std::to_string(PennovaServer::SchemaMigrations::knownVersion());
        QVERIFY(rawExec(options, ("UPDATE schema_version SET version = " + known).c_str()));
        ServerStorage again(options);
        QVERIFY(again.accounts().nameExists("keepme01"));
    }

    void postgresqlRestartLosesNothing()
    {
        if (!m_postgresRunning)
            QSKIP(qPrintable("PostgreSQL tests skipped: " + m_postgres.error()));
        const ServerOptions options = freshOptions(QStringLiteral("postgresql"));
        ServerStorage storage(options);
        QVERIFY(storage.accounts().create("survivor", "", "hash") == AccountStore::CreateResult::Created);
        // The pool's connections outlive a restart: the first request after it is answered.
        m_postgres.stop();
        QVERIFY2(m_postgres.start(), qPrintable(m_postgres.error()));
        QVERIFY(storage.accounts().nameExists("survivor"));

        m_postgres.stop();
        bool refused = false;
        try {
            storage.accounts().nameExists("survivor");
        } catch (const std::runtime_error &e) {
            refused = QByteArray(e.what()).contains("PostgreSQL");
        }
        QVERIFY2(refused, "no clear error while the database is down");
        QVERIFY2(m_postgres.start(), qPrintable(m_postgres.error()));
        QVERIFY(storage.accounts().nameExists("survivor"));
    }

    void singleServerFileIsMigrated()
    {
        // A database file as the single-process server left it (version 1).
        const QString dataDir = m_dir.filePath(QStringLiteral("legacy"));
        QVERIFY(QDir().mkpath(dataDir));
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(ServerStorage::databaseFile(dataDir.toStdString()).c_str(), &db), SQLITE_OK);
        const char *legacy =
            "CREATE TABLE users(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE NOCASE,"
            " email TEXT NOT NULL DEFAULT '' COLLATE NOCASE, password TEXT NOT NULL, provider TEXT NOT NULL DEFAULT '',"
            " created INTEGER NOT NULL);"
            "CREATE TABLE user_words(id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL, word TEXT NOT NULL,"
            " added INTEGER NOT NULL, UNIQUE(user_id, word));"
            "CREATE TABLE feedback(id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL, text TEXT NOT NULL,"
            " contact TEXT NOT NULL, time INTEGER NOT NULL);"
            "INSERT INTO users(id, name, email, password, created) VALUES(5, 'OldTimer', 'Old@Example.com', 'x', 1);"
            "INSERT INTO user_words(user_id, word, added) VALUES(5, 'colour', 1);"
            "INSERT INTO feedback(user_id, text, contact, time) VALUES(5, 'kept', '', 1);"
            "PRAGMA user_version=1;";
        QCOMPARE(sqlite3_exec(db, legacy, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);

        ServerOptions options;
        options.dataDir = dataDir.toStdString();
        ServerStorage storage(options);
        QCOMPARE(storage.accounts().findByName("oldtimer")->id, std::int64_t(5));
        QVERIFY(storage.accounts().emailExists("old@example.com"));
        QVERIFY(storage.accounts().create("OLDTIMER", "", "hash") == AccountStore::CreateResult::NameTaken);
        QCOMPARE(storage.words().words(5), std::vector<std::string>{"colour"});
        QCOMPARE(storage.feedback().entries(5).at(0).text, std::string("kept"));
        const int version = storage.database().locked([](PennovaServer::SqlConnection &c) {
            PennovaServer::SqlStatement q(c, "SELECT version FROM schema_version");
            return q.step() ? int(q.integer(0)) : -1;
        });
        QCOMPARE(version, PennovaServer::SchemaMigrations::knownVersion());
    }
};

QTEST_GUILESS_MAIN(TestServerStorage)
#include "tst_serverstorage.moc"
