#pragma once
// NONWORD findings: words that the dictionary does not know, with ranked
// corrections. Names, acronyms, numbers, addresses, pinyin and the user's own
// words are left alone.

#include "finding.h"
#include "spellingcontext.h"
#include "tokenizer.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

class SpellingRule
{
public:
    explicit SpellingRule(const SpellingSuggester &speller) // not owned
        : m_speller(speller), m_context(speller.lexicon(), speller)
    {
    }
    // tags: the tagger's tag per token (may be empty); candidates that fit the tag the
    // misspelt word got in its context come first.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               const std::unordered_set<std::string> &userWords, std::vector<Finding> *out) const;
    // True when the word splits into Mandarin pinyin syllables (Zhang, Xiaoming, Beijing).
    static bool isPinyin(const std::string &lower);

    static constexpr int kMaxFindings = 40; // per sentence: bounds the work on garbage
    // Hunspell's slow search per sentence (SpellingSuggester::suggest): the words of a
    // sentence of garbage beyond these get the fast candidates only, or none.
    static constexpr int kMaxSlowSearches = 1;

private:
    bool nearMissOfDerivation(const std::string &lower, int *slowSearches) const;
    // A number run together with a common word ("5years"); adds its finding.
    bool numberRunTogether(const Token &tok, std::vector<Finding> *out) const;
    // A contraction written with another mark for its apostrophe; adds its finding.
    // A long word three typical slips from a common word that it does not contain.
    bool farSlip(const Token &tok, const std::string &best, double score) const;
    // A two-letter slip of a very common word between two words; adds its finding.
    bool shortSlip(const std::vector<Token> &tokens, const std::vector<std::string> &tags, size_t i,
                   std::vector<Finding> *out, int *slowSearches) const;
    // The closest candidate is a common word a typical slip away; curated: the word is in
    // a dictionary, not just a word list, and needs a closer slip.
    bool plainSlip(const std::string &lower, const std::vector<SpellingSuggester::Suggestion> &sugg,
                   bool curated) const;

    const SpellingSuggester &m_speller;
    SpellingContext m_context;
};

} // namespace PennovaChecker
