#pragma once
// Edit distances for ranking spelling candidates.

#include <string>

namespace PennovaChecker {

class EditDistance
{
public:
    // Optimal-string-alignment (Damerau) distance; returns max + 1 as soon as it
    // is certain to exceed max.
    static int damerau(const std::string &a, const std::string &b, int max);
    // The same alignment with costs for typical slips: neighbouring keys, vowel
    // confusions, sound-alike letters and doubled letters cost less than other edits.
    static double weighted(const std::string &a, const std::string &b);
    // A coarse sound key ("phone" and "fone" share one) for candidates far in letters.
    static std::string soundKey(const std::string &lower);
};

} // namespace PennovaChecker
