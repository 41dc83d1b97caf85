#include "webengineenvironment.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <unistd.h>

bool webEngineNeedsNoSandbox(unsigned int effectiveUserId)
{
    return effectiveUserId == 0;
}

void prepareWebEngineEnvironment()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (webEngineNeedsNoSandbox(geteuid()) && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}
