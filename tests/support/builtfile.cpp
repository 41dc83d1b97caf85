#include "builtfile.h"

#include <pennovapaths.h>

#include <QFileInfo>

QString builtFile(const QString &name)
{
    const QString program = QStringLiteral(PENNOVA_BINARY_DIR "/bin/") + name;
    return QFileInfo::exists(program) ? program : QStringLiteral(PENNOVA_BINARY_DIR "/tests/") + name;
}
