#pragma once
// Fixed learner patterns: "Although ..., but", "Because ..., so", "discuss about",
// "look forward to + base verb", "enjoy to + verb".

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
    // Set phrases with a slip of number or article: "on the other hands", "in my opinions",
    // "point of views", "as a results", "in additions", "at last but not least", "in nowadays"
    void fixedPhrases(const std::vector<Token> &t, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
