#pragma once

#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaServer {

struct ServiceContext;

// Web pages of the product site and the account host: home, download, forgot-password,
// information pages, the word-list page, the advertisement pictures, the explanation
// look-ups on "/" and the social sign-in pages.
class PageRoutes
{
public:
    explicit PageRoutes(ServiceContext &context); // borrowed
    void install(httplib::Server &server);

private:
    void root(const httplib::Request &req, httplib::Response &res);
    void image(const std::string &name, httplib::Response &res);
    void wordListPage(const httplib::Request &req, httplib::Response &res);

    ServiceContext &m_context;
};

} // namespace PennovaServer
