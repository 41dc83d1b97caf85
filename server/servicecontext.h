#pragma once

#include "serveroptions.h"

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
    const PennovaChecker::EnglishChecker &checker;
};

} // namespace PennovaServer
