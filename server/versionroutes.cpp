#include "versionroutes.h"

#include "formbody.h"
#include "httpreplies.h"
#include "jsontext.h"
#include "postroute.h"
#include "servicecontext.h"

#include <httplib.h>
#include <json/json.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <memory>
#include <optional>

namespace PennovaServer {

namespace {
constexpr qint64 MaxVersionFileBytes = 1024 * 1024;

struct Published
{
    long long versionId = 0;
    long long lowestVersionId = 0;
    std::string version;
    std::string notes;
    Json::Value files;
};

bool plainField(const std::string &text)
{
    return text.find_first_of("|;\r\n") == std::string::npos;
}

// The version file, or nothing when it is missing or not of the expected shape.
std::optional<Published> readPublished(const std::string &dataDir)
{
    QFile file(QString::fromStdString(dataDir + "/" + VersionRoutes::FileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxVersionFileBytes)
        return std::nullopt;
    const QByteArray data = file.readAll();
    Json::Value root;
    if (!JsonText::parse(data.constData(), data.constData() + data.size(), &root) || !root.isObject()
        || !root["versionId"].isInt() || !root["lowestVersionId"].isInt())
        return std::nullopt;
    Published published;
    published.versionId = root["versionId"].asInt();
    published.lowestVersionId = root["lowestVersionId"].asInt();
    published.version = root["version"].asString();
    published.notes = root["notes"].asString();
    published.files = root["files"];
    if (!plainField(published.version) || (!published.files.isNull() && !published.files.isArray()))
        return std::nullopt;
    return published;
}
} // namespace

VersionRoutes::VersionRoutes(ServiceContext &context)
    : m_context(context)
{
}

void VersionRoutes::ensureVersionFile(const std::string &dataDir)
{
    const QString path = QString::fromStdString(dataDir + "/" + FileName);
    if (QFile::exists(path))
        return;
    Json::Value root(Json::objectValue);
    root["version"] = "0.9.2.0";
    root["versionId"] = 920;
    root["lowestVersionId"] = 920;
    root["notes"] = "<p>Pennova 0.9.2.0</p><ul><li>拼写、语法和文体检查</li><li>润色建议与写作模板</li></ul>";
    Json::Value file(Json::objectValue);
    file["name"] = "Pennova";
    file["version"] = 920;
    file["url"] = "/update/Pennova";
    file["folder"] = "";
    root["files"].append(file);
    Json::StreamWriterBuilder builder;
    builder["emitUTF8"] = true;
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(QByteArray::fromStdString(Json::writeString(builder, root) + "\n"));
        out.commit();
    }
}

void VersionRoutes::install(httplib::Server &server)
{
    server.Get("/GetTesselFileList.ashx", [this](const httplib::Request &req, httplib::Response &res) { latest(req, res); });
    PostRoute::add(server, "/GetTesselFileList.ashx", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) { fileList(req, res); });
    // The library mounts only a folder that exists.
    const std::string updates = m_context.options.dataDir + "/update";
    QDir().mkpath(QString::fromStdString(updates));
    server.set_mount_point("/update", updates);
}

void VersionRoutes::latest(const httplib::Request &, httplib::Response &res)
{
    const auto published = readPublished(m_context.options.dataDir);
    if (!published)
        return HttpReplies::refuse(res, 503, "no version published");
    // Parts: newest id | version text | release notes | (unused) | lowest usable id.
    std::string notes = published->notes;
    for (std::size_t at = notes.find('|'); at != std::string::npos; at = notes.find('|', at))
        notes.replace(at, 1, "&#124;");
    HttpReplies::text(res, 200, std::to_string(published->versionId) + "|" + published->version + "|" + notes + "||"
                                    + std::to_string(published->lowestVersionId));
}

void VersionRoutes::fileList(const httplib::Request &req, httplib::Response &res)
{
    const auto form = req.body.size() <= m_context.options.maxFormBytes ? FormBody::parse(req.body) : std::nullopt;
    if (!form || !form->has("version"))
        return HttpReplies::refuse(res, 400, "malformed form");
    const auto published = readPublished(m_context.options.dataDir);
    if (!published)
        return HttpReplies::refuse(res, 503, "no version published");
    // Only the newest version's files are kept; an older id gets an empty list.
    if (form->value("version") != std::to_string(published->versionId))
        return HttpReplies::text(res, 200, "");
    const std::string host = req.get_header_value("Host");
    std::string body;
    for (const Json::Value &file : published->files) {
        if (!file.isObject() || !file["name"].isString() || !file["version"].isInt() || !file["url"].isString())
            continue;
        const std::string name = file["name"].asString();
        const std::string folder = file["folder"].asString();
        std::string url = file["url"].asString();
        if (!url.empty() && url[0] == '/' && !host.empty())
            url = "http://" + host + url;
        if (name.empty() || !plainField(name) || !plainField(folder) || !plainField(url))
            continue;
        if (!body.empty())
            body += ';';
        body += name + "|" + std::to_string(file["version"].asInt()) + "|" + url + "|" + folder;
    }
    HttpReplies::text(res, 200, body);
}

} // namespace PennovaServer
