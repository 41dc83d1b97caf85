#include "proxysettings.h"

#include "configstore.h"

#include <QNetworkProxy>
#include <QNetworkProxyFactory>

void applyProxySettings(ConfigStore &store)
{
    bool isNumber = false;
    const int type = store.value(QStringLiteral("proxy_type")).toInt(&isNumber);
    if (!isNumber)
        return;

    switch (type) {
    case 0:
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        return;
    case 1:
    case 2: {
        // Blanks around a host name are never part of it.
        const QString host = store.value(QStringLiteral("proxy_host")).trimmed();
        if (host.isEmpty())
            return;
        QNetworkProxy proxy(type == 1 ? QNetworkProxy::HttpProxy : QNetworkProxy::Socks5Proxy,
                            host);
        const QString portText = store.value(QStringLiteral("proxy_port")).trimmed();
        if (!portText.isEmpty()) {
            // A port outside 1..65535 would wrap round to another port; it is left unset.
            const int port = portText.toInt(&isNumber);
            if (isNumber && port > 0 && port <= 65535)
                proxy.setPort(static_cast<quint16>(port));
        }
        const QString user = store.value(QStringLiteral("proxy_user"));
        if (!user.trimmed().isEmpty()) {
            const QString domain = store.value(QStringLiteral("proxy_domain"));
            proxy.setUser(domain.trimmed().isEmpty() ? user : domain + u'\\' + user);
        }
        const QString password = store.value(QStringLiteral("proxy_pwd"));
        if (!password.trimmed().isEmpty())
            proxy.setPassword(password);
        QNetworkProxy::setApplicationProxy(proxy);
        return;
    }
    case 3:
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        return;
    default:
        return;
    }
}
