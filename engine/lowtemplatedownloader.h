#pragma once

#include "lowtemplateitem.h"
#include "templateclient.h"

#include <QList>
#include <QNetworkReply>

namespace ZeltraLib {

// Fetches one simple template ("/tesseltemplate/getlow?catid=").
class LowTemplateDownloader : public TemplateClient
{
    Q_OBJECT
public:
    explicit LowTemplateDownloader(const QString &host, QObject *parent = nullptr);

    // GET of template catId; its documents are appended to *list (owned by the caller,
    // kept alive until the signal).
    void getTemplate(int catId, QList<LowTemplateItem> *list);

Q_SIGNALS:
    // strDescription: the template's description; empty when the reply was unreadable.
    void signalGetTemplateFinished(QString strDescription);

private Q_SLOTS:
    void slotFinished(QNetworkReply *reply);

private:
    QList<LowTemplateItem> *m_target = nullptr; // not owned
};

} // namespace ZeltraLib
