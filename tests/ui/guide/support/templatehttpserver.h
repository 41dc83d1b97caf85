#pragma once

#include "support/scriptedhttpserver.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The loopback server of the writing guide's tests: 404 for any path not set, and the
// shipped templates served as the template service serves them.
class TemplateHttpServer : public ScriptedHttpServer
{
    Q_OBJECT
public:
    explicit TemplateHttpServer(QObject *parent = nullptr);

    // Serves a shipped template file's replies: its catalog entry, its JSON and, for a
    // simple template, its documents and covers. The catalog is the sum of the files served.
    bool serveShipped(const QString &fileName);

private:
    QList<QByteArray> m_served; // .tpl texts, for the catalog
};
