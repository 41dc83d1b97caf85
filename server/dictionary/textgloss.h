#pragma once
// Word-by-word glosses of English (and Chinese) text: known phrases first (longest
// match of up to four words), then single words through their lemmas ("studies" ->
// "study"), each by its common meaning; Chinese runs are cut into the longest
// CC-CEDICT headwords.

#include <string>
#include <vector>

namespace PennovaChecker {
class WordNetDictionary;
}

namespace PennovaDictionary {

class CedictIndex;
struct CedictEntry;
class WordForms;

class TextGloss
{
public:
    struct Segment
    {
        enum Kind { Other, Word, Phrase, Chinese };
        Kind kind = Other;
        std::string text;   // as in the input (UTF-8)
        std::string gloss;  // Chinese for English, English for Chinese; "" = none
        std::string pinyin; // Chinese segments only, with tone marks
    };

    // Not owned; all outlive this. wordnet may be null: glosses then keep the index's order.
    TextGloss(const CedictIndex &cedict, const WordForms &forms, const PennovaChecker::WordNetDictionary *wordnet);

    // The index's entries for a lower-case key, those whose main meaning is the key's
    // first: an entry whose first sense means something else ("最近": recently, for
    // "soon") goes behind those whose first sense agrees with WordNet's senses of the key.
    std::vector<const CedictEntry *> ranked(const std::string &key, std::size_t max) const;

    // Chinese entries of the lower-case English word or phrase, its lemma's first, then
    // its own, then (when fewer than two) those of the word it is derived from
    // ("pollution" -> "pollute").
    std::vector<const CedictEntry *> entries(const std::string &lower, std::size_t max) const;
    // The text cut into segments, glossed. Words the gloss line leaves bare (articles, "to")
    // keep an empty gloss.
    std::vector<Segment> segments(const std::string &utf8) const;
    // The first sense of an entry, without notes in brackets ("to learn").
    static std::string firstSense(const CedictEntry &entry);

private:
    std::string phraseKey(const std::vector<std::string> &words) const;
    // Content words of the key and of WordNet's first senses of it (synonyms, definition).
    std::vector<std::string> relatedWords(const std::string &key) const;
    // The gloss of a word in running text: an -ing or -ed adjective is the adjective
    // after "a", "is", "very" and the like, else the verb ("It interested me").
    std::vector<const CedictEntry *> wordEntries(const std::string &word, const std::string &previous) const;

    const CedictIndex &m_cedict;
    const WordForms &m_forms;
    const PennovaChecker::WordNetDictionary *m_wordnet;
};

} // namespace PennovaDictionary
