#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// Starts the segment holder helper with `arguments` and waits until it reports "ready" or
// ends. Returns everything it printed so far.
QByteArray startHolder(QProcess &process, const QStringList &arguments);
// Kills the process outright (SIGKILL) and waits for its end.
bool killHolder(QProcess &process);
// A key no other test run uses.
QString uniqueKey(const QString &tag);
