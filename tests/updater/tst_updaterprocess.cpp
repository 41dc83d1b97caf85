#include "support/builtfile.h"
#include "support/serverprocess.h"
#include "support/testfiles.h"
#include "refusedupdate.h"
#include "versionfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using ZeltraLib::VersionFile;

namespace {
using Files = QMap<QString, QByteArray>;

const QByteArray StandIn = "#!/bin/sh\necho started > \"$(dirname \"$0\")/started\"\n";
const QByteArray StandIn4 = "#!/bin/sh\necho started-4 > \"$(dirname \"$0\")/started\"\n";

using TestFiles::read;
using TestFiles::write;
} // namespace

// The `update` program end to end: pennova-server publishes signed releases, and the
// updater runs offscreen over a temporary program folder with a stand-in main program.
class TestUpdaterProcess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_serverData.isValid());
        QVERIFY2(m_server.start(m_serverData.path()), m_server.output().constData());
        m_host = m_server.host();

        QVERIFY(publish(1, {{"Pennova", StandIn}, {"sub/data.txt", "one"}, {"readme.txt", "r1"}}));
        QVERIFY(publish(2, {{"Pennova", StandIn}, {"sub/data.txt", "two"}, {"readme.txt", "r1"}}));
    }

    void cleanupTestCase()
    {
        m_server.stop();
    }

    void init()
    {
        m_program = std::make_unique<QTemporaryDir>();
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(builtFile(QStringLiteral("update-testkey")), m_program->filePath("update")));
        // Installed: version 2.
        installed(2, {{"Pennova", StandIn}, {"sub/data.txt", "two"}, {"readme.txt", "r1"}});
    }

    void installsTheChangedFileAndStartsTheProgram()
    {
        installed(1, {{"Pennova", StandIn}, {"sub/data.txt", "one"}, {"readme.txt", "r1"}});
        QVERIFY(write(m_home->filePath("config/Tessel/setting.ini"), "<config/>"));
        QProcess updater;
        QCOMPARE(run(updater, "2"), 0);
        QCOMPARE(read(m_program->filePath("sub/data.txt")), QByteArray("two"));
        QCOMPARE(read(m_program->filePath("readme.txt")), QByteArray("r1"));
        VersionFile version(VersionFile::defaultPath(m_program->path()));
        QVERIFY(version.load());
        QCOMPARE(version.versionId(), 2);
        QCOMPARE(version.fileVersion("sub", "data.txt"), 2);
        // The prompt-tip store goes with an update; no journal or backup stays behind.
        QVERIFY(!QFile::exists(m_home->filePath("config/Tessel/setting.ini")));
        QVERIFY(!QFile::exists(m_program->filePath("update.journal")));
        QVERIFY(!QFile::exists(m_program->filePath("sub/data.txt.old")));
        QTRY_COMPARE_WITH_TIMEOUT(read(m_program->filePath("started")), QByteArray("started\n"), 20000);
    }

    void upToDateInstallsNothing()
    {
        const QStringList before = snapshot();
        QProcess updater;
        QCOMPARE(run(updater, "2"), 3);
        QCOMPARE(snapshot(), before);
    }

    void tamperedFileChangesNothing()
    {
        QVERIFY(publish(3, {{"Pennova", StandIn}, {"sub/data.txt", "three"}, {"readme.txt", "r1"}}));
        QVERIFY(write(m_serverData.filePath("update/3/sub/data.txt"), "evil"));
        const QStringList before = snapshot();
        QProcess updater;
        QCOMPARE(run(updater, "2"), 4);
        QCOMPARE(snapshot(), before);
    }

    void failingCopyHalfwayRestoresEverything()
    {
        QVERIFY(publish(4, {{"Pennova", StandIn4}, {"sub/data.txt", "four"}, {"readme.txt", "r4"}}));
        const QStringList before = snapshot();
        // "readme.txt" and "Pennova" go in first; a folder in the way of the last copy.
        QVERIFY(QDir().mkpath(m_program->filePath("sub/data.txt.new")));
        QProcess updater;
        QCOMPARE(run(updater, "2"), 4);
        QVERIFY(QDir().rmdir(m_program->filePath("sub/data.txt.new")));
        QCOMPARE(snapshot(), before);
    }

    void killedInstallationIsRestoredAtTheNextRun()
    {
        const QStringList before = snapshot();
        QProcess killed;
        killed.setProcessEnvironment(environment({{"PENNOVA_TEST_KILL_AFTER", "1"}}));
        run(killed, "2");
        QCOMPARE(killed.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFile::exists(m_program->filePath("update.journal")));
        QVERIFY(snapshot() != before);

        // The next run, even without a reachable service, restores the previous files first.
        QProcess next;
        next.setProcessEnvironment(environment({{"PENNOVA_HOST", "127.0.0.1:1"}}));
        QCOMPARE(run(next, "0"), 4);
        QCOMPARE(snapshot(), before);
    }

    void releaseOfAnotherKeyIsRefusedWithItsReason()
    {
        // A school's own key, but this updater was built with the test key.
        QTemporaryDir keys;
        QProcess keygen;
        keygen.start(ServerProcess::program(), {"release", "keygen", keys.filePath("school.key")});
        QVERIFY(keygen.waitForFinished(30000) && keygen.exitCode() == 0);
        QVERIFY(publish(5, {{"Pennova", StandIn}, {"sub/data.txt", "five"}, {"readme.txt", "r1"}}, keys.filePath("school.key")));
        const QStringList before = snapshot();
        QProcess refused;
        QCOMPARE(run(refused, "2"), 4);
        QCOMPARE(snapshot(), before);
        const QString settings = m_home->filePath("config/Tessel/");
        QVERIFY2(read(settings + "update.log").contains("version 5 refused: the file list is not signed by the release key"),
                 read(settings + "update.log").constData());
        QVERIFY(refused.readAllStandardError().contains("not signed by the release key"));
        // Start-up no longer offers version 5.
        QCOMPARE(RefusedUpdate::read(settings), 5);

        // The next release, signed with the key the updater carries, installs.
        QVERIFY(publish(6, {{"Pennova", StandIn}, {"sub/data.txt", "six"}, {"readme.txt", "r1"}}));
        QProcess accepted;
        QCOMPARE(run(accepted, "2"), 0);
        QCOMPARE(read(m_program->filePath("sub/data.txt")), QByteArray("six"));
        VersionFile version(VersionFile::defaultPath(m_program->path()));
        QVERIFY(version.load());
        QCOMPARE(version.versionId(), 6);
    }

