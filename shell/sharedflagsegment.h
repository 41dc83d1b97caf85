#pragma once

#include <QSharedMemory>
#include <QString>

// A 4-byte shared-memory segment named by a key, whose first byte carries a command
// between processes (0 none, 1 quit). The first process to construct it for a key creates
// and zeroes it; later ones attach to it.
//
// A System V segment survives a process killed outright, so every living user of a key
// also holds a shared lock on a per-user lock file. A constructor that finds no lock
// holder takes any segment left under the key for stale, removes it and creates a fresh,
// zeroed one. The segments and lock files are per user (and per runtime directory).
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
    bool isAttached() const { return m_memory.isAttached(); }

    // The first byte under the segment's lock; 0 when the segment is not usable.
    char readCommand();
    // Writes the first byte under the segment's lock; ignored when not usable.
    void writeCommand(char command);

    // The key of the underlying QSharedMemory for `key`: made per user and per lock
    // directory.
    static QString segmentKey(const QString &key);

    // Where the lock files live: $XDG_RUNTIME_DIR/pennova, else <temp>/pennova-<uid>.
    // Empty when no private directory can be made; then stale segments go undetected.
    static QString lockDirectory();

private:
    // Opens and locks the guard file exclusively; its descriptor, or -1.
    int takeGuard() const;
    void removeStaleSegment();
    void createOrAttach();

    QString m_key;
    QSharedMemory m_memory;
    bool m_created = false;
    QString m_lockBase; // lock directory + file-safe key; empty without lock files
    int m_usersLock = -1; // descriptor holding the shared lock for this object's lifetime
};
