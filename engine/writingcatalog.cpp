#include "writingcatalog.h"

#include "templatereply.h"

#include <QNetworkReply>

#include <QNetworkAccessManager>

namespace ZeltraLib {

WritingCatalog::WritingCatalog(const QString &host, QObject *parent)
    : TemplateClient(host, QStringLiteral("/tesseltemplate/gettreeall"), parent)
{
    connect(manager(), &QNetworkAccessManager::finished, this, &WritingCatalog::slotFinished);
}

void WritingCatalog::getCatalog(QList<TemplateCatalogNode> *list)
{
    m_target = list;
    send(baseUrl());
}

void WritingCatalog::slotFinished(QNetworkReply *reply)
{
    QByteArray body;
    if (!take(reply, &body))
        return;
    if (m_target)
        TemplateReply::parseCatalog(body, m_target);
    emit signalGetCatalogFinished();
}

} // namespace ZeltraLib
