#include "scriptedhttpserver.h"

#include <QHostAddress>

ScriptedHttpServer::ScriptedHttpServer(QObject *parent)
    : ScriptedHttpServer(AnswerAtOnce, parent)
{
}

ScriptedHttpServer::ScriptedHttpServer(Answering answering, QObject *parent)
    : QObject(parent)
    , m_answering(answering)
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

QString ScriptedHttpServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

QString ScriptedHttpServer::refusingHost()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

void ScriptedHttpServer::setReply(const QByteArray &path, const QByteArray &body, int status,
                                  const QByteArray &contentType)
{
    m_replies.insert(path, {body, status, contentType});
}

void ScriptedHttpServer::setDefaultReply(const QByteArray &body, int status)
{
    m_default = {body, status, "text/plain"};
}

void ScriptedHttpServer::setHeld(const QByteArray &path, bool held)
{
    m_held.insert(path, held);
}

void ScriptedHttpServer::release(const QByteArray &path)
{
    const QList<int> waiting = m_waiting;
    for (int index : waiting) {
        if (m_requests.at(index).path == path)
            write(index, m_replies.value(path, m_default));
    }
}

void ScriptedHttpServer::answerHeld(const QByteArray &path, const QByteArray &body)
{
    for (int index : std::as_const(m_waiting)) {
        if (m_requests.at(index).path == path)
            return write(index, {body, 200, "text/plain"});
    }
}

void ScriptedHttpServer::respond(int index, const QByteArray &body)
{
    write(index, {body, 200, "text/html; charset=utf-8"});
}

int ScriptedHttpServer::count(const QByteArray &path) const
{
    int n = 0;
    for (const Request &request : m_requests)
        n += request.path == path ? 1 : 0;
    return n;
}

QList<QByteArray> ScriptedHttpServer::bodies(const QByteArray &path) const
{
    QList<QByteArray> found;
    for (const Request &request : m_requests) {
        if (request.path == path)
            found << request.body;
    }
    return found;
}

void ScriptedHttpServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const int headerEnd = int(buffer.indexOf("\r\n\r\n"));
    if (headerEnd < 0)
        return;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    Request request;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = int(lines[i].indexOf(':'));
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    const int length = request.headers.value("content-length").toInt();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    buffer.remove(0, headerEnd + 4 + length);
    const int index = int(m_requests.size());
    m_requests.append(request);
    m_sockets.append(QPointer<QTcpSocket>(socket));
    m_waiting.append(index);
    if (m_answering == AnswerAtOnce && !m_held.value(request.path))
        write(index, m_replies.value(request.path, m_default));
    Q_EMIT requestReceived(request.path);
}

void ScriptedHttpServer::write(int index, const Reply &reply)
{
    if (!m_waiting.removeOne(index))
        return;
    QTcpSocket *socket = m_sockets.at(index);
    if (!socket)
        return;
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n";
    out += "Content-Type: " + reply.contentType
           + "\r\nContent-Length: " + QByteArray::number(reply.body.size())
           + "\r\nConnection: close\r\n\r\n" + reply.body;
    socket->write(out);
    socket->disconnectFromHost();
}
