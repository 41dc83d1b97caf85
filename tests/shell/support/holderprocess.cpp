#include "holderprocess.h"

#include "support/builtfile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

HolderProcess::~HolderProcess()
{
    if (state() == QProcess::Running) {
        closeWriteChannel();
        waitForFinished(10000);
    }
}

QByteArray startHolder(QProcess &process, const QStringList &arguments)
{
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(builtFile(QStringLiteral("shell-segment-holder")), arguments);
    QByteArray output;
    if (!process.waitForStarted(10000))
        return output;
    const QDeadlineTimer deadline(20000);
    while (!output.contains("ready\n") && !deadline.hasExpired()) {
        if (process.state() != QProcess::Running) {
            output += process.readAllStandardOutput();
            break;
        }
        process.waitForReadyRead(int(deadline.remainingTime()));
        output += process.readAllStandardOutput();
    }
    return output;
}

bool endHolder(QProcess &process)
{
    process.closeWriteChannel();
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

bool killHolder(QProcess &process)
{
    process.kill(); // SIGKILL: no destructor runs, the segment is left behind
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::CrashExit;
}

QString uniqueKey(const QString &tag)
{
    static int counter = 0;
    return QStringLiteral("Pennova_Test_%1_%2_%3")
        .arg(tag)
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}
