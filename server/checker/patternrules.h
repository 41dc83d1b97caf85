#pragma once
// Fixed learner patterns: "Although ..., but", "Because ..., so", "look forward to + base
// verb", "enjoy to + verb". The set phrases ("on the other hands") and the prepositions a
// verb does not take ("discuss about") are rules in data/rules/phrases.rules and
// data/rules/redundant.rules.

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class Lexicon;

class PatternRules
{
public:
    explicit PatternRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;

private:
    void pairedConjunctions(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void gerunds(const std::vector<Token> &t, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
