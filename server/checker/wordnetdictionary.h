#pragma once
// Access to the WordNet database (synonyms, glosses, base forms). The WordNet C
// library keeps global state, so every call is serialised through one process-wide
// lock, whatever the number of instances.

#include <string>
#include <vector>

namespace PennovaChecker {

class WordNetDictionary
{
public:
    enum Pos { Noun = 1, Verb = 2, Adjective = 3, Adverb = 4 };

    explicit WordNetDictionary(const std::string &dir);
    bool available() const { return m_ok; }

    struct Synonym
    {
        std::string word; // multi-word entries use spaces
        int sense;        // 0 = the word's most frequent sense
    };
    // Synonyms of the word as that part of speech, in sense order, without the word itself.
    // An adjective with fewer than three adds its similar adjectives.
    std::vector<Synonym> synonyms(const std::string &lower, Pos pos) const;
    // First sense's definition and its first quoted example ("" when none).
    bool gloss(const std::string &lower, Pos pos, std::string *definition, std::string *example) const;
    struct Sense
    {
        std::string definition;
        std::vector<std::string> examples; // the quoted examples of the sense
        std::vector<std::string> words;    // the sense's other words (synonyms), lower case
    };
    // The word's senses as that part of speech, most frequent first, at most max.
    // Multi-word entries may be given with spaces.
    std::vector<Sense> senses(const std::string &lower, Pos pos, size_t max) const;
    // Base form ("went" -> "go"), or "" when WordNet does not know the word.
    std::string baseForm(const std::string &lower, Pos pos) const;
    int senseCount(const std::string &lower, Pos pos) const;

private:
    bool m_ok = false;
};

} // namespace PennovaChecker
