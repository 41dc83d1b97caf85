#include "commandthread.h"
#include "support/holderprocess.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

namespace {

constexpr int PollMs = 10;

// Runs the application's event loop the way the client does; a guard ends it with 42
// when nothing else does.
int runEventLoop(int guardMs = 10000)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(42); });
    guard.start(guardMs);
    return QCoreApplication::exec();
}

} // namespace

class TestCommandThread : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void quitCommandEndsTheProgram_data();
    void quitCommandEndsTheProgram();
    void otherCommandsKeepItRunning_data();
    void otherCommandsKeepItRunning();
    void joinersDoNotDisturbThePolling_data();
    void joinersDoNotDisturbThePolling();
    void quitEndsAModalDialog_data();
    void quitEndsAModalDialog();
    void exitWaitsForABlockingLogout();
    void showCommandAsksForTheWindow_data();
    void showCommandAsksForTheWindow();
    void teardownIsNoQuit_data();
    void teardownIsNoQuit();

private:
    QTemporaryDir m_runtime;
};

void TestCommandThread::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestCommandThread::quitCommandEndsTheProgram_data()
{
    QTest::addColumn<QString>("writer");
    QTest::newRow("updater in this process writes 1 after start") << "local";
    QTest::newRow("updater process attaches and writes 1 after start") << "process";
    QTest::newRow("updater process wrote 1 before the client started") << "before";
}

void TestCommandThread::quitCommandEndsTheProgram()
{
    QFETCH(QString, writer);
    const QString key = uniqueKey("quit");

    HolderProcess updater;
    if (writer == "before")
        QCOMPARE(startHolder(updater, {"hold", key, "1"}), QByteArray("created\nready\n"));

    CommandThread thread(key, PollMs);
    QCOMPARE(thread.segment().isCreated(), writer != "before");
    int hookCalls = 0;
    thread.setExitHook([&hookCalls] { ++hookCalls; });
    thread.start(QThread::LowestPriority);

    std::unique_ptr<SharedFlagSegment> localWriter;
    if (writer == "local") {
        localWriter = std::make_unique<SharedFlagSegment>(key);
        localWriter->writeCommand(1);
    } else if (writer == "process") {
        QCOMPARE(startHolder(updater, {"hold", key, "1"}), QByteArray("attached\nready\n"));
    }

    QCOMPARE(runEventLoop(), 0);
    QCOMPARE(hookCalls, 1);
    // The quit can be handled while the polling thread is still emitting finished().
    QVERIFY(thread.wait(10000));
    if (updater.state() == QProcess::Running)
        QVERIFY(endHolder(updater));
}

void TestCommandThread::otherCommandsKeepItRunning_data()
{
    QTest::addColumn<int>("command");   // written while the thread runs; -1 none
    QTest::addColumn<bool>("staleQuit"); // a killed updater left 1 behind before start
    QTest::newRow("no command") << -1 << false;
    QTest::newRow("command 0") << 0 << false;
    QTest::newRow("unknown command 7") << 7 << false;
    QTest::newRow("stale quit byte of a killed updater") << -1 << true;
}

void TestCommandThread::otherCommandsKeepItRunning()
{
    QFETCH(int, command);
    QFETCH(bool, staleQuit);
    const QString key = uniqueKey("other");

    if (staleQuit) {
        HolderProcess updater;
        QCOMPARE(startHolder(updater, {"hold", key, "1"}), QByteArray("created\nready\n"));
        QVERIFY(killHolder(updater));
    }

    CommandThread thread(key, PollMs);
    int hookCalls = 0;
    thread.setExitHook([&hookCalls] { ++hookCalls; });
    QSignalSpy finished(&thread, &QThread::finished);
    // The spy goes first: the thread must not emit into it then, on any way out.
    const auto stopThread = qScopeGuard([&thread] {
        thread.requestInterruption();
        thread.wait();
    });
    thread.start(QThread::LowestPriority);
    SharedFlagSegment channel(key);
    if (command >= 0)
        channel.writeCommand(char(command));

    // Many polls pass without an end.
    QVERIFY(!finished.wait(30 * PollMs));
    QVERIFY(thread.isRunning());
    QCOMPARE(hookCalls, 0);

    // Still listening: a real quit ends it.
    channel.writeCommand(1);
    QCOMPARE(runEventLoop(), 0);
    QCOMPARE(hookCalls, 1);
}

void TestCommandThread::joinersDoNotDisturbThePolling_data()
{
    QTest::addColumn<int>("threads"); // joining threads of this process; 0 for processes
    QTest::addColumn<int>("joiners"); // per thread
    QTest::newRow("probes one after another") << 1 << 300;
    QTest::newRow("probes from several threads at once") << 8 << 250;
    QTest::newRow("updater processes") << 0 << 12;
}

void TestCommandThread::joinersDoNotDisturbThePolling()
{
    // Others join and leave the channel while the thread polls it as fast as it can; each
    // must reach the one segment, and the quit written at the end must still arrive.
    QFETCH(int, threads);
    QFETCH(int, joiners);
    const QString key = uniqueKey("join");
    CommandThread thread(key, 1);
    QVERIFY(thread.segment().isCreated());
    int hookCalls = 0;
    thread.setExitHook([&hookCalls] { ++hookCalls; });
    thread.start(QThread::LowestPriority);

    if (threads == 0) {
        for (int i = 0; i < joiners; ++i) {
            HolderProcess updater;
            QCOMPARE(startHolder(updater, {"hold", key}), QByteArray("attached\nready\n"));
            QVERIFY(endHolder(updater));
        }
    } else {
        std::atomic_int failures{0};
        std::vector<std::unique_ptr<QThread>> probes;
        for (int t = 0; t < threads; ++t) {
            probes.emplace_back(QThread::create([&] {
                for (int i = 0; i < joiners; ++i) {
                    SharedFlagSegment probe(key);
                    if (!probe.isAttached() || probe.isCreated())
                        ++failures;
                }
            }));
            probes.back()->start();
        }
        for (auto &probe : probes)
            QVERIFY(probe->wait(60000));
        QCOMPARE(failures.load(), 0);
    }
    QVERIFY(thread.isRunning());
    QCOMPARE(hookCalls, 0);

    SharedFlagSegment updater(key);
    QVERIFY(updater.isAttached());
    updater.writeCommand(1);
    QCOMPARE(runEventLoop(), 0);
    QCOMPARE(hookCalls, 1);
}

