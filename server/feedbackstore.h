#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PennovaServer {

class SqlDatabase;

// Feedback the users leave on their personal page.
class FeedbackStore
{
public:
    static constexpr std::size_t MaxTextBytes = 4000;
    static constexpr std::size_t MaxContactBytes = 200;
    // Kept per user; the oldest go first, so that one user cannot fill the disk.
    static constexpr std::size_t MaxPerUser = 200;

    struct Entry
    {
        std::string text;
        std::string contact;
        std::int64_t time = 0;
    };

    explicit FeedbackStore(SqlDatabase &db); // borrowed

    void add(std::int64_t userId, const Entry &entry);
    // Newest first.
    std::vector<Entry> entries(std::int64_t userId);

private:
    SqlDatabase &m_db;
};

} // namespace PennovaServer
