#include "sharedflagsegment.h"
#include "support/builtfile.h"
#include "support/holderprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

namespace {

const QString InstanceKey = QStringLiteral("Tessel_Qt_Pennova_5CBF6A05");
const QString CommandKey = QStringLiteral("Tessel_Qt_Command_1746DC25");

// True when process `pid` has `path` open (a lock file left by a dead process exists
// on disk too, so existence alone says nothing).
bool holdsFile(qint64 pid, const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System)) {
        if (!canonical.isEmpty() && fd.symLinkTarget() == canonical)
            return true;
    }
    return false;
}

// Private settings and lock directories for the clients a test starts (this process uses
// the same lock directory while the sandbox lives), and the environment they run in:
// offscreen, no service answering.
struct ClientSandbox
{
    QTemporaryDir config;
    QTemporaryDir runtime;
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");

    ClientSandbox() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())); }
    ~ClientSandbox() { qputenv("XDG_RUNTIME_DIR", savedRuntime); }
    bool isValid() const { return config.isValid() && runtime.isValid(); }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("PENNOVA_HOST"), QStringLiteral("127.0.0.1:1"));
        return environment;
    }
};

} // namespace

// Starts the client itself. A client that passed the single-instance check opens the
// command channel (its lock file) and waits in the login dialog; a quit byte written
// there, as the updater does, must end it with code 0.
class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUp_data();
    void startUp();
    void secondStartLeavesTheFirstRunning();
    void terminatedClientLeavesNoSegments_data();
    void terminatedClientLeavesNoSegments();
};

void TestStartup::startUp_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QByteArray>("preferenceFile"); // empty: none
    QTest::addColumn<bool>("passesInstanceCheck");

    const QByteArray proxyFile = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<config>\n"
                                 " <proxy_type default=\"0\">2</proxy_type>\n"
                                 " <proxy_host default=\"\">127.0.0.1</proxy_host>\n"
                                 " <proxy_port default=\"\">99999</proxy_port>\n"
                                 " <update_type default=\"1\">zz</update_type>\n"
                                 "</config>\n";
    QTest::newRow("first start") << "alone" << QByteArray() << true;
    QTest::newRow("garbage preference file") << "alone" << QByteArray("\x01\x02<conf", 7) << true;
    QTest::newRow("odd proxy and update values") << "alone" << proxyFile << true;
    QTest::newRow("second start while one runs") << "running" << QByteArray() << false;
    QTest::newRow("marker of a killed client") << "killed" << QByteArray() << true;
    QTest::newRow("quit byte of a killed updater") << "deadUpdater" << QByteArray() << true;
}