void TestCommandThread::quitEndsAModalDialog_data()
{
    QTest::addColumn<bool>("programLoopRuns");
    QTest::newRow("dialog over the running program") << true;
    QTest::newRow("start-up dialog before the program's loop") << false;
}

void TestCommandThread::quitEndsAModalDialog()
{
    // The command arrives while a modal dialog (a nested event loop) is open.
    QFETCH(bool, programLoopRuns);
    const QString key = uniqueKey("modal");
    CommandThread thread(key, PollMs);
    int hookCalls = 0;
    thread.setExitHook([&hookCalls] { ++hookCalls; });
    thread.start(QThread::LowestPriority);

    int dialogResult = -1;
    auto runDialog = [&] {
        SharedFlagSegment(key).writeCommand(1);
        QEventLoop dialog;
        dialogResult = dialog.exec();
    };
    if (programLoopRuns) {
        QTimer::singleShot(0, qApp, runDialog);
        QCOMPARE(runEventLoop(), 0);
    } else {
        // The program's loop, when it starts later, knows nothing of this exit; the
        // program must learn it from the thread.
        QVERIFY(!thread.hasExited());
        runDialog();
    }
    QCOMPARE(dialogResult, 0);
    QCOMPARE(hookCalls, 1);
    QVERIFY(thread.hasExited());
}

void TestCommandThread::exitWaitsForABlockingLogout()
{
    const QString key = uniqueKey("logout");
    CommandThread thread(key, PollMs);
    bool logoutDone = false;
    int nestedResult = -1;
    thread.setExitHook([&] {
        // A blocking logout nests an event loop until the reply arrives.
        QEventLoop reply;
        QTimer::singleShot(50, &reply, [&reply] { reply.exit(7); });
        nestedResult = reply.exec();
        logoutDone = true;
    });
    thread.start(QThread::LowestPriority);
    SharedFlagSegment(key).writeCommand(1);

    QCOMPARE(runEventLoop(), 0);
    QVERIFY(logoutDone);
    QCOMPARE(nestedResult, 7); // the quit did not cut the logout short
}

void TestCommandThread::showCommandAsksForTheWindow_data()
{
    QTest::addColumn<QString>("writer");
    QTest::newRow("second start in this process") << "local";
    QTest::newRow("second start in another process") << "process";
}

// A second start asks for the window: reported once per request, the byte taken back so
// that the next start can ask again; the thread keeps listening and a quit still ends it.
// A quit that waits is never replaced by a request to show.
void TestCommandThread::showCommandAsksForTheWindow()
{
    QFETCH(QString, writer);
    const QString key = uniqueKey("show");
    CommandThread thread(key, PollMs);
    int hookCalls = 0;
    thread.setExitHook([&hookCalls] { ++hookCalls; });
    // Counted on this thread, as the program receives it.
    int shown = 0;
    QObject receiver;
    connect(&thread, &CommandThread::signalShowWindow, &receiver, [&shown] { ++shown; });
    const auto stopThread = qScopeGuard([&thread] {
        thread.requestInterruption();
        thread.wait();
    });
    thread.start(QThread::LowestPriority);
    SharedFlagSegment channel(key);

    for (int request = 1; request <= 2; ++request) {
        if (writer == "local") {
            QVERIFY(CommandThread::requestShow(channel));
        } else {
            HolderProcess second;
            QCOMPARE(startHolder(second, {"hold", key, "2"}), QByteArray("attached\nready\n"));
            QVERIFY(endHolder(second));
        }
        QTRY_COMPARE(shown, request);
        QTRY_COMPARE(channel.readCommand(), char(0));
    }
    QVERIFY(thread.isRunning());
    QCOMPARE(hookCalls, 0);

    channel.writeCommand(CommandThread::QuitCommand);
    QVERIFY(!CommandThread::requestShow(channel));
    QCOMPARE(channel.readCommand(), CommandThread::QuitCommand);
    QCOMPARE(runEventLoop(), 0);
    QCOMPARE(hookCalls, 1);
    QCOMPARE(shown, 2); // once per request
}

void TestCommandThread::teardownIsNoQuit_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("thread object destroyed") << true;
    QTest::newRow("polling interrupted, object kept") << false;
}

void TestCommandThread::teardownIsNoQuit()
{
    QFETCH(bool, destroy);
    const QString key = uniqueKey("teardown");
    int hookCalls = 0;
    auto thread = std::make_unique<CommandThread>(key, PollMs);
    thread->setExitHook([&hookCalls] { ++hookCalls; });
    thread->start(QThread::LowestPriority);
    QTRY_VERIFY(thread->isRunning());
    if (destroy) {
        thread.reset();
    } else {
        thread->requestInterruption();
        QVERIFY(thread->wait(10000));
    }
    // Whatever the ending thread posted must not end the event loop.
    QCOMPARE(runEventLoop(300), 42);
    QCOMPARE(hookCalls, 0);
    if (!destroy)
        QVERIFY(!thread->hasExited());
}

QTEST_GUILESS_MAIN(TestCommandThread)
#include "tst_commandthread.moc"