private:
    bool publish(int version, const Files &files, const QString &key = QStringLiteral(TEST_RELEASE_KEY))
    {
        QTemporaryDir source;
        for (auto it = files.begin(); it != files.end(); ++it) {
            if (!write(source.filePath(it.key()), it.value()))
                return false;
        }
        write(source.filePath("../notes-" + QString::number(version)), "<p>版本 " + QByteArray::number(version) + "</p>");
        QProcess release;
        release.start(ServerProcess::program(),
                      {"--data", m_serverData.path(), "release", "add", source.path(), "--version",
                       QString::number(version), "--notes", source.filePath("../notes-" + QString::number(version)),
                       "--key", key, "--public-key", key + ".pub"});
        return release.waitForFinished(30000) && release.exitStatus() == QProcess::NormalExit
               && release.exitCode() == 0;
    }

    // The program folder as if `version` with `files` had been installed by the updater.
    void installed(int version, const Files &files)
    {
        VersionFile record(VersionFile::defaultPath(m_program->path()));
        record.setVersionId(version);
        for (auto it = files.begin(); it != files.end(); ++it) {
            QVERIFY(write(m_program->filePath(it.key()), it.value()));
            const QFileInfo info(it.key());
            record.setFileVersion(info.path() == "." ? QString() : info.path(), info.fileName(), version);
        }
        QVERIFY(QFile::setPermissions(m_program->filePath("Pennova"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(record.save());
    }

    QProcessEnvironment environment(const QMap<QString, QString> &extra = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("PENNOVA_HOST", m_host);
        env.insert("HOME", m_home->path());
        env.insert("XDG_CONFIG_HOME", m_home->filePath("config"));
        // Shared-memory keys are per runtime folder: this updater meets no other program.
        env.insert("XDG_RUNTIME_DIR", m_home->path());
        for (auto it = extra.begin(); it != extra.end(); ++it)
            env.insert(it.key(), it.value());
        return env;
    }

    // Runs the program folder's `update` with `mode`; its exit code (-1 when it crashed).
    int run(QProcess &updater, const QString &mode)
    {
        if (updater.processEnvironment().isEmpty())
            updater.setProcessEnvironment(environment());
        updater.setWorkingDirectory(m_program->path());
        updater.start(m_program->filePath("update"), {mode});
        if (!updater.waitForStarted())
            return -2;
        QSignalSpy finished(&updater, &QProcess::finished);
        if (!finished.wait(60000)) {
            updater.kill();
            updater.waitForFinished();
            return -3;
        }
        return updater.exitStatus() == QProcess::NormalExit ? updater.exitCode() : -1;
    }

    // Every file of the program folder but the updater itself, with its content.
    QStringList snapshot() const { return TestFiles::snapshot(m_program->path(), "update"); }

    QTemporaryDir m_serverData;
    ServerProcess m_server;
    QString m_host;
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_home;
};

QTEST_GUILESS_MAIN(TestUpdaterProcess)
#include "tst_updaterprocess.moc"
