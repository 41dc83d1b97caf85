#pragma once
// SpellingContext: re-ranks the corrections of a misspelt word by the words around
// it. A candidate that cannot stand in the gap ("the" before a verb, a modal after
// "your", an adjective-only word that ends a noun phrase) or that does not fit the
// tag the tagger expects there loses weight; the scores are then spread again, so a
// choice that context does not settle stays open (close scores).

#include "spellingsuggester.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class SpellingContext
{
public:
    // Both must outlive this object (not owned).
    SpellingContext(const Lexicon &lexicon, const SpellingSuggester &speller)
        : m_lexicon(lexicon), m_speller(speller)
    {
    }

    // Re-orders *candidates (scores falling, summing to what they summed to) for the
    // misspelt word at token i; tags may be empty.
    void rerank(const std::vector<Token> &tokens, const std::vector<std::string> &tags, size_t i,
                std::vector<SpellingSuggester::Suggestion> *candidates) const;

    // How badly candidate (as offered, one word) fits between the words around token i,
    // in units of log-probability: 0 fits, kSoft unusual, kHard impossible; below 0
    // for the typo's own stem with another ending.
    double misfit(const std::vector<Token> &tokens, const std::vector<std::string> &tags, size_t i,
                  const std::string &candidate) const;

    static constexpr double kSoft = 2.5;
    static constexpr double kHard = 6.0;
    static constexpr double kTag = 1.5;      // the tagger's guess for an unknown word
    static constexpr double kUnknown = 1.0;  // a word of no known class where one is expected
    static constexpr double kSameStem = 1.0; // bonus: the typo's own stem with another ending

private:
    enum Class {
        Article = 1,     // a, the, my, their ...
        Preposition = 2,
        Modal = 4,
        FiniteAux = 8,   // is, are, was, has, does ...
        Subject = 16,    // I, he, they ...
        Conjunction = 32,
        Noun = 64,
        Verb = 128,
        Adjective = 256,
        Adverb = 512,
    };
    static constexpr int kClosed = Article | Preposition | Modal | FiniteAux | Subject | Conjunction;
    int classes(const std::string &lower) const;

    const Lexicon &m_lexicon;
    const SpellingSuggester &m_speller;
};

} // namespace PennovaChecker
