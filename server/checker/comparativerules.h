#pragma once
// Comparisons learners build from Chinese, where 更 and 不如 stand before the word:
// "not interesting than" (less interesting), "very important to study than to play"
// (more important), "I can more enjoy the trip" (enjoy the trip more), and 越来越 as
// "new and new" (newer and newer).

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class ComparativeRules
{
public:
    explicit ComparativeRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    using Tokens = std::vector<Token>;
    using Tags = std::vector<std::string>;

    void notThan(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;  // not tall than
    void veryThan(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // very ... than
    void missingFirstAs(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // tall as me
    void sameAs(const Tokens &t, int i, std::vector<Finding> *out) const; // as same as
    void moreBeforeVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // can more enjoy
    void repeatedPositive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // new and new

    // a plain adjective that can be graded ("tall", "interesting"); false for "different", "other"
    bool gradable(const Tokens &t, const Tags &tags, int i) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
