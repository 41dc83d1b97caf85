#include "commandthread.h"

#include <QCoreApplication>

CommandThread::CommandThread(QObject *parent)
    : CommandThread(commandKey(), 100, parent)
{
}

CommandThread::CommandThread(const QString &key, int pollIntervalMs, QObject *parent)
    : QThread(parent)
    , m_segment(std::make_unique<SharedFlagSegment>(key))
    , m_pollIntervalMs(qMax(1, pollIntervalMs))
{
    // Queued: finished() is emitted on the polling thread, the quit runs on ours.
    connect(this, &QThread::finished, this, &CommandThread::slotExit);
}

CommandThread::~CommandThread()
{
    requestInterruption();
    wait();
}

QString CommandThread::commandKey()
{
    return QStringLiteral("Tessel_Qt_Command_1746DC25");
}

void CommandThread::setExitHook(std::function<void()> hook)
{
    m_exitHook = std::move(hook);
}

bool CommandThread::requestShow(SharedFlagSegment &channel)
{
    return channel.replaceCommand(0, ShowCommand);
}

void CommandThread::run()
{
    for (;;) {
        const char command = m_segment->readCommand();
        if (command == QuitCommand)
            break;
        // Taken back first, so that the next start can ask again; a quit written in
        // between stays.
        if (command == ShowCommand && m_segment->replaceCommand(ShowCommand, 0))
            emit signalShowWindow();
        if (isInterruptionRequested())
            return;
        msleep(static_cast<unsigned long>(m_pollIntervalMs));
    }
    m_quitRead = true;
}

void CommandThread::slotExit()
{
    // finished() also follows a teardown by the destructor; that is no quit command.
    if (!m_quitRead)
        return;
    if (m_exitHook)
        m_exitHook();
    m_exited = true;
    QCoreApplication::exit(0);
}
