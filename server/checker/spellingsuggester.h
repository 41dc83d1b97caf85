#pragma once
// Spelling: Hunspell (en_US) decides whether a word exists; a symmetric-delete
// index over the dictionary words, ranked by a weighted edit distance and the word's
// frequency, proposes corrections. Hunspell's own (slow) suggest is the last resort.

#include "symspellindex.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class Hunspell;

namespace PennovaChecker {

class Lexicon;

class SpellingSuggester
{
public:
    struct Suggestion
    {
        std::string word;
        double score = 0.0; // 0..1, the candidates of one word sum to at most 1
    };

    // lexicon must outlive this object (not owned). wordListDir holds the larger plain
    // word lists (american-english-huge, british-english-huge); missing lists are skipped.
    SpellingSuggester(const Lexicon &lexicon, const std::string &hunspellDir,
                      const std::string &wordListDir = "/usr/share/dict");
    ~SpellingSuggester();

    bool hasDictionary() const { return m_hunspell != nullptr; }
    const Lexicon &lexicon() const { return m_lexicon; }
    // word as written (letters and apostrophes); true when it is a known word.
    bool isCorrect(const std::string &word) const;
    // In the frequency list or the dictionary itself (derivations not counted).
    bool isDictionaryWord(const std::string &lower) const { return known(lower); }
    // slowSearches: when given, Hunspell's slow search (the last resort, tens of ms a
    // word) runs only while it is above zero, and counts it down, so that a sentence of
    // garbage does not run it for every word.
    std::vector<Suggestion> suggest(const std::string &word, size_t max = 5, int *slowSearches = nullptr) const;
    // A candidate with a vulgar or offensive word in it (Lexicon::isUnsuitable): suggest()
    // and the run-together searches never offer one.
    bool unsuitable(const std::string &candidate) const;
    // Hunspell's own suggestions, for comparison in benchmarks.
    std::vector<std::string> hunspellSuggest(const std::string &word) const;

    // Prefixed, suffixed or compound forms of known words (cybersecurity, rebalance,
    // weeklong) that the dictionary lacks; learners' run-ons (alot, eachother) and pairs
    // that native text writes apart (otherhand, sparetime) excepted.
    bool isDerivation(const std::string &lower) const;
    // Reads the pairs of words that native text writes apart ("other hand 66" a line, "#"
    // opens a comment). False (and no pairs kept) with *error set on a missing or malformed
    // file.
    bool loadNativePairs(const std::string &path, std::string *error = nullptr);
    size_t nativePairCount() const { return m_nativePairs.size(); }
    // "other hand": a pair that native text writes apart (joined as runTogether() gives it).
    bool isNativePair(const std::string &joined) const { return m_nativePairs.count(joined) > 0; }
    // Where a word the main dictionary lacks is known after all: the British dictionary
    // (curated: British forms, newer words), or only the large word lists and the medical
    // dictionary (rare words and terms, but also some common misspellings: "belive"), or
    // only the medical dictionary (terms, and more misspellings: "qualitive").
    enum class Listing { None, WordList, British, Medical };
    Listing listedElsewhere(const std::string &lower) const;
    int frequencyRank(const std::string &lower) const;
    bool isAdjective(const std::string &lower) const;
    // "istanbul" -> "Istanbul": the dictionary knows the word only as a name; "" otherwise.
    std::string properName(const std::string &lower) const;
    // "forexample" -> "for example": two common words run together; "" when none.
    std::string runTogether(const std::string &lower) const;
    // "homecontry" -> "home country": a common word run together with a plain slip of
    // another (one typical slip, a word of five letters or more); "" when none.
    std::string runTogetherWithSlip(const std::string &lower) const;
    // "wealthyness" -> "wealthiness", "stablely" -> "stably", "resistable" -> "resistible":
    // a known word built with the ending spelt as the stem wants; "" when there is none.
    std::string respelledEnding(const std::string &lower) const;
    // Both words of a runTogether() answer are short function words ("do not", "up to").
    bool commonRunTogether(const std::string &joined) const;
    // Whether a candidate can stand where the tagger put tag (VBG wants an -ing form,
    // NNS a plural, RB an adverb ...); true for tags that say nothing about the form.
    bool fitsTag(const std::string &candidateLower, const std::string &tag) const;

private:
    bool known(const std::string &lower) const;
    double cost(const std::string &typo, uint32_t candidate) const;
    static std::string matchCase(const std::string &original, const std::string &lowerSuggestion);
    std::string askProperName(const std::string &lower) const;

    const Lexicon &m_lexicon;
    mutable std::mutex m_mutex; // Hunspell is not thread-safe
    std::unique_ptr<Hunspell> m_hunspell;
    std::unique_ptr<Hunspell> m_british;
    std::vector<std::string> m_wider; // sorted lower-case words of five letters or more
    std::vector<std::string> m_medical; // likewise, of the medical list only
    std::unordered_set<std::string> m_nativePairs; // "other hand": never one compound word
    // properName() of the common words, asked once at load: the checker asks it of nearly
    // every lower-case word, and each answer costs two dictionary look-ups under the lock
    std::unordered_map<std::string, std::string> m_commonNames;
    SymSpellIndex m_index;
};

} // namespace PennovaChecker
