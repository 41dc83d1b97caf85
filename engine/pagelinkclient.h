#pragma once

#include "boundednetworkaccessmanager.h"
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

namespace ZeltraLib {

// Links to the user's own web pages without the session key in them: asks the web host
// (authenticated by the session, in the request body) for a one-time token and reports
// the page's URL carrying only that token. On any failure it reports the page's URL
// with no secret at all, which works in a browser that still has its page cookie.
class PageLinkClient : public QObject
{
    Q_OBJECT
public:
    // `webHost`: "host:port" of the product web site.
    explicit PageLinkClient(const QString &webHost, QObject *parent = nullptr);

    // `pageQuery`: the page's own query, e.g. "d=1" (may be empty).
    void request(const QString &sessionKey, const QString &pageQuery);
    // Longest wait for the token (tests shorten it).
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    static constexpr qint64 MaxTokenBytes = 256;

Q_SIGNALS:
    // Once per request. `withToken`: false when no token could be had.
    void signalLinkReady(const QUrl &url, bool withToken);

private:
    QUrl pageUrl(const QString &pageQuery, const QString &token) const;

    QString m_webHost;
    ZeltraLib::BoundedNetworkAccessManager m_network;
    int m_timeoutMs = 10000;
};

} // namespace ZeltraLib