void TestStartup::startUp()
{
    QFETCH(QString, situation);
    QFETCH(QByteArray, preferenceFile);
    QFETCH(bool, passesInstanceCheck);

    QTemporaryDir config;
    QTemporaryDir runtime;
    QVERIFY(config.isValid() && runtime.isValid());
    const QString settingsDir = config.path() + QStringLiteral("/Tessel/");
    if (!preferenceFile.isEmpty()) {
        QVERIFY(QDir().mkpath(settingsDir));
        QFile file(settingsDir + QStringLiteral("preference.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(preferenceFile);
    }
    // The client, the helpers and this test share private settings and lock directories.
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // No service answers here: the login dialog's picture download fails at once.
    environment.insert(QStringLiteral("PENNOVA_HOST"), QStringLiteral("127.0.0.1:1"));
    auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", savedRuntime); });

    HolderProcess holder;
    holder.setProcessEnvironment(environment);
    if (situation == "running") {
        QCOMPARE(startHolder(holder, {"instance", InstanceKey}), QByteArray("created\nready\n"));
    } else if (situation == "killed") {
        QCOMPARE(startHolder(holder, {"hold", InstanceKey}), QByteArray("created\nready\n"));
        QVERIFY(killHolder(holder));
    } else if (situation == "deadUpdater") {
        QCOMPARE(startHolder(holder, {"hold", CommandKey, "1"}), QByteArray("created\nready\n"));
        QVERIFY(killHolder(holder));
    }

    // The running copy's command channel: a second start asks it to show its window.
    std::unique_ptr<SharedFlagSegment> runningChannel;
    if (situation == "running")
        runningChannel = std::make_unique<SharedFlagSegment>(CommandKey);

    QProcess client;
    client.setProcessEnvironment(environment);
    client.start(builtFile(QStringLiteral("Pennova")), QStringList());
    const QString commandLock = SharedFlagSegment::lockDirectory() + u'/' + CommandKey + ".users";
    if (passesInstanceCheck) {
        QVERIFY(client.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(holdsFile(client.processId(), commandLock), 30000);
        QCOMPARE(client.state(), QProcess::Running); // waiting in the login dialog
        SharedFlagSegment updater(CommandKey);
        QVERIFY(!updater.isCreated());
        updater.writeCommand(1);
        QVERIFY(client.waitForFinished(30000));
        updater.writeCommand(0);
    } else {
        QVERIFY(client.waitForFinished(30000));
    }
    QCOMPARE(client.exitStatus(), QProcess::NormalExit);
    QCOMPARE(client.exitCode(), 0);
    if (runningChannel) {
        QCOMPARE(runningChannel->readCommand(), char(2));
        runningChannel.reset();
    }

    QCOMPARE(QFile::exists(commandLock), passesInstanceCheck || situation == "running");

    // Start-up reads the settings but never writes them.
    if (preferenceFile.isEmpty()) {
        QVERIFY(!QFile::exists(settingsDir + QStringLiteral("preference.ini")));
    } else {
        QFile file(settingsDir + QStringLiteral("preference.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), preferenceFile);
    }
    QVERIFY(!QFile::exists(settingsDir + QStringLiteral("setting.ini")));

    if (situation == "running") {
        // The first copy was left alone: still running, still holding the marker.
        QCOMPARE(holder.state(), QProcess::Running);
        {
            SharedFlagSegment probe(InstanceKey);
            QVERIFY(!probe.isCreated());
        }
        QVERIFY(endHolder(holder));
    }
    // Nothing is left behind: the next start creates both segments afresh.
    SharedFlagSegment instance(InstanceKey);
    QVERIFY(instance.isCreated());
    SharedFlagSegment channel(CommandKey);
    QVERIFY(channel.isCreated());
    QCOMPARE(channel.readCommand(), char(0));
}

// Two real clients: the second one asks the first for its window and ends with 0; the
// first takes the request (the byte goes back to 0) and runs on until the updater's quit.
void TestStartup::secondStartLeavesTheFirstRunning()
{
    ClientSandbox sandbox;
    QVERIFY(sandbox.isValid());
    const QProcessEnvironment environment = sandbox.environment();

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(builtFile(QStringLiteral("Pennova")), QStringList());
    QVERIFY(first.waitForStarted());
    auto stopFirst = qScopeGuard([&first] {
        first.kill();
        first.waitForFinished();
    });
    const QString commandLock = SharedFlagSegment::lockDirectory() + u'/' + CommandKey + ".users";
    QTRY_VERIFY_WITH_TIMEOUT(holdsFile(first.processId(), commandLock), 30000);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(builtFile(QStringLiteral("Pennova")), QStringList());
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    SharedFlagSegment channel(CommandKey);
    QVERIFY(!channel.isCreated());
    QTRY_COMPARE_WITH_TIMEOUT(channel.readCommand(), char(0), 10000);
    QCOMPARE(first.state(), QProcess::Running);
    channel.writeCommand(1);
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
    stopFirst.dismiss();
}

void TestStartup::terminatedClientLeavesNoSegments_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

// A client ended by a signal (a logout of the desktop, kill) removes its segments as an
// orderly exit does, instead of leaving them until the next start.
void TestStartup::terminatedClientLeavesNoSegments()
{
    QFETCH(int, signalNumber);
    ClientSandbox sandbox;
    QVERIFY(sandbox.isValid());
    const QProcessEnvironment environment = sandbox.environment();

    QProcess client;
    client.setProcessEnvironment(environment);
    client.start(builtFile(QStringLiteral("Pennova")), QStringList());
    QVERIFY(client.waitForStarted());
    const QString commandLock = SharedFlagSegment::lockDirectory() + u'/' + CommandKey + ".users";
    QTRY_VERIFY_WITH_TIMEOUT(holdsFile(client.processId(), commandLock), 30000);
    QVERIFY(SharedFlagSegment::exists(InstanceKey)); // the probe sees a live segment

    QCOMPARE(::kill(pid_t(client.processId()), signalNumber), 0);
    QVERIFY(client.waitForFinished(30000));
    QCOMPARE(client.exitStatus(), QProcess::NormalExit);
    QCOMPARE(client.exitCode(), 0);
    for (const QString &key : {InstanceKey, CommandKey})
        QVERIFY2(!SharedFlagSegment::exists(key), qPrintable(key));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
