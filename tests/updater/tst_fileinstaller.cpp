#include "fileinstaller.h"
#include "support/testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {
using TestFiles::read;
using TestFiles::snapshot;
using TestFiles::write;

struct Interrupted : std::runtime_error
{
    Interrupted()
        : std::runtime_error("cut off")
    {
    }
};
} // namespace

// Installation into the program folder: every target restored on failure, after a crash,
// and nothing left behind on success.
class TestFileInstaller : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_program = std::make_unique<QTemporaryDir>();
        m_downloads = std::make_unique<QTemporaryDir>();
        // Two files of the same name in different folders, and one that is new.
        QVERIFY(write(program("Pennova"), "old main"));
        QVERIFY(write(program("lib/data.txt"), "old lib"));
        QVERIFY(write(program("share/data.txt"), "old share"));
        QVERIFY(write(program("Pennova.old"), "left by an earlier update"));
        QVERIFY(write(download("0"), "new main"));
        QVERIFY(write(download("1"), "new lib"));
        QVERIFY(write(download("2"), "new share"));
        QVERIFY(write(download("3"), "new file"));
        QVERIFY(QFile::setPermissions(program("Pennova"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_before = snapshot(m_program->path());
        m_before.removeAll("Pennova.old=left by an earlier update");
    }

    void installReplacesEveryTargetAndCleansUp()
    {
        FileInstaller installer(m_program->path());
        int commits = 0;
        QString error;
        QVERIFY(installer.install(items(), 7, [&commits] { return ++commits == 1; }, &error));
        QCOMPARE(commits, 1);
        QCOMPARE(snapshot(m_program->path()),
                 (QStringList{"Pennova=new main", "lib/data.txt=new lib", "new/sub/file.bin=new file",
                              "share/data.txt=new share"}));
        // A replaced program keeps its permissions.
        QVERIFY(QFileInfo(program("Pennova")).isExecutable());
    }

    void failureRestoresEveryTarget_data()
    {
        QTest::addColumn<QString>("blocker"); // a folder where a ".new" file must go
        QTest::addColumn<bool>("commitFails");
        QTest::newRow("copy fails halfway") << "share/data.txt.new" << false;
        QTest::newRow("last copy fails") << "new/sub/file.bin.new" << false;
        QTest::newRow("recording the version fails") << "" << true;
    }
    void failureRestoresEveryTarget()
    {
        QFETCH(QString, blocker);
        QFETCH(bool, commitFails);
        if (!blocker.isEmpty())
            QVERIFY(write(program(blocker + "/x"), "blocks"));
        FileInstaller installer(m_program->path());
        QString error;
        bool committed = false;
        QVERIFY(!installer.install(items(), 7, [&] { committed = true; return !commitFails; }, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(committed, commitFails);
        QStringList after = snapshot(m_program->path());
        after.removeAll(blocker + "/x=blocks");
        QCOMPARE(after, m_before);
    }

    void recordedInstallationIsCompletedAtNextStart()
    {
        // An interruption before the version is recorded is undone (see tst_updaterprocess);
        // here the version is recorded, then the process dies before the clean-up.
        FileInstaller installer(m_program->path());
        QString error;
        QVERIFY_THROWS_EXCEPTION(Interrupted, installer.install(items(), 7, [] { throw Interrupted(); return true; }, &error));
        QCOMPARE(FileInstaller(m_program->path()).recover([] { return 7; }), FileInstaller::Recovery::Completed);
        QCOMPARE(snapshot(m_program->path()),
                 (QStringList{"Pennova=new main", "lib/data.txt=new lib", "new/sub/file.bin=new file",
                              "share/data.txt=new share"}));
    }

    void damagedJournalTouchesNothing_data()
    {
        QTest::addColumn<QByteArray>("journal");
        QTest::newRow("garbage") << QByteArray("\x00\xff garbage", 10);
        QTest::newRow("truncated") << QByteArray("versi");
        QTest::newRow("path out of the folder") << QByteArray("version 7\n0\t../../victim\n");
        QTest::newRow("absolute path") << QByteArray("version 7\n0\t/etc/passwd\n");
        QTest::newRow("oversized") << QByteArray("version 7\n") + QByteArray(5 * 1024 * 1024, '#');
    }
    void damagedJournalTouchesNothing()
    {
        QFETCH(QByteArray, journal);
        FileInstaller installer(m_program->path());
        QVERIFY(write(installer.journalPath(), journal));
        const QStringList before = snapshot(m_program->path());
        QCOMPARE(installer.recover([] { return 6; }), FileInstaller::Recovery::Failed);
        QCOMPARE(snapshot(m_program->path()), before);
    }

private:
    QString program(const QString &relative) const { return m_program->filePath(relative); }
    QString download(const QString &name) const { return m_downloads->filePath(name); }
    QList<FileInstaller::Item> items() const
    {
        return {{download("0"), program("Pennova")},
                {download("1"), program("lib/data.txt")},
                {download("2"), program("share/data.txt")},
                {download("3"), program("new/sub/file.bin")}};
    }

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_downloads;
    QStringList m_before;
};

QTEST_GUILESS_MAIN(TestFileInstaller)
#include "tst_fileinstaller.moc"
