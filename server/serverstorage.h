#pragma once

#include "accountstore.h"
#include "feedbackstore.h"
#include "passwordhasher.h"
#include "serveroptions.h"
#include "sessionstore.h"
#include "sqlitedatabase.h"
#include "usagelogstore.h"
#include "wordliststore.h"

#include <string>

namespace PennovaServer {

// The database of a data directory and the stores over it; used by the server and by
// the command-line account tools.
class ServerStorage
{
public:
    // Creates the data directory (owner only) and opens "pennova.db" in it; throws
    // std::runtime_error when either fails.
    explicit ServerStorage(const ServerOptions &options, SessionStore::Clock clock = {});

    static std::string databaseFile(const std::string &dataDir);

    AccountStore &accounts() { return m_accounts; }
    SessionStore &sessions() { return m_sessions; }
    WordListStore &words() { return m_words; }
    UsageLogStore &usage() { return m_usage; }
    FeedbackStore &feedback() { return m_feedback; }

private:
    SqliteDatabase m_db;
    PasswordHasher m_hasher;
    AccountStore m_accounts;
    SessionStore m_sessions;
    WordListStore m_words;
    UsageLogStore m_usage;
    FeedbackStore m_feedback;
};

} // namespace PennovaServer
