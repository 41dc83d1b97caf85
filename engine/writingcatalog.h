#pragma once

#include "templateclient.h"
#include "templatecatalognode.h"

#include <QList>
#include <QNetworkReply>

namespace ZeltraLib {

// Fetches the template catalog ("/tesseltemplate/gettreeall").
class WritingCatalog : public TemplateClient
{
    Q_OBJECT
public:
    explicit WritingCatalog(const QString &host, QObject *parent = nullptr);

    // GET of the catalog; the reply's nodes are appended to *list, which the caller
    // owns and keeps alive until signalGetCatalogFinished.
    void getCatalog(QList<TemplateCatalogNode> *list);

Q_SIGNALS:
    // Emitted once per answered request, also when the reply was not a catalog.
    void signalGetCatalogFinished();

private Q_SLOTS:
    void slotFinished(QNetworkReply *reply);

private:
    QList<TemplateCatalogNode> *m_target = nullptr; // not owned
};

} // namespace ZeltraLib
