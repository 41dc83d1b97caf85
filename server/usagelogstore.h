#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PennovaServer {

class SqlConnection;
class SqlDatabase;
class SqlStatement;

// Usage statistics uploaded by the client: counters per group ("event", "check",
// "error", "level"), the spelling corrections users applied and their word choices.
// User 0 holds the anonymous uploads of the login phase. Each user's share is capped
// (Limits): beyond it new counters and corrections are dropped, and the oldest word
// choices go, so that one account cannot fill the disk.
class UsageLogStore
{
public:
    struct Count
    {
        std::string name;
        std::int64_t count = 0;
    };
    struct Correction
    {
        std::string found;
        std::string replacement;
        std::int64_t count = 0;
    };
    struct Choice
    {
        std::string sentence;
        std::int64_t wordIdx = 0;
        std::int64_t wordLength = 0;
        std::string chooseWord;
    };

    struct Limits
    {
        std::int64_t countRows = 2000;
        std::int64_t correctionRows = 5000;
        std::int64_t choiceRows = 5000;
        std::int64_t choiceCharacters = 2 * 1024 * 1024; // sentences and chosen words
    };

    // db is borrowed.
    explicit UsageLogStore(SqlDatabase &db);
    UsageLogStore(SqlDatabase &db, Limits limits);

    // Adds the counts to the stored totals (one transaction).
    void addCounts(std::int64_t userId, const std::string &group, const std::string &version,
                   const std::vector<Count> &counts);
    // The anonymous counts of the login phase (user 0): only the known event names, and
    // once maxRows rows exist, new versions are folded into "other", so that the table
    // does not grow with the number of uploads.
    void addAnonymousCounts(const std::string &version, const std::vector<Count> &counts, int maxRows);
    static bool isAnonymousEvent(const std::string &name);
    void addCorrections(std::int64_t userId, const std::vector<Correction> &corrections);
    void addChoices(std::int64_t userId, const std::vector<Choice> &choices);

    // Totals of one group over all versions, by name.
    std::vector<Count> counts(std::int64_t userId, const std::string &group);
    std::vector<Correction> corrections(std::int64_t userId);
    std::vector<Choice> choices(std::int64_t userId);

private:
    static std::int64_t rowsOf(SqlConnection &db, const char *sql, std::int64_t userId);
    // Runs `add` (bound), or `insert` (bound) when it changed nothing and the user has
    // fewer than maxRows rows.
    static void addOrInsert(SqlStatement &add, SqlStatement &insert, std::int64_t *rows, std::int64_t maxRows);

    SqlDatabase &m_db;
    Limits m_limits;
};

} // namespace PennovaServer
