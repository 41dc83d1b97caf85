#pragma once
// An adjective where an adverb belongs: after a verb of change ("prices increased
// rapid"), after an action verb and its object with a degree word ("He did it very
// quick"), and before a participle ("very quick done"). "good" becomes "well". And the
// reverse: an adverb between a determiner and its noun ("the mainly reasons") or after "be"
// and a degree word at the end of a clause ("The problem is very seriously").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class AdverbRules
{
public:
    explicit AdverbRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

    // The -ly adverb of a manner adjective ("quick" -> "quickly", "easy" -> "easily",
    // "good" -> "well"); "" when the word is not one.
    std::string adverbOf(const std::string &adjective) const;

private:
    // "The mainly reasons" -> "The main reasons": an -ly adverb between a determiner and its noun
    void adverbBeforeNoun(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const;
    // "The problem is very seriously." -> "serious"
    void adverbAfterBe(const std::vector<Token> &t, const std::vector<std::string> &tags,
                       std::vector<Finding> *out) const;
    // The adjective of an -ly adverb ("mainly" -> "main", "happily" -> "happy"); "" when none.
    std::string adjectiveOf(const std::string &adverb) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
