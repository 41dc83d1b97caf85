#pragma once
// Prepositions learners put in or guess where a plain pattern cannot say it: "go to home"
// (a hyphen or compound after it), and with times ("in Monday", "on 2010", "in night").
// The preposition after a word ("interested on", "depend of"), "in the other hand" and
// the ones left out ("listen music", "waited me") are rules in data/rules/prepositions.rules.

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
    void times(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    // "go to home", "arrived at home" (not "went to home page", "home-made")
    void missingOrExtra(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
};

} // namespace PennovaChecker
