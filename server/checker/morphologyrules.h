#pragma once
// Word-form errors: double comparatives, plurals of uncountable nouns, regularised
// irregular plurals and verb forms (childs, goed).

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class MorphologyRules
{
public:
    explicit MorphologyRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;
    // Uncountable nouns with counting words: "an advice", "many homework", "a few
    // information" (tags keep noun compounds such as "an information desk" apart).
    void countingWords(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                       std::vector<Finding> *out) const;

private:
    void comparatives(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void analyticComparatives(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void wordForms(const std::vector<Token> &t, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
