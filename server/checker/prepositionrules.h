#pragma once
// A preposition learners put before an adverb of place: "go to home", "went to abroad"
// (not "went to home page", "home-made": a pattern cannot see the hyphen's spacing). The
// other preposition rules ("interested on", "listen music", "in Monday") are in
// data/rules/prepositions.rules.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class PrepositionRules
{
public:
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;

private:
    // "go to home", "arrived at home" (not "went to home page", "home-made")
    void missingOrExtra(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
};

} // namespace PennovaChecker
