#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PennovaServer {

class SqlDatabase;

// Usage statistics uploaded by the client: counters per group ("event", "check",
// "error", "level"), the spelling corrections users applied and their word choices.
// User 0 holds the anonymous uploads of the login phase.
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

    explicit UsageLogStore(SqlDatabase &db); // borrowed

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
    SqlDatabase &m_db;
};

} // namespace PennovaServer
