#pragma once

#include <QByteArray>
#include <QString>

// A 4-byte shared-memory segment named by a key, whose first byte carries a command
// between processes (0 none, 1 quit, 2 show the window). The first process to construct it for a key creates
// and zeroes it; later ones attach to it.
//
// The segment is a POSIX shared-memory object whose name is derived from the key alone,
// and its lock is a record lock on that object: two keys never meet in one segment, and
// a process that joins or leaves never disturbs the others' handles. (System V segments,
// named through ftok(), share 16 bits of a file's inode with every other program on the
// machine, and Qt's handling of their lock let a joining process take the lock away
// from the others, so that a join could fail unnoticed and a quit went unheard.)
//
// A segment survives a process killed outright, so every living user of a key also
// holds a shared lock on a per-user lock file. A constructor that finds no lock holder
// takes any segment left under the key for stale, removes it and creates a fresh, zeroed
// one; the last user to leave removes the segment. The segments and lock files are per
// user (and per runtime directory).
class SharedFlagSegment
{
public:
    explicit SharedFlagSegment(const QString &key);
    ~SharedFlagSegment();

    SharedFlagSegment(const SharedFlagSegment &) = delete;
    SharedFlagSegment &operator=(const SharedFlagSegment &) = delete;

    QString key() const { return m_key; }
    // True when this process created the segment, false when it attached to one.
    bool isCreated() const { return m_created; }
    // True when the segment is usable (created or attached).
    bool isAttached() const { return m_data != nullptr; }

    // The first byte under the segment's lock; 0 when the segment is not usable.
    char readCommand();
    // Writes the first byte under the segment's lock; ignored when not usable.
    void writeCommand(char command);
    // Writes `command` only while the first byte reads `expected`, in one step under the
    // lock; false when it read something else or the segment is not usable.
    bool replaceCommand(char expected, char command);

    // The name of the shared-memory object for `key`: made per user and per lock
    // directory.
    static QByteArray segmentName(const QString &key);
    // True while a segment exists under `key`; looks without joining it.
    static bool exists(const QString &key);

    // Where the lock files live: $XDG_RUNTIME_DIR/pennova, else <temp>/pennova-<uid>.
    // Empty when no private directory can be made; then stale segments go undetected.
    static QString lockDirectory();

private:
    // Opens and locks the guard file exclusively; its descriptor, or -1.
    int takeGuard() const;
    void createOrAttach();
    bool lockCommand();
    void unlockCommand();

    QString m_key;
    QByteArray m_name;
    bool m_created = false;
    int m_fd = -1;                    // the segment; its first byte is record-locked
    volatile char *m_data = nullptr;  // the segment's 4 bytes, mapped
    QString m_lockBase; // lock directory + file-safe key; empty without lock files
    int m_usersLock = -1; // descriptor holding the shared lock for this object's lifetime
};
