#pragma once
// Lemmas and inflections of English words: WordNet's exception lists (went -> go,
// mice -> mouse) and its detachment rules (studies -> study), checked against the
// lexicon's WordNet lemmas; the lexicon's verb forms for the other direction.
// Read-only after loading, so safe from many threads.

#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {
class Lexicon;
}

namespace PennovaDictionary {

class WordForms
{
public:
    enum Pos { Noun = 1, Verb = 2, Adjective = 4, Adverb = 8 };

    struct Lemma
    {
        std::string base;
        Pos pos;
        std::string form; // what the word is of the base, in Chinese ("复数", "过去式")
    };
    struct Inflection
    {
        std::string name; // "第三人称单数", "复数", ...
        std::string word;
    };

    // lexicon: not owned, outlives this. wordnetDir: folder with noun.exc, verb.exc, ...
    WordForms(const PennovaChecker::Lexicon &lexicon, const std::string &wordnetDir);

    // The bases the lower-case word is an inflection of (never the word itself).
    std::vector<Lemma> lemmas(const std::string &lower) const;
    // The word to show an entry for: the word itself, or its most frequent base when the
    // word is no lemma of its own or is rarer than that base. An -ing or -ed form that is
    // an adjective of its own ("interesting", "bored") is its own headword.
    std::string headword(const std::string &lower) const;
    // The verb an -ing or -ed adjective comes from ("interesting" -> "interest"); empty
    // when the word is no such adjective.
    std::string participleVerb(const std::string &lower) const;
    // Inflections of a lemma for the parts of speech WordNet lists it under; regular forms
    // only when the frequency list knows them (no "informations").
    std::vector<Inflection> inflections(const std::string &lemma) const;
    // Parts of speech (Pos bits) WordNet lists the lemma under.
    int posMask(const std::string &lemma) const;

private:
    using Table = std::unordered_map<std::string, std::vector<std::string>>;
    void loadExceptions(const std::string &path, Pos pos);
    std::string formName(const std::string &word, const std::string &base, Pos pos) const;
    std::string plural(const std::string &noun) const;

    const PennovaChecker::Lexicon &m_lex;
    std::unordered_map<int, Table> m_toBase; // pos -> form -> bases
    std::unordered_map<int, Table> m_toForm; // pos -> base -> irregular forms
};

} // namespace PennovaDictionary
