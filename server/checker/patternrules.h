#pragma once
// Paired conjunctions: "Although ..., but", "Because ..., so" (the partner after the first
// comma of the sentence). The other fixed learner patterns are rules in data/rules:
// set phrases ("on the other hands"), prepositions a verb does not take ("discuss about")
// and the -ing after "look forward to", "enjoy", "capable of".

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class PatternRules
{
public:
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;

private:
    void pairedConjunctions(const std::vector<Token> &t, std::vector<Finding> *out) const;
};

} // namespace PennovaChecker
