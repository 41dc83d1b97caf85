#pragma once

#include <string>

namespace httplib {
class Server;
}

namespace PennovaServer {

struct ServiceContext;

// Account host: login, logout, session activation and the service test page.
class AccountRoutes
{
public:
    explicit AccountRoutes(ServiceContext &context); // borrowed
    void install(httplib::Server &server);

    // The "Success" reply of a login: session key, then the account's name and e-mail
    // each followed by ";". Shared with the social sign-in pages.
    static std::string loginSecondPart(const std::string &name, const std::string &email);

private:
    ServiceContext &m_context;
};

} // namespace PennovaServer
