#include "boundednetworkaccessmanager.h"

#include "boundedhttpreply.h"

#include <QNetworkProxy>
#include <QNetworkProxyFactory>

namespace ZeltraLib {

BoundedNetworkAccessManager::BoundedNetworkAccessManager(QObject *parent)
    : QNetworkAccessManager(parent)
{
}

QNetworkReply *BoundedNetworkAccessManager::createRequest(Operation operation, const QNetworkRequest &request,
                                                          QIODevice *outgoingData)
{
    const QString scheme = request.url().scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    const bool plain = operation == GetOperation || operation == PostOperation;
    // a proxy in effect: the manager's own, else the application's
    QNetworkProxy proxy = this->proxy();
    if (proxy.type() == QNetworkProxy::DefaultProxy) {
        const QList<QNetworkProxy> proxies = QNetworkProxyFactory::proxyForQuery(QNetworkProxyQuery(request.url()));
        proxy = proxies.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy) : proxies.first();
    }
    const bool direct = proxy.type() == QNetworkProxy::NoProxy || proxy.type() == QNetworkProxy::DefaultProxy;
    if (!web || !plain || !direct || request.url().host().isEmpty()
        || (outgoingData && outgoingData->size() > MaxRequestBytes))
        return QNetworkAccessManager::createRequest(operation, request, outgoingData);
    const QByteArray body = outgoingData ? outgoingData->readAll() : QByteArray();
    const int timeoutMs = request.transferTimeout() > 0 ? request.transferTimeout() : transferTimeout();
    return new BoundedHttpReply(operation, request, body, timeoutMs, this);
}

} // namespace ZeltraLib
