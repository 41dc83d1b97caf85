#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PennovaServer {

class SqlDatabase;

// Words an account may have checked or polished: a token bucket per account that holds
// twice the per-minute limit and refills at the limit per minute. The client counts the
// limit per fixed minute of its own timer, so it may send a full minute's words at the
// end of one of its minutes and again at the start of the next; the bucket lets that
// through and still holds every account to the limit over time. The buckets live in the
// shared store and are taken from atomically: concurrent requests on any number of
// server processes cannot overspend them.
class WordBudget
{
public:
    // db is borrowed.
    WordBudget(SqlDatabase &db, int wordsPerMinute);

    // Takes `words` from the budget of `owner` (the account) at time `now` (seconds); false, taking
    // nothing, when the bucket does not hold that many.
    bool take(const std::string &owner, int words, std::int64_t now);

    // Words of a UTF-8 text, counted by the client's own word counter.
    static int countWords(const std::string &utf8);
    // Words of the parts joined without separator (as the client counts its text, where
    // a paragraph break is no space), counted part by part so that no joined copy is
    // made; stops early once the count exceeds stopAbove (the result is then above it).
    static int countJoinedWords(const std::vector<const std::string *> &parts, int stopAbove);

private:
    SqlDatabase &m_db;
    std::int64_t m_limit;
};

} // namespace PennovaServer
