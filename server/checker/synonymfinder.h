#pragma once
// Replacement words for a span of a sentence: WordNet synonyms for the part of
// speech the context suggests, frequent and first-sense words first, inflected like
// the original word.

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class WordNetDictionary;

class SynonymFinder
{
public:
    SynonymFinder(const Lexicon &lexicon, const WordNetDictionary &wordnet) // not owned
        : m_lex(lexicon), m_wordnet(wordnet) {}
    // start/end: UTF-16 offsets of the span in the sentence.
    std::vector<std::string> find(const std::string &sentence, int start, int end, size_t max = 12) const;

private:
    // An -ing or -ed form WordNet also lists as an adjective of its own.
    bool participleAdjective(const std::string &word) const;
    // A word after which such a form reads as the adjective ("am bored", "quite").
    static bool adjectivalLead(const std::string &prev);
    std::string inflect(const std::string &candidate, const std::string &base, const std::string &original,
                        int pos) const;

    const Lexicon &m_lex;
    const WordNetDictionary &m_wordnet;
};

} // namespace PennovaChecker
