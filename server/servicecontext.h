#pragma once

#include "serveroptions.h"

#include <functional>

namespace PennovaChecker {
class EnglishChecker;
}

namespace PennovaServer {

class AccountStore;
class SessionStore;
class WordListStore;
class UsageLogStore;
class WordBudget;
class LoginThrottle;
class RateLimiter;

// What the request handlers share. Every member is borrowed from the ServiceServer,
// which outlives the handlers.
struct ServiceContext
{
    const ServerOptions &options;
    AccountStore &accounts;
    SessionStore &sessions;
    WordListStore &words;
    UsageLogStore &usage;
    WordBudget &budget;
    LoginThrottle &throttle;
    RateLimiter &registrations; // new accounts per address
    // The checker, loaded on first use unless it was at the start; throws
    // std::runtime_error when it cannot be loaded.
    std::function<const PennovaChecker::EnglishChecker &()> checker;
};

} // namespace PennovaServer
