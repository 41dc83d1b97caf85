#pragma once
// Reads a rule file: plain text, one family of rules per file ("phrases.rules").
//
//   # a comment
//   rule      phrases.in_nowadays            id: letters, digits, '.', '_', '-'
//   explain   fixed_phrase                   explanation page key
//   type      GRAMMAR                        error type (GRAMMAR when left out)
//   certainty 3                              3 sure, 2 likely, 1 possible
//   pattern   [in nowadays]                  one or more alternatives
//   unless    in nowadays terms              exceptions: cancel where they match too
//   suggest   nowadays                       \N: the text of item N; "-" deletes the span;
//                                            "a | b": alternatives, the likeliest first
//   wrong     <In nowadays>, we work. => Nowadays
//   clean     People work hard nowadays.
//
// Pattern items, separated by spaces: word (any case), =Word (exactly), {a b c} (any of
// them), tag:NN (a tag beginning NN), /re/ or /re/i (the whole token), @verb (a common
// verb's base form), @noun (a word known as a noun), pos:adj (a word the dictionary knows as
// that part of speech: noun, verb, adj, adv), @word, @number, @punct (any token of that
// kind), class:modal (a word of a named class, wordclasses.h), lemma:go (any form of the
// word: "went", "goes"), ?item (optional), ~item (touching the token before), skip:N (up to
// N words within the clause), ^ (sentence start), <clause> (clause start), $ (sentence end),
// and punctuation as itself. Conditions on one token join with '&' and '!' negates one:
// pos:adj&!pos:noun. [ and ] around items mark the span (the whole pattern without them).
// In the suggestion \N:ing, \N:s, \N:past and \N:pp inflect a verb.
//
// A file with any error loads no rule; the error names the file and the line.

#include "datarule.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class RuleFileParser
{
public:
    static constexpr size_t MaxFileBytes = 256 * 1024;
    static constexpr int MaxRules = 1000;
    static constexpr int MaxItems = 16;
    static constexpr int MaxSkip = 8;
    // at most this many skip and optional items in a pattern, so that the ways of trying it
    // stay few (9 * 9 * 2 * 2 * 2 * 2 per word)
    static constexpr int MaxSkipItems = 2;
    static constexpr int MaxOptionalItems = 4;
    static constexpr size_t MaxItemChars = 200; // one item of a pattern (a long regex, a word set)
    static constexpr int MaxFilesPerFolder = 100;

    // The rules of `text`, read as the file `fileName`. On an error returns false, leaves
    // *rules untouched and sets *error to "fileName:line: what".
    static bool parse(const std::string &text, const std::string &fileName, std::vector<DataRule> *rules,
                      std::string *error);
    // The same for the file at path (its size checked before it is read).
    static bool parseFile(const std::string &path, std::vector<DataRule> *rules, std::string *error);

private:
    static bool parsePattern(const std::string &text, RulePattern *out, std::string *why);
    static bool parseSuggestion(const std::string &text, std::vector<SuggestionPart> *out, std::string *why);
    static bool parseExample(const std::string &text, RuleExample *out, std::string *why);
    static bool finish(DataRule *rule, std::string *why);
};

} // namespace PennovaChecker
