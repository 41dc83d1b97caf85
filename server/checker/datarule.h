#pragma once
// One rule read from a rule file (see rulefileparser.h for the format): a token pattern,
// the exceptions that cancel it, the span it marks, the correction it proposes and the
// examples that document and test it.

#include "wordclasses.h"

#include <algorithm>
#include <cstdint>
#include <regex>
#include <string>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

struct PatternItem
{
    enum Kind {
        Word,          // lower-case word: matches the token's lower-case text
        Literal,       // =Word: the token exactly as written
        WordSet,       // {a b c}: any of the lower-case words
        Tag,           // tag:NN: a part-of-speech tag beginning with the prefix
        Regex,         // /re/ or /re/i: the whole token as written
        VerbBase,      // @verb: a common verb in its base form
        Noun,          // @noun: a word the dictionary knows as a noun
        PartOfSpeech,  // pos:adj: a word the dictionary knows as that part of speech (Lexicon::Pos)
        Class,         // class:modal: a word of a named class (wordclasses.h)
        Lemma,         // lemma:go: any form of the word ("went", "goes", "going")
        AnyWord,       // @word, @number, @punct: any token of that kind
        AnyNumber,
        AnyPunct,
        Skip,          // skip:N: up to N words, never over a clause boundary
        SentenceStart, // ^: only quotation marks before
        ClauseStart,   // <clause>: sentence start, after punctuation or after and/but/so
        SentenceEnd    // $: no token after
    };
    Kind kind = Word;
    std::string text;
    std::unordered_set<std::string> words;
    WordClass wordClass = WordClass::Modal;
    std::regex regex;
    int maxSkip = 0;
    int pos = 0;           // PartOfSpeech: a Lexicon::Pos
    bool negated = false;  // !item: a token the condition does not hold for
    std::vector<PatternItem> also; // item&item: further conditions on the same token
    bool optional = false; // ?item
    bool attached = false; // ~item: no space before the token

    bool zeroWidth() const { return kind == SentenceStart || kind == ClauseStart || kind == SentenceEnd; }

    // A quick test before the set's look-up: the lengths and first bytes of its words (all
    // set until noteWords() has seen them).
    uint64_t lengths = ~uint64_t(0);
    uint64_t firstBytes = ~uint64_t(0);
    void noteWords()
    {
        lengths = firstBytes = 0;
        for (const std::string &w : words) {
            lengths |= uint64_t(1) << std::min<size_t>(w.size(), 63);
            firstBytes |= uint64_t(1) << (w.empty() ? 0 : static_cast<unsigned char>(w[0]) % 64);
        }
    }
    bool mayHold(const std::string &lower) const
    {
        return (lengths >> std::min<size_t>(lower.size(), 63) & 1)
            && (firstBytes >> (lower.empty() ? 0 : static_cast<unsigned char>(lower[0]) % 64) & 1);
    }
};

struct RulePattern
{
    std::vector<PatternItem> items;
    int markFirst = 0; // items [markFirst, markLast] are the marked span
    int markLast = 0;
};

// A piece of the suggestion: literal text, or the text of item `ref` (1-based), inflected.
struct SuggestionPart
{
    enum Inflection { AsWritten, Ing, ThirdPerson, Past, Participle };
    std::string text;
    int ref = 0; // 0: literal text
    Inflection inflection = AsWritten;
};

struct RuleExample
{
    std::string sentence; // without the span marks
    std::string span;
    size_t at = 0; // the span's byte offset in the sentence
    std::string correction;
    int line = 0;
};

// The explanation page a rule file may give its kind: the page's examples are the rule's
// first wrong example and its correction.
struct RulePage
{
    std::string title;   // Chinese
    std::string about;   // Chinese explanation
    std::string summary; // the rule in English
    bool empty() const { return title.empty() && about.empty() && summary.empty(); }
};

struct DataRule
{
    std::string id;
    std::string family; // the rule file's name without ".rules"
    std::string file;
    int line = 0;
    std::string explain;
    std::string errorType = "GRAMMAR";
    int certainty = 0;
    std::vector<RulePattern> patterns; // alternatives: the first that matches counts
    std::vector<RulePattern> exceptions;
    std::vector<SuggestionPart> suggestion;
    std::vector<std::vector<SuggestionPart>> alternatives; // "suggest a | b": the later candidates
    bool deletion = false;
    std::vector<RuleExample> wrong;
    std::vector<std::string> clean;
    RulePage page; // empty where the checker's own table has the kind's page
};

} // namespace PennovaChecker
