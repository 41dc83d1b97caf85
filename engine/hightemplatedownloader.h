#pragma once

#include "hightemplate.h"
#include "templateclient.h"

#include <QNetworkReply>

namespace ZeltraLib {

// Fetches one detailed template ("/tesseltemplate/gethigh?catid=").
class HighTemplateDownloader : public TemplateClient
{
    Q_OBJECT
public:
    explicit HighTemplateDownloader(const QString &host, QObject *parent = nullptr);

    // GET of template catId into *target (owned by the caller, kept alive until the
    // signal; the caller empties its blocks and common sentences first).
    void getTemplate(int catId, HighTemplate *target);

Q_SIGNALS:
    void signalGetTemplateFinished();

private Q_SLOTS:
    void slotFinished(QNetworkReply *reply);

private:
    HighTemplate *m_target = nullptr; // not owned
};

} // namespace ZeltraLib
