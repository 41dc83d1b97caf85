#include "hightemplatedownloader.h"

#include "templatereply.h"

#include <QNetworkReply>

#include <QNetworkAccessManager>

namespace ZeltraLib {

HighTemplateDownloader::HighTemplateDownloader(const QString &host, QObject *parent)
    : TemplateClient(host, QStringLiteral("/tesseltemplate/gethigh?catid="), parent)
{
    connect(manager(), &QNetworkAccessManager::finished, this, &HighTemplateDownloader::slotFinished);
}

void HighTemplateDownloader::getTemplate(int catId, HighTemplate *target)
{
    m_target = target;
    send(baseUrl() + QString::number(catId));
}

void HighTemplateDownloader::slotFinished(QNetworkReply *reply)
{
    QByteArray body;
    if (!take(reply, &body))
        return;
    if (m_target)
        TemplateReply::parseHigh(body, m_target);
    emit signalGetTemplateFinished();
}

} // namespace ZeltraLib
