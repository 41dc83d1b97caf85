#pragma once
// Verb patterns Chinese learners transfer from their first language:
// "I very like", "There have many", "I am agree", "make him to go",
// "has went", "It is depend on".

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class Lexicon;

class VerbPatternRules
{
public:
    explicit VerbPatternRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;

private:
    void veryWithVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void thereHave(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void beWithVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const; // am agree, is depend
    void causativeTo(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void perfectParticiple(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
