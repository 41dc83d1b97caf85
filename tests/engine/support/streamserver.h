#pragma once

// Loopback HTTP/1.1 server for client tests. Replies are scripted per request: queue
// them ahead, or answer a request by hand after requestReceived(). A reply may stop
// ("stall") after some chunks and be continued later with sendChunk()/endReply(), which
// lets a test decide exactly which bytes the client has seen.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

class StreamServer : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QByteArray path; // path and query as sent
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    struct Reply
    {
        int status = 200;
        QList<QByteArray> chunks; // written one write each, in order
        bool complete = true;     // false: stall after the chunks
        bool chunked = true;      // false: Content-Length (complete) or close-delimited
    };

    explicit StreamServer(QObject *parent = nullptr)
        : QObject(parent)
    {
        connect(&m_server, &QTcpServer::newConnection, this, &StreamServer::acceptConnections);
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    bool isListening() const { return m_server.isListening(); }

    // "127.0.0.1:<port>" of a port that was free a moment ago and has no listener:
    // connecting to it is refused.
    static QString refusedHost()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QStringLiteral("127.0.0.1:%1").arg(port);
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }

    // Replies for the next requests, in arrival order. A request that finds no queued
    // reply waits until the test calls reply().
    void enqueue(const Reply &reply) { m_queue.append(reply); }
    static Reply whole(const QByteArray &body, int status = 200)
    {
        Reply r;
        r.status = status;
        r.chunks = { body };
        r.chunked = false;
        return r;
    }
    static Reply stream(const QList<QByteArray> &chunks, bool complete = true)
    {
        Reply r;
        r.chunks = chunks;
        r.complete = complete;
        return r;
    }

    const QList<Request> &requests() const { return m_requests; }
    int requestCount() const { return int(m_requests.size()); }

    void reply(int index, const Reply &reply)
    {
        Exchange &ex = m_exchanges[index];
        ex.chunked = reply.chunked;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' '
                          + reason(reply.status) + "\r\nConnection: close\r\n"
                          + "Content-Type: application/octet-stream\r\n";
        if (reply.chunked) {
            head += "Transfer-Encoding: chunked\r\n";
        } else if (reply.complete) {
            qsizetype length = 0;
            for (const QByteArray &c : reply.chunks)
                length += c.size();
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        write(ex, head + "\r\n");
        for (const QByteArray &c : reply.chunks)
            sendChunk(index, c);
        if (reply.complete)
            endReply(index);
    }

    void sendChunk(int index, const QByteArray &data)
    {
        Exchange &ex = m_exchanges[index];
        if (data.isEmpty())
            return;
        if (ex.chunked)
            write(ex, QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n");
        else
            write(ex, data);
    }

    void endReply(int index)
    {
        Exchange &ex = m_exchanges[index];
        if (ex.chunked)
            write(ex, "0\r\n\r\n");
        if (ex.socket)
            ex.socket->disconnectFromHost();
    }

    // Drops the connection without finishing the reply.
    void drop(int index)
    {
        Exchange &ex = m_exchanges[index];
        if (ex.socket)
            ex.socket->abort();
    }

    // True once the client closed (or aborted) the connection of that request.
    bool isClosed(int index) const
    {
        const Exchange &ex = m_exchanges.at(index);
        return !ex.socket || ex.socket->state() == QAbstractSocket::UnconnectedState;
    }

Q_SIGNALS:
    void requestReceived(int index);

private:
    struct Exchange
    {
        QPointer<QTcpSocket> socket;
        bool chunked = true;
    };

    static QByteArray reason(int status)
    {
        switch (status) {
        case 200: return "OK";
        case 400: return "Bad Request";
        case 401: return "Unauthorized";
        case 404: return "Not Found";
        case 422: return "Unprocessable Entity";
        case 500: return "Internal Server Error";
        default: return "Status";
        }
    }

    static void write(Exchange &ex, const QByteArray &bytes)
    {
        if (ex.socket && ex.socket->state() == QAbstractSocket::ConnectedState) {
            ex.socket->write(bytes);
            ex.socket->flush();
        }
    }

    void acceptConnections()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            auto *buffer = new QByteArray;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
                buffer->append(socket->readAll());
                tryParse(socket, buffer);
            });
            connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
                delete buffer;
                socket->deleteLater();
            });
        }
    }

    void tryParse(QTcpSocket *socket, QByteArray *buffer)
    {
        if (socket->property("answered").toBool())
            return;
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer->left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                       lines.at(i).mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (buffer->size() < end + 4 + length)
            return;
        request.body = buffer->mid(end + 4, length);
        socket->setProperty("answered", true);

        const int index = int(m_requests.size());
        m_requests.append(request);
        m_exchanges.append(Exchange{ socket, true });
        if (!m_queue.isEmpty())
            reply(index, m_queue.takeFirst());
        emit requestReceived(index);
    }

    QTcpServer m_server;
    QList<Reply> m_queue;
    QList<Request> m_requests;
    QList<Exchange> m_exchanges;
};
