#include "templateclient.h"

#include "boundednetworkaccessmanager.h"
#include "replyguards.h"
#include "templatereply.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace ZeltraLib {

TemplateClient::TemplateClient(const QString &host, const QString &path, QObject *parent)
    : QObject(parent)
    , m_base(QStringLiteral("http://") + host + path)
    , m_manager(new ZeltraLib::BoundedNetworkAccessManager(this))
{
}

void TemplateClient::send(const QString &url)
{
    // Cleared first: aborting may report the old reply at once.
    if (QNetworkReply *old = m_pending) {
        m_pending = nullptr;
        abandonReply(old, this);
    }
    m_pending = m_manager->get(QNetworkRequest(QUrl(url)));
    abortOnLargeBody(m_pending, TemplateReply::MaxBodyBytes);
}

bool TemplateClient::take(QNetworkReply *reply, QByteArray *body)
{
    reply->deleteLater();
    if (reply != m_pending)
        return false;
    m_pending = nullptr;
    *body = reply->readAll();
    return true;
}

} // namespace ZeltraLib
