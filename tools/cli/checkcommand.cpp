#include "clicommands.h"

#include <QTextStream>

int runCheck(const QStringList &)
{
    QTextStream(stderr) << "pennova-cli: check is not available in this build\n";
    return 1;
}
