#include "templateroutes.h"

#include "httpreplies.h"
#include "servicecontext.h"
#include "templatelibrary.h"

#include "shippeddata.h"

#include <httplib.h>

#include <chrono>
#include <cstdlib>

namespace PennovaServer {

namespace {
// The "catid" query value; 0 when missing or not a plain decimal number.
int catId(const httplib::Request &req)
{
    const std::string value = req.get_param_value("catid");
    if (value.empty() || value.size() > 9 || value.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::atoi(value.c_str());
}

void json(httplib::Response &res, const std::string &body)
{
    res.status = 200;
    res.set_content(body, "application/json; charset=utf-8");
}
} // namespace

TemplateRoutes::TemplateRoutes(ServiceContext &context)
    : m_context(context)
{
    const ServerOptions &options = m_context.options;
    const std::string folder = options.dataDir + "/templates";
    const std::string shipped = options.templateSeedDir.empty() ? PennovaChecker::ShippedData::folder(PennovaChecker::ShippedData::Templates)
                                                                 : options.templateSeedDir;
    PennovaTemplates::TemplateLibrary::seed(folder, shipped);
    m_library = std::make_unique<PennovaTemplates::TemplateLibrary>(
        folder, std::chrono::milliseconds(options.templateReloadMs));
}

TemplateRoutes::~TemplateRoutes() = default;

void TemplateRoutes::install(httplib::Server &server)
{
    server.Get("/tesseltemplate/gettreeall", [this](const httplib::Request &req, httplib::Response &res) { catalog(req, res); });
    server.Get("/tesseltemplate/gethigh", [this](const httplib::Request &req, httplib::Response &res) { high(req, res); });
    server.Get("/tesseltemplate/getlow", [this](const httplib::Request &req, httplib::Response &res) { low(req, res); });
    // The library mounts only a folder that exists; seeding made it.
    server.set_mount_point("/tesseltemplate/files", m_library->filesFolder());
}

void TemplateRoutes::catalog(const httplib::Request &, httplib::Response &res)
{
    m_library->refresh();
    json(res, m_library->catalogJson());
}

void TemplateRoutes::high(const httplib::Request &req, httplib::Response &res)
{
    m_library->refresh();
    std::string body;
    if (!m_library->highJson(catId(req), &body))
        return HttpReplies::refuse(res, 404, "no such template");
    json(res, body);
}

void TemplateRoutes::low(const httplib::Request &req, httplib::Response &res)
{
    m_library->refresh();
    const std::string host = req.get_header_value("Host");
    std::string body;
    if (host.empty() || host.find_first_of("/\\\"' ") != std::string::npos)
        return HttpReplies::refuse(res, 400, "no host");
    if (!m_library->lowJson(catId(req), "http://" + host + "/tesseltemplate/files/", &body))
        return HttpReplies::refuse(res, 404, "no such template");
    json(res, body);
}

} // namespace PennovaServer
