#pragma once
// Tense errors of learners whose first language marks time with words, not verb
// forms: a present verb beside a past-time phrase ("Last year I go"), "will" in an
// if-clause, the present perfect with a finished time ("have seen it yesterday"),
// "since" with a length of time ("since three years"), "never ... before" in the present
// simple ("I never see it before") and "wish" with a present modal ("I wish I can").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class TenseRules
{
public:
    explicit TenseRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    void presentWithPastMarker(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const;
    void willInCondition(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const;
    // the clause opened by the conjunction at i: "when I will arrive" -> "when I arrive"
    void willInClause(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                      std::vector<Finding> *out) const;
    // "I live here since 2010" -> "have lived": a state that runs from a point up to now
    void presentWithSince(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const;
    void sinceChildhood(const std::vector<Token> &t, const std::vector<std::string> &tags,
                        std::vector<Finding> *out) const; // Since I was a child, I like
    // "The population increased since 2000" -> "has increased"
    void pastWithSince(const std::vector<Token> &t, const std::vector<std::string> &tags,
                       std::vector<Finding> *out) const;
    std::string perfectOfPast(const std::vector<Token> &t, const std::vector<std::string> &tags, int v) const;
    void sinceWithLength(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "I never see snow before" -> "have never seen": an experience up to now
    void presentWithBefore(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const;
    // "I wish I can go": a wish about now takes the past ("could", "would")
    void wishPresent(const std::vector<Token> &t, std::vector<Finding> *out) const;

    std::string pastOf(const std::string &lower) const; // finite present or participle -> past; "" unknown
    std::string presentFor(const std::string &base, bool thirdSingular, bool firstSingular) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
