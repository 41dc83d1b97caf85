#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PennovaServer {

class SqliteDatabase;

// Each user's personal words (the checker accepts them as spelt right).
class WordListStore
{
public:
    static constexpr std::size_t MaxWordsPerUser = 20000;
    static constexpr std::size_t MaxWordBytes = 100;

    explicit WordListStore(SqliteDatabase &db); // borrowed

    // In the order they were added.
    std::vector<std::string> words(std::int64_t userId);
    // Adds the words not yet present; all or nothing. False (nothing stored) when the
    // list would grow beyond MaxWordsPerUser.
    bool add(std::int64_t userId, const std::vector<std::string> &words);

private:
    SqliteDatabase &m_db;
};

} // namespace PennovaServer
