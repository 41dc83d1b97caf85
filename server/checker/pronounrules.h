#pragma once
// Pronoun forms: an object pronoun in a joined subject ("Me and him went" -> "He and
// I went", "My friend and me are"), and "peoples" for a number of persons after a
// quantifier ("Many peoples think" -> "Many people think").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class PronounRules
{
public:
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    void jointSubject(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    void peoples(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
};

} // namespace PennovaChecker
