#include "versionroutes.h"

#include "formbody.h"
#include "httpreplies.h"
#include "postroute.h"
#include "releasestore.h"
#include "servicecontext.h"

#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QUrl>

#include <memory>

namespace PennovaServer {

namespace {
// The service's own address for download URLs: the configured public URL, else the
// local end of the connection (never the client's Host header).
std::string publicBase(const ServerOptions &options, const httplib::Request &req)
{
    if (!options.publicUrl.empty())
        return options.publicUrl.back() == '/' ? options.publicUrl.substr(0, options.publicUrl.size() - 1)
                                               : options.publicUrl;
    if (req.local_addr.empty() || req.local_port <= 0)
        return {};
    const bool v6 = req.local_addr.find(':') != std::string::npos;
    return "http://" + (v6 ? "[" + req.local_addr + "]" : req.local_addr) + ":" + std::to_string(req.local_port);
}

// The file below `root` that `relative` names, or empty when the name is unsafe: a NUL
// or other control character, a backslash, an empty, "." or ".." part, or a path that
// leaves `root` through a link.
QString safeFile(const QString &root, const std::string &relative)
{
    if (relative.empty() || relative.find('\0') != std::string::npos)
        return {};
    const QString path = QString::fromUtf8(relative.data(), qsizetype(relative.size()));
    for (const QString &part : path.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return {};
        for (QChar ch : part) {
            if (ch.unicode() < 0x20 || ch == QLatin1Char('\\'))
                return {};
        }
    }
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    const QFileInfo info(root + QLatin1Char('/') + path);
    const QString canonical = info.canonicalFilePath();
    if (canonicalRoot.isEmpty() || !info.isFile() || !canonical.startsWith(canonicalRoot + QLatin1Char('/')))
        return {};
    return canonical;
}
} // namespace

VersionRoutes::VersionRoutes(ServiceContext &context)
    : m_context(context)
{
}

void VersionRoutes::install(httplib::Server &server)
{
    server.Get("/GetTesselFileList.ashx", [this](const httplib::Request &req, httplib::Response &res) { latest(req, res); });
    PostRoute::add(server, "/GetTesselFileList.ashx", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) { fileList(req, res); });
    server.Get("/update/(.*)", [this](const httplib::Request &req, httplib::Response &res) { updateFile(req, res); });
}

void VersionRoutes::latest(const httplib::Request &, httplib::Response &res)
{
    const ReleaseStore store(QString::fromStdString(m_context.options.dataDir));
    const auto release = store.latest();
    if (!release)
        return HttpReplies::text(res, 200, "0||||0");
    std::string notes = release->notes.toStdString();
    for (std::size_t at = notes.find('|'); at != std::string::npos; at = notes.find('|', at))
        notes.replace(at, 1, "&#124;");
    std::string version = release->version.toStdString();
    if (version.find_first_of("|;\r\n") != std::string::npos)
        version.clear();
    HttpReplies::text(res, 200, std::to_string(release->versionId) + "|" + version + "|" + notes + "|"
                                    + release->signature.toStdString() + "|" + std::to_string(release->lowestVersionId));
}

void VersionRoutes::fileList(const httplib::Request &req, httplib::Response &res)
{
    const auto form = req.body.size() <= m_context.options.maxFormBytes ? FormBody::parse(req.body) : std::nullopt;
    if (!form || !form->has("version"))
        return HttpReplies::refuse(res, 400, "malformed form");
    const ReleaseStore store(QString::fromStdString(m_context.options.dataDir));
    const auto release = store.latest();
    // Only the newest version's list is served; any other id gets an empty list.
    if (!release || form->value("version") != std::to_string(release->versionId))
        return HttpReplies::text(res, 200, "");
    const QString base = QString::fromStdString(publicBase(m_context.options, req));
    QStringList entries;
    for (ZeltraLib::UpdateFileEntry entry : release->files) {
        entry.url = base + QString::fromLatin1(QUrl::toPercentEncoding(entry.url, "/"));
        entries.append(entry.toText());
    }
    HttpReplies::text(res, 200, entries.join(QLatin1Char(';')).toStdString());
}

void VersionRoutes::updateFile(const httplib::Request &req, httplib::Response &res)
{
    const ReleaseStore store(QString::fromStdString(m_context.options.dataDir));
    const QString path = safeFile(store.updateDir(), req.matches.size() > 1 ? req.matches[1].str() : std::string());
    auto file = std::make_shared<QFile>(path);
    if (path.isEmpty() || !file->open(QIODevice::ReadOnly))
        return HttpReplies::refuse(res, 404, "no such file");
    res.status = 200;
    res.set_content_provider(std::size_t(file->size()), "application/octet-stream",
                             [file](std::size_t offset, std::size_t length, httplib::DataSink &sink) {
                                 QByteArray chunk(qsizetype(std::min<std::size_t>(length, 64 * 1024)), Qt::Uninitialized);
                                 if (!file->seek(qint64(offset)))
                                     return false;
                                 const qint64 read = file->read(chunk.data(), chunk.size());
                                 return read > 0 && sink.write(chunk.constData(), std::size_t(read));
                             });
}

} // namespace PennovaServer
