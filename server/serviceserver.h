#pragma once

#include "serveroptions.h"
#include "sessionstore.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace PennovaChecker {
class EnglishChecker;
}

namespace PennovaServer {

class AccountRoutes;
class HttpListener;
class CheckRoutes;
class DictionaryRoutes;
class PageRoutes;
class UserPageRoutes;
class RegistrationRoutes;
class ServerStorage;
class SignInRoutes;
class UserDataRoutes;
class VersionRoutes;
class TemplateRoutes;
class WordBudget;
class LoginThrottle;
class RateLimiter;
struct ServiceContext;

// pennova-server: one HTTP listener that serves every path of the five service hosts.
class ServiceServer
{
public:
    // Opens the data directory and, with options.loadDataAtStart, loads the checker and the
    // dictionary; throws std::runtime_error.
    // clock: seconds since the epoch for sessions and word budgets (tests); empty = system.
    // loadChecker: gives the checker when it is first needed (tests share one between
    // servers); empty = loads one from options.checkerDataDir and options.hunspellDir.
    using CheckerLoader = std::function<std::shared_ptr<const PennovaChecker::EnglishChecker>()>;
    explicit ServiceServer(ServerOptions options, SessionStore::Clock clock = {}, CheckerLoader loadChecker = {});
    ~ServiceServer();
    ServiceServer(const ServiceServer &) = delete;
    ServiceServer &operator=(const ServiceServer &) = delete;

    // Binds the listening socket (port 0 = any free port); the bound port, or -1.
    int bind();
    // Serves until stop(); false when it could not serve at all.
    bool run();
    // Stops accepting, finishes the running requests; safe from any thread.
    void stop();

    bool isRunning() const;
    // "host:port" once bound.
    std::string address() const;
    ServerStorage &storage() { return *m_storage; }
    // Loaded at the start, or by the first call; throws std::runtime_error.
    const PennovaChecker::EnglishChecker &checker();
    // For a process about to exit, after run(): the loaded checker and dictionary are left
    // to the system, which drops their memory whole; freeing their millions of pieces one
    // by one takes tenths of a second. The database is closed as usual by the destructor.
    void leaveDataToExit();

private:
    ServerOptions m_options;
    int m_port = -1;
    std::unique_ptr<ServerStorage> m_storage;
    CheckerLoader m_loadChecker;
    std::once_flag m_checkerLoaded;
    std::shared_ptr<const PennovaChecker::EnglishChecker> m_checker;
    std::unique_ptr<WordBudget> m_budget;
    std::unique_ptr<LoginThrottle> m_throttle;
    std::unique_ptr<RateLimiter> m_registrations;
    std::unique_ptr<ServiceContext> m_context;
    std::unique_ptr<AccountRoutes> m_accountRoutes;
    std::unique_ptr<RegistrationRoutes> m_registrationRoutes;
    std::unique_ptr<UserDataRoutes> m_userDataRoutes;
    std::unique_ptr<CheckRoutes> m_checkRoutes;
    std::unique_ptr<PageRoutes> m_pageRoutes;
    std::unique_ptr<UserPageRoutes> m_userPageRoutes;
    std::unique_ptr<SignInRoutes> m_signInRoutes;
    std::unique_ptr<VersionRoutes> m_versionRoutes;
    std::unique_ptr<TemplateRoutes> m_templateRoutes;
    std::unique_ptr<DictionaryRoutes> m_dictionaryRoutes;
    std::unique_ptr<HttpListener> m_http;
};

} // namespace PennovaServer
