#pragma once

#include <QStringList>

// Each returns the process exit code; args exclude the command word.
int runSplit(const QStringList &args);
int runCheck(const QStringList &args);
