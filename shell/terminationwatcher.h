#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the thread that owns the watcher,
// so that a terminated client ends its event loop and runs its destructors: the shared
// memory segments and their semaphores are removed then, not left for the next start.
// One watcher per process; the handlers are restored to the default when it goes.
class TerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;

    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void signalTerminate(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr; // child
};
