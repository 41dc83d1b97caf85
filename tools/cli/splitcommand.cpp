#include "clicommands.h"

#include <QTextStream>

int runSplit(const QStringList &)
{
    QTextStream(stderr) << "pennova-cli: split is not available in this build\n";
    return 1;
}
