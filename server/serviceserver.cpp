#include "serviceserver.h"

#include "accountroutes.h"
#include "checkroutes.h"
#include "englishchecker.h"
#include "httpreplies.h"
#include "loginthrottle.h"
#include "pageroutes.h"
#include "registrationroutes.h"
#include "servicecontext.h"
#include "serverstorage.h"
#include "signinroutes.h"
#include "userdataroutes.h"
#include "userpageroutes.h"
#include "versionroutes.h"
#include "wordbudget.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdio>

namespace PennovaServer {

ServiceServer::ServiceServer(ServerOptions options, SessionStore::Clock clock)
    : m_options(std::move(options))
    , m_storage(std::make_unique<ServerStorage>(m_options, std::move(clock)))
    , m_checker(std::make_unique<PennovaChecker::EnglishChecker>(m_options.checkerDataDir, m_options.hunspellDir))
    , m_budget(std::make_unique<WordBudget>(m_options.maxWordsPerMinute))
    , m_throttle(std::make_unique<LoginThrottle>(m_options.maxLoginFailures, m_options.loginFailureWindowSeconds))
    , m_http(std::make_unique<httplib::Server>())
{
    m_context.reset(new ServiceContext{m_options, m_storage->accounts(), m_storage->sessions(), m_storage->words(),
                                       m_storage->usage(), *m_budget, *m_throttle, *m_checker});
    m_accountRoutes = std::make_unique<AccountRoutes>(*m_context);
    m_registrationRoutes = std::make_unique<RegistrationRoutes>(*m_context);
    m_userDataRoutes = std::make_unique<UserDataRoutes>(*m_context);
    m_checkRoutes = std::make_unique<CheckRoutes>(*m_context);
    m_pageRoutes = std::make_unique<PageRoutes>(*m_context);
    m_userPageRoutes = std::make_unique<UserPageRoutes>(*m_context, m_storage->feedback());
    m_signInRoutes = std::make_unique<SignInRoutes>(*m_context);
    m_versionRoutes = std::make_unique<VersionRoutes>(*m_context);

    httplib::Server &http = *m_http;
    const int threads = m_options.threads > 0 ? m_options.threads : 1;
    http.new_task_queue = [threads] { return new httplib::ThreadPool(std::size_t(threads)); };
    http.set_payload_max_length(m_options.maxBodyBytes);
    http.set_read_timeout(15, 0);
    http.set_write_timeout(30, 0);
    http.set_keep_alive_timeout(5);
    http.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        HttpReplies::text(res, 500, "SystemError||");
    });
    if (m_options.logRequests) {
        http.set_logger([](const httplib::Request &req, const httplib::Response &res) {
            // Paths only: queries and bodies may hold session keys.
            std::fprintf(stderr, "%s %s %d\n", req.method.c_str(), req.path.c_str(), res.status);
        });
    }
    m_accountRoutes->install(http);
    m_registrationRoutes->install(http);
    m_userDataRoutes->install(http);
    m_checkRoutes->install(http);
    m_signInRoutes->install(http);
    m_versionRoutes->install(http);
    m_userPageRoutes->install(http);
    m_pageRoutes->install(http); // last: it installs the error page
}

ServiceServer::~ServiceServer()
{
    stop();
}

int ServiceServer::bind()
{
    if (m_options.port == 0)
        m_port = m_http->bind_to_any_port(m_options.host);
    else
        m_port = m_http->bind_to_port(m_options.host, m_options.port) ? m_options.port : -1;
    if (m_port > 0)
        widenBacklog(m_port);
    return m_port;
}

void ServiceServer::widenBacklog(int port)
{
    // The HTTP library listens with a backlog of 5: a class that starts at once overflows
    // it and connections are reset. Listening again on the same socket raises the limit.
    for (int fd = 0; fd < 1024; ++fd) {
        int accepting = 0;
        socklen_t size = sizeof accepting;
        if (::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &accepting, &size) != 0 || !accepting)
            continue;
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            continue;
        int bound = -1;
        if (address.ss_family == AF_INET)
            bound = ntohs(reinterpret_cast<sockaddr_in *>(&address)->sin_port);
        else if (address.ss_family == AF_INET6)
            bound = ntohs(reinterpret_cast<sockaddr_in6 *>(&address)->sin6_port);
        if (bound == port)
            ::listen(fd, SOMAXCONN);
    }
}

bool ServiceServer::run()
{
    if (m_port < 0)
        return false;
    return m_http->listen_after_bind();
}

void ServiceServer::stop()
{
    if (m_http)
        m_http->stop();
}

bool ServiceServer::isRunning() const
{
    return m_http && m_http->is_running();
}

std::string ServiceServer::address() const
{
    return m_options.host + ":" + std::to_string(m_port);
}

} // namespace PennovaServer
