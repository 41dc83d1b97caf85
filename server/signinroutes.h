#pragma once

#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaServer {

struct ServiceContext;

// The Sina Weibo and QQ sign-in pages. This server cannot reach either network, so the
// page signs in a local account under the provider's name ("sina_" or "qq_" + a nick
// name), created with its password on first use, and ends on the page whose text is the
// three-part login reply.
class SignInRoutes
{
public:
    explicit SignInRoutes(ServiceContext &context); // borrowed
    void install(httplib::Server &server);

    // Nick names: 2 to 16 letters (any script), digits or "_".
    static bool validNick(const std::string &nick);

private:
    struct Provider
    {
        const char *id;        // "sina", "qq"
        const char *title;     // shown on the page
        const char *startPath; // "/LoginBySina.ashx"
        const char *endPath;   // "/loginedbysina.ashx"
    };

    void form(const Provider &provider, const httplib::Request &req, httplib::Response &res);
    void finish(const Provider &provider, const httplib::Request &req, httplib::Response &res);

    ServiceContext &m_context;
};

} // namespace PennovaServer
