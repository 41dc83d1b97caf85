#include "sharedflagsegment.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
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

// A record lock on the first byte, owned by the open segment rather than the process, so
// that the objects of one process exclude each other too.
int lockFirstByte(int fd, short type)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    int result;
    do {
        result = ::fcntl(fd, F_OFD_SETLKW, &lock);
    } while (result != 0 && errno == EINTR);
    return result;
}

// The segment name: a hash of the scoped key, which may be longer than a name may be.
QByteArray nameFor(const QString &scopedKey)
{
    return "/pennova-" + QByteArray::number(::getuid()) + '-'
           + QCryptographicHash::hash(scopedKey.toUtf8(), QCryptographicHash::Sha1).toHex();
}

// Opens the segment `name` without creating it; -1 when it is missing, not ours or
// not a plain object.
int openExisting(const QByteArray &name, int flags)
{
    const int fd = ::shm_open(name.constData(), flags | O_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

SharedFlagSegment::SharedFlagSegment(const QString &key)
    : m_key(key)
{
    const QString directory = lockDirectory();
    m_name = nameFor(scopedKey(key, directory));
    if (directory.isEmpty()) {
        // Without lock files the segment itself carries the users' shared locks; nothing
        // serialises starters then, and a segment left by a killed process is joined.
        createOrAttach();
        if (m_fd >= 0) {
            m_usersLock = ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0);
            if (m_usersLock >= 0)
                lockFile(m_usersLock, LOCK_SH);
        }
        return;
    }
    m_lockBase = directory + u'/' + fileSafe(key);
    // The guard serialises the check-and-create of starters with each other and with
    // the removal by the last process that leaves.
    const int guard = takeGuard();

    m_usersLock = openLockFile(m_lockBase + QStringLiteral(".users"));
    if (m_usersLock >= 0) {
        // An exclusive lock is only granted when no living process uses the key: a
        // segment still there was left by a killed process.
        if (lockFile(m_usersLock, LOCK_EX | LOCK_NB) == 0)
            ::shm_unlink(m_name.constData());
        lockFile(m_usersLock, LOCK_SH);
    }
    createOrAttach();

    if (guard >= 0)
        ::close(guard);
}

SharedFlagSegment::~SharedFlagSegment()
{
    const int guard = m_lockBase.isEmpty() ? -1 : takeGuard();
    if (m_data)
        ::munmap(const_cast<char *>(m_data), SegmentSize);
    // The last user removes the segment, so that the next start creates it afresh.
    // (A failed conversion gives up the shared lock too; we leave anyway.)
    if (m_usersLock >= 0 && m_fd >= 0 && lockFile(m_usersLock, LOCK_EX | LOCK_NB) == 0)
        ::shm_unlink(m_name.constData());
    if (m_fd >= 0)
        ::close(m_fd);
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

QByteArray SharedFlagSegment::segmentName(const QString &key)
{
    return nameFor(scopedKey(key, lockDirectory()));
}

bool SharedFlagSegment::exists(const QString &key)
{
    const int fd = openExisting(segmentName(key), O_RDONLY);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
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

void SharedFlagSegment::createOrAttach()
{
    int fd = ::shm_open(m_name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const bool created = fd >= 0;
    if (!created && errno == EEXIST)
        fd = openExisting(m_name, O_RDWR);
    if (fd < 0)
        return; // not usable; a failure is not reported

    // A new object is empty and zero-filled once sized. Sizing an existing one again
    // is harmless and covers a creator caught between its open and its sizing.
    struct stat info;
    void *data = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && (info.st_size >= SegmentSize || ::ftruncate(fd, SegmentSize) == 0))
        data = ::mmap(nullptr, SegmentSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED) {
        if (created)
            ::shm_unlink(m_name.constData());
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_data = static_cast<volatile char *>(data);
    m_created = created;
    if (created) {
        const bool locked = lockCommand();
        for (int i = 0; i < SegmentSize; ++i)
            m_data[i] = 0;
        if (locked)
            unlockCommand();
    }
}

bool SharedFlagSegment::lockCommand()
{
    return lockFirstByte(m_fd, F_WRLCK) == 0;
}

void SharedFlagSegment::unlockCommand()
{
    lockFirstByte(m_fd, F_UNLCK);
}

char SharedFlagSegment::readCommand()
{
    if (!m_data)
        return 0;
    const bool locked = lockCommand(); // a byte is read whole even without the lock
    const char command = m_data[0];
    if (locked)
        unlockCommand();
    return command;
}

bool SharedFlagSegment::replaceCommand(char expected, char command)
{
    if (!m_data)
        return false;
    const bool locked = lockCommand();
    const bool replaced = m_data[0] == expected;
    if (replaced)
        m_data[0] = command;
    if (locked)
        unlockCommand();
    return replaced;
}

void SharedFlagSegment::writeCommand(char command)
{
    if (!m_data)
        return;
    const bool locked = lockCommand();
    m_data[0] = command;
    if (locked)
        unlockCommand();
}
