#pragma once

#include <string>

namespace httplib {
class Server;
}

namespace PennovaServer {

struct ServiceContext;

// Web host "/tessel/": user-name and e-mail checks and registration.
class RegistrationRoutes
{
public:
    static constexpr std::size_t MaxEmailBytes = 100;

    explicit RegistrationRoutes(ServiceContext &context); // borrowed
    void install(httplib::Server &server);

    // The registration window's rules.
    static bool validUserName(const std::string &name);
    static bool validEmail(const std::string &email);

private:
    ServiceContext &m_context;
};

} // namespace PennovaServer
