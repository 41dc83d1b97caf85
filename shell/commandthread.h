#pragma once

#include "sharedflagsegment.h"

#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

// Watches the command channel: polls the command byte of the shared segment and ends
// when it reads 1 (the updater asks the program to quit). Its finished() signal reaches
// slotExit() on the thread that owns the object, which runs the exit hook (the blocking
// logout of the user session) and ends the event loop with exit code 0. A 2 (a second
// start of the program asks for the running window) is taken back to 0 and reported by
// signalShowWindow(); polling goes on.
class CommandThread : public QThread
{
    Q_OBJECT
public:
    static constexpr char QuitCommand = 1;
    static constexpr char ShowCommand = 2;

    // The program's command channel, polled every 100 ms.
    explicit CommandThread(QObject *parent = nullptr);
    // Another key and poll interval, for tests.
    CommandThread(const QString &key, int pollIntervalMs, QObject *parent = nullptr);
    // Stops the polling and waits for it; the exit hook does not run then.
    ~CommandThread() override;

    static QString commandKey();
    // For a second start: asks the program that runs to show its window. Never replaces
    // a command that waits (a quit of the updater); false then.
    static bool requestShow(SharedFlagSegment &channel);

    // Runs in slotExit() before the event loop is ended.
    void setExitHook(std::function<void()> hook);

    SharedFlagSegment &segment() { return *m_segment; }

    // True once slotExit() has ended the event loops for a quit command. An exit made in
    // a nested loop before the program's own loop starts is not kept by Qt, so the
    // program checks this before it enters that loop.
    bool hasExited() const { return m_exited; }

Q_SIGNALS:
    // Emitted on the polling thread; connect with a receiver on the GUI thread.
    void signalShowWindow();

public Q_SLOTS:
    void slotExit();

protected:
    void run() override;

private:
    std::unique_ptr<SharedFlagSegment> m_segment;
    int m_pollIntervalMs;
    std::function<void()> m_exitHook;
    std::atomic_bool m_quitRead{false};
    bool m_exited = false;
};
