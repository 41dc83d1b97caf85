#pragma once
// The order of spelling candidates after ranking: what the misspelling itself tells
// about the word meant (its letters, its ending) moves a candidate first.

#include "spellingsuggester.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class CandidateOrder
{
public:
    // A candidate that keeps every written letter goes ahead of a shorter first one
    // ("critism": criticism, not critic).
    static void keepWrittenLetters(const std::string &lower, std::vector<SpellingSuggester::Suggestion> *ranked);
    // The first candidate's own inflection that the misspelling's ending asks for goes
    // ahead ("familys": families).
    static void keepInflection(const std::string &lower, std::vector<SpellingSuggester::Suggestion> *ranked);
    // word holds every letter of lower in order: lower only dropped letters ("prepation").
    static bool onlyDropped(const std::string &lower, const std::string &word);
    // form is base with the regular ending "s", "ed" or "ing".
    static bool inflectionOf(const std::string &base, const std::string &form, const std::string &ending);
    // Candidate k first; the scores stay in order.
    static void moveFirst(std::vector<SpellingSuggester::Suggestion> *ranked, size_t k);
    // word is lower with one of a doubled letter gone ("carefull": careful).
    static bool undoubled(const std::string &lower, const std::string &word);
};

} // namespace PennovaChecker
