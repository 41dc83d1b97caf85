#include "templatehttpserver.h"

#include "templatefile.h"
#include "templatelibrary.h"

#include <pennovapaths.h>

#include <QFile>

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
const QString Shipped = QStringLiteral(PENNOVA_SOURCE_DIR "/server/templates/data/");
} // namespace

TemplateHttpServer::TemplateHttpServer(QObject *parent)
    : ScriptedHttpServer(parent)
{
    setDefaultReply("not found", 404);
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
