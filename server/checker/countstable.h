#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

// The text form of the checker's native-count tables (prepositions after a word, verb
// complements): a header line, "classes" and the column names, then one row per key,
// "KEY COUNT COUNT ...". Reading is bounded in rows and line length.
class CountsTable
{
public:
    using Counts = std::vector<uint32_t>;
    using Table = std::unordered_map<std::string, Counts>;

    struct Format
    {
        std::string header;         // the first line exactly
        std::string notThisKind;    // the error when the header differs
        std::string badColumns;     // the error when the classes differ
        std::vector<std::string> classes;
        size_t maxRows = 0;
        size_t maxLine = 0;
        std::function<bool(const std::string &)> validKey;
    };

    // false with *error set (and *table left empty) on any bad line
    static bool read(std::istream &in, const Format &format, Table *table, std::string *error);
    // the same from a file; "cannot open PATH" when it cannot be read
    static bool readFile(const std::string &path, const Format &format, Table *table, std::string *error);
    // the rows sorted by key
    static bool write(std::ostream &out, const Format &format, const Table &table);
};

} // namespace PennovaChecker
