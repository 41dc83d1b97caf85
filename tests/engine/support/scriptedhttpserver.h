#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// Loopback HTTP/1.1 server for client tests. Answers each request with the reply set for
// its path (200 and an empty body by default); a held path keeps the request unanswered
// until release() is called, so tests can answer late or never.
class ScriptedHttpServer : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QByteArray path;  // with the query
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    explicit ScriptedHttpServer(QObject *parent = nullptr);

    // "127.0.0.1:port"
    QString host() const;
    void setReply(const QByteArray &path, const QByteArray &body, int status = 200,
                  const QByteArray &contentType = "text/plain");
    void setHeld(const QByteArray &path, bool held);
    // Answers every held request of `path` with its reply.
    void release(const QByteArray &path);
    // Answers the oldest held request of `path` with `body` (status 200).
    void answerHeld(const QByteArray &path, const QByteArray &body);
    const QList<Request> &requests() const { return m_requests; }
    int count(const QByteArray &path) const;
    // Bodies of the requests of `path`, oldest first.
    QList<QByteArray> bodies(const QByteArray &path) const;

Q_SIGNALS:
    void requestReceived(const QByteArray &path);

private:
    struct Reply
    {
        QByteArray body;
        int status = 200;
        QByteArray contentType = "text/plain";
    };
    void readFrom(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QByteArray &path);
    void write(QTcpSocket *socket, const Reply &reply);

    QTcpServer m_server;
    QHash<QByteArray, Reply> m_replies;
    QHash<QByteArray, bool> m_held;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> m_waiting;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
};
