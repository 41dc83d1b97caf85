#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// Loopback HTTP server that holds every request until the test answers it, so that
// answers can arrive in any order.
class HoldingHttpServer : public QObject
{
    Q_OBJECT
public:
    HoldingHttpServer();
    bool listen();
    quint16 port() const { return m_server.serverPort(); }

    int requestCount() const { return int(m_requests.size()); }
    QByteArray path(int index) const { return m_requests.at(index).path; }
    // Answers request `index` with status 200 and the body (UTF-8).
    void respond(int index, const QByteArray &body);

signals:
    void requestArrived();

private:
    struct Request
    {
        QPointer<QTcpSocket> socket;
        QByteArray path;
    };
    void readRequest(QTcpSocket *socket);

    QTcpServer m_server;
    QList<Request> m_requests;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};
