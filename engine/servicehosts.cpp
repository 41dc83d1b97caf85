#include "servicehosts.h"

#include <QByteArray>
#include <QtGlobal>

namespace ZeltraLib {

QString resolveServiceHost(const char *name)
{
    const QByteArray own = qgetenv(QByteArray("PENNOVA_") + name + "_HOST").trimmed();
    if (!own.isEmpty())
        return QString::fromUtf8(own);
    const QByteArray all = qgetenv("PENNOVA_HOST").trimmed();
    if (!all.isEmpty())
        return QString::fromUtf8(all);
    return QStringLiteral("127.0.0.1:%1").arg(DefaultServicePort);
}

const QString &AccountHost()
{
    static const QString host = resolveServiceHost("ACCOUNT");
    return host;
}

const QString &WebHost()
{
    static const QString host = resolveServiceHost("WEB");
    return host;
}

const QString &CheckHost()
{
    static const QString host = resolveServiceHost("CHECK");
    return host;
}

const QString &ApiHost()
{
    static const QString host = resolveServiceHost("API");
    return host;
}

const QString &ExplainHost()
{
    static const QString host = resolveServiceHost("EXPLAIN");
    return host;
}

} // namespace ZeltraLib
