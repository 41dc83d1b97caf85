#pragma once
// Prepositions learners leave out or guess where a plain pattern cannot say it: "listen
// music", "waited me", "go to home", and with times ("in Monday", "on 2010", "in night").
// The preposition after a word ("interested on", "depend of") and "in the other hand" are
// rules in data/rules/prepositions.rules.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class PrepositionRules
{
public:
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    void listenTo(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                  std::vector<Finding> *out) const;
    void times(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    // "waited me", "talked the problem", "graduated Peking University"; "go to home"
    void missingOrExtra(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
};

} // namespace PennovaChecker
