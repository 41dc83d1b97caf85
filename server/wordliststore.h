#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PennovaServer {

class SqlDatabase;

// Each user's personal words (the checker accepts them as spelt right).
class WordListStore
{
public:
    static constexpr std::size_t MaxWordsPerUser = 10000;
    // Characters (code points), not bytes: a Chinese entry has the same room as a Latin one.
    static constexpr std::size_t MaxWordChars = 64;
    static constexpr std::size_t MaxWordBytes = MaxWordChars * 4;

    enum class AddResult { Added, TooMany };

    explicit WordListStore(SqlDatabase &db); // borrowed

    // In the order they were added.
    std::vector<std::string> words(std::int64_t userId);
    std::size_t count(std::int64_t userId);
    // Adds the words not yet present (a word already there is no error and no duplicate);
    // all or nothing: TooMany (nothing stored) when the list would grow beyond MaxWordsPerUser.
    AddResult add(std::int64_t userId, const std::vector<std::string> &words);
    // Removes the words that are present; absent ones are no error. The number removed.
    std::size_t remove(std::int64_t userId, const std::vector<std::string> &words);

    // Well-formed UTF-8 without control characters, 1..MaxWordChars characters, no ";".
    static bool acceptable(const std::string &word);

private:
    SqlDatabase &m_db;
};

} // namespace PennovaServer
