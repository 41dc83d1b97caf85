#include "templatehttpserver.h"

#include "templatefile.h"
#include "templatelibrary.h"

#include <pennovapaths.h>

#include <QFile>
#include <QTcpSocket>

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
const QString Shipped = QStringLiteral(PENNOVA_SOURCE_DIR "/server/templates/data/");
} // namespace

TemplateHttpServer::TemplateHttpServer(QObject *parent)
    : QObject(parent)
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString TemplateHttpServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

bool TemplateHttpServer::serveShipped(const QString &fileName)
{
    const QByteArray text = readFile(Shipped + fileName);
    const auto result = PennovaTemplates::TemplateFileParser::parse(text.toStdString());
    if (!result.ok)
        return false;
    const auto &t = result.file;
    const QByteArray id = QByteArray::number(t.id);
    if (t.kind == PennovaTemplates::TemplateFile::Kind::High) {
        setReply("/tesseltemplate/gethigh?catid=" + id, QByteArray::fromStdString(PennovaTemplates::TemplateLibrary::highJson(t)));
    } else {
        const std::string base = "http://" + host().toStdString() + "/files/";
        setReply("/tesseltemplate/getlow?catid=" + id, QByteArray::fromStdString(PennovaTemplates::TemplateLibrary::lowJson(t, base)));
        for (const auto &doc : t.documents) {
            setReply("/files/" + QByteArray::fromStdString(doc.file), readFile(Shipped + "files/" + QString::fromStdString(doc.file)));
            setReply("/files/" + QByteArray::fromStdString(doc.cover), readFile(Shipped + "files/" + QString::fromStdString(doc.cover)));
        }
    }
    m_served.append(text);
    std::vector<PennovaTemplates::TemplateFile> all;
    for (const QByteArray &served : std::as_const(m_served))
        all.push_back(PennovaTemplates::TemplateFileParser::parse(served.toStdString()).file);
    setReply("/tesseltemplate/gettreeall", QByteArray::fromStdString(PennovaTemplates::TemplateLibrary::catalogJson(all)));
    return true;
}

void TemplateHttpServer::answer(QTcpSocket *socket)
{
    const QByteArray request = socket->peek(8192);
    if (!request.contains("\r\n\r\n"))
        return;
    socket->readAll();
    const QByteArray path = request.split(' ').value(1);
    ++m_counts[path];
    const bool found = m_replies.contains(path);
    const QByteArray body = m_replies.value(path, "not found");
    socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") + QByteArray("Content-Length: ")
                  + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
