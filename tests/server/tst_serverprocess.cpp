// The pennova-server program: its one "listening on" line, the account command line,
// and a clean stop on SIGTERM and SIGINT, with its checker and dictionary loaded or not,
// that keeps committed data.

#include "passwordhasher.h"
#include "pennovapaths.h"
#include "support/serverprocess.h"

#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include <httplib.h>

#include <csignal>

namespace {
QString program()
{
    return ServerProcess::program();
}
} // namespace

class TestServerProcess : public QObject
{
    Q_OBJECT

private:
    // Starts the server on a free port; the port, or 0.
    int start(QProcess &process, const QString &dataDir, const QString &loadData = QStringLiteral("first-use"))
    {
        process.start(program(), {"--listen", "127.0.0.1:0", "--data", dataDir, "--load-data", loadData});
        if (!process.waitForStarted(10000))
            return 0;
        if (!QTest::qWaitFor([&process] { return process.canReadLine() || process.state() != QProcess::Running; }, 60000))
            return 0;
        const QString line = QString::fromUtf8(process.readLine()).trimmed();
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)$")).match(line);
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    }

    static int runCommand(const QStringList &arguments)
    {
        QProcess process;
        process.start(program(), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(program()), qPrintable(program()));
    }

    void stopsCleanlyAndKeepsData_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("loadData"); // "start": stopped with its data loaded
        QTest::newRow("SIGTERM, data loaded") << int(SIGTERM) << "start";
        QTest::newRow("SIGINT, nothing loaded") << int(SIGINT) << "first-use";
    }

    void stopsCleanlyAndKeepsData()
    {
        QFETCH(int, signal);
        QFETCH(QString, loadData);
        QTemporaryDir dir;
        const QString data = dir.path() + "/data";
        QCOMPARE(runCommand({"--data", data, "user", "add", "pupil123", "p@example.com", "pupil123456"}), 0);
        QCOMPARE(runCommand({"--data", data, "user", "add", "pupil123", "q@example.com", "pupil123456"}), 1);

        QProcess process;
        int port = start(process, data, loadData);
        QVERIFY(port > 0);
        const std::string hash = PennovaServer::PasswordHasher::protocolHash("pupil123456");
        std::string key;
        {
            httplib::Client client("127.0.0.1", port);
            auto res = client.Post("/Login-new.ashx", "userName=pupil123&hashUserPassword=" + hash,
                                   "application/x-www-form-urlencoded");
            QVERIFY(res);
            QVERIFY(res->body.rfind("Success|", 0) == 0);
            key = res->body.substr(8, 32);
            res = client.Post("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + key + "&words=Zeltra;",
                              "application/x-www-form-urlencoded");
            QVERIFY(res);
            QCOMPARE(res->body, std::string("ok"));
            if (loadData == QLatin1String("start")) { // waits for the dictionary loading beside
                client.set_read_timeout(60, 0);
                res = client.Get("/tessel/find?content=receive");
                QVERIFY(res);
                QCOMPARE(res->status, 200);
                QVERIFY(res->body.find("receive") != std::string::npos);
            }
        }
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        // Exactly one line on standard output.
        QCOMPARE(process.readAllStandardOutput(), QByteArray());

        QProcess again;
        port = start(again, data);
        QVERIFY(port > 0);
        httplib::Client client("127.0.0.1", port);
        const auto res = client.Post("/NotPublic/UserWordList.ashx", "sessionKey=" + key, "application/x-www-form-urlencoded");
        QVERIFY(res);
        QCOMPARE(res->body, std::string("Zeltra"));
        again.terminate();
        QVERIFY(again.waitForFinished(60000));
        QCOMPARE(again.exitCode(), 0);
    }

    void refusesABadCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown option") << QStringList{"--bogus", "1"} << 2;
        QTest::newRow("bad listen address") << QStringList{"--listen", "nowhere"} << 2;
        QTest::newRow("help") << QStringList{"--help"} << 0;
    }

    void refusesABadCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QCOMPARE(runCommand(arguments), exitCode);
    }
};

QTEST_GUILESS_MAIN(TestServerProcess)
#include "tst_serverprocess.moc"
