#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A helper process that, when a test ends early, is asked to end in order (its input
// closed) rather than killed, so that a failed test leaves no segment behind.
class HolderProcess : public QProcess
{
public:
    ~HolderProcess() override;
};

// Starts the segment holder helper with `arguments` and waits until it reports "ready" or
// ends. Returns everything it printed so far.
QByteArray startHolder(QProcess &process, const QStringList &arguments);
// Closes the helper's input and waits for its orderly end; true when it exited with 0.
bool endHolder(QProcess &process);
// Kills the process outright (SIGKILL) and waits for its end.
bool killHolder(QProcess &process);
// A key no other test run uses.
QString uniqueKey(const QString &tag);
