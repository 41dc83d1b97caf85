#pragma once
// Helpers the rule classes share: token navigation and building findings.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class RuleSupport
{
public:
    using Tokens = std::vector<Token>;
    using Tags = std::vector<std::string>; // one part-of-speech tag per token ("" = none)

    // Lower-case word at i, or "" when i is out of range or not a word.
    static const std::string &lowerAt(const Tokens &t, int i);
    // The tag at i begins with prefix ("NN" matches NN, NNS, NNP); false out of range.
    static bool tagIs(const Tags &tags, int i, const char *prefix);
    // The word and tag at i as the slot classifiers' features read them: "<s>" out of
    // range, "#n" for a number, a word in lower case, a mark as written.
    static std::string featureWordAt(const Tokens &t, int i);
    static std::string featureTagAt(const Tags &tags, int i);
    // Punctuation or a conjunction/relative word that ends a clause.
    static bool clauseBoundary(const Token &token);
    static bool isSubjectPronoun(const std::string &lower); // i, you, he, she, it, we, they
    static bool isThirdSingularPronoun(const std::string &lower); // he, she, it

    // Index of the word right after/before i (no punctuation between), or -1.
    static int nextWord(const Tokens &t, int i);
    static int prevWord(const Tokens &t, int i);
    // Words of tokens [first, last] joined with single spaces.
    static std::string textOf(const Tokens &t, int first, int last);
    // correction with its first letter capitalised when the token's is.
    static std::string caseLike(const Token &token, const std::string &correction);
    // the comparative of an adjective: "taller", "easier", "better", "louder", "more interesting"
    static std::string comparativeOf(const Lexicon &lexicon, const Token &adjective);
    // 1 when the word begins with a vowel sound ("an hour"), 0 with a consonant sound
    // ("a university"), -1 when not sure.
    static int vowelSound(const std::string &lower);

    // A finding that replaces tokens [first, last] by correction.
    static Finding replace(const Tokens &t, int first, int last, const std::string &correction,
                           const char *errorType, const char *explainType, int certainty);
    // A finding that deletes token k: the span runs from the end of the word before it
    // to the start of the next one, so that the single space the client puts in its
    // place joins them. False when k has no following word-separated token.
    static bool deletion(const Tokens &t, int k, const char *errorType, const char *explainType, int certainty,
                         Finding *out);
    static double scoreFor(int certainty);
    // The base form of an -ing word of a common verb ("reading" -> "read", "making" -> "make"); "" unknown.
    static std::string baseOfIng(const Lexicon &lex, const std::string &lower);
    // True when a time noun ("day", "morning") is at k or k + 1: "after work the next day".
    static bool timePhraseAt(const Tokens &t, int k);
    // A preposition and noun that British English writes without an article ("in future",
    // "in hospital", "at university"), which American-counted models would flag.
    // The tag at i is exactly `tag` (tagIs matches a prefix).
    static bool tagEquals(const Tags &tags, int i, const char *tag);
    // Any noun tag at i: NN, NNS, NNP or NNPS.
    static bool nounTag(const Tags &tags, int i);
    static bool britishBarePair(const std::string &preposition, const std::string &noun);
    // The token of "only" right before `first` where nothing determines it ("is only way": the
    // article goes before it, "the only way"); -1 after a determiner or possessive ("my only
    // chance"), "not" or "if".
    static int onlyBefore(const Tokens &t, int first);
    // The finding that puts "the" before that "only"; after a form of "be" "only a/an" ("is only
    // a game": merely one) comes second (the Brown corpus: "be the only" 68 times, "be only a" 35).
    static Finding theOnly(const Tokens &t, int only, const char *explain);
    // A noun British English uses uncounted for a whole field of activity ("do sport",
    // "jobs in industry"), where American text counts it or writes the plural ("sports").
    static bool britishFieldNoun(const std::string &noun);
    // True when the auxiliary at k closes an object relative clause after a noun: "The
    // research they did helped" (determiner, noun, subject pronoun, k); the verb after k is
    // then the sentence's own, not the auxiliary's.
    static bool closesRelativeClause(const Lexicon &lex, const Tokens &t, int k);
};

} // namespace PennovaChecker
