#include "pagelinkclient.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrlQuery>

#include <algorithm>
#include <cctype>

namespace ZeltraLib {

PageLinkClient::PageLinkClient(const QString &webHost, QObject *parent)
    : QObject(parent)
    , m_webHost(webHost)
{
}

QUrl PageLinkClient::pageUrl(const QString &pageQuery, const QString &token) const
{
    QUrl url(QStringLiteral("http://") + m_webHost + QStringLiteral("/login/fromtessel"));
    QUrlQuery query(pageQuery);
    if (!token.isEmpty())
        query.addQueryItem(QStringLiteral("t"), token);
    url.setQuery(query);
    return url;
}

void PageLinkClient::request(const QString &sessionKey, const QString &pageQuery)
{
    QNetworkRequest post(QUrl(QStringLiteral("http://") + m_webHost + QStringLiteral("/login/pagetoken")));
    post.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    post.setTransferTimeout(m_timeoutMs);
    QNetworkReply *reply = m_network.post(post, "s=" + QUrl::toPercentEncoding(sessionKey));
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MaxTokenBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, pageQuery] {
        reply->deleteLater();
        const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->read(MaxTokenBytes + 1).trimmed()
                                                                         : QByteArray();
        // A token is 32 hex digits; anything else is no token.
        const bool valid = body.size() == 32
                           && std::all_of(body.cbegin(), body.cend(), [](char c) { return std::isxdigit(uchar(c)); });
        const QString token = valid ? QString::fromLatin1(body) : QString();
        emit signalLinkReady(pageUrl(pageQuery, token), valid);
    });
}

} // namespace ZeltraLib
