#include "holdinghttpserver.h"

HoldingHttpServer::HoldingHttpServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    });
}

bool HoldingHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

void HoldingHttpServer::readRequest(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const int headerEnd = int(buffer.indexOf("\r\n\r\n"));
    if (headerEnd < 0)
        return;
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    m_requests.append({socket, requestLine.value(1)});
    m_buffers.remove(socket);
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    emit requestArrived();
}

void HoldingHttpServer::respond(int index, const QByteArray &body)
{
    QTcpSocket *socket = m_requests.at(index).socket;
    if (!socket)
        return;
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                  + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
