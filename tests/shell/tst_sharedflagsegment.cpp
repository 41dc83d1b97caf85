#include "support/holderprocess.h"
#include "sharedflagsegment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int directoryMode(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777)
                                                                     : -1;
}

} // namespace

class TestSharedFlagSegment : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void creatorZeroesAndAttacherShares();
    void commandBytesRoundTrip_data();
    void commandBytesRoundTrip();

    // across processes
    void staleSegmentAfterKillIsReclaimed_data();
    void staleSegmentAfterKillIsReclaimed();
    void livingHolderIsDetected_data();
    void livingHolderIsDetected();
    void secondStartExitsAtOnceAndLeavesFirstAlone();
    void orderlyExitRemovesTheSegment();
    void survivingAttacherKeepsTheCommand();
    void leftoverObjectIsReplaced_data();
    void leftoverObjectIsReplaced();

    void lockDirectoryIsPrivate_data();
    void lockDirectoryIsPrivate();

private:
    QTemporaryDir m_runtime;
};

void TestSharedFlagSegment::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    QCOMPARE(SharedFlagSegment::lockDirectory(), m_runtime.path() + QStringLiteral("/pennova"));
}

void TestSharedFlagSegment::creatorZeroesAndAttacherShares()
{
    const QString key = uniqueKey("share");
    SharedFlagSegment first(key);
    QVERIFY(first.isCreated());
    QVERIFY(first.isAttached());
    QCOMPARE(first.readCommand(), char(0));

    SharedFlagSegment second(key);
    QVERIFY(!second.isCreated());
    QVERIFY(second.isAttached());
    first.writeCommand(1);
    QCOMPARE(second.readCommand(), char(1));
    second.writeCommand(0);
    QCOMPARE(first.readCommand(), char(0));
}

void TestSharedFlagSegment::commandBytesRoundTrip_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("quit") << 1;
    QTest::newRow("none after quit") << 0;
    QTest::newRow("unknown command") << 2;
    QTest::newRow("high byte") << 0xFF;
}

void TestSharedFlagSegment::commandBytesRoundTrip()
{
    QFETCH(int, command);
    const QString key = uniqueKey("bytes");
    SharedFlagSegment writer(key);
    SharedFlagSegment reader(key);
    writer.writeCommand(char(1));
    writer.writeCommand(char(command));
    QCOMPARE(reader.readCommand(), char(command));
}

void TestSharedFlagSegment::staleSegmentAfterKillIsReclaimed_data()
{
    QTest::addColumn<QStringList>("holderCommand");
    QTest::newRow("killed creator") << QStringList{};
    QTest::newRow("killed updater left quit byte") << QStringList{"1"};
    QTest::newRow("killed writer left unknown byte") << QStringList{"7"};
}

void TestSharedFlagSegment::staleSegmentAfterKillIsReclaimed()
{
    QFETCH(QStringList, holderCommand);
    const QString key = uniqueKey("stale");

    HolderProcess holder;
    const QByteArray output = startHolder(holder, QStringList{"hold", key} + holderCommand);
    QVERIFY2(output == "created\nready\n", output.constData());
    QVERIFY(killHolder(holder));
    // The kill left the segment behind, as shared memory does.
    QVERIFY(SharedFlagSegment::exists(key));

    SharedFlagSegment fresh(key);
    QVERIFY(fresh.isCreated());
    QVERIFY(fresh.isAttached());
    QCOMPARE(fresh.readCommand(), char(0));
}

void TestSharedFlagSegment::livingHolderIsDetected_data()
{
    QTest::addColumn<QStringList>("holderCommand");
    QTest::addColumn<int>("expectedCommand");
    QTest::newRow("running client") << QStringList{} << 0;
    QTest::newRow("running updater asked to quit") << QStringList{"1"} << 1;
}

void TestSharedFlagSegment::livingHolderIsDetected()
{
    QFETCH(QStringList, holderCommand);
    QFETCH(int, expectedCommand);
    const QString key = uniqueKey("living");

    HolderProcess holder;
    QCOMPARE(startHolder(holder, QStringList{"hold", key} + holderCommand),
             QByteArray("created\nready\n"));
    {
        SharedFlagSegment second(key);
        QVERIFY(!second.isCreated());
        QVERIFY(second.isAttached());
        QCOMPARE(second.readCommand(), char(expectedCommand));
    }
    // Our detach did not take the segment from the living holder.
    QVERIFY(SharedFlagSegment::exists(key));
    QCOMPARE(holder.state(), QProcess::Running);
    QVERIFY(endHolder(holder));
}

