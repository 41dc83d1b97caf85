#include "dictionaryroutes.h"

#include "dictionarypages.h"
#include "httpreplies.h"
#include "servicecontext.h"

#include <httplib.h>

namespace PennovaServer {

using PennovaDictionary::DictionaryPages;

DictionaryRoutes::DictionaryRoutes(ServiceContext &context)
{
    const DictionaryPages::Paths paths = DictionaryPages::defaultPaths(context.options.dataDir);
    const std::launch policy = context.options.loadDataAtStart ? std::launch::async : std::launch::deferred;
    m_pages = std::async(policy, [paths] { return std::make_shared<DictionaryPages>(paths); }).share();
}

DictionaryRoutes::~DictionaryRoutes() = default;

void DictionaryRoutes::leaveDataToExit(std::vector<std::shared_ptr<const void>> &kept) const
{
    if (!m_pages.valid() || m_pages.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    try {
        kept.push_back(m_pages.get());
    } catch (const std::exception &) {
        // It failed to load: nothing to leave.
    }
}

std::unique_ptr<DictionaryRoutes> DictionaryRoutes::install(httplib::Server &server, ServiceContext &context)
{
    auto routes = std::make_unique<DictionaryRoutes>(context);
    const DictionaryRoutes *self = routes.get();
    server.Get("/tessel/find", [self](const httplib::Request &req, httplib::Response &res) {
        HttpReplies::html(res, 200, self->pages().findPage(req.get_param_value("content")));
    });
    server.Get("/tessel/translate", [self](const httplib::Request &req, httplib::Response &res) {
        HttpReplies::html(res, 200, self->pages().translatePage(req.get_param_value("content")));
    });
    server.Get("/tessel/search", [](const httplib::Request &req, httplib::Response &res) {
        res.set_redirect(DictionaryPages::searchTarget(req.get_param_value("content"), req.get_param_value("d")), 302);
    });
    server.Get(R"(/tessel/audio/([a-z~_-]{1,40})\.mp3)", [self](const httplib::Request &req, httplib::Response &res) {
        std::string word = req.matches[1];
        for (char &c : word)
            c = c == '_' ? ' ' : c == '~' ? '\'' : c;
        const std::string data = self->pages().pronunciation(word);
        if (data.empty())
            return HttpReplies::refuse(res, 404, "no pronunciation");
        res.status = 200;
        res.set_header("Cache-Control", "max-age=86400");
        res.set_content(data, "audio/mpeg");
    });
    return routes;
}

} // namespace PennovaServer
