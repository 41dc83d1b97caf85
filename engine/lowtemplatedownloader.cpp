#include "lowtemplatedownloader.h"

#include "templatereply.h"

#include <QNetworkReply>

#include <QNetworkAccessManager>

namespace ZeltraLib {

LowTemplateDownloader::LowTemplateDownloader(const QString &host, QObject *parent)
    : TemplateClient(host, QStringLiteral("/tesseltemplate/getlow?catid="), parent)
{
    connect(manager(), &QNetworkAccessManager::finished, this, &LowTemplateDownloader::slotFinished);
}

void LowTemplateDownloader::getTemplate(int catId, QList<LowTemplateItem> *list)
{
    m_target = list;
    send(baseUrl() + QString::number(catId));
}

void LowTemplateDownloader::slotFinished(QNetworkReply *reply)
{
    QByteArray body;
    if (!take(reply, &body))
        return;
    QString description;
    if (m_target)
        TemplateReply::parseLow(body, m_target, &description);
    emit signalGetTemplateFinished(description);
}

} // namespace ZeltraLib
