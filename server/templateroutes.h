#pragma once

#include <memory>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaTemplates {
class TemplateLibrary;
}

namespace PennovaServer {

struct ServiceContext;

// Template host "/tesseltemplate/": the catalog ("gettreeall"), detailed ("gethigh")
// and simple ("getlow") templates from DATA/templates/*.tpl, seeded on first start
// from the templates that ship with the server, and the simple templates' Word
// documents and cover pictures under "/tesseltemplate/files/".
class TemplateRoutes
{
public:
    explicit TemplateRoutes(ServiceContext &context); // borrowed
    ~TemplateRoutes();
    void install(httplib::Server &server);

    PennovaTemplates::TemplateLibrary &library() { return *m_library; }

private:
    void catalog(const httplib::Request &req, httplib::Response &res);
    void high(const httplib::Request &req, httplib::Response &res);
    void low(const httplib::Request &req, httplib::Response &res);

    ServiceContext &m_context;
    std::unique_ptr<PennovaTemplates::TemplateLibrary> m_library;
};

} // namespace PennovaServer
