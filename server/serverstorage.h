#pragma once

#include "accountstore.h"
#include "feedbackstore.h"
#include "pagetokenstore.h"
#include "passwordhasher.h"
#include "serveroptions.h"
#include "sessionstore.h"
#include "sqldatabase.h"
#include "usagelogstore.h"
#include "wordliststore.h"

#include <memory>
#include <string>

namespace PennovaServer {

// The shared database and the stores over it; used by the server and by the
// command-line account tools. The database is "pennova.db" in the data directory, or
// the PostgreSQL server of options.database.
class ServerStorage
{
public:
    // Creates the data directory (owner only) and opens the database; throws
    // std::runtime_error when either fails.
    explicit ServerStorage(const ServerOptions &options, SessionStore::Clock clock = {});
    ~ServerStorage();

    static std::string databaseFile(const std::string &dataDir);

    SqlDatabase &database() { return *m_db; }

    AccountStore &accounts() { return m_accounts; }
    SessionStore &sessions() { return m_sessions; }
    PageTokenStore &pageTokens() { return m_pageTokens; }
    WordListStore &words() { return m_words; }
    UsageLogStore &usage() { return m_usage; }
    FeedbackStore &feedback() { return m_feedback; }

private:
    std::unique_ptr<SqlDatabase> m_db;
    PasswordHasher m_hasher;
    AccountStore m_accounts;
    SessionStore m_sessions;
    PageTokenStore m_pageTokens;
    WordListStore m_words;
    UsageLogStore m_usage;
    FeedbackStore m_feedback;
};

} // namespace PennovaServer
