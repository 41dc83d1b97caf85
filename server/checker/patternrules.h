#pragma once
// Fixed learner patterns: "Although ..., but", "Because ..., so", "discuss about",
// "look forward to + base verb", "enjoy to + verb". The set phrases ("on the other hands")
// are rules in data/rules/phrases.rules.

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
    void redundantPrepositions(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void gerunds(const std::vector<Token> &t, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
