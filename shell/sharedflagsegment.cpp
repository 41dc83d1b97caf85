#include "sharedflagsegment.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int SegmentSize = 4;

QString fileSafe(const QString &key)
{
    QString name;
    for (QChar c : key)
        name += (c.isLetterOrNumber() && c.unicode() < 0x80) || c == u'_' || c == u'-'
                    ? c : QChar(u'_');
    return name;
}

bool isPrivateDirectory(const QByteArray &path)
{
    struct stat info;
    if (::lstat(path.constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid()
           && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// One namespace per user, as the segments of one desktop session would be, and per lock
// directory, so that a segment is always judged by its own lock files.
QString scopedKey(const QString &key, const QString &lockDirectory)
{
    QString scoped = key + QStringLiteral("_uid") + QString::number(::getuid());
    if (!lockDirectory.isEmpty())
        scoped += u'@' + lockDirectory;
    return scoped;
}

int openLockFile(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

int lockFile(int fd, int operation)
{
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

SharedFlagSegment::SharedFlagSegment(const QString &key)
    : m_key(key)
{
    const QString directory = lockDirectory();
    m_memory.setKey(scopedKey(key, directory));
    if (directory.isEmpty()) {
        createOrAttach();
        return;
    }
    m_lockBase = directory + u'/' + fileSafe(key);
    // The guard serialises the check-and-create of starters with each other and with
    // the detach of a process that ends.
    const int guard = takeGuard();

    m_usersLock = openLockFile(m_lockBase + QStringLiteral(".users"));
    if (m_usersLock >= 0) {
        // An exclusive lock is only granted when no living process uses the key.
        if (lockFile(m_usersLock, LOCK_EX | LOCK_NB) == 0)
            removeStaleSegment();
        lockFile(m_usersLock, LOCK_SH);
    }
    createOrAttach();

    if (guard >= 0)
        ::close(guard);
}

SharedFlagSegment::~SharedFlagSegment()
{
    // Detach before giving up the lock, so that the next starter finds the segment gone
    // rather than attaching to it in the moment before it goes.
    const int guard = m_lockBase.isEmpty() ? -1 : takeGuard();
    if (m_memory.isAttached())
        m_memory.detach();
    if (m_usersLock >= 0)
        ::close(m_usersLock);
    if (guard >= 0)
        ::close(guard);
}

int SharedFlagSegment::takeGuard() const
{
    const int guard = openLockFile(m_lockBase + QStringLiteral(".guard"));
    if (guard >= 0)
        lockFile(guard, LOCK_EX);
    return guard;
}

QString SharedFlagSegment::segmentKey(const QString &key)
{
    return scopedKey(key, lockDirectory());
}

QString SharedFlagSegment::lockDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString directory;
    if (!runtime.isEmpty() && isPrivateDirectory(QFile::encodeName(runtime)))
        directory = runtime + QStringLiteral("/pennova");
    else
        directory = QDir::tempPath() + QStringLiteral("/pennova-") + QString::number(::getuid());

    const QByteArray path = QFile::encodeName(directory);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    return isPrivateDirectory(path) ? directory : QString();
}

void SharedFlagSegment::removeStaleSegment()
{
    // Nobody alive uses the key. A segment still there belongs to a process that was
    // killed; the last detach removes it. If some process outside the lock protocol is
    // still attached, the segment stays and is attached to below.
    QSharedMemory stale;
    stale.setKey(m_memory.key());
    if (stale.attach())
        stale.detach();
}

void SharedFlagSegment::createOrAttach()
{
    if (m_memory.create(SegmentSize, QSharedMemory::ReadWrite)) {
        m_memory.lock();
        std::memset(m_memory.data(), 0, SegmentSize);
        m_memory.unlock();
        m_created = true;
        return;
    }
    m_memory.attach(QSharedMemory::ReadWrite); // a failure leaves the segment unusable
}

char SharedFlagSegment::readCommand()
{
    if (!m_memory.isAttached() || m_memory.size() < 1)
        return 0;
    m_memory.lock();
    const char command = *static_cast<const char *>(m_memory.constData());
    m_memory.unlock();
    return command;
}

void SharedFlagSegment::writeCommand(char command)
{
    if (!m_memory.isAttached() || m_memory.size() < 1)
        return;
    m_memory.lock();
    *static_cast<char *>(m_memory.data()) = command;
    m_memory.unlock();
}
