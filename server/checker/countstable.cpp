#include "countstable.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

namespace PennovaChecker {

bool CountsTable::read(std::istream &in, const Format &format, Table *table, std::string *error)
{
    table->clear();
    auto fail = [&](const std::string &what) {
        table->clear();
        if (error)
            *error = what;
        return false;
    };
    // a line of at most maxLine characters; false at the end or when longer
    bool tooLong = false;
    auto readLine = [&](std::string *line) {
        line->clear();
        char c;
        while (in.get(c)) {
            if (c == '\n')
                return true;
            if (line->size() >= format.maxLine) {
                tooLong = true;
                return false;
            }
            line->push_back(c);
        }
        return !line->empty();
    };
    std::string line;
    if (!readLine(&line) || line != format.header)
        return fail(format.notThisKind);
    if (!readLine(&line))
        return fail("truncated before the classes");
    {
        std::istringstream ss(line);
        std::string word;
        std::vector<std::string> classes;
        ss >> word;
        while (ss >> word)
            classes.push_back(word);
        if (line.rfind("classes ", 0) != 0 || classes != format.classes)
            return fail(format.badColumns);
    }
    size_t row = 0;
    while (readLine(&line)) {
        ++row;
        if (table->size() >= format.maxRows)
            return fail("too many rows");
        std::istringstream ss(line);
        std::string key;
        Counts values;
        long long v = 0;
        ss >> key;
        while (ss >> v) {
            if (v < 0 || v > 100000000)
                return fail("bad count in row " + std::to_string(row));
            values.push_back(uint32_t(v));
        }
        if (!format.validKey(key) || values.size() != format.classes.size() || !ss.eof())
            return fail("bad row " + std::to_string(row));
        if (!table->emplace(key, std::move(values)).second)
            return fail("repeated row " + std::to_string(row));
    }
    if (tooLong)
        return fail("row " + std::to_string(row + 1) + " too long");
    return true;
}

bool CountsTable::readFile(const std::string &path, const Format &format, Table *table, std::string *error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        table->clear();
        if (error)
            *error = "cannot open " + path;
        return false;
    }
    return read(in, format, table, error);
}

bool CountsTable::write(std::ostream &out, const Format &format, const Table &table)
{
    std::vector<std::string> keys;
    for (const auto &[key, values] : table)
        keys.push_back(key);
    std::sort(keys.begin(), keys.end());
    out << format.header << "\nclasses";
    for (const std::string &c : format.classes)
        out << ' ' << c;
    out << '\n';
    for (const std::string &key : keys) {
        out << key;
        for (uint32_t v : table.at(key))
            out << ' ' << v;
        out << '\n';
    }
    return bool(out);
}

} // namespace PennovaChecker
