#pragma once

#include "sessionstore.h"

#include <optional>
#include <string>

namespace PennovaServer {

class SqlDatabase;

// Opens the user pages in a browser without a session key in the URL. The client asks
// for a one-time token (short-lived); the page exchanges it for a page cookie, which
// stays valid as long as the client's session. The table keeps hashes only.
class PageTokenStore
{
public:
    static constexpr int OneTimeSeconds = 120;

    PageTokenStore(SqlDatabase &db, SessionStore &sessions); // both borrowed

    // A one-time token for a live session; empty for an unknown or expired key.
    std::string issue(const std::string &sessionKey);
    // Spends a one-time token: a page cookie for its session, or nothing when the token
    // is unknown, expired or already used.
    std::optional<std::string> redeem(const std::string &token);
    // An old link carrying the session key itself: exchanged like a token, once per session.
    std::optional<std::string> redeemSessionKey(const std::string &sessionKey);
    // The owner of a page cookie whose session is still live.
    std::optional<SessionStore::Session> visitor(const std::string &cookie);

private:
    enum Kind { OneTime = 0, Cookie = 1, SessionKeyUsed = 2 };
    std::string insert(const std::string &sessionHash, Kind kind, std::int64_t expires);
    void purgeExpired();

    SqlDatabase &m_db;
    SessionStore &m_sessions;
};

} // namespace PennovaServer
