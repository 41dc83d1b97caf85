#pragma once
// Prepositions learners carry over or guess: after common verbs and adjectives
// ("interested on", "depend of", "listen music"), in set phrases ("in the other
// hand") and with times ("in Monday", "on 2010", "in night").

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
    void afterWords(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void listenTo(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                  std::vector<Finding> *out) const;
    void times(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    // "waited me", "talked the problem", "graduated Peking University"; "go to home"
    void missingOrExtra(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
};

} // namespace PennovaChecker
