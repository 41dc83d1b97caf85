#pragma once
// Word-by-word glosses of English (and Chinese) text: known phrases first (longest
// match of up to four words), then single words through their lemmas ("studies" ->
// "study"); Chinese runs are cut into the longest CC-CEDICT headwords.

#include <string>
#include <vector>

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

    // Not owned; both outlive this.
    TextGloss(const CedictIndex &cedict, const WordForms &forms);

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

    const CedictIndex &m_cedict;
    const WordForms &m_forms;
};

} // namespace PennovaDictionary
