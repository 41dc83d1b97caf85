#pragma once
// GenericNouns: how often native English puts "the" before a noun, and how often it leaves
// the noun bare, where no other word stands with it and nothing after it pins it down ("in
// society.", "protect nature", "Life is short") and the noun was not named just before.
// Counted per noun and per governing verb or preposition. Learners write "the" where English
// means the noun in general ("in the society", "The life is short"); where native text keeps
// such a noun bare, the "the" can go. A noun with adjectives or other nouns before it is left
// out: "the search form", "the good life" name one kind, and the counts of the head alone
// cannot say whether that kind is meant in general; a plural after plain adjectives ("the
// young people", "modern technologies") is counted in a row of its own.

#include "tokenizer.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class GenericNouns
{
public:
    // A common noun alone or after "the" that nothing pins down.
    struct Use
    {
        int article = -1; // the "the", -1 for a bare noun
        int head = 0;
        bool withThe = false;
        bool preposition = false; // the governor is a preposition
        bool plural = false;
        bool modified = false; // a plural after plain adjectives ("the young people")
        std::string noun;     // the noun as written, lower case ("society", "facts")
        std::string governor; // preposition or verb lemma before the phrase; "^" at the start; "" for none
    };
    // The uses of a tagged sentence (lemmas filled when there are any); previous: the sentence
    // before it (tokens, may be empty). A noun with a post-modifier ("of", a clause, a
    // prepositional phrase, a participle: anything but the end of the clause, a conjunction
    // or its verb), a part of a set ("all the", "many of the"), or named before in the
    // sentence or in the previous one, is no use.
    static std::vector<Use> uses(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                 const std::vector<Token> &previous = {});
    // The governor column of the row that counts a plural after plain adjectives, whatever
    // governs it ("people +": "young people", "the rich people").
    static const std::string &modifiedRow();
    // "fact" and "facts", "society" and "societies": the same noun.
    static bool sameNoun(const std::string &a, const std::string &b);

    // Training.
    void add(const Use &use);
    // Writes the nouns (and their governors) seen at least minCount times. False when the
    // file cannot be written.
    bool save(const std::string &path, int minCount = 3) const;
    // False (the table left empty) with *error set on a missing or malformed file.
    bool load(const std::string &path, std::string *error = nullptr);
    bool empty() const { return m_counts.empty(); }
    size_t size() const { return m_counts.size(); }

    struct Counts
    {
        uint32_t bare = 0, the = 0;
        uint32_t total() const { return bare + the; }
    };
    // The counts of a noun with a governor ("*" for every use not after a preposition); zero
    // when never seen.
    Counts counts(const std::string &noun, const std::string &governor = "*") const;
    // How likely native text leaves the noun of a use bare there; -1 where it cannot say.
    // After a preposition the pair's share ("in society", "in the end"), seen at least minPair
    // times; for a singular noun no more than its own share elsewhere, seen as often: a
    // preposition and a noun that is counted make set phrases ("in town", "in bed") where
    // "the" is right too. Elsewhere the noun's share, seen at least minNoun times, moved
    // towards the governor's as far as that was seen ("protect nature"). All are drawn
    // towards even where seen rarely.
    double bareShare(const Use &use, int minNoun, int minPair) const;

private:
    std::unordered_map<std::string, Counts> m_counts; // "noun governor"
};

} // namespace PennovaChecker
