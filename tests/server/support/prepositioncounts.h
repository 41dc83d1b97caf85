#pragma once
// Count tables over the preposition columns, as the native-text trainers write them: a
// header line, the column names, then one row of counts per word.

#include "prepositionslots.h"

#include <string>
#include <utility>
#include <vector>

namespace PrepositionCounts {

// A row of counts: the prepositions named with their counts, the rest 0 ("-" the direct object).
inline std::string row(const std::string &key, const std::vector<std::pair<std::string, int>> &counts)
{
    using P = PennovaChecker::PrepositionSlots;
    std::vector<int> values(size_t(P::kColumns), 0);
    for (const auto &[word, n] : counts)
        values[size_t(word == "-" ? P::kDirect : P::classOf(word))] = n;
    std::string out = key;
    for (int v : values)
        out += " " + std::to_string(v);
    return out + "\n";
}

// The first two lines of a table whose first line is `magic`.
inline std::string header(const std::string &magic)
{
    std::string out = magic + "\nclasses";
    for (const std::string &c : PennovaChecker::PrepositionSlots::classNames())
        out += " " + c;
    return out + "\n";
}

} // namespace PrepositionCounts
