#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>

// A loopback HTTP server for the writing guide's tests: answers each GET with the
// body set for its path (404 otherwise) and closes the connection.
class TemplateHttpServer : public QObject
{
    Q_OBJECT
public:
    explicit TemplateHttpServer(QObject *parent = nullptr);

    QString host() const; // "127.0.0.1:port"
    void setReply(const QByteArray &path, const QByteArray &body) { m_replies.insert(path, body); }
    // Serves a shipped template file's replies: its catalog entry, its JSON and, for a
    // simple template, its documents and covers. The catalog is the sum of the files served.
    bool serveShipped(const QString &fileName);
    int count(const QByteArray &path) const { return m_counts.value(path); }

private:
    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, QByteArray> m_replies;
    QHash<QByteArray, int> m_counts;
    QList<QByteArray> m_served; // .tpl texts, for the catalog
};
