#include "serviceserver.h"

#include "accountroutes.h"
#include "checkroutes.h"
#include "dictionaryroutes.h"
#include "englishchecker.h"
#include "failurelog.h"
#include "helproutes.h"
#include "httplistener.h"
#include "httpreplies.h"
#include "loginthrottle.h"
#include "pageroutes.h"
#include "passwordhasher.h"
#include "ratelimiter.h"
#include "registrationroutes.h"
#include "servicecontext.h"
#include "serverstorage.h"
#include "signinroutes.h"
#include "templateroutes.h"
#include "userdataroutes.h"
#include "userpageroutes.h"
#include "versionroutes.h"
#include "wordbudget.h"

#include <httplib.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace PennovaServer {

namespace {
HttpListener::Limits listenerLimits(const ServerOptions &options)
{
    HttpListener::Limits limits;
    limits.threads = std::max(1, options.threads);
    limits.backlog = std::max(16, options.listenBacklog);
    limits.headerTimeoutMs = options.headerTimeoutMs;
    limits.bodyTimeoutMs = options.bodyTimeoutMs;
    limits.bodyGraceMs = options.bodyGraceMs;
    limits.minBodyBytesPerSecond = options.minBodyBytesPerSecond;
    limits.keepAliveMs = options.keepAliveMs;
    limits.maxQueuedConnections = std::max(1, options.maxQueuedConnections);
    limits.retryAfterSeconds = std::max(1, options.retryAfterSeconds);
    limits.maxBodyBytes = options.maxBodyBytes;
    return limits;
}
} // namespace

ServiceServer::ServiceServer(ServerOptions options, SessionStore::Clock clock, CheckerLoader loadChecker)
    : m_options(std::move(options))
    , m_storage(std::make_unique<ServerStorage>(m_options, std::move(clock)))
    , m_loadChecker(std::move(loadChecker))
    , m_budget(std::make_unique<WordBudget>(m_storage->database(), m_options.maxWordsPerMinute))
    , m_throttle(std::make_unique<LoginThrottle>(m_storage->database(), m_options.maxLoginFailures,
                                                 m_options.loginFailureWindowSeconds))
    , m_registrations(std::make_unique<RateLimiter>(m_storage->database(), "registrations",
                                                    m_options.registrationsPerHour, 3600))
    , m_http(std::make_unique<HttpListener>(listenerLimits(m_options)))
{
    if (m_options.loadDataAtStart)
        checker();
    m_context.reset(new ServiceContext{m_options, m_storage->accounts(), m_storage->sessions(), m_storage->words(),
                                       m_storage->usage(), *m_budget, *m_throttle, *m_registrations,
                                       [this]() -> const PennovaChecker::EnglishChecker & { return checker(); }});
    m_accountRoutes = std::make_unique<AccountRoutes>(*m_context);
    m_registrationRoutes = std::make_unique<RegistrationRoutes>(*m_context);
    m_userDataRoutes = std::make_unique<UserDataRoutes>(*m_context);
    m_checkRoutes = std::make_unique<CheckRoutes>(*m_context);
    m_pageRoutes = std::make_unique<PageRoutes>(*m_context);
    m_userPageRoutes = std::make_unique<UserPageRoutes>(*m_context, m_storage->feedback(), m_storage->pageTokens());
    m_signInRoutes = std::make_unique<SignInRoutes>(*m_context);
    m_versionRoutes = std::make_unique<VersionRoutes>(*m_context);
    m_templateRoutes = std::make_unique<TemplateRoutes>(*m_context);

    httplib::Server &http = *m_http;
    http.set_payload_max_length(m_options.maxBodyBytes);
    // Several ranges of one reply multiply it (a picture asked for in thousands of
    // overlapping pieces); one range is all a client needs.
    http.set_pre_routing_handler([](const httplib::Request &req, httplib::Response &res) {
        FailureLog::identify(res);
        if (req.ranges.size() <= 1)
            return httplib::Server::HandlerResponse::Unhandled;
        res.status = 416; // no body: the library would cut it into the ranges asked for
        return httplib::Server::HandlerResponse::Handled;
    });
    const int retryAfter = std::max(1, m_options.retryAfterSeconds);
    http.set_exception_handler([retryAfter](const httplib::Request &req, httplib::Response &res, std::exception_ptr failure) {
        std::string cause = "unknown exception";
        try {
            if (failure)
                std::rethrow_exception(failure);
        } catch (const PasswordHasher::Busy &) {
            return HttpReplies::busy(res, retryAfter); // no failure: try again soon
        } catch (const std::exception &e) {
            cause = e.what();
        } catch (...) {
        }
        FailureLog::failure(req, res, cause);
        HttpReplies::text(res, 500, "SystemError||");
    });
    if (m_options.logRequests) {
        http.set_logger([](const httplib::Request &req, const httplib::Response &res) {
            // Paths only: queries and bodies may hold session keys.
            const std::string id = res.get_header_value(FailureLog::IdHeader);
            std::fprintf(stderr, "%s %s %d %s\n", req.method.c_str(), req.path.c_str(), res.status, id.c_str());
        });
    }
    m_accountRoutes->install(http);
    m_registrationRoutes->install(http);
    m_userDataRoutes->install(http);
    m_checkRoutes->install(http);
    m_signInRoutes->install(http);
    m_versionRoutes->install(http);
    m_templateRoutes->install(http);
    m_dictionaryRoutes = DictionaryRoutes::install(http, *m_context);
    m_userPageRoutes->install(http);
    HelpRoutes().install(http);
    m_pageRoutes->install(http); // last: it installs the error page
}

ServiceServer::~ServiceServer()
{
    stop();
}

const PennovaChecker::EnglishChecker &ServiceServer::checker()
{
    std::call_once(m_checkerLoaded, [this] {
        if (m_loadChecker)
            m_checker = m_loadChecker();
        else
            m_checker = std::make_shared<const PennovaChecker::EnglishChecker>(m_options.checkerDataDir,
                                                                              m_options.hunspellDir);
    });
    return *m_checker;
}

void ServiceServer::leaveDataToExit()
{
    // Reachable from here, so leak checkers do not count it.
    static auto *const left = new std::vector<std::shared_ptr<const void>>;
    if (m_checker)
        left->push_back(std::move(m_checker));
    if (m_dictionaryRoutes)
        m_dictionaryRoutes->leaveDataToExit(*left);
}

int ServiceServer::bind()
{
    if (m_options.port == 0)
        m_port = m_http->bind_to_any_port(m_options.host);
    else
        m_port = m_http->bind_to_port(m_options.host, m_options.port) ? m_options.port : -1;
    if (m_port >= 0)
        m_http->raiseBacklog();
    return m_port;
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
