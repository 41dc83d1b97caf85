#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>

// A loopback web server on a port the test chooses (so that a test can leave the port
// dead first and serve it later). Every request gets the page set for its path (with
// query), else a small page naming the path; each request is counted.
class PageServer : public QObject
{
    Q_OBJECT
public:
    explicit PageServer(QObject *parent = nullptr);

    // A port nothing listens on at the moment.
    static quint16 freePort();
    bool listen(quint16 port);
    void close() { m_server.close(); }
    void setPage(const QByteArray &path, const QByteArray &html) { m_pages.insert(path, html); }
    int count(const QByteArray &path) const { return m_counts.value(path); }

private:
    void answer(class QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, QByteArray> m_pages;
    QHash<QByteArray, int> m_counts;
};
