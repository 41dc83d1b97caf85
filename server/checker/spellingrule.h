#pragma once
// NONWORD findings: words that the dictionary does not know, with ranked
// corrections, or none where no known word is near (unknown_word). Names, acronyms,
// numbers, addresses, Chinese words in pinyin and the user's own words are left alone.

#include "closednames.h"
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
    // The fewest pinyin syllables the word splits into; 0 when it does not split.
    static int pinyinSyllables(const std::string &lower);
    // Reads the Chinese words of CC-CEDICT (simplified<TAB>traditional<TAB>pinyin<TAB>...):
    // their pinyin of two to four syllables, without tones, becomes a known lower-case
    // word (baozi, hutong, guanxi). False when the file cannot be read.
    bool loadChineseWords(const std::string &cedictPath);
    // Reads the closed-class names (closed-names.txt) that capitalised slips are judged
    // against ("Afica": Africa); without them those slips pass as names.
    bool loadClosedNames(const std::string &path, std::string *error = nullptr)
    {
        return m_closedNames.load(path, error);
    }
    // A Chinese word in lower-case pinyin, not a slip of a common English word: a word of
    // CC-CEDICT of two or more syllables with no common English word one slip away.
    bool isChineseWord(const std::string &lower, const std::vector<SpellingSuggester::Suggestion> &sugg) const;

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

    // A word only the medical list knows: a common word with a letter or two dropped.
    bool medicalSlip(const std::string &lower, const std::vector<SpellingSuggester::Suggestion> &sugg) const;
    // A lower-case word that no word list knows and that no common word is near: a finding
    // without candidates (UNKNOWN_WORD), unless it looks like a term, an address or pinyin.
    bool unknownWord(const std::vector<Token> &tokens, size_t i, const std::string &word,
                     std::vector<Finding> *out) const;

    const SpellingSuggester &m_speller;
    SpellingContext m_context;
    std::unordered_set<std::string> m_chineseWords; // toneless pinyin, lower case
    ClosedNames m_closedNames;
};

} // namespace PennovaChecker