void TestSharedFlagSegment::secondStartExitsAtOnceAndLeavesFirstAlone()
{
    const QString key = uniqueKey("instance");
    HolderProcess first;
    QCOMPARE(startHolder(first, {"instance", key}), QByteArray("created\nready\n"));

    HolderProcess second;
    QCOMPARE(startHolder(second, {"instance", key}), QByteArray("attached\n"));
    QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    // The first copy still runs and still owns the marker.
    QCOMPARE(first.state(), QProcess::Running);
    {
        SharedFlagSegment probe(key);
        QVERIFY(!probe.isCreated());
    }
    QVERIFY(endHolder(first));
}

void TestSharedFlagSegment::orderlyExitRemovesTheSegment()
{
    const QString key = uniqueKey("orderly");
    HolderProcess holder;
    QCOMPARE(startHolder(holder, {"hold", key, "1"}), QByteArray("created\nready\n"));
    QVERIFY(endHolder(holder));
    QVERIFY(!SharedFlagSegment::exists(key));

    SharedFlagSegment next(key);
    QVERIFY(next.isCreated());
    QCOMPARE(next.readCommand(), char(0));
}

void TestSharedFlagSegment::survivingAttacherKeepsTheCommand()
{
    // The client that created the channel was killed; the updater attached to it lives on
    // and has asked for a quit. A new client must join that segment, not a fresh one.
    const QString key = uniqueKey("attacher");
    HolderProcess creator;
    QCOMPARE(startHolder(creator, {"hold", key}), QByteArray("created\nready\n"));
    HolderProcess updater;
    QCOMPARE(startHolder(updater, {"hold", key, "1"}), QByteArray("attached\nready\n"));
    QVERIFY(killHolder(creator));

    {
        SharedFlagSegment client(key);
        QVERIFY(!client.isCreated());
        QVERIFY(client.isAttached());
        QCOMPARE(client.readCommand(), char(1));
    }
    QVERIFY(killHolder(updater));
    SharedFlagSegment later(key);
    QVERIFY(later.isCreated());
    QCOMPARE(later.readCommand(), char(0));
}

void TestSharedFlagSegment::leftoverObjectIsReplaced_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty: a creator died before sizing it") << 0 << QByteArray();
    QTest::newRow("truncated to one byte") << 1 << QByteArray("\x01", 1);
    QTest::newRow("oversized with a quit byte") << 65536 << QByteArray("\x01\x01\x01\x01", 4);
}

void TestSharedFlagSegment::leftoverObjectIsReplaced()
{
    // Whatever lies under the name with no living user behind it is no channel.
    QFETCH(int, size);
    QFETCH(QByteArray, content);
    const QString key = uniqueKey("leftover");
    const QByteArray name = SharedFlagSegment::segmentName(key);
    const int fd = ::shm_open(name.constData(), O_RDWR | O_CREAT | O_EXCL, 0600);
    QVERIFY(fd >= 0);
    const bool written = ::ftruncate(fd, size) == 0
                         && ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ::close(fd);
    QVERIFY(written);
    QVERIFY(SharedFlagSegment::exists(key));

    {
        SharedFlagSegment fresh(key);
        QVERIFY(fresh.isCreated());
        QCOMPARE(fresh.readCommand(), char(0));
        SharedFlagSegment second(key);
        QVERIFY(!second.isCreated());
        fresh.writeCommand(1);
        QCOMPARE(second.readCommand(), char(1));
    }
    QVERIFY(!SharedFlagSegment::exists(key));
}

void TestSharedFlagSegment::lockDirectoryIsPrivate_data()
{
    QTest::addColumn<QString>("runtime"); // "<tmp>" a private directory, "<open>" mode 0777
    QTest::addColumn<bool>("underRuntime");

    QTest::newRow("runtime directory") << "<tmp>" << true;
    QTest::newRow("no runtime directory") << "" << false;
    QTest::newRow("missing runtime directory") << "<tmp>/missing" << false;
    QTest::newRow("runtime directory open to all") << "<open>" << false;
}

void TestSharedFlagSegment::lockDirectoryIsPrivate()
{
    QFETCH(QString, runtime);
    QFETCH(bool, underRuntime);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (runtime == "<open>") {
        runtime = dir.path();
        QVERIFY(QFile::setPermissions(runtime, QFileDevice::Permissions(0x7777)));
        QCOMPARE(directoryMode(runtime), 0777);
    }
    runtime.replace(QStringLiteral("<tmp>"), dir.path());
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const QString directory = SharedFlagSegment::lockDirectory();
    qputenv("XDG_RUNTIME_DIR", saved);

    const QString expected = underRuntime
        ? runtime + QStringLiteral("/pennova")
        : QDir::tempPath() + QStringLiteral("/pennova-") + QString::number(::getuid());
    QCOMPARE(directory, expected);
    QCOMPARE(directoryMode(directory), 0700);
}

QTEST_GUILESS_MAIN(TestSharedFlagSegment)
#include "tst_sharedflagsegment.moc"
