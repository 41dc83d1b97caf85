#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// Loopback HTTP/1.1 server for client tests, on a port of its own (port 0). Answers each
// request with the reply set for its path (the default reply otherwise: 200 and an empty
// body unless changed) and closes the connection. A held request stays unanswered until
// the test releases it or answers it by its index, so tests can answer late, in any
// order, or never. With HoldAll every request is held.
class ScriptedHttpServer : public QObject
{
    Q_OBJECT
public:
    enum Answering { AnswerAtOnce, HoldAll };

    struct Request
    {
        QByteArray method;
        QByteArray path;  // with the query
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    explicit ScriptedHttpServer(QObject *parent = nullptr);
    explicit ScriptedHttpServer(Answering answering, QObject *parent = nullptr);

    // True when listening (it listens from construction on).
    bool listen() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    // "127.0.0.1:port"
    QString host() const;
    // "127.0.0.1:port" of a port nothing listens on: connections to it are refused.
    static QString refusingHost();
    void setReply(const QByteArray &path, const QByteArray &body, int status = 200,
                  const QByteArray &contentType = "text/plain");
    // The reply of paths without one of their own.
    void setDefaultReply(const QByteArray &body, int status);
    void setHeld(const QByteArray &path, bool held);
    // Answers every held request of `path` with its reply.
    void release(const QByteArray &path);
    // Answers the oldest held request of `path` with `body` (status 200).
    void answerHeld(const QByteArray &path, const QByteArray &body);
    // Answers the held request `index` (in arrival order) with status 200 and `body`.
    void respond(int index, const QByteArray &body);

    const QList<Request> &requests() const { return m_requests; }
    int requestCount() const { return int(m_requests.size()); }
    QByteArray path(int index) const { return m_requests.at(index).path; }
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
    void write(int index, const Reply &reply);

    QTcpServer m_server;
    Answering m_answering = AnswerAtOnce;
    Reply m_default;
    QHash<QByteArray, Reply> m_replies;
    QHash<QByteArray, bool> m_held;
    QList<int> m_waiting; // held requests, oldest first
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
    QList<QPointer<QTcpSocket>> m_sockets; // of each request; null once answered
};
