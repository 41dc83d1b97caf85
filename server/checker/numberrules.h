#pragma once
// Number agreement around nouns: "several reason" (plural needed), "less cars"
// (fewer), "a person who are" (singular verb in the relative clause).

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class Lexicon;

class NumberRules
{
public:
    explicit NumberRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;

private:
    void pluralAfterQuantifier(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void fewerWithPlurals(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void oneOfPlural(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void relativeClauseVerb(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "My teachers is kind", "Many people likes it", "There is many clubs"
    void pluralSubjectVerb(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // A countable singular noun: a WordNet noun that is not a verb or adjective, whose
    // plural is a common word. *plural receives that plural.
    bool countableSingular(const std::string &lower, std::string *plural) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
